// The Qt widget set offscreen: glyphs at the spacing array's positions,
// character sets, window peers and their input, scroll bars, timers, the
// clipboard and the event guard.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimer>

#include "QtTestEnv.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/qt/QtApplication.h"

namespace {

class QtWidgetsetTest : public ::testing::Test {
 protected:
  void SetUp() override { ws = &TestWidgetset(); }
  QtWidgetset* ws = nullptr;
};

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; }

// Draws text into a fresh white bitmap.
struct TTextBitmap {
  HDC dc;
  HBITMAP bmp;
  HFONT font;
  HGDIOBJ oldBmp, oldFont;
  TTextBitmap(int w, int h, int charset, const char* face = "Monospace") {
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateBitmap(w, h, 1, 32, nullptr);
    oldBmp = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    LOGFONT lf;
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = uint8_t(charset);
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    SetLogFontFaceName(lf, face);
    font = CreateFontIndirect(&lf);
    oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, clBlack);
  }
  ~TTextBitmap() {
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteDC(dc);
    DeleteObject(font);
    DeleteObject(bmp);
  }
  bool InkIn(int x0, int x1) const {
    for (int x = x0; x < x1; ++x)
      for (int y = 0; y < bmp->Height(); ++y)
        if (Dark(bmp->Pixel(x, y))) return true;
    return false;
  }
};

TEST_F(QtWidgetsetTest, SpacingArrayPutsEachCharacterAtItsCell) {
  TTextBitmap t(200, 24, RUSSIAN_CHARSET);
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(t.dc, &tm));
  EXPECT_GT(tm.tmHeight, 10);
  EXPECT_EQ(tm.tmCharSet, RUSSIAN_CHARSET);
  const int dx[4] = {40, 40, 40, 40};
  ExtTextOut(t.dc, 0, 2, 0, nullptr, "IIII", 4, dx);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(t.InkIn(40 * i, 40 * i + tm.tmMaxCharWidth)) << i;
    EXPECT_FALSE(t.InkIn(40 * i + tm.tmMaxCharWidth + 1, 40 * i + 39)) << i;
  }
  EXPECT_FALSE(t.InkIn(161, 200));
  // Opaque output fills the cells with the background colour.
  SetBkMode(t.dc, OPAQUE);
  SetBkColor(t.dc, clBlue);
  TextOut(t.dc, 170, 0, " ", 1);
  EXPECT_EQ(t.bmp->Pixel(171, 1), clBlue);
}

TEST_F(QtWidgetsetTest, CharsetsDecodeTheBytes) {
  // 0xC6 in Windows-1251 and 0x86 in CP866 are both Cyrillic Zhe.
  TTextBitmap a(40, 24, RUSSIAN_CHARSET), b(40, 24, OEM_CHARSET);
  TextOut(a.dc, 2, 2, "\xC6", 1);
  TextOut(b.dc, 2, 2, "\x86", 1);
  QImage ia = BitmapImage(a.bmp), ib = BitmapImage(b.bmp);
  EXPECT_EQ(ia, ib);
  EXPECT_TRUE(a.InkIn(0, 40));
  // The same glyph as Qt draws it.
  QImage ref(40, 24, QImage::Format_RGB32);
  ref.fill(Qt::white);
  {
    QPainter p(&ref);
    auto* f = static_cast<QtGdiFont*>(a.font);
    p.setFont(f->Font());
    p.setPen(Qt::black);
    p.drawText(QPoint(2, 2 + f->Metrics().tmAscent), QString::fromUtf8("Ж"));
  }
  EXPECT_EQ(ia, ref);
  EXPECT_EQ(AnsiToQString(Ansi("Привет")), QString::fromUtf8("Привет"));
  EXPECT_EQ(QStringToAnsi(QString::fromUtf8("Ёлка")), Ansi("Ёлка"));
}

