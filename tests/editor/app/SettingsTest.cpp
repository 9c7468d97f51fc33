// The settings file "Config files/velmoraset.ini": read at creation,
// written at destruction, system colours as negative numbers.
#include <string>

#include "EditorAppFixture.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/Forms.h"
#include "platform/IniFiles.h"
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

TEST(SettingColoursTest, SystemColoursAreStoredTheToolkitsWay) {
  EXPECT_EQ(ColorToSetting(clWindowText), -16777208);
  EXPECT_EQ(ColorToSetting(clBtnFace), -16777201);
  EXPECT_EQ(ColorToSetting(0xFFFFFF), 16777215);
  EXPECT_EQ(SettingToColor(-16777208), clWindowText);
  EXPECT_EQ(SettingToColor(-16777201), clBtnFace);
  EXPECT_EQ(SettingToColor(255), clRed);
}

}  // namespace
