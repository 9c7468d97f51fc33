// The quick-insert palette in the running editor (offscreen Qt): its five
// pages and forty buttons (text, caret, focus back in the document), a
// real mouse click that leaves the focus in the editor, the memory boxes,
// and "Config files/smallbarset.ini": defaults, bad values, the round trip
// of texts with blanks and quotes, a place off every screen, and a file
// that cannot be written.
#include <QtTest/QTest>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "InsertAppFixture.h"
#include "InsertTable.h"
#include "Unit9.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/Monitors.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

namespace {

class PaletteAppTest : public InsertAppTest {
 protected:
  std::string IniPath() const { return OsPath("Config files/smallbarset.ini"); }
  void WriteIni(const std::string& text) {
    ForceDirectories(OsPath("Config files"));
    WriteFileBytes(IniPath(), text);
  }
  int UndoAll() {
    int steps = 0;
    while (Memo()->CanUndo() && steps < 100) {
      Memo()->Undo();
      ++steps;
    }
    return steps;
  }
  void Reset(const std::string& text, int selStart, int selLength = 0) {
    Memo()->SetReadOnly(false);
    Memo()->SetText(text);
    Memo()->SetSelectionStart(selStart);
    Memo()->SetSelectionLength(selLength);
    Memo()->ClearUndoRedo();
  }
};

TEST_F(PaletteAppTest, PagesAndButtonsAsTheRowsSay) {
  StartWithText("", 0);
  ASSERT_NE(Form9, nullptr);
  EXPECT_EQ(Form9->Caption(), Ansi("Быстрая вставка"));
  EXPECT_EQ(Form9->ClientWidth(), 606);
  EXPECT_EQ(Form9->ClientHeight(), 86);
  EXPECT_EQ(Form9->FormStyle(), fsStayOnTop);
  TPageControl* book = Form9->TabbedNotebook1;
  const std::vector<const char*> pages = {"Самые нужные теги ", "Шрифт", "Оформление ", "Таблица ", "Блоки вставок "};
  ASSERT_EQ(book->PageCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(book->Pages(i)->Caption(), Ansi(pages[size_t(i)])) << i;
  EXPECT_EQ(book->Font()->Name(), "Tahoma");
  EXPECT_EQ(book->Font()->Size(), 8);
  EXPECT_EQ(book->Font()->Charset(), RUSSIAN_CHARSET);
  // Each button on its page, left to right in row order.
  int lastLeft[4] = {-1, -1, -1, -1};
  int count[4] = {};
  ASSERT_EQ(PaletteButtons().size(), 40u);
  for (const TPaletteButton& b : PaletteButtons()) {
    SCOPED_TRACE(b.Name);
    auto* button = dynamic_cast<TSpeedButton*>(Form9->FindComponent(b.Name));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Form9->SpeedButtons[size_t(std::stoi(std::string(b.Name).substr(11)) - 1)], button);
    EXPECT_EQ(button->Parent(), book->Pages(b.Page));
    EXPECT_GT(button->Left(), lastLeft[b.Page]);
    lastLeft[b.Page] = button->Left() + button->Width() - 1;
    EXPECT_EQ(button->Caption(), Ansi(b.Caption));
    EXPECT_EQ(button->Hint(), Ansi(b.Hint));
    ++count[b.Page];
  }
  EXPECT_EQ(count[0], 11);
  EXPECT_EQ(count[1], 14);
  EXPECT_EQ(count[2], 6);
  EXPECT_EQ(count[3], 9);
  // The memory boxes on the fifth page, left to right Edit2, Edit1, Edit3.
  const std::pair<TEdit*, int> boxes[] = {{Form9->Edit2, 0}, {Form9->Edit1, 200}, {Form9->Edit3, 400}};
  for (const auto& [box, left] : boxes) {
    EXPECT_EQ(box->Parent(), book->Pages(4));
    EXPECT_EQ(box->Left(), left);
    EXPECT_EQ(box->Width(), 193);
    EXPECT_EQ(box->Color(), TColor(14155735));
    EXPECT_EQ(box->Font()->Color(), TColor(16384));
    EXPECT_EQ(box->Font()->Name(), "Tahoma");
    EXPECT_EQ(box->Hint(), Ansi("Двойной клик производит вставку текста в документ"));
    EXPECT_EQ(box->PopupMenu(), Main()->PopupMenu3);
  }
}

TEST_F(PaletteAppTest, EveryButtonInsertsStepsBackAndFocusesTheDocument) {
  StartWithText("", 0);
  Main()->Show();
  Form9->Show();
  Pump();
  for (const TPaletteButton& b : PaletteButtons()) {
    SCOPED_TRACE(b.Name);
    const std::string text = Ansi(b.Text);
    Reset("ab SEL cd", 3, 3);
    Form9->TabbedNotebook1->SetActivePageIndex(4);
    Form9->Edit1->SetFocus();
    auto* button = dynamic_cast<TSpeedButton*>(Form9->FindComponent(b.Name));
    ASSERT_TRUE(button->OnClick);
    button->OnClick(button);
    EXPECT_EQ(Memo()->Text(), "ab " + text + " cd");
    EXPECT_EQ(Memo()->GetSelectionStart(), int(3 + text.size()) - b.Back);
    EXPECT_TRUE(Memo()->Focused());
    EXPECT_EQ(UndoAll(), 1);
    // Read-only: nothing.
    Reset("ab SEL cd", 3, 3);
    Memo()->SetReadOnly(true);
    button->OnClick(button);
    EXPECT_EQ(Memo()->Text(), "ab SEL cd");
  }
  // "<font>" leaves the caret inside face="", "<table></table>" between
  // the tags.
  Reset("", 0);
  Form9->Commands().Handler("SpeedButton24Click")(nullptr);
  EXPECT_EQ(Memo()->Text(), "<font face=\"\">");
  EXPECT_EQ(Memo()->GetSelectionStart(), 12);
  Reset("", 0);
  Form9->Commands().Handler("SpeedButton32Click")(nullptr);
  EXPECT_EQ(Memo()->GetSelectionStart(), 7);
}

TEST_F(PaletteAppTest, AMouseClickOnAButtonLeavesTheFocusInTheEditor) {
  StartWithText("[]", 1);
  Main()->Show();
  Form9->Show();
  Pump();
  Memo()->SetFocus();
  Pump();
  TSpeedButton* br = Form9->SpeedButtons[0];  // "<br>" on the first page
  QWidget* page = static_cast<QtWindowPeer*>(Form9->TabbedNotebook1->Pages(0)->Handle())->Client();
  ASSERT_NE(page, nullptr);
  const QPoint at(br->Left() + br->Width() / 2, br->Top() + br->Height() / 2);
  QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier, at);
  Pump();
  EXPECT_EQ(Memo()->Text(), "[<br>]");
  EXPECT_TRUE(Memo()->Focused());
  // A press released outside the button clicks nothing.
  QTest::mousePress(page, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(page, Qt::LeftButton, Qt::NoModifier, QPoint(br->Left() + br->Width() + 40, at.y()));
  Pump();
  EXPECT_EQ(Memo()->Text(), "[<br>]");
}

TEST_F(PaletteAppTest, WithoutASettingsFileTheDefaults) {
  StartWithText("ab", 1);
  EXPECT_EQ(Form9->Left(), 120);
  EXPECT_EQ(Form9->Top(), 526);
  EXPECT_EQ(Form9->Edit1->Text(), "");
  EXPECT_EQ(Form9->Edit2->Text(), " ");
  EXPECT_EQ(Form9->Edit3->Text(), " ");
  // A double click on Edit2 inserts its one space, and focuses the editor.
  Form9->Show();
  Form9->TabbedNotebook1->SetActivePageIndex(4);
  Pump();
  Form9->Edit2->SetFocus();
  Form9->Edit2->OnDblClick(Form9->Edit2);
  EXPECT_EQ(Memo()->Text(), "a b");
  EXPECT_TRUE(Memo()->Focused());
  // Edit1 is empty: it still replaces the selection.
  Reset("ab SEL cd", 3, 3);
  Form9->Edit1->OnDblClick(Form9->Edit1);
  EXPECT_EQ(Memo()->Text(), "ab  cd");
  Form9->Edit3->SetText(Ansi("<текст>"));
  Form9->Edit3->OnDblClick(Form9->Edit3);
  EXPECT_EQ(Memo()->Text(), Ansi("ab <текст> cd"));
  EXPECT_EQ(Memo()->GetSelectionStart(), 10);
  Memo()->SetReadOnly(true);
  Form9->Edit3->OnDblClick(Form9->Edit3);
  EXPECT_EQ(Memo()->Text(), Ansi("ab <текст> cd"));
}

TEST_F(PaletteAppTest, BadValuesGiveTheirKeysDefaults) {
  struct TCase {
    const char* File;
    int X, Y;
    const char* One;
    const char* Two;
  };
  const std::vector<TCase> cases = {
      {"[smallbar]\r\nx=abc\r\ny=300\r\n[memory]\r\nmem-1=hello\r\n", 120, 300, "hello", " "},
      {"\x01\x02garbage ]]][[\r\n=\r\nx=5\r\n[smallbar]\r\ny=1.5\r\nx=40\r\n", 40, 526, "", " "},
      {"[memory]\r\nmem-2=\"q\"\r\nmem-1=  two words  \r\n", 120, 526, "two words", "q"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.File);
    WriteIni(c.File);
    StartWithText("", 0);
    EXPECT_EQ(Form9->Left(), c.X);
    EXPECT_EQ(Form9->Top(), c.Y);
    EXPECT_EQ(Form9->Edit1->Text(), c.One);
    EXPECT_EQ(Form9->Edit2->Text(), c.Two);
    Finish();
  }
}

TEST_F(PaletteAppTest, MemoryTextsWithBlanksAndQuotesComeBackUnchanged) {
  StartWithText("", 0);
  const std::vector<std::string> texts = {"  lead",
                                          "trail  ",
                                          " ",
                                          "\"quoted\"",
                                          "'single'",
                                          "plain \"mid\" text",
                                          "",
                                          "\"",
                                          Ansi("русский  "),
                                          "two\r\nlines",
                                          " \"[evil]\r\nx=1\" "};
  for (const std::string& t : texts) {
    SCOPED_TRACE(t);
    Form9->Edit1->SetText(t);
    Form9->Edit2->SetText("x" + t);
    Form9->Edit3->SetText(t + "y");
    Form9->FormDestroy(nullptr);
    Form9->Edit1->SetText("changed");
    Form9->Edit2->SetText("changed");
    Form9->Edit3->SetText("changed");
    Form9->FormCreate(nullptr);
    EXPECT_EQ(Form9->Edit1->Text(), t);
    EXPECT_EQ(Form9->Edit2->Text(), "x" + t);
    EXPECT_EQ(Form9->Edit3->Text(), t + "y");
  }
  // Plain texts are written as they are.
  Form9->Edit1->SetText("plain");
  Form9->FormDestroy(nullptr);
  EXPECT_NE(ReadFileBytes(IniPath()).find("mem-1=plain\r\n"), std::string::npos) << ReadFileBytes(IniPath());
}

TEST_F(PaletteAppTest, ThePlaceIsWrittenAtExitShownOrNot) {
  StartWithText("", 0);
  Form9->Hide();
  Form9->SetBounds(300, 200, Form9->Width(), Form9->Height());
  Finish();
  TIniFile ini(IniPath());
  EXPECT_EQ(ini.ReadInteger("smallbar", "x", 0), 300);
  EXPECT_EQ(ini.ReadInteger("smallbar", "y", 0), 200);
  EXPECT_EQ(ini.ReadString("memory", "mem-2", "?"), " ");
  StartWithText("", 0);
  EXPECT_EQ(Form9->Left(), 300);
  EXPECT_EQ(Form9->Top(), 200);
}

TEST_F(PaletteAppTest, APlaceOffEveryScreenComesOntoTheNearest) {
  WriteIni("[smallbar]\r\nx=5000\r\ny=-3000\r\n");
  TFixedMonitors monitors;
  monitors.Rects = {TRect(0, 0, 1280, 1024), TRect(1280, 0, 2560, 1024)};
  SetMonitorBackend(&monitors);
  StartWithText("", 0);
  Form9->Hide();
  Form9->SetBounds(5000, -3000, Form9->Width(), Form9->Height());
  EXPECT_EQ(Form9->Left(), 5000);  // read as saved
  Main()->Commands().Handler("N332Click")(nullptr);
  Pump();
  EXPECT_TRUE(Form9->Visible());
  EXPECT_EQ(Form9->Left(), 2560 - Form9->Width());
  EXPECT_EQ(Form9->Top(), 0);
  // Only a sliver on a screen, or the caption above every screen: moved
  // onto it. A place whose top edge can be taken stays as it is.
  const int w = Form9->Width(), h = Form9->Height();
  struct TCase {
    int X, Y, WantX, WantY;
  };
  const std::vector<TCase> cases = {
      {2550, 500, 2560 - w, 500},  // 10 pixels left on the right screen
      {300, 5 - h, 300, 0},        // its bottom 5 pixels under the top edge
      {-w + 20, 40, 0, 40},        // 20 pixels on the left screen
      {400, 1020, 400, 1024 - h},  // its caption's top 4 pixels above the bottom
      {1300, 500, 1300, 500},      // on the right screen
      {-w + 60, -4, -w + 60, -4},  // 60 pixels of the caption, less its top 4
      {1250, 10, 1250, 10},        // across both screens
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
    Form9->Hide();
    Form9->SetBounds(c.X, c.Y, w, h);
    // Read as the window is shown: the offscreen platform later keeps
    // windows inside its one screen of its own accord.
    Form9->Show();
    EXPECT_EQ(Form9->Left(), c.WantX);
    EXPECT_EQ(Form9->Top(), c.WantY);
    Pump();
  }
  Form9->Hide();
  Finish();
  SetMonitorBackend(nullptr);
}

TEST_F(PaletteAppTest, AnUnwritableFileIsReportedOnceAndTheOthersStillWrite) {
  // The palette's file is a folder: it cannot be written.
  ForceDirectories(IniPath());
  StartWithText("", 0);
  Ui().ExpectMessage(IDOK);
  Finish();
  int errors = 0;
  for (const TUiRecord& r : Ui().History())
    if (r.Kind == TUiKind::MessageBox) ++errors;
  EXPECT_EQ(errors, 1);
  EXPECT_NE(SettingsText(), "");  // the main window wrote its settings
}

}  // namespace