TEST_F(QtWidgetsetTest, ALineShowsTheGlyphsQtDrawsForEachCharacterInItsCell) {
  // Latin, Cyrillic, punctuation and signs of Windows-1251, a space.
  const std::string line = Ansi("<b>Ёж</b> &amp; «мир» №7 — “q” ™ x");
  struct Case {
    const char* face;
    int weight;
    bool italic;
    uint8_t quality;
  };
  const Case cases[] = {{"Monospace", FW_NORMAL, false, NONANTIALIASED_QUALITY},
                        {"Monospace", FW_BOLD, false, DEFAULT_QUALITY},
                        {"Sans", FW_NORMAL, true, DEFAULT_QUALITY}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + (c.weight == FW_BOLD ? " bold" : "") + (c.italic ? " italic" : ""));
    TTextBitmap t(400, 24, RUSSIAN_CHARSET, c.face);
    LOGFONT lf;
    GetObject(t.font, sizeof lf, &lf);
    lf.lfWeight = c.weight;
    lf.lfItalic = c.italic;
    lf.lfQuality = c.quality;
    HFONT font = CreateFontIndirect(&lf);
    SelectObject(t.dc, font);
    std::vector<int> dx(line.size(), 11);
    ExtTextOut(t.dc, 3, 2, 0, nullptr, line.data(), int(line.size()), dx.data());
    QImage ref(400, 24, QImage::Format_RGB32);
    ref.fill(Qt::white);
    {
      QPainter p(&ref);
      auto* f = static_cast<QtGdiFont*>(font);
      p.setFont(f->Font());
      p.setPen(Qt::black);
      const QString text = AnsiToQString(line);
      for (int i = 0; i < text.size(); ++i)
        if (text[i] != QLatin1Char(' ')) p.drawText(QPoint(3 + 11 * i, 2 + f->Metrics().tmAscent), QString(text[i]));
    }
    EXPECT_EQ(BitmapImage(t.bmp), ref);
    SelectObject(t.dc, t.font);
    DeleteObject(font);
  }
}

TEST_F(QtWidgetsetTest, TextFollowsTheClipTheColourAndTheBitmapOfItsDC) {
  TTextBitmap t(200, 40, RUSSIAN_CHARSET);
  auto inkIn = [](HBITMAP b, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (Dark(b->Pixel(x, y))) return true;
    return false;
  };
  TextOut(t.dc, 0, 0, "MMMMMMMMMMMMMMMM", 16);
  ASSERT_TRUE(inkIn(t.bmp, 150, 0, 200, 20));
  // A fill between two texts lands between them.
  TRect band(0, 0, 200, 20);
  ExtTextOut(t.dc, 0, 0, ETO_OPAQUE, &band, "", 0, nullptr);
  EXPECT_FALSE(inkIn(t.bmp, 0, 0, 200, 20));
  // A clip set after the first text holds for the next.
  TextOut(t.dc, 7, 0, "MMMMMMMMMMMMMMMM", 16);
  IntersectClipRect(t.dc, 0, 20, 100, 40);
  TextOut(t.dc, 0, 20, "MMMMMMMMMMMMMMMM", 16);
  EXPECT_TRUE(inkIn(t.bmp, 0, 20, 100, 40));
  EXPECT_FALSE(inkIn(t.bmp, 100, 20, 200, 40));
  SelectClipRgn(t.dc, nullptr);
  // So do the colour and another bitmap selected into the DC.
  auto redIn = [](HBITMAP b) {
    for (int y = 0; y < b->Height(); ++y)
      for (int x = 0; x < b->Width(); ++x)
        if (b->Pixel(x, y) == clRed) return true;
    return false;
  };
  SetTextColor(t.dc, clRed);
  TextOut(t.dc, 100, 20, "M", 1);
  EXPECT_TRUE(redIn(t.bmp));
  HBITMAP other = CreateBitmap(200, 40, 1, 32, nullptr);
  HGDIOBJ first = SelectObject(t.dc, other);
  PatBlt(t.dc, 0, 0, 200, 40, WHITENESS);
  TextOut(t.dc, 0, 0, "MMMMMMMMMMMMMMMM", 16);
  EXPECT_TRUE(redIn(other));
  SelectObject(t.dc, first);
  DeleteObject(other);
  EXPECT_TRUE(inkIn(t.bmp, 150, 0, 200, 20)) << "the first bitmap keeps its text";
}

