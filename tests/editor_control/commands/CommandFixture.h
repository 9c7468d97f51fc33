// A control on the fake widget set, driven through ProcessCommand, with
// compact helpers: the text as lines joined by "|", positions as (char, line).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditMarks.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "platform/CodePage.h"
#include "platform/testing/FakeWidgetset.h"

class TCommandEdit : public TSrcEdit {
 public:
  explicit TCommandEdit(TComponent* owner) : TSrcEdit(owner) {}
  using TCustomSrcEdit::FCharsInWindow;
  using TCustomSrcEdit::FLinesInWindow;
  // Sets both selection ends as they are (SelFrom, SelTo) and the caret.
  void Select(const TBufferCoord& from, const TBufferCoord& to, const TBufferCoord& caret) {
    MoveCaretTo(caret);
    FBlockBegin = from;
    FBlockEnd = to;
  }
};

inline TBufferCoord BC(int c, int l) { return BufferCoord(c, l); }

inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
  return os << "(" << p.Char << ", " << p.Line << ")";
}

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TCommandEdit>(nullptr);
  }
  void TearDown() override {
    Edit.reset();
    SetWidgetset(nullptr);
  }

  // Lines given as one string, separated by "|" (an empty string is no line).
  void SetText(const std::string& joined) {
    Edit->Lines()->Clear();
    if (joined.empty()) return;
    std::size_t begin = 0;
    for (;;) {
      std::size_t bar = joined.find('|', begin);
      Edit->Lines()->Add(joined.substr(begin, bar == std::string::npos ? std::string::npos : bar - begin));
      if (bar == std::string::npos) break;
      begin = bar + 1;
    }
  }
  std::string Joined() const {
    std::string s;
    for (int i = 0; i < Edit->Lines()->GetCount(); ++i) {
      if (i) s += '|';
      s += Edit->Lines()->Get(i);
    }
    return s;
  }
  void Run(TSrcEditorCommand command, char ch = '\0', void* data = nullptr) { Edit->ProcessCommand(command, ch, data); }
  void Type(const std::string& text) {
    for (char c : text) Run(ecChar, c);
  }
  int UndoCount() const { return Edit->UndoList()->ItemCount(); }
  int RedoCount() const { return Edit->RedoList()->ItemCount(); }
  std::vector<TSrcChangeReason> UndoReasons() const {
    std::vector<TSrcChangeReason> r;
    for (int i = 0; i < Edit->UndoList()->ItemCount(); ++i) r.push_back(Edit->UndoList()->Items(i)->ChangeReason());
    return r;
  }

  FakeWidgetset Fake;
  std::unique_ptr<TCommandEdit> Edit;
};
