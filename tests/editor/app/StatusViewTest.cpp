// The status panels at a fixed clock, caret, cursor and lock-key state
// (known and unknown), the progress strip's hint, the side panel's N, C,
// S and D, and the view and appearance commands of the running editor
// (offscreen Qt).
#include <QClipboard>
#include <QGuiApplication>

#include "EditorAppFixture.h"
#include "ProgressHint.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit9.h"
#include "W2kMain.h"
#include "XpProgress.h"
#include "XpSpeedButtons.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Gdi.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeLockKeys.h"

namespace {

std::string Panel(int i) { return Zod2uAppForm->StatusBar1->Panels()->Items(i)->Text(); }

TEST_F(EditorAppTest, TheClockPanelAtAFixedMoment) {
  Start();
  const TDateTime moment = EncodeDate(2026, 12, 8) + EncodeTime(6, 47, 30, 0);
  SetNowForTesting(moment);
  Main()->Timer1->OnTimer(Main()->Timer1);
  SetNowForTesting(std::nullopt);
  const std::string p = Panel(0);
  const std::string tail = Ansi(", 08.12.2026 год, время: 06:47:30");
  ASSERT_GT(p.size(), tail.size() + 1);
  EXPECT_EQ(p[0], ' ');
  EXPECT_EQ(p.substr(p.size() - tail.size()), tail);
  EXPECT_EQ(p.substr(1, p.size() - 1 - tail.size()), FormatDateTime("dddd", moment));
}

TEST_F(EditorAppTest, TheCaretPanelShowsTheSelectionStartsOwnLine) {
  Start();
  TZod2uAppForm* m = Main();
  ASSERT_TRUE(bool(m->Timer2->OnTimer));
  m->Memo1->SetText("one\r\ntwo\r\nthree");
  const struct {
    TBufferCoord caret, from;
    const char* panel;
  } cases[] = {
      {BufferCoord(1, 3), BufferCoord(1, 3), "x= 1; y= 3"},
      {BufferCoord(4, 2), BufferCoord(2, 1), "x= 2; y= 1"},  // a selection: its start
      {BufferCoord(2, 1), BufferCoord(4, 2), "x= 2; y= 1"},  // selected backwards
      {BufferCoord(9, 1), BufferCoord(9, 1), "x= 9; y= 1"},  // past the end of its line
  };
  for (const auto& c : cases) {
    m->Memo1->SelectRange(c.caret, c.from, c.caret);
    m->Timer2->OnTimer(m->Timer2);
    EXPECT_EQ(Panel(1), Ansi("Редактор: ") + c.panel);
  }
}

TEST_F(EditorAppTest, TheMousePanelFollowsTheCursor) {
  Start();
  SetCursorPos(123, 45);
  Main()->Timer3->OnTimer(Main()->Timer3);
  TPoint p;
  GetCursorPos(&p);
  EXPECT_EQ(Panel(2), Ansi("Монитор: ") + std::to_string(p.X) + Ansi(" х ") + std::to_string(p.Y));
}

TEST_F(EditorAppTest, LockKeyPanelsReadTheSystemEachTickAndNcsToggleIt) {
  TFakeLockKeys keys;
  Start();
  TZod2uAppForm* m = Main();
  EXPECT_TRUE(m->XpSpeedButton20->Enabled());
  keys.States.NumLock = true;
  m->Timer4->OnTimer(m->Timer4);
  EXPECT_EQ(Panel(3), "Num Lock");
  EXPECT_EQ(Panel(4), " ");
  EXPECT_EQ(Panel(5), " ");
  // Changed outside the program: seen at the next tick.
  keys.States = TLockKeyStates{true, false, true, true};
  m->Timer4->OnTimer(m->Timer4);
  EXPECT_EQ(Panel(3), " ");
  EXPECT_EQ(Panel(4), "Caps lock ");
  EXPECT_EQ(Panel(5), "Scroll Lock");

  m->XpSpeedButton20->OnClick(m->XpSpeedButton20);
  m->XpSpeedButton21->OnClick(m->XpSpeedButton21);
  m->XpSpeedButton22->OnClick(m->XpSpeedButton22);
  const std::vector<std::pair<int, bool>> sent = {{VK_NUMLOCK, true},  {VK_NUMLOCK, false}, {VK_CAPITAL, true},
                                                  {VK_CAPITAL, false}, {VK_SCROLL, true},   {VK_SCROLL, false}};
  EXPECT_EQ(keys.Sent, sent);
  m->Timer4->OnTimer(m->Timer4);
  EXPECT_EQ(Panel(3), "Num Lock");
  EXPECT_EQ(Panel(4), " ");
  EXPECT_EQ(Panel(5), " ");

  keys.Known = false;
  m->Timer4->OnTimer(m->Timer4);
  EXPECT_EQ(Panel(3), "Num ?");
  EXPECT_EQ(Panel(4), "Caps ?");
  EXPECT_EQ(Panel(5), "Scroll ?");
}

TEST_F(EditorAppTest, WhereLockKeysCannotBeSentNcsAreDisabled) {
  TFakeLockKeys keys;
  keys.Sendable = false;
  Start();
  for (TXpSpeedButton* b : {Main()->XpSpeedButton20, Main()->XpSpeedButton21, Main()->XpSpeedButton22})
    EXPECT_FALSE(b->Enabled());
  EXPECT_TRUE(Main()->XpSpeedButton25->Enabled());
}

TEST_F(EditorAppTest, DCopiesTheFileNameAndTheStripsHintEscapesIt) {
  Start();
  TZod2uAppForm* m = Main();
  m->SetCurrentFileName("/tmp/a&b <c>|d.html");
  m->XpSpeedButton25->OnClick(m->XpSpeedButton25);
  EXPECT_EQ(Clipboard()->AsText(), "/tmp/a&b <c>|d.html");

  m->Memo1->SetText("ab\r\ncd");
  m->Memo1->SetSelStart(4);
  m->Timer2->OnTimer(m->Timer2);
  m->progres->OnMouseMove(m->progres, TShiftState(), 1, 1);
  EXPECT_EQ(m->progres->Hint(),
            Ansi("Документ: /tmp/a&&<Z></Z>b &lt;c&gt;&#124;d.html;\rАктивных строк всего: 2;\rАктивных знаков перед "
                 "курсором: 4\rКоординаты: ") +
                Panel(1) + "; " + Panel(2));
  EXPECT_EQ(ProgressHintText("x\r\ny", 1, 0, "a", "b").substr(0, Ansi("Документ: x  y;").size()),
            Ansi("Документ: x  y;"));
}

TEST_F(EditorAppTest, BarsPaletteScrollBarsWrapAndCodePage) {
  Start();
  TZod2uAppForm* m = Main();
  const struct {
    const char* handler;
    TControl* control;
  } bars[] = {{"N5Click", m->StatusBar1}, {"N569Click", m->TaskPanel1}, {"N519Click", m->ToolBar1}};
  for (const auto& b : bars) {
    const bool before = b.control->Visible();
    m->Commands().Handler(b.handler)(nullptr);
    EXPECT_EQ(b.control->Visible(), !before) << b.handler;
    m->Commands().Handler(b.handler)(nullptr);
    EXPECT_EQ(b.control->Visible(), before) << b.handler;
  }
  Form9->Hide();
  m->N332Click(nullptr);
  EXPECT_TRUE(Form9->Visible());
  m->N332Click(nullptr);
  EXPECT_FALSE(Form9->Visible());
  // F9 reaches the palette before the <center> item of Теги.
  m->Memo1->SetText("");
  m->Memo1->SetFocus();
  SendMessage(m->Memo1->Handle(), CN_KEYDOWN, VK_F9, 0);
  EXPECT_TRUE(Form9->Visible());
  EXPECT_EQ(m->Memo1->Text(), "");
  Form9->Hide();

  const struct {
    const char* handler;
    TSrcScrollStyle style;
  } scroll[] = {{"N29Click", TSrcScrollStyle::ssNone},
                {"N27Click", TSrcScrollStyle::ssVertical},
                {"N28Click", TSrcScrollStyle::ssHorizontal},
                {"N26Click", TSrcScrollStyle::ssBoth}};
  for (const auto& s : scroll) {
    m->Commands().Handler(s.handler)(nullptr);
    EXPECT_EQ(m->Memo1->ScrollBars(), s.style) << s.handler;
  }
  const bool wrap = m->Memo1->WordWrap();
  m->N35Click(nullptr);
  EXPECT_EQ(m->Memo1->WordWrap(), !wrap);
  m->N35Click(nullptr);
  EXPECT_EQ(m->Memo1->WordWrap(), wrap);

  m->Memo1->SetText("\x8D\xE0");
  m->DOS1Click(nullptr);
  EXPECT_TRUE(m->DOS1->Default());
  EXPECT_FALSE(m->WIN1->Default());
  EXPECT_EQ(m->Memo1->Font()->Charset(), OEM_CHARSET);
  EXPECT_EQ(m->Memo1->SelText(), "\x8D\xE0");
  m->WIN1Click(nullptr);
  EXPECT_FALSE(m->DOS1->Default());
  EXPECT_TRUE(m->WIN1->Default());
  EXPECT_EQ(m->Memo1->Font()->Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(m->Memo1->Text(), "\x8D\xE0");
}

TEST_F(EditorAppTest, FontAndColoursChangeOnOkAndPersist) {
  Start();
  TZod2uAppForm* m = Main();
  const TColor editor = m->Memo1->Color();
  Ui().ExpectColor(false).ExpectFont(false);
  m->N11Click(nullptr);
  m->N12Click(nullptr);
  EXPECT_EQ(m->Memo1->Color(), editor);
  Ui().ExpectColor(true, RGB(1, 2, 3)).ExpectColor(true, RGB(4, 5, 6)).ExpectFont(true, "DejaVu Sans", -20);
  m->N11Click(nullptr);
  m->N13Click(nullptr);
  m->N12Click(nullptr);
  EXPECT_EQ(m->Memo1->Color(), RGB(1, 2, 3));
  EXPECT_EQ(m->Memo1->Font()->Name(), "DejaVu Sans");

  const std::string notice =
      Ansi("Эта опция изменит цвета у следующих компонентов: Главное меню; Панель вставки тегов; Панель инструментов.");
  Ui().ExpectMessage(IDOK, notice, "Brindel Quillet Studio").ExpectColor(false);
  m->N574Click(nullptr);
  EXPECT_EQ(m->CoolBar1->Color(), clBtnFace);
  Ui().ExpectMessage(IDOK, notice, "Brindel Quillet Studio").ExpectColor(true, RGB(10, 20, 30));
  m->N574Click(nullptr);
  for (TColor c : {m->CoolBar1->Color(), m->ToolBar1->Color(), m->MenuPainter.SelectColor, m->MenuPainter.GutterColor})
    EXPECT_EQ(c, RGB(10, 20, 30));

  const std::string sure = Ansi("Вы уверены?\rВосстановить все цвета по умолчанию?  ");
  Ui().ExpectMessage(IDNO, sure, "Brindel Quillet Studio");
  m->N575Click(nullptr);
  EXPECT_EQ(Ui().History().back().Buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(m->ToolBar1->Color(), RGB(10, 20, 30));
  Finish();
  const std::string ini = SettingsText();
  const std::string value = std::to_string(ColorToSetting(RGB(10, 20, 30)));
  for (const char* key : {"collcolor=", "toolcolor=", "menucolor=", "menucolor-2="})
    EXPECT_NE(ini.find(std::string("\r\n") + key + value + "\r\n"), std::string::npos) << key;
  EXPECT_NE(ini.find("editorcolor=" + std::to_string(ColorToSetting(RGB(1, 2, 3)))), std::string::npos);
  EXPECT_NE(ini.find("fontcolor=" + std::to_string(ColorToSetting(RGB(4, 5, 6)))), std::string::npos);
}

TEST_F(EditorAppTest, RestoringColoursGivesTheButtonFace) {
  Start();
  TZod2uAppForm* m = Main();
  m->SetProgramColor(RGB(9, 9, 9));
  m->Memo1->SetColor(RGB(7, 7, 7));
  Ui().ExpectMessage(IDYES);
  m->N575Click(nullptr);
  for (TColor c : {m->CoolBar1->Color(), m->ToolBar1->Color(), m->MenuPainter.SelectColor, m->MenuPainter.GutterColor})
    EXPECT_EQ(c, clBtnFace);
  EXPECT_EQ(m->Memo1->Color(), RGB(7, 7, 7));
  EXPECT_EQ(Ui().History().back().Icon, TUiIcon::Warning);
}

TEST_F(EditorAppTest, ColoursThatAreNoNumbersReadAsTheDefaults) {
  ForceDirectories(OsPath("Config files"));
  WriteFileBytes(OsPath("Config files/velmoraset.ini"),
                 "[options]\r\ncollcolor=blue\r\ntoolcolor=\r\nmenucolor=12ab\r\neditorcolor=1.5\r\n");
  Start();
  TZod2uAppForm* m = Main();
  for (TColor c : {m->CoolBar1->Color(), m->ToolBar1->Color(), m->MenuPainter.SelectColor}) EXPECT_EQ(c, clBtnFace);
  EXPECT_EQ(m->Memo1->Color(), TColor(0xFFFFFF));
  EXPECT_TRUE(m->progres->ShowHint());
}

}  // namespace