TEST_F(QtWidgetsetTest, FontMetricsAndWidths) {
  TTextBitmap t(10, 10, RUSSIAN_CHARSET);
  ABC abc;
  ASSERT_TRUE(GetCharABCWidths(t.dc, 'M', 'M', &abc));
  int w = 0;
  GetCharWidth32(t.dc, 'M', 'M', &w);
  EXPECT_EQ(int(abc.abcA + int(abc.abcB) + abc.abcC), w);
  TSize sz;
  GetTextExtentPoint32(t.dc, "MMM", 3, &sz);
  EXPECT_EQ(sz.cx, 3 * w);  // a fixed-pitch font
  EXPECT_EQ(GetFontLanguageInfo(t.dc) & GCP_DBCS, 0u);
}

// The Windows faces the windows are laid out for come out in the Debian
// fonts of the same metrics (the wine and Liberation fonts, which the
// setup script installs).
TEST_F(QtWidgetsetTest, WindowsFacesTakeTheirMetricTwins) {
  struct {
    const char* face;
    int height;
    const char* family;
  } cases[] = {{"Tahoma", -11, "Tahoma"},
               {"MS Sans Serif", -11, "MS Sans Serif"},
               {"MS Sans Serif", -16, "Tahoma"},  // the bitmap face has only its 8-point size
               {"", -11, "MS Sans Serif"},
               {"Times New Roman", -16, "Liberation Serif"},
               {"Courier New", -13, "Liberation Mono"},
               {"Arial", -12, "Liberation Sans"},
               {"Trebuchet MS", -12, "Liberation Sans"}};
  for (const auto& c : cases) {
    LOGFONT lf;
    lf.lfHeight = c.height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = RUSSIAN_CHARSET;
    SetLogFontFaceName(lf, c.face);
    HFONT font = CreateFontIndirect(&lf);
    auto* q = dynamic_cast<QtGdiFont*>(font);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(QFontInfo(q->Font()).family().toStdString(), c.family) << c.face << " " << c.height;
    DeleteObject(font);
  }
}

// Every character draws as itself, in every face the program uses and in
// the application's font: no ligature such as "TM" for the trade mark, "fi"
// or "ffl", and no other shaping substitution.
TEST_F(QtWidgetsetTest, EachCharacterIsItsOwnGlyph) {
  InstallRussianDialogs();  // the application's fonts, as the program starts
  const QString text = QStringLiteral("HTML fi ffl Th TM (c) <-- -> 1/2 ... ---");
  auto glyphs = [&](const QFont& f) {
    QTextLayout layout(text, f);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int n = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) n += int(run.glyphIndexes().size());
    return n;
  };
  std::vector<QFont> fonts{QApplication::font(), QApplication::font("QMenu"), QApplication::font("QListWidget")};
  for (const char* face : {"MS Sans Serif", "Tahoma", "Times New Roman", "Courier New", "Arial", "Trebuchet MS",
                           "Verdana", "C059", "Noto Sans", "DejaVu Sans", "Liberation Sans"})
    for (int height : {-11, -13, -16}) {
      LOGFONT lf;
      lf.lfHeight = height;
      lf.lfCharSet = DEFAULT_CHARSET;
      SetLogFontFaceName(lf, face);
      HFONT font = CreateFontIndirect(&lf);
      fonts.push_back(dynamic_cast<QtGdiFont*>(font)->Font());
      DeleteObject(font);
    }
  for (const QFont& f : fonts)
    EXPECT_EQ(glyphs(f), text.size()) << QFontInfo(f).family().toStdString() << " " << QFontInfo(f).pixelSize();
}

