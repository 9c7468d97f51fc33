// A control on a fake widget set, with access to its protected fields.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditMarks.h"
#include "SrcEditTextBuffer.h"
#include "SrcEditUndo.h"
#include "platform/testing/FakeWidgetset.h"

class TTestEdit : public TSrcEdit {
 public:
  explicit TTestEdit(TComponent* owner) : TSrcEdit(owner) {}
  using TCustomSrcEdit::FBookMarks;
  using TCustomSrcEdit::FMarkList;
  // The visible rows and columns (normally from the window size).
  void SetViewSize(int rows, int cols) {
    FLinesInWindow = rows;
    FCharsInWindow = cols;
  }
  void SetRawSelection(const TBufferCoord& from, const TBufferCoord& to) {
    FBlockBegin = from;
    FBlockEnd = to;
  }
  // Adds a bookmark mark directly (the bookmark commands are elsewhere).
  TSrcEditMark* AddBookmark(int number, int line) {
    auto* m = new TSrcEditMark(this);
    m->SetLine(line);
    m->SetChar(1);
    m->SetBookmarkNumber(number);
    m->SetVisible(true);
    FBookMarks[static_cast<size_t>(number)] = m;
    FMarkList->Add(m);
    return m;
  }
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgetset(&Fake);
    Edit = std::make_unique<TTestEdit>(nullptr);
  }
  void TearDown() override {
    Edit.reset();
    SetWidgetset(nullptr);
  }

  // Lines joined by "|" for compact expectations.
  std::string Joined() const {
    std::string s;
    for (int i = 0; i < Edit->Lines()->GetCount(); ++i) {
      if (i) s += '|';
      s += Edit->Lines()->Get(i);
    }
    return s;
  }
  void SetLines(std::initializer_list<const char*> lines) {
    Edit->Lines()->Clear();
    for (const char* l : lines) Edit->Lines()->Add(l);
  }
  int UndoCount(TSrcChangeReason r) const {
    int n = 0;
    for (int i = 0; i < Edit->UndoList()->ItemCount(); ++i)
      if (Edit->UndoList()->Items(i)->ChangeReason() == r) ++n;
    return n;
  }

  FakeWidgetset Fake;
  std::unique_ptr<TTestEdit> Edit;
};

inline TBufferCoord BC(int c, int l) { return BufferCoord(c, l); }

inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
  return os << "(" << p.Char << ", " << p.Line << ")";
}
