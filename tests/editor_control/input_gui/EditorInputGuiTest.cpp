// The editing control in a real Qt window (offscreen), typed at with Qt key
// events: on a Latin layout through QTest, on a Russian layout with events
// whose text is Cyrillic while their native scan code is the Latin key's.
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QtTest/QTest>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "QtTestEnv.h"
#include "SrcEdit.h"
#include "SrcEditKeyCmds.h"
#include "SrcEditTextBuffer.h"
#include "platform/CodePage.h"
#include "platform/qt/QtWidgetset.h"

inline std::ostream& operator<<(std::ostream& os, const TBufferCoord& p) {
  return os << "(" << p.Char << ", " << p.Line << ")";
}

namespace {

struct TSeen {
  TSrcEditorCommand Command;
  char Ch;
  friend bool operator==(const TSeen& a, const TSeen& b) { return a.Command == b.Command && a.Ch == b.Ch; }
  friend std::ostream& operator<<(std::ostream& os, const TSeen& s) {
    return os << "{" << s.Command << ", " << int(static_cast<unsigned char>(s.Ch)) << "}";
  }
};

// A key of the Russian layout: the Qt key (the upper-case letter), the
// letter typed, and the X11 keycode of the Latin key in the same place.
struct TRuKey {
  int QtKey;
  const char* Text;  // UTF-8
  quint32 ScanCode;
};

class EditorInputGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws = &TestWidgetset();
    Edit = std::make_unique<TSrcEdit>(nullptr);
    Edit->SetBounds(20, 20, 400, 200);
    Edit->HandleNeeded();
    ::ShowWindow(Edit->Handle(), SW_SHOW);
    Edit->SetVisible(true);
    ws->ProcessMessages();
    Edit->OnProcessCommand = [this](TObject*, TSrcEditorCommand& c, char& ch, void*) {
      if (c != ecGotFocus && c != ecLostFocus) Seen.push_back({c, ch});
    };
  }
  void TearDown() override {
    Edit.reset();
    ws->ProcessMessages();
  }
  QWidget* Client() const { return static_cast<QtWindowPeer*>(Edit->Handle())->Client(); }

  // A Russian-layout key press and release; modifier keys go down first
  // and up last, as a keyboard sends them.
  void RuKey(const TRuKey& k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QString text = QString::fromUtf8(k.Text);
    if (mods & Qt::ShiftModifier) text = text.toUpper();
    if (mods & Qt::ControlModifier) text.clear();
    if (mods & Qt::ShiftModifier) Modifier(Qt::Key_Shift, 50, true, mods);
    if (mods & Qt::ControlModifier) Modifier(Qt::Key_Control, 37, true, mods);
    QKeyEvent press(QEvent::KeyPress, k.QtKey, mods, k.ScanCode, 0, 0, text);
    QApplication::sendEvent(Client(), &press);
    QKeyEvent release(QEvent::KeyRelease, k.QtKey, mods, k.ScanCode, 0, 0, text);
    QApplication::sendEvent(Client(), &release);
    if (mods & Qt::ControlModifier) Modifier(Qt::Key_Control, 37, false, Qt::NoModifier);
    if (mods & Qt::ShiftModifier) Modifier(Qt::Key_Shift, 50, false, Qt::NoModifier);
  }
  void Modifier(int key, quint32 scan, bool down, Qt::KeyboardModifiers mods) {
    QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, scan, 0, 0);
    QApplication::sendEvent(Client(), &e);
  }

  QtWidgetset* ws = nullptr;
  std::unique_ptr<TSrcEdit> Edit;
  std::vector<TSeen> Seen;
};

const TRuKey kRuP{0x041F, "п", 42};   // G
const TRuKey kRuR{0x0420, "р", 43};   // H
const TRuKey kRuI{0x0418, "и", 56};   // B
const TRuKey kRuV{0x0412, "в", 40};   // D
const TRuKey kRuE{0x0415, "е", 28};   // T
const TRuKey kRuT{0x0422, "т", 57};   // N
const TRuKey kRuYa{0x042F, "я", 52};  // Z

