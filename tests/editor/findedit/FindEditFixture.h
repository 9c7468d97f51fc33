// The edit commands on a real editing control with the fake widget set:
// a window holding Memo1, the two dialogs, the slots and scripted boxes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "MainEditCommands.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "UiFixture.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/FindDialogs.h"
#include "platform/testing/FakeWidgetset.h"

class FindEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.SetBounds(0, 0, 600, 400);
    Memo = new TSrcMemo(&Window);
    Memo->SetParent(&Window);
    Memo->SetBounds(0, 0, 500, 300);
    Window.Show();
    Window.HandleNeeded();
    Find = new TFindDialog(&Window);
    Replace = new TReplaceDialog(&Window);
    Replace->SetOptions(TFindOptions{frDown, frReplace, frReplaceAll});

    TEditCommandsHost host;
    host.Memo = Memo;
    host.FindDialog = Find;
    host.ReplaceDialog = Replace;
    host.Owner = [this] { return Window.Handle(); };
    host.DocName = [this] { return Doc; };
    host.Slots = &Slots;
    host.LastAnswer = &Answer;
    host.ShowGoToLine = [this] { Shown += "goto;"; };
    host.ShowIndent = [this] { Shown += "indent;"; };
    host.ShowClipboardViewer = [this] { Shown += "clipboard;"; };
    Commands = new TMainEditCommands(&Window, host);
    Find->OnFind = [this](TObject* s) { Commands->FindDialog1Find(s); };
    Replace->OnFind = [this](TObject* s) { Commands->FindDialog1Find(s); };
    Replace->OnReplace = [this](TObject* s) { Commands->ReplaceDialog1Replace(s); };
  }

  // A fresh, unmodified document with the caret at `caret`.
  void Start(const std::string& text, int caret = 0) {
    Memo->SetText(text);
    Memo->ClearUndoRedo();
    Memo->SetSelStart(caret);
    Memo->SetModified(false);
  }

  // The same with the text read as a file is (the lines stay in the block
  // the load read); each line but the first starts with "wxyz", so that
  // most are longer than the four bytes a line keeps in its record.
  void StartLoaded(const std::string& text, int caret = 0) {
    std::string lines = "wxyz";
    for (char c : text) {
      lines += c;
      if (c == '\n' || c == '\r') lines += "wxyz";
    }
    TStringStream s(lines);
    Memo->Lines()->LoadFromStream(&s);
    Memo->ClearUndoRedo();
    Memo->SetSelStart(caret);
    Memo->SetModified(false);
  }

  // The selection as (start, length).
  std::pair<int, int> Sel() const { return {Memo->SelStart(), Memo->SelLength()}; }

  // Expects one message box next: text and caption exact (UTF-8 given).
  void ExpectBox(int answer, const char* textUtf8, const char* caption = "Brindel Quillet Studio") {
    Ui->ExpectMessage(answer, Ansi(textUtf8), caption);
  }
  void ExpectBoxAnsi(int answer, const std::string& text, const char* caption = "Brindel Quillet Studio") {
    Ui->ExpectMessage(answer, text, caption);
  }
  // The last box: its icon and buttons, and its owner (the window).
  void CheckLastBox(TUiIcon icon, std::vector<int> buttons) {
    ASSERT_FALSE(Ui->History().empty());
    const TUiRecord& r = Ui->History().back();
    EXPECT_EQ(r.Kind, TUiKind::MessageBox);
    EXPECT_EQ(r.Icon, icon);
    EXPECT_EQ(r.Buttons, buttons);
    EXPECT_EQ(r.Owner, Window.Handle());
  }
  int Beeps() { return Widgets->BeepCount(); }
  std::string Board() { return Widgets->ClipboardData()[CF_TEXT]; }

  TFakeWidgetsetScope Widgets;
  TUiScriptScope Ui;
  TWinControl Window{nullptr};
  TSrcMemo* Memo = nullptr;
  TFindDialog* Find = nullptr;
  TReplaceDialog* Replace = nullptr;
  TMainEditCommands* Commands = nullptr;
  std::array<std::string, 10> Slots;
  std::uint16_t Answer = 0;
  std::string Doc = Ansi("Новый файл");
  std::string Shown;
};