// A control that paints itself and records its messages.
class TPainted : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<TMessage> Got;
  bool ThrowInPaint = false;
  bool AbortInPaint = false;
  void Dispatch(TMessage& m) override {
    Got.push_back(m);
    TCustomControl::Dispatch(m);
  }
  int Count(UINT msg) const {
    int n = 0;
    for (const TMessage& m : Got) n += m.Msg == msg;
    return n;
  }

 protected:
  void Paint() override {
    if (ThrowInPaint) {
      ThrowInPaint = false;
      throw Exception("paint failed");
    }
    if (AbortInPaint) {
      AbortInPaint = false;
      Abort();
    }
    Canvas()->Brush()->SetColor(clYellow);
    Canvas()->FillRect(ClientRect());
  }
};

class QtPeerTest : public QtWidgetsetTest {
 protected:
  void SetUp() override {
    QtWidgetsetTest::SetUp();
    form = new TWinControl(nullptr);
    form->SetBounds(10, 10, 300, 200);
    form->HandleNeeded();
    ctl = new TPainted(form);
    ctl->SetBounds(5, 5, 100, 80);
    ctl->SetParent(form);
    ws->ProcessMessages();
  }
  void TearDown() override { delete form; }
  QWidget* Client() { return static_cast<QtWindowPeer*>(ctl->Handle())->Client(); }
  TWinControl* form = nullptr;
  TPainted* ctl = nullptr;
};

TEST_F(QtPeerTest, PaintsIntoTheWindowAndShowsIt) {
  ASSERT_TRUE(ctl->HandleAllocated());
  std::unique_ptr<TBitmap> shot(QtGrabWindow(ctl->Handle()));
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->Width(), 100);
  EXPECT_EQ(shot->Pixel(99, 79), clYellow);
  QImage img = QtGrabWidget(ctl->Handle());
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.pixelColor(50, 40), QColor(Qt::yellow));
  auto* peer = static_cast<QtWindowPeer*>(ctl->Handle());
  EXPECT_EQ(peer->Outer()->parentWidget(), static_cast<QtWindowPeer*>(form->Handle())->Client());
  EXPECT_EQ(peer->Outer()->geometry(), QRect(5, 5, 100, 80));
}

TEST_F(QtPeerTest, KeysAndCharactersFromQtEvents) {
  ctl->SetFocus();
  ctl->Got.clear();
  // Ctrl+C typed on a Russian layout.
  QKeyEvent press(QEvent::KeyPress, 0x0421, Qt::ControlModifier, QStringLiteral("\u0003"));
  QApplication::sendEvent(Client(), &press);
  QKeyEvent typed(QEvent::KeyPress, 0x0416, Qt::NoModifier, QString::fromUtf8("ж"));
  QApplication::sendEvent(Client(), &typed);
  std::vector<std::pair<UINT, WPARAM>> keys;
  for (const TMessage& m : ctl->Got)
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR) keys.emplace_back(m.Msg, m.WParam);
  std::vector<std::pair<UINT, WPARAM>> want = {
      {WM_KEYDOWN, 'C'}, {WM_CHAR, 3}, {WM_KEYDOWN, VK_OEM_1}, {WM_CHAR, static_cast<unsigned char>(Ansi("ж")[0])}};
  EXPECT_EQ(keys, want);
}

