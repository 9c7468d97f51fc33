// The dialogs service, the message functions and the scripted responder.
#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/testing/ScriptedUi.h"

namespace {

TEST(DialogsTest, LineBreaksAreNormalisedOnlyForDisplay) {
  EXPECT_EQ(NormalizeLineBreaks("a\n\r\n\rb\r\nc\rd\ne"), "a\n\nb\nc\nd\ne");
  EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\n");
}

TEST(DialogsTest, FiltersSplitIntoCaptionsAndPatterns) {
  auto f = ParseFilter("Text (*.txt)|*.txt|Web (*.html; *.htm)|*.html; *.htm|dangling");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[1].Caption, "Web (*.html; *.htm)");
  EXPECT_EQ(SplitMasks(f[1].Pattern), (std::vector<std::string>{"*.html", "*.htm"}));
  // A name typed without an extension: the filter's single one, else the default.
  EXPECT_EQ(SaveExtension("*.txt", "rtf"), "txt");
  EXPECT_EQ(SaveExtension("*.html; *.htm", "*.rtf"), "rtf");
  EXPECT_EQ(SaveExtension("*.*", ".rtf"), "rtf");
  EXPECT_EQ(SaveExtension("*.php", ""), "php");
  EXPECT_EQ(SaveExtension("*.*", ""), "");
  EXPECT_TRUE(ParseFilter("").empty());
  // Only a filter asking for programs lists the files that may be run.
  for (const char* pattern : {"*.exe", "*.EXE", "*.txt; *.Exe ;"})
    EXPECT_TRUE(PatternListsPrograms(pattern)) << pattern;
  for (const char* pattern : {"*.*", "*.exe.txt", "exe", ""}) EXPECT_FALSE(PatternListsPrograms(pattern)) << pattern;
}

TEST(DialogsTest, MessageBoxesAreRecordedAsGivenAndAnsweredFromTheScript) {
  TUiScriptScope ui;
  ui->ExpectMessage(IDNO, std::string("Line\n\rtwo"), std::string("Cap"));
  EXPECT_EQ(MessageBox(nullptr, "Line\n\rtwo", "Cap", MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2), IDNO);
  const TUiRecord& r = ui->History().at(0);
  EXPECT_EQ(r.Kind, TUiKind::MessageBox);
  EXPECT_EQ(r.Icon, TUiIcon::Information);
  EXPECT_EQ(r.Buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));

  InitApplication();
  Application->SetTitle("App");
  ui->ExpectMessage(mrYes).ExpectMessage(mrOk);
  EXPECT_EQ(MessageDlg("Replace?", mtConfirmation, mbYesNoCancel, 0), mrYes);
  ShowMessage("Done");
  EXPECT_EQ(ui->History()[1].Caption, Ansi("Подтверждение"));
  EXPECT_EQ(ui->History()[1].Icon, TUiIcon::Question);
  EXPECT_EQ(ui->History()[2].Caption, "App");
  DoneApplication();

  // Cancel of an input box gives the default back.
  ui->ExpectInput(false).ExpectInput(true, "typed");
  EXPECT_EQ(InputBox("C", "P", "http://"), "http://");
  EXPECT_EQ(InputBox("C", "P", "http://"), "typed");
  EXPECT_EQ(ui->History()[3].Value, "http://");
}

TEST(DialogsTest, UnexpectedBoxesAreReportedAndCancelled) {
  TScriptedUi ui;
  std::vector<std::string> reports;
  ui.OnUnexpected = [&](const std::string& what) { reports.push_back(what); };
  SetUiService(&ui);
  EXPECT_EQ(MessageBox(nullptr, "Sure?", "C", MB_YESNO), IDNO);
  ui.ExpectFileDialog(true, "/tmp/x.txt");
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());  // the script wanted a save dialog
  EXPECT_EQ(reports.size(), 2u);
  EXPECT_EQ(ui.Remaining(), 1);
  SetUiService(nullptr);
}

TEST(DialogsTest, WithoutAServiceNothingIsConfirmed) {
  ASSERT_FALSE(UiServiceInstalled());
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(nullptr, "Sure?", "C", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBox(nullptr, "Save?", "C", MB_YESNOCANCEL), IDCANCEL);
  std::string value = "preset";
  EXPECT_FALSE(InputQuery("C", "P", value));
  EXPECT_EQ(value, "preset");
  TSaveDialog save(nullptr);
  EXPECT_FALSE(save.Execute());
  const std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_NE(reported.find("unanswered: "), std::string::npos);
  EXPECT_NE(reported.find("\"Save?\""), std::string::npos);
}

TEST(DialogsTest, FileDialogsTakeTheAnswerAndTheReadOnlyBox) {
  TUiScriptScope ui;
  TOpenDialog open(nullptr);
  open.SetFilterIndex(16);
  open.SetFileName("old.txt");
  ui->ExpectFileDialog(false, "/tmp/a.html", true).ExpectFileDialog(false, "");
  EXPECT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), "/tmp/a.html");
  EXPECT_TRUE(open.Options().Contains(ofReadOnly));
  EXPECT_EQ(ui->History()[0].FilterIndex, 16);
  EXPECT_EQ(ui->History()[0].Value, "old.txt");
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(open.FileName(), "/tmp/a.html");

  TColorDialog color(nullptr);
  color.SetColor(clRed);
  ui->ExpectColor(false).ExpectColor(true, clBlue);
  EXPECT_FALSE(color.Execute());
  EXPECT_EQ(color.Color(), clRed);
  EXPECT_TRUE(color.Execute());
  EXPECT_EQ(color.Color(), clBlue);
}

}  // namespace
