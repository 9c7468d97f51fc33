// The running editor with a document to insert into: a text, a selection,
// no undo history and no modification yet.
#pragma once

#include <string>

#include "EditorAppFixture.h"
#include "SrcMemo.h"
#include "W2kMain.h"

class InsertAppTest : public EditorAppTest {
 protected:
  void StartWithText(const std::string& text, int selStart, int selLength = 0) {
    Start();
    Memo()->SetText(text);
    Memo()->SetSelectionStart(selStart);
    Memo()->SetSelectionLength(selLength);
    Memo()->ClearUndoRedo();
    Memo()->SetModified(false);
  }
  TSrcMemo* Memo() const { return Main()->Memo1; }
  // The text is back as it was after one undo.
  void ExpectOneUndoStep(const std::string& before) {
    Memo()->Undo();
    EXPECT_EQ(Memo()->Text(), before);
  }
};