TEST_F(QtPeerTest, MouseAndWheel) {
  int x = -1, y = -1;
  ctl->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int mx, int my) {
    EXPECT_EQ(b, mbLeft);
    EXPECT_TRUE(s.Contains(ssShift));
    x = mx;
    y = my;
  };
  QMouseEvent down(QEvent::MouseButtonPress, QPointF(7, 9), Client()->mapToGlobal(QPointF(7, 9)), Qt::LeftButton,
                   Qt::LeftButton, Qt::ShiftModifier);
  QApplication::sendEvent(Client(), &down);
  QMouseEvent up(QEvent::MouseButtonRelease, QPointF(7, 9), Client()->mapToGlobal(QPointF(7, 9)), Qt::LeftButton,
                 Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Client(), &up);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 9);
  ctl->SetFocus();
  ctl->Got.clear();
  QWheelEvent wheel(QPointF(3, 3), Client()->mapToGlobal(QPointF(3, 3)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  // Turns read together come as one message of their sum, once the loop
  // runs again.
  for (int i = 0; i < 3; ++i) QApplication::sendEvent(Client(), &wheel);
  EXPECT_EQ(ctl->Count(WM_MOUSEWHEEL), 0);
  QCoreApplication::processEvents();
  ASSERT_EQ(ctl->Count(WM_MOUSEWHEEL), 1);
  auto deltas = [&] {
    std::vector<int> out;
    for (const TMessage& m : ctl->Got)
      if (m.Msg == WM_MOUSEWHEEL) out.push_back(int16_t(HiWord(m.WParam)));
    return out;
  };
  EXPECT_EQ(deltas(), std::vector<int>{-3 * WHEEL_DELTA});
  // Other input comes after the turns before it.
  ctl->Got.clear();
  QApplication::sendEvent(Client(), &wheel);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(Client(), &key);
  ASSERT_GE(ctl->Got.size(), 2u);
  EXPECT_EQ(ctl->Got.front().Msg, WM_MOUSEWHEEL);
  EXPECT_EQ(deltas(), std::vector<int>{-WHEEL_DELTA});
}

TEST_F(QtPeerTest, InputMethodCommits) {
  ctl->Got.clear();
  // Committed without a composition: characters.
  QInputMethodEvent direct;
  direct.setCommitString(QString::fromUtf8("ё"));
  QApplication::sendEvent(Client(), &direct);
  EXPECT_EQ(ctl->Count(WM_IME_COMPOSITION), 0);
  ASSERT_EQ(ctl->Count(WM_CHAR), 1);
  // Composed: the result through WM_IME_COMPOSITION.
  ctl->Got.clear();
  QInputMethodEvent pre(QStringLiteral("ni"), {});
  QApplication::sendEvent(Client(), &pre);
  QInputMethodEvent done;
  done.setCommitString(QString::fromUtf8("ни"));
  QApplication::sendEvent(Client(), &done);
  EXPECT_EQ(ctl->Count(WM_IME_STARTCOMPOSITION), 1);
  EXPECT_EQ(ctl->Count(WM_IME_ENDCOMPOSITION), 1);
  bool result = false;
  for (const TMessage& m : ctl->Got)
    if (m.Msg == WM_IME_COMPOSITION && (m.LParam & GCS_RESULTSTR)) result = true;
  EXPECT_TRUE(result);
  HIMC imc = ImmGetContext(ctl->Handle());
  char buf[8] = {};
  EXPECT_EQ(ImmGetCompositionString(imc, GCS_RESULTSTR, buf, sizeof buf), 2);
  EXPECT_EQ(std::string(buf, 2), Ansi("ни"));
  // The default handling typed the result as characters.
  EXPECT_EQ(ctl->Count(WM_CHAR), 2);
}

TEST_F(QtPeerTest, ScrollBarsFollowScrollInfoAndReportActions) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 20;
  SetScrollInfo(ctl->Handle(), SB_VERT, &si, true);
  auto* peer = static_cast<QtWindowPeer*>(ctl->Handle());
  auto bars = peer->Outer()->findChildren<QScrollBar*>();
  QScrollBar* vbar = nullptr;
  for (QScrollBar* b : bars)
    if (b->orientation() == Qt::Vertical) vbar = b;
  ASSERT_NE(vbar, nullptr);
  EXPECT_FALSE(vbar->isHidden());
  EXPECT_EQ(vbar->maximum(), 90);
  EXPECT_EQ(vbar->value(), 20);
  EXPECT_EQ(Client()->width(), 100 - GetSystemMetrics(SM_CXVSCROLL));
  ctl->Got.clear();
  vbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_GE(ctl->Count(WM_VSCROLL), 1);
  EXPECT_EQ(LoWord(ctl->Got.front().WParam), SB_PAGEDOWN);
  EXPECT_EQ(vbar->value(), 20);  // the window moves the thumb, not the bar
}

