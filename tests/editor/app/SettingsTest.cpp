// The settings file "Config files/velmoraset.ini": read at creation,
// written at destruction, system colours as negative numbers.
#include <string>

#include <vector>

#include "EditorAppFixture.h"
#include "SrcMemo.h"
#include "Unit9.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/IniFiles.h"
#include "platform/Monitors.h"
#include "platform/SysUtils.h"

namespace {

TEST_F(EditorAppTest, SettingsAreWrittenAtExitInTheirOrderAndReadBack) {
  Start();
  Main()->Memo1->Font()->SetName("Courier New");
  Main()->Memo1->Font()->SetSize(11);
  Main()->Memo1->SetColor(RGB(0x10, 0x20, 0x30));
  Main()->CoolBar1->SetColor(clWindow);
  Main()->MenuPainter.SetSelectColor(RGB(1, 2, 3));
  int left = Main()->Left();
  int top = Main()->Top();
  Finish();
  std::string expected = "[position]\r\nleft=" + std::to_string(left) + "\r\nwidth=200\r\ntop=" + std::to_string(top) +
                         "\r\nheight=200\r\n[options]\r\nfont=Courier New\r\nfontsize=11\r\nfontcolor=-16777208\r\n"
                         "editorcolor=" +
                         std::to_string(RGB(0x10, 0x20, 0x30)) +
                         "\r\ncollcolor=-16777211\r\ntoolcolor=-16777201\r\nmenucolor=" + std::to_string(RGB(1, 2, 3)) +
                         "\r\nmenucolor-2=-16777201\r\n";
  EXPECT_EQ(SettingsText(), expected);

  // The next start reads the same values back.
  Start(false);
  EXPECT_EQ(Main()->Left(), left);
  EXPECT_EQ(Main()->Top(), top);
  EXPECT_EQ(Main()->Memo1->Font()->Name(), "Courier New");
  EXPECT_EQ(Main()->Memo1->Font()->Size(), 11);
  EXPECT_EQ(Main()->Memo1->Font()->Color(), clWindowText);
  EXPECT_EQ(Main()->Memo1->Color(), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(Main()->CoolBar1->Color(), clWindow);
  EXPECT_EQ(Main()->ToolBar1->Color(), clBtnFace);
  EXPECT_EQ(Main()->MenuPainter.SelectColor, RGB(1, 2, 3));
  EXPECT_EQ(Main()->MenuPainter.GutterColor, clBtnFace);
}

TEST_F(EditorAppTest, MissingOrBadKeysGiveTheirDefaults) {
  ForceDirectories(AnsiPath("Config files"));
  WriteFileBytes(OsPath("Config files/velmoraset.ini"),
                 "[position]\r\nwidth=640\r\nheight=abc\r\n[options]\r\nfontcolor=-16777203\r\neditorcolor=255\r\n");
  Start(false);
  EXPECT_EQ(Main()->Width(), 640);
  EXPECT_EQ(Main()->Height(), 200);
  EXPECT_EQ(Main()->Memo1->Font()->Color(), clHighlight);
  EXPECT_EQ(Main()->Memo1->Color(), clRed);
  EXPECT_EQ(Main()->Memo1->Font()->Name(), "Times New Roman");
}

// Numbers no screen can show, in both files that keep a window's place:
// the windows come up on the desktop at a usable size, and the program
// still ends at once.
TEST_F(EditorAppTest, PlacesOffTheDesktopComeOntoItAndTheProgramStillEnds) {
  TFixedMonitors monitors;
  monitors.Rects = {TRect(0, 0, 1280, 1024), TRect(1280, 0, 2560, 1024)};
  SetMonitorBackend(&monitors);
  struct TCase {
    const char* Left;
    const char* Top;
    const char* Width;
    const char* Height;
  };
  const std::vector<TCase> cases = {
      {"0", "0", "900", "999999999"},
      {"640", "0", "1", "32767"},
      {"-2147483648", "2147483647", "2147483647", "-2147483648"},
      {"99999", "-99999", "0", "0"},
      {"2147483647", "-2147483648", "-5", "300"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Left) + " " + c.Top + " " + c.Width + " " + c.Height);
    ForceDirectories(AnsiPath("Config files"));
    WriteFileBytes(OsPath("Config files/velmoraset.ini"), std::string("[position]\r\nleft=") + c.Left +
                                                              "\r\nwidth=" + c.Width + "\r\ntop=" + c.Top +
                                                              "\r\nheight=" + c.Height + "\r\n");
    WriteFileBytes(OsPath("Config files/smallbarset.ini"),
                   std::string("[smallbar]\r\nx=") + c.Left + "\r\ny=" + c.Top + "\r\n");
    Start(false);
    for (TCustomForm* form : {static_cast<TCustomForm*>(Main()), static_cast<TCustomForm*>(Form9)}) {
      SCOPED_TRACE(form->Name());
      bool onAScreen = false;
      for (const TRect& m : monitors.Rects)
        onAScreen |= form->Left() >= m.Left && form->Top() >= m.Top && form->Left() + form->Width() <= m.Right &&
                     form->Top() + form->Height() <= m.Bottom;
      EXPECT_TRUE(onAScreen) << form->Left() << "," << form->Top() << " " << form->Width() << "x" << form->Height();
    }
    EXPECT_GE(Main()->Width(), 200);
    EXPECT_GE(Main()->Height(), 200);
    Main()->Show();
    Pump();
    Main()->Close();
    EXPECT_TRUE(Application->Terminated());
    Finish();
    EXPECT_EQ(Ui().UnexpectedCount(), 0);
  }
  SetMonitorBackend(nullptr);
}

// Neither settings file can be written: each is named in one error box,
// and the program still ends.
TEST_F(EditorAppTest, SettingsThatCannotBeWrittenAreReportedOncePerFile) {
  Start();
  ForceDirectories(AnsiPath("Config files/velmoraset.ini"));
  ForceDirectories(AnsiPath("Config files/smallbarset.ini"));
  Ui().ExpectMessage(IDOK).ExpectMessage(IDOK);
  Main()->Close();
  EXPECT_TRUE(Application->Terminated());
  Finish();
  std::vector<std::string> named;
  for (const TUiRecord& r : Ui().History()) {
    EXPECT_EQ(r.Icon, TUiIcon::Error);
    EXPECT_EQ(r.Caption, "Brindel Quillet Studio");
    EXPECT_EQ(r.Text.find(Ansi("Не удалось сохранить настройки")), 0u) << r.Text;
    for (const char* file : {"velmoraset.ini", "smallbarset.ini"})
      if (r.Text.find(AnsiPath(std::string("Config files/") + file)) != std::string::npos) named.push_back(file);
  }
  // The palette goes first: the windows are destroyed in reverse order.
  EXPECT_EQ(named, (std::vector<std::string>{"smallbarset.ini", "velmoraset.ini"}));
}

TEST(SettingColoursTest, SystemColoursAreStoredTheToolkitsWay) {
  EXPECT_EQ(ColorToSetting(clWindowText), -16777208);
  EXPECT_EQ(ColorToSetting(clBtnFace), -16777201);
  EXPECT_EQ(ColorToSetting(0xFFFFFF), 16777215);
  EXPECT_EQ(SettingToColor(-16777208), clWindowText);
  EXPECT_EQ(SettingToColor(-16777201), clBtnFace);
  EXPECT_EQ(SettingToColor(255), clRed);
}

}  // namespace
