// The Qt side of the kit's platform services: sizing a child window by its
// edge from Qt mouse events, program cursors as pixmap cursors, and wave
// resources through Qt Multimedia.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPixmap>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "QtTestEnv.h"
#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/Cursors.h"
#include "platform/FontList.h"
#include "platform/Sound.h"
#include "platform/qt/QtApplication.h"

namespace {

// Answers the bottom-right sizing code in its lower right corner.
class TCornered : public TCustomControl {
 public:
  explicit TCornered(TComponent* owner) : TCustomControl(owner) {}
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_NCHITTEST) {
      TPoint p = ScreenToClient(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
      m.Result = p.X >= Width() - 5 && p.Y >= Height() - 5 ? HTBOTTOMRIGHT : HTCLIENT;
      return;
    }
    TCustomControl::Dispatch(m);
  }
};

class QtServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ws = &TestWidgetset();
    form = new TWinControl(nullptr);
    form->SetBounds(10, 10, 300, 200);
    form->HandleNeeded();
    ctl = new TCornered(form);
    ctl->SetBounds(5, 5, 100, 80);
    ctl->SetParent(form);
    ws->ProcessMessages();
  }
  void TearDown() override { delete form; }
  QtWindowPeer* Peer() { return static_cast<QtWindowPeer*>(ctl->Handle()); }
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    QWidget* client = Peer()->Client();
    QMouseEvent e(type, at, client->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(client, &e);
  }
  QtWidgetset* ws = nullptr;
  TWinControl* form = nullptr;
  TCornered* ctl = nullptr;
};

TEST_F(QtServicesTest, DraggingTheSizingCornerResizesTheChildWindow) {
  Mouse(QEvent::MouseButtonPress, QPointF(98, 78), Qt::LeftButton);
  ASSERT_TRUE(Peer()->FrameDragging());
  Mouse(QEvent::MouseMove, QPointF(118, 88), Qt::LeftButton);
  EXPECT_EQ(ctl->BoundsRect(), TRect(5, 5, 125, 95));
  EXPECT_EQ(Peer()->Outer()->geometry(), QRect(5, 5, 120, 90));
  Mouse(QEvent::MouseButtonRelease, QPointF(118, 88), Qt::NoButton);
  EXPECT_FALSE(Peer()->FrameDragging());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(QtServicesTest, ProgramCursorsBecomePixmapCursorsWithTheirHotSpot) {
  TCursorImage image;
  image.Width = 8;
  image.Height = 6;
  image.Pixels.assign(48, 0xFF000000u);
  image.Pixels[0] = 0;
  image.HotSpot = TPoint(3, 2);
  const HCURSOR own = CreateProgramCursor(image);
  Peer()->SetCursorShape(own);
  QCursor shown = Peer()->Client()->cursor();
  EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
  EXPECT_EQ(shown.hotSpot(), QPoint(3, 2));
  EXPECT_EQ(shown.pixmap().size(), QSize(8, 6));
  Peer()->SetCursorShape(IDC_SIZEWE);
  EXPECT_EQ(Peer()->Client()->cursor().shape(), Qt::SizeHorCursor);
  Peer()->SetCursorShape(0x7777);  // unknown: the arrow
  EXPECT_EQ(Peer()->Client()->cursor().shape(), Qt::ArrowCursor);
}

// Runs the event loop until the effect of a resource has loaded or failed.
QtSoundBackend::TPlayed Settled(const QtSoundBackend& sound, const std::string& name) {
  QDeadlineTimer deadline(10000);
  QtSoundBackend::TPlayed p = sound.Played(name);
  while (!p.Loaded && !p.Failed && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    p = sound.Played(name);
  }
  return p;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(QtServicesTest, SoundsReachTheSoundEffectAndAFailureIsReported) {
  QtSoundBackend sound;
  std::vector<int16_t> samples(2205, 3000);
  const std::string wave = MakeWave16Mono(22050, samples.data(), samples.size());
  // The wave's bytes go to a file the effect plays, and the effect decodes
  // them whether or not there is a device to hear them on.
  ASSERT_TRUE(sound.Play("TEST_CHIME", wave));
  QtSoundBackend::TPlayed chime = Settled(sound, "TEST_CHIME");
  EXPECT_FALSE(chime.File.empty());
  EXPECT_EQ(chime.Source, chime.File);
  EXPECT_EQ(FileBytes(chime.File), wave);
  EXPECT_TRUE(chime.Loaded);
  // Played again: the same copy, not another.
  EXPECT_TRUE(sound.Play("TEST_CHIME", wave));
  EXPECT_EQ(sound.Played("TEST_CHIME").File, chime.File);
  // Bytes that are no wave: the effect fails, and Play says so.
  const std::string junk(256, 'x');
  sound.Play("TEST_JUNK", junk);
  EXPECT_TRUE(Settled(sound, "TEST_JUNK").Failed);
  EXPECT_FALSE(sound.Play("TEST_JUNK", junk));
  EXPECT_EQ(sound.Played("TEST_NEVER").File, "");
}

// Font lists name families alone, each once, whatever foundries make them:
// Qt's "C059 [UKWN]" is the font C059.
TEST(QtFontListTest, FamiliesWithoutFoundryTags) {
  TestWidgetset();
  QtFontListBackend backend;
  const std::vector<std::string> names = InstalledFontNames(backend.Families());
  for (const std::string& name : names) EXPECT_EQ(name.find(" ["), std::string::npos) << name;
  int tagged = 0;
  for (const QString& family : QFontDatabase::families()) {
    const int tag = family.indexOf(" [");
    if (tag < 0 || !family.endsWith(']')) continue;
    ++tagged;
    const std::string bare = QStringToAnsi(family.left(tag));
    EXPECT_EQ(std::count(names.begin(), names.end(), bare), 1) << bare;
  }
  if (tagged == 0) GTEST_SKIP() << "no family comes from several foundries here";
}

}  // namespace
