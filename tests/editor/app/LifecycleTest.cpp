// Closing the main window, the save prompt of the commands, and the exit,
// hide and about commands.
#include <QTimer>
#include <string>

#include "EditorAppFixture.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit3.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"

namespace {

// The prompt as the user sees it, built independently of the program.
std::string Prompt(const std::string& docName) {
  return Ansi("Текст в следующем документе:\n\r\n\r") + docName + "\n\r\n\r" + Ansi("был изменен, но не сохранён.") +
         "\n\r" + Ansi("Сохранить сделанные изменения в этом документе? ");
}

class CloseTest : public EditorAppTest {
 protected:
  // A started program whose document holds `text` and is modified.
  void StartModified(const std::string& text) {
    Start();
    Main()->Memo1->Lines()->SetTextStr(text);
    Main()->Memo1->SetModified(true);
  }
  bool StillOpen() { return !Application->Terminated() && Main()->Visible(); }
};

TEST_F(CloseTest, UnmodifiedDocumentClosesWithoutAsking) {
  Start();
  Main()->Close();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(Ui().History().empty());
}

TEST_F(CloseTest, CancelKeepsTheProgramRunningWithTheDocument) {
  StartModified("text");
  Ui().ExpectMessage(IDCANCEL, Prompt(Ansi("Новый файл")), "Brindel Quillet Studio");
  Main()->Close();
  EXPECT_TRUE(StillOpen());
  EXPECT_TRUE(Main()->Memo1->Modified());
  EXPECT_EQ(Main()->Memo1->Lines()->Strings(0), "text");
  const TUiRecord& box = Ui().History().at(0);
  EXPECT_EQ(box.Icon, TUiIcon::Information);
  EXPECT_EQ(box.Buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
  EXPECT_EQ(box.Owner, Main()->WindowHandle());
  EXPECT_EQ(LastAnswer, IDCANCEL);
}

TEST_F(CloseTest, NoEndsTheProgramWithoutWritingTheDocument) {
  WriteFileBytes(OsPath("doc.txt"), "old\r\n");
  SetArguments({OsPath("doc.txt")});
  Start();
  Main()->Memo1->Lines()->SetTextStr("new");
  Main()->Memo1->SetModified(true);
  Ui().ExpectMessage(IDNO, Prompt(AnsiPath("doc.txt")), "Brindel Quillet Studio");
  Main()->Close();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ReadFileBytes(OsPath("doc.txt")), "old\r\n");
}

TEST_F(CloseTest, YesSavesADocumentWithAFileAndEnds) {
  WriteFileBytes(OsPath("doc.txt"), "old\r\n");
  SetArguments({OsPath("doc.txt")});
  Start();
  Main()->Memo1->Lines()->SetTextStr("new");
  Main()->Memo1->SetModified(true);
  Ui().ExpectMessage(IDYES);
  Main()->Close();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ReadFileBytes(OsPath("doc.txt")), "new");
  EXPECT_FALSE(Main()->Memo1->Modified());
}

TEST_F(CloseTest, YesOnAnUntitledDocumentRunsSaveAsThenEnds) {
  StartModified("fresh");
  Ui().ExpectMessage(IDYES).ExpectFileDialog(true, AnsiPath("saved.txt"));
  Main()->Close();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ReadFileBytes(OsPath("saved.txt")), "fresh");
  // The dialog proposed the untitled name with the first filter.
  const TUiRecord& dlg = Ui().History().at(1);
  EXPECT_EQ(dlg.Kind, TUiKind::SaveDialog);
  EXPECT_EQ(dlg.Value, Ansi("Безымянный"));
  EXPECT_EQ(dlg.FilterIndex, 1);
  EXPECT_EQ(Main()->CurrentFileName(), AnsiPath("saved.txt"));
  EXPECT_EQ(DocName, AnsiPath("saved.txt"));
  EXPECT_EQ(Main()->Caption(), "saved.txt - Brindel Quillet Studio");
}

TEST_F(CloseTest, YesThenCancelledSaveAsKeepsTheProgramOpen) {
  StartModified("precious");
  Ui().ExpectMessage(IDYES).ExpectFileDialog(true, "");
  Main()->Close();
  EXPECT_TRUE(StillOpen());
  EXPECT_TRUE(Main()->Memo1->Modified());
  EXPECT_EQ(Main()->Memo1->Lines()->Strings(0), "precious");
}

