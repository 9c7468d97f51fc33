// One paste over a selection, undone, redone and undone again: the text
// after each undo is the text before the paste, byte for byte, and after
// the redo the text the paste made. Shared by the exchange tests and the
// clipboard fuzz target.
#pragma once

#include <string>
#include <vector>

#include "SrcEdit.h"
#include "SrcEditClipboard.h"
#include "SrcEditTextBuffer.h"
#include "platform/testing/FakeWidgetset.h"

struct TPasteScenario {
  std::vector<std::string> Lines;
  TSrcEditorOptions Options = 0;  // added to the control's defaults
  TSrcEditorOptions Cleared = 0;  // taken from them
  TSrcSelectionMode Mode = smNormal;
  TBufferCoord From{1, 1}, To{1, 1};
  int BlockMode = -1;  // the block format's mode byte; -1: plain text only
  std::string Text;
};

// Tabs, breaks and NUL as \t, \r, \n, \0, so that a report stays on one line.
inline std::string EscapeControls(const std::string& text) {
  std::string r;
  for (char c : text)
    r += c == '\t' ? "\\t" : c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\0' ? "\\0" : std::string(1, c);
  return r;
}

inline std::string DescribeLines(TCustomSrcEdit* e) {
  std::string s = std::to_string(e->Lines()->GetCount()) + ":";
  for (int i = 0; i < e->Lines()->GetCount(); ++i) s += "[" + EscapeControls(e->Lines()->Get(i)) + "]";
  return s;
}

// Empty when the property holds, else what went wrong.
inline std::string CheckPasteRoundTrip(TCustomSrcEdit* e, FakeWidgetset& fake, const TPasteScenario& s) {
  e->SetOptions((e->Options() | s.Options) & ~s.Cleared);
  e->Lines()->BeginUpdate();
  e->Lines()->Clear();
  for (const std::string& l : s.Lines) e->Lines()->Add(l);
  e->Lines()->EndUpdate();
  e->ClearUndoRedo();
  e->SetSelectionMode(s.Mode);
  e->SelectRange(s.To, s.From, s.To);
  fake.ClipboardData().clear();
  if (s.BlockMode >= 0)
    fake.ClipboardData()[SrcEditClipboardFormat()] = std::string(1, static_cast<char>(s.BlockMode)) + s.Text + '\0';
  fake.ClipboardData()[CF_TEXT] = s.Text + '\0';
  // The text as it is saved: no lines and one empty line are the same file.
  const std::string before = e->Lines()->GetTextStr();
  const std::string beforeLines = DescribeLines(e);
  e->PasteClipboard();
  const std::string after = e->Lines()->GetTextStr();
  const std::string afterLines = DescribeLines(e);
  if (after == before) return std::string();
  const char* steps[] = {"undo", "redo", "second undo"};
  for (int i = 0; i < 3; ++i) {
    if (i == 1)
      e->Redo();
    else
      e->Undo();
    const std::string& want = i == 1 ? after : before;
    if (e->Lines()->GetTextStr() != want)
      return std::string(steps[i]) + " gave " + DescribeLines(e) + " for " + (i == 1 ? afterLines : beforeLines) +
             " (before " + beforeLines + ", pasted " + afterLines + ")";
  }
  return std::string();
}