TEST_F(EditorInputGuiTest, LatinLayoutKeysBecomeCommands) {
  QTest::keyClicks(Client(), "hi");
  QTest::keyClick(Client(), Qt::Key_Backspace);
  QTest::keyClick(Client(), Qt::Key_Return);
  QTest::keyClick(Client(), Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(Client(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Client(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(Client(), Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{ecChar, 'h'},
                                      {ecChar, 'i'},
                                      {ecDeleteLastChar, '\0'},
                                      {ecLineBreak, '\0'},
                                      {ecSelLeft, '\0'},
                                      {ecUndo, '\0'},
                                      {ecRedo, '\0'},
                                      {ecLineBreak, '\0'}}));
}

TEST_F(EditorInputGuiTest, RussianLayoutTypesCyrillicAndKeepsTheBindings) {
  RuKey(kRuP, Qt::ShiftModifier);
  for (const TRuKey* k : {&kRuR, &kRuI, &kRuV, &kRuE, &kRuT}) RuKey(*k);
  // Ctrl on the key of Z is undo, with Shift redo, whatever the layout.
  RuKey(kRuYa, Qt::ControlModifier);
  RuKey(kRuYa, Qt::ControlModifier | Qt::ShiftModifier);
  const std::string word = Ansi("Привет");
  std::vector<TSeen> want;
  for (char c : word) want.push_back({ecChar, c});
  want.push_back({ecUndo, '\0'});
  want.push_back({ecRedo, '\0'});
  EXPECT_EQ(Seen, want);
}

std::string Joined(TSrcEdit* edit) {
  std::string s;
  for (int i = 0; i < edit->Lines()->GetCount(); ++i) {
    if (i) s += '|';
    s += edit->Lines()->Get(i);
  }
  return s;
}

TEST_F(EditorInputGuiTest, LatinLayoutEditsTheText) {
  QTest::keyClicks(Client(), "  if");
  EXPECT_EQ(Joined(Edit.get()), "  if");
  QTest::keyClick(Client(), Qt::Key_Return);
  EXPECT_EQ(Joined(Edit.get()), "  if|  ") << "auto-indent";
  EXPECT_EQ(Edit->Caret(), BufferCoord(3, 2));
  QTest::keyClicks(Client(), "x");
  QTest::keyClick(Client(), Qt::Key_Backspace);
  EXPECT_EQ(Joined(Edit.get()), "  if|  ");
  QTest::keyClick(Client(), Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(Client(), Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Edit->GetSelectedText(), "  ");
  EXPECT_EQ(Edit->Caret(), BufferCoord(1, 2));
  QTest::keyClicks(Client(), "y");
  EXPECT_EQ(Joined(Edit.get()), "  if|y");
  QTest::keyClick(Client(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Joined(Edit.get()), "  if|  ");
  QTest::keyClick(Client(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Joined(Edit.get()), "  if|y");
}

TEST_F(EditorInputGuiTest, RussianLayoutEditsTheText) {
  RuKey(kRuP, Qt::ShiftModifier);
  for (const TRuKey* k : {&kRuR, &kRuI, &kRuV, &kRuE, &kRuT}) RuKey(*k);
  EXPECT_EQ(Joined(Edit.get()), Ansi("Привет"));
  QTest::keyClick(Client(), Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Edit->GetSelectedText(), Ansi("т"));
  QTest::keyClick(Client(), Qt::Key_End);
  RuKey(kRuYa, Qt::ControlModifier);
  EXPECT_EQ(Joined(Edit.get()), "");
  RuKey(kRuYa, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Joined(Edit.get()), Ansi("Привет"));
}

TEST_F(EditorInputGuiTest, MouseClickPlacesTheCaret) {
  Edit->Lines()->Add("hello world");
  TPoint p = Edit->DisplayToPixels(DisplayCoord(4, 1));
  QTest::mouseClick(Client(), Qt::LeftButton, Qt::NoModifier, QPoint(p.X + 1, p.Y + 2));
  EXPECT_EQ(Edit->Caret(), BufferCoord(4, 1));
  p = Edit->DisplayToPixels(DisplayCoord(9, 1));
  QTest::mouseClick(Client(), Qt::LeftButton, Qt::ShiftModifier, QPoint(p.X + 1, p.Y + 2));
  EXPECT_EQ(Edit->GetSelectedText(), "lo wo");
}

}  // namespace