TEST_F(CloseTest, YesThenRefusedOverwriteKeepsTheProgramOpen) {
  WriteFileBytes(OsPath("taken.txt"), "keep\r\n");
  StartModified("mine");
  std::string question = Ansi("Файл с именем ") + AnsiPath("taken.txt") +
                         Ansi(" уже существует.\n\rВы хотите заменить его, перезаписав поверх старого?");
  Ui().ExpectMessage(IDYES)
      .ExpectFileDialog(true, AnsiPath("taken.txt"))
      .ExpectMessage(mrNo, question, Ansi("Подтверждение"));
  Main()->Close();
  EXPECT_TRUE(StillOpen());
  EXPECT_EQ(ReadFileBytes(OsPath("taken.txt")), "keep\r\n");
  EXPECT_EQ(Ui().History().at(2).Icon, TUiIcon::Question);
}

TEST_F(CloseTest, AFailedSaveKeepsTheProgramOpenAndShowsTheError) {
  ForceDirectories(AnsiPath("ro"));
  WriteFileBytes(OsPath("ro/doc.txt"), "old\r\n");
  SetArguments({OsPath("ro/doc.txt")});
  Start();
  Main()->Memo1->Lines()->SetTextStr("new");
  Main()->Memo1->SetModified(true);
  // The folder goes away under the document.
  std::filesystem::remove_all(OsPath("ro"));
  Ui().ExpectMessage(IDYES).ExpectMessage(IDOK);
  // Closing from the window system goes through the event guard.
  SendMessage(Main()->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(StillOpen());
  EXPECT_EQ(Ui().History().at(1).Caption, "Brindel Quillet Studio");
  EXPECT_EQ(Ui().History().at(1).Icon, TUiIcon::Error);
}

TEST_F(CloseTest, ConfirmSaveChangesLetsTheCommandGoOnOrEndsIt) {
  Start();
  Main()->ConfirmSaveChanges();  // unmodified: no question
  EXPECT_TRUE(Ui().History().empty());

  Main()->Memo1->Lines()->SetTextStr("draft");
  Main()->Memo1->SetModified(true);
  Ui().ExpectMessage(IDNO, Prompt(Ansi("Новый файл")), "Brindel Velmora");
  EXPECT_NO_THROW(Main()->ConfirmSaveChanges());
  EXPECT_TRUE(Main()->Memo1->Modified());

  Ui().ExpectMessage(IDCANCEL);
  EXPECT_THROW(Main()->ConfirmSaveChanges(), EAbort);

  // Yes with Save As cancelled: the command must not go on.
  Ui().ExpectMessage(IDYES).ExpectFileDialog(true, "");
  EXPECT_THROW(Main()->ConfirmSaveChanges(), EAbort);
  EXPECT_TRUE(Main()->Memo1->Modified());

  Ui().ExpectMessage(IDYES).ExpectFileDialog(true, AnsiPath("kept.txt"));
  EXPECT_NO_THROW(Main()->ConfirmSaveChanges());
  EXPECT_EQ(ReadFileBytes(OsPath("kept.txt")), "draft");
  EXPECT_FALSE(Main()->Memo1->Modified());
}

TEST_F(CloseTest, ExitClosesHideMinimisesAboutShowsItsWindowModally) {
  Start();
  Main()->FileHideItem->Click();
  EXPECT_TRUE(Application->Minimized());
  Application->Restore();
  Ui().ExpectModalForm([](TCustomForm* f) {
    EXPECT_EQ(f, about_forma);
    f->Close();
  });
  Main()->AboutItem->Click();
  EXPECT_FALSE(about_forma->Visible());
  Main()->FileExitItem->Click();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(CloseTest, TheMessageLoopEndsWhenTheMainWindowClosesAndTheSettingsAreWritten) {
  Start(false);
  QTimer::singleShot(50, [] { Zod2uAppForm->Close(); });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(Main()->Visible());
  EXPECT_TRUE(SettingsText().empty());
  Finish();
  EXPECT_NE(SettingsText().find("[position]\r\nleft="), std::string::npos);
}

TEST_F(CloseTest, KeysReachTheMenuCommands) {
  Start();
  Main()->Memo1->SetFocus();
  SendMessage(Main()->Memo1->Handle(), CN_KEYDOWN, VK_F12, 0);
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
