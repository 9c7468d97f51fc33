// The editing control on the Qt widget set (offscreen) exchanging text with
// the desktop clipboard by Ctrl+C and Ctrl+V: Windows-1251 text inside the
// control, Unicode on the desktop, the block format as its own mime type.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QString>
#include <QtTest/QTest>

#include <memory>
#include <string>

#include "QtTestEnv.h"
#include "SrcEdit.h"
#include "SrcEditClipboard.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/qt/QtWidgetset.h"

namespace {

std::string Joined(TCustomSrcEdit* edit) {
  std::string s;
  for (int i = 0; i < edit->Lines()->GetCount(); ++i) {
    if (i) s += '|';
    s += edit->Lines()->Get(i);
  }
  return s;
}

class EditorExchangeGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws = &TestWidgetset();
    Edit = std::make_unique<TSrcMemo>(nullptr);
    Edit->SetBounds(20, 20, 400, 200);
    Edit->HandleNeeded();
    ::ShowWindow(Edit->Handle(), SW_SHOW);
    Edit->SetVisible(true);
    ws->ProcessMessages();
    QGuiApplication::clipboard()->clear();
  }
  void TearDown() override {
    Edit.reset();
    ws->ProcessMessages();
  }
  QWidget* Client() const { return static_cast<QtWindowPeer*>(Edit->Handle())->Client(); }
  void CtrlKey(Qt::Key key) { QTest::keyClick(Client(), key, Qt::ControlModifier); }
  static QString BlockMime() {
    for (const QString& f : QGuiApplication::clipboard()->mimeData()->formats())
      if (f.startsWith(QLatin1String("application/x-bqs-")) && f.contains(QLatin1String("SrcEdit"))) return f;
    return QString();
  }
  static QString Desktop() { return QGuiApplication::clipboard()->text(); }

  QtWidgetset* ws = nullptr;
  std::unique_ptr<TSrcMemo> Edit;
};

TEST_F(EditorExchangeGuiTest, CopyGivesTheDesktopUnicodeText) {
  Edit->Lines()->Add(Ansi("Привет, мир"));
  Edit->Lines()->Add(Ansi("Ёж €"));
  CtrlKey(Qt::Key_A);
  CtrlKey(Qt::Key_C);
  EXPECT_EQ(Desktop(), QString::fromUtf8("Привет, мир\r\nЁж €"));
  // The block format travels beside the text, with its exact bytes.
  const QString mime = BlockMime();
  ASSERT_FALSE(mime.isEmpty());
  const QByteArray block = QGuiApplication::clipboard()->mimeData()->data(mime);
  EXPECT_EQ(std::string(block.constData(), size_t(block.size())),
            std::string(1, '\0') + Ansi("Привет, мир\r\nЁж €") + std::string(1, '\0'));
}

TEST_F(EditorExchangeGuiTest, PasteTakesTextFromAnotherProgram) {
  Edit->Lines()->Add("<>");
  Edit->SelectRange(BufferCoord(2, 1), BufferCoord(2, 1), BufferCoord(2, 1));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Ёлка\nёж"));
  ws->ProcessMessages();
  CtrlKey(Qt::Key_V);
  EXPECT_EQ(Joined(Edit.get()), Ansi("<Ёлка|ёж>"));
  CtrlKey(Qt::Key_Z);
  EXPECT_EQ(Joined(Edit.get()), "<>");
}

TEST_F(EditorExchangeGuiTest, ColumnBlocksRoundTrip) {
  for (const char* l : {"abcd", "efgh", "ijkl"}) Edit->Lines()->Add(l);
  Edit->SetSelectionMode(smColumn);
  Edit->SelectRange(BufferCoord(4, 2), BufferCoord(2, 1), BufferCoord(4, 2));
  CtrlKey(Qt::Key_C);
  EXPECT_EQ(Desktop(), QString::fromUtf8("bc\r\nfg"));
  const QByteArray block = QGuiApplication::clipboard()->mimeData()->data(BlockMime());
  ASSERT_FALSE(block.isEmpty());
  EXPECT_EQ(block.at(0), char(smColumn));

  // Pasted back in normal mode, it still goes in as a column block.
  Edit->SetSelectionMode(smNormal);
  Edit->SelectRange(BufferCoord(5, 2), BufferCoord(5, 2), BufferCoord(5, 2));
  CtrlKey(Qt::Key_V);
  EXPECT_EQ(Joined(Edit.get()), "abcd|efghbc|ijklfg");
  CtrlKey(Qt::Key_Z);
  EXPECT_EQ(Joined(Edit.get()), "abcd|efgh|ijkl");
}

}  // namespace