TEST_F(QtPeerTest, AScrollBarUpdateThatChangesNothingTouchesNoQtWidget) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 20;
  SetScrollInfo(ctl->Handle(), SB_VERT, &si, true);
  auto* peer = static_cast<QtWindowPeer*>(ctl->Handle());
  const int updates = peer->ScrollBarUpdates();
  const QRect client = Client()->geometry();
  for (int i = 0; i < 100; ++i) {
    SetScrollInfo(ctl->Handle(), SB_VERT, &si, true);
    ShowScrollBar(ctl->Handle(), SB_VERT, true);
    EnableScrollBar(ctl->Handle(), SB_VERT, ESB_ENABLE_BOTH);
  }
  EXPECT_EQ(peer->ScrollBarUpdates(), updates);
  // A change still reaches the bar, and the layout when a bar goes.
  si.nPos = 30;
  SetScrollInfo(ctl->Handle(), SB_VERT, &si, true);
  EXPECT_EQ(peer->ScrollBarUpdates(), updates + 1);
  EXPECT_EQ(Client()->geometry(), client);
  ShowScrollBar(ctl->Handle(), SB_VERT, false);
  EXPECT_EQ(Client()->width(), 100);
}

TEST_F(QtPeerTest, TimersArriveAsMessages) {
  SetTimer(ctl->Handle(), 3, 10, nullptr);
  QElapsedTimer t;
  t.start();
  while (ctl->Count(WM_TIMER) < 2 && t.elapsed() < 2000) ws->WaitAndProcess();
  KillTimer(ctl->Handle(), 3);
  EXPECT_GE(ctl->Count(WM_TIMER), 2);
}

TEST_F(QtPeerTest, ExceptionsStopAtTheEventGuard) {
  std::vector<std::string> boxes;
  TErrorBoxHook old = ErrorBoxHook();
  SetErrorBoxHook([&](const std::string& m) { boxes.push_back(m); });
  ctl->ThrowInPaint = true;
  ctl->Invalidate();
  Client()->repaint();
  ctl->AbortInPaint = true;
  ctl->Invalidate();
  Client()->repaint();
  SetErrorBoxHook(old);
  EXPECT_EQ(boxes, std::vector<std::string>{"paint failed"});
}

TEST_F(QtWidgetsetTest, ClipboardTextAndCustomFormat) {
  Clipboard()->SetAsText(Ansi("Привет, мир"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Привет, мир"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Ёж €"));
  EXPECT_EQ(Clipboard()->AsText(), Ansi("Ёж €"));
  UINT block = RegisterClipboardFormat("SrcEdit Control Block Type");
  std::string bytes(
      "\x01\x00\x00\x00"
      "a\0b",
      7);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, GlobalAllocBytes(std::string("a\0", 2)));
  SetClipboardData(block, GlobalAllocBytes(bytes));
  CloseClipboard();
  const QMimeData* md = QGuiApplication::clipboard()->mimeData();
  QString mime = QtWidgetset::MimeForFormat("SrcEdit Control Block Type");
  ASSERT_TRUE(md->hasFormat(mime));
  EXPECT_EQ(md->data(mime), QByteArray(bytes.data(), int(bytes.size())));
  EXPECT_EQ(QtWidgetset::FormatForMime(mime), "SrcEdit Control Block Type");
  EXPECT_TRUE(IsClipboardFormatAvailable(block));
  EXPECT_EQ(Clipboard()->GetAsBytes(block), bytes);
  EXPECT_EQ(Clipboard()->AsText(), "a");
}

}  // namespace

TEST_F(QtWidgetsetTest, AQuitStillLetsTheBoxesOfTheEndRun) {
  // A dialog shown while the program ends runs its own loop after the
  // quit: that loop must wait for its answer, not end at once.
  ws->PostQuitMessage(0);
  QEventLoop loop;
  bool answered = false;
  QTimer::singleShot(0, &loop, [&] {
    answered = true;
    loop.quit();
  });
  loop.exec();
  ws->ClearQuit();
  EXPECT_TRUE(answered);
}
