// Window-level calls: invalidation and painting, scrolling, scroll bars,
// caret, timers, keys, focus, posted messages, dropped files and the
// clipboard.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"
#include "platform/Win32.h"
#include "platform/testing/FakeWidgetset.h"
#include "platform/testing/ScriptedUi.h"

namespace {

// A utility window that records its messages.
struct TRecorder {
  std::vector<TMessage> Got;
  HWND Wnd = nullptr;
  explicit TRecorder(int w = 100, int h = 60, DWORD style = WS_VISIBLE) {
    TCreateParams p;
    p.Width = w;
    p.Height = h;
    p.Style = style;
    Wnd = Widgetset().CreateWindowPeer(nullptr, p);
    Wnd->SetWndMethod([this](TMessage& m) {
      Got.push_back(m);
      if (m.Msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(Wnd, &ps);
        LastPaint = ps.rcPaint;
        EndPaint(Wnd, &ps);
      } else {
        Wnd->DefWindowProc(m);
      }
    });
  }
  ~TRecorder() {
    if (IsWindow(Wnd)) DestroyWindow(Wnd);
  }
  int Count(UINT msg) const {
    int n = 0;
    for (const TMessage& m : Got) n += m.Msg == msg;
    return n;
  }
  TRect LastPaint;
};

class Win32Test : public ::testing::Test {
 protected:
  TFakeWidgetsetScope ws;
};

TEST_F(Win32Test, InvalidationCollectsAndPaintValidates) {
  TRecorder r;
  ws->ProcessMessages();
  r.Got.clear();
  TRect a(0, 0, 10, 10), b(20, 0, 30, 10);
  InvalidateRect(r.Wnd, &a, false);
  InvalidateRect(r.Wnd, &b, false);
  TRect u;
  EXPECT_TRUE(GetUpdateRect(r.Wnd, &u, false));
  EXPECT_EQ(u, TRect(0, 0, 30, 10));
  UpdateWindow(r.Wnd);
  EXPECT_EQ(r.Count(WM_PAINT), 1);
  EXPECT_EQ(r.LastPaint, TRect(0, 0, 30, 10));
  EXPECT_FALSE(r.Wnd->NeedsPaint());
  UpdateWindow(r.Wnd);  // nothing left to paint
  EXPECT_EQ(r.Count(WM_PAINT), 1);
  // Erasing is asked for through WM_ERASEBKGND inside BeginPaint.
  InvalidateRect(r.Wnd, nullptr, true);
  ws->ProcessMessages();
  EXPECT_EQ(r.Count(WM_ERASEBKGND), 1);
}

TEST_F(Win32Test, ScrollWindowMovesPixelsAndInvalidatesTheGap) {
  TRecorder r(50, 50);
  ws->ProcessMessages();
  HDC dc = GetDC(r.Wnd);
  SetPixel(dc, 10, 20, clRed);
  ReleaseDC(r.Wnd, dc);
  ScrollWindow(r.Wnd, 0, -16, nullptr, nullptr);
  EXPECT_EQ(ws->PixelAt(r.Wnd, 10, 4), clRed);
  TRect u;
  GetUpdateRect(r.Wnd, &u, false);
  EXPECT_EQ(u, TRect(0, 34, 50, 50));
}

// Every direction, with and without a scroll and a clip rectangle, against a
// plain model: each pixel of the scrolled area that lands inside the clip
// takes the old colour of its source; everything else keeps its own.
TEST_F(Win32Test, ScrollWindowExMovesPixelsLikeAPlainCopy) {
  const int w = 23, h = 17;
  struct TCase {
    int dx, dy;
    bool scroll, clip;
  };
  const TCase cases[] = {{0, 5, false, false}, {0, -5, false, false}, {4, 0, false, false}, {-4, 0, false, false},
                         {3, 2, false, false}, {-3, -2, false, false}, {3, -2, true, false}, {-3, 2, false, true},
                         {2, 3, true, true},   {0, -30, false, false}, {-1, 1, true, true}};
  const TRect scroll(2, 1, 19, 14), clip(1, 3, 20, 16);
  for (const TCase& t : cases) {
    TRecorder r(w, h);
    ws->ProcessMessages();
    HDC dc = GetDC(r.Wnd);
    std::vector<COLORREF> before(size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        before[size_t(y) * w + x] = RGB(x * 10, y * 10, (x + y) % 7);
        SetPixel(dc, x, y, before[size_t(y) * w + x]);
      }
    ReleaseDC(r.Wnd, dc);
    ScrollWindowEx(r.Wnd, t.dx, t.dy, t.scroll ? &scroll : nullptr, t.clip ? &clip : nullptr, nullptr, nullptr, 0);
    TRect area(0, 0, w, h), c(0, 0, w, h);
    if (t.scroll) area = scroll;
    if (t.clip) c = clip;
    std::vector<COLORREF> want = before;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        TPoint from = Point(x, y), to = Point(x + t.dx, y + t.dy);
        if (PtInRect(area, from) && PtInRect(c, from) && PtInRect(c, to))
          want[size_t(to.Y) * w + to.X] = before[size_t(y) * w + x];
      }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(ws->PixelAt(r.Wnd, x, y), want[size_t(y) * w + x])
            << "dx " << t.dx << " dy " << t.dy << " at " << x << "," << y;
  }
}

TEST_F(Win32Test, ScrollInfoClampsAndShowsBars) {
  TRecorder r(100, 100);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 1;
  si.nMax = 50;
  si.nPage = 10;
  si.nPos = 100;
  EXPECT_EQ(SetScrollInfo(r.Wnd, SB_VERT, &si, true), 41);  // 50 - (10 - 1)
  EXPECT_TRUE(r.Wnd->ScrollBar(SB_VERT).Visible);
  TRect cr;
  GetClientRect(r.Wnd, &cr);
  EXPECT_EQ(cr.Right, 100 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_GE(r.Count(WM_SIZE), 1);
  SCROLLINFO back;
  back.fMask = SIF_ALL;
  GetScrollInfo(r.Wnd, SB_VERT, &back);
  EXPECT_EQ(back.nPos, 41);
  EXPECT_EQ(back.nPage, 10u);
  // A range that fits in one page hides the bar, or disables it.
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMax = 5;
  SetScrollInfo(r.Wnd, SB_VERT, &si, true);
  EXPECT_FALSE(r.Wnd->ScrollBar(SB_VERT).Visible);
  EXPECT_EQ(GetScrollPos(r.Wnd, SB_VERT), 1);
  ShowScrollBar(r.Wnd, SB_VERT, true);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  SetScrollInfo(r.Wnd, SB_VERT, &si, true);
  EXPECT_TRUE(r.Wnd->ScrollBar(SB_VERT).Visible);
  EXPECT_EQ(r.Wnd->ScrollBar(SB_VERT).Disabled, ESB_DISABLE_BOTH);
  // The bar's actions arrive as WM_VSCROLL with the code and position.
  ws->ScrollBarAction(r.Wnd, SB_VERT, SB_THUMBTRACK, 7);
  ASSERT_EQ(r.Got.back().Msg, WM_VSCROLL);
  EXPECT_EQ(LoWord(r.Got.back().WParam), SB_THUMBTRACK);
  EXPECT_EQ(HiWord(r.Got.back().WParam), 7);
}

TEST_F(Win32Test, CaretHideCountAndOwner) {
  TRecorder a, b;
  EXPECT_TRUE(CreateCaret(a.Wnd, nullptr, 2, 16));
  EXPECT_FALSE(ws->Caret().Visible());  // a new caret is hidden
  EXPECT_TRUE(ShowCaret(a.Wnd));
  EXPECT_TRUE(ws->Caret().Visible());
  EXPECT_FALSE(ShowCaret(b.Wnd));  // not the owner
  HideCaret(a.Wnd);
  HideCaret(a.Wnd);
  ShowCaret(a.Wnd);
  EXPECT_FALSE(ws->Caret().Visible());
  ShowCaret(a.Wnd);
  ShowCaret(a.Wnd);  // no effect below zero
  EXPECT_TRUE(ws->Caret().Visible());
  SetCaretPos(5, 6);
  TPoint p;
  GetCaretPos(&p);
  EXPECT_EQ(p, TPoint(5, 6));
  DestroyWindow(a.Wnd);  // the caret goes with its window
  EXPECT_EQ(ws->Caret().Owner, nullptr);
}

TEST_F(Win32Test, TimersFireOnTheManualClock) {
  TRecorder r;
  SetTimer(r.Wnd, 7, 100, nullptr);
  ws->Advance(99);
  EXPECT_EQ(r.Count(WM_TIMER), 0);
  ws->Advance(1);
  EXPECT_EQ(r.Count(WM_TIMER), 1);
  EXPECT_EQ(r.Got.back().WParam, 7u);
  ws->Advance(250);
  EXPECT_EQ(r.Count(WM_TIMER), 3);
  SetTimer(r.Wnd, 7, 1000, nullptr);  // replaces the timer
  ws->Advance(500);
  EXPECT_EQ(r.Count(WM_TIMER), 3);
  EXPECT_TRUE(KillTimer(r.Wnd, 7));
  EXPECT_FALSE(KillTimer(r.Wnd, 7));
  ws->Advance(5000);
  EXPECT_EQ(r.Count(WM_TIMER), 3);
  EXPECT_EQ(GetTickCount(), 5850u);
}

TEST_F(Win32Test, KeyStateAndToggles) {
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  ws->SetKeyDown(VK_SHIFT, true);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  ws->SetKeyDown(VK_SHIFT, false);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
  ws->KeyDown(VK_CAPITAL);
  ws->KeyUp(VK_CAPITAL);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
  ws->SetKeyToggled(VK_NUMLOCK, true);
  EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
}

TEST_F(Win32Test, FocusAndPostedMessages) {
  TRecorder a, b;
  SetFocus(a.Wnd);
  SetFocus(b.Wnd);
  ASSERT_EQ(a.Count(WM_KILLFOCUS), 1);
  EXPECT_EQ(GetFocus(), b.Wnd);
  const TMessage* set = nullptr;
  for (const TMessage& m : b.Got)
    if (m.Msg == WM_SETFOCUS) set = &m;
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(set->WParam), a.Wnd);
  // Posted messages wait for the loop; messages to dead windows vanish.
  PostMessage(a.Wnd, WM_USER + 1, 2, 3);
  PostMessage(b.Wnd, WM_USER + 2, 0, 0);
  EXPECT_EQ(a.Count(WM_USER + 1), 0);
  DestroyWindow(b.Wnd);
  EXPECT_EQ(GetFocus(), nullptr);
  ws->ProcessMessages();
  EXPECT_EQ(a.Count(WM_USER + 1), 1);
  EXPECT_FALSE(PostMessage(b.Wnd, WM_USER, 0, 0));
}

TEST_F(Win32Test, DroppedFiles) {
  TRecorder r;
  ws->DropFiles(r.Wnd, {"/a.txt"}, 1, 2);
  EXPECT_EQ(r.Count(WM_DROPFILES), 0);  // not accepted yet
  DragAcceptFiles(r.Wnd, true);
  ws->DropFiles(r.Wnd, {"/a.txt", "/b.htm"}, 1, 2);
  ASSERT_EQ(r.Count(WM_DROPFILES), 1);
  HDROP d = reinterpret_cast<HDROP>(r.Got.back().WParam);
  EXPECT_EQ(DragQueryFile(d, 0xFFFFFFFF, nullptr, 0), 2u);
  char buf[4];
  EXPECT_EQ(DragQueryFile(d, 1, buf, sizeof buf), 3u);
  EXPECT_STREQ(buf, "/b.");
  EXPECT_EQ(DragQueryFile(d, 1, nullptr, 0), 6u);
  TPoint p;
  DragQueryPoint(d, &p);
  EXPECT_EQ(p, TPoint(1, 2));
  DragFinish(d);
  EXPECT_EQ(DragQueryFile(d, 0xFFFFFFFF, nullptr, 0), 0u);  // a finished handle is dead
}

// A dropped name Windows-1251 cannot hold would become another name ("?"
// for each character): it is refused with a message, the others go on.
TEST_F(Win32Test, DroppedNamesTheCodePageCannotHoldAreRefused) {
  TScriptedUi ui;
  ui.OnUnexpected = [](const std::string& what) { ADD_FAILURE() << "UI: " << what; };
  SetUiService(&ui);
  TRecorder r;
  DragAcceptFiles(r.Wnd, true);
  const std::string unholdable = "/tmp/\xe4\xb8\xad\xe6\x96\x87.html";  // two Chinese characters
  ui.ExpectMessage(IDOK, UnholdableFileNameText(unholdable), std::string());
  ws->DropFiles(r.Wnd, {unholdable, "/tmp/\xd0\xb0.txt"}, 1, 2);  // the second: Cyrillic "a"
  ASSERT_EQ(r.Count(WM_DROPFILES), 1);
  HDROP d = reinterpret_cast<HDROP>(r.Got.back().WParam);
  ASSERT_EQ(DragQueryFile(d, 0xFFFFFFFF, nullptr, 0), 1u);
  char buf[32];
  DragQueryFile(d, 0, buf, sizeof buf);
  EXPECT_EQ(std::string(buf), Ansi("/tmp/а.txt"));
  DragFinish(d);
  ui.ExpectMessage(IDOK);
  ws->DropFiles(r.Wnd, {unholdable}, 1, 2);
  EXPECT_EQ(r.Count(WM_DROPFILES), 1);
  EXPECT_EQ(ui.Remaining(), 0);
  SetUiService(nullptr);
}

TEST_F(Win32Test, ImeResultString) {
  TRecorder r;
  ws->ImeCommit(r.Wnd, Ansi("Привет"));
  ASSERT_EQ(r.Count(WM_IME_COMPOSITION), 1);
  HIMC imc = ImmGetContext(r.Wnd);
  int n = ImmGetCompositionString(imc, GCS_RESULTSTR, nullptr, 0);
  ASSERT_EQ(n, 6);
  std::string s(size_t(n), '\0');
  ImmGetCompositionString(imc, GCS_RESULTSTR, &s[0], DWORD(n));
  EXPECT_EQ(s, Ansi("Привет"));
  ImmReleaseContext(r.Wnd, imc);
}

TEST_F(Win32Test, ClipboardTextFormatsAndCustomFormat) {
  UINT block = RegisterClipboardFormat("SrcEdit Control Block Type");
  EXPECT_GE(block, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("srcedit control block type"), block);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));  // one at a time
  EmptyClipboard();
  std::string t = Ansi("Ёж") + std::string(1, '\0');
  EXPECT_NE(SetClipboardData(CF_TEXT, GlobalAllocBytes(t)), nullptr);
  std::string raw("\x02\x00\x00\x00", 4);
  EXPECT_NE(SetClipboardData(block, GlobalAllocBytes(raw)), nullptr);
  CloseClipboard();
  // Other programs see Unicode text as well.
  std::string uni = ws->ClipboardData()[CF_UNICODETEXT];
  ASSERT_EQ(uni.size(), 6u);
  EXPECT_EQ(uint8_t(uni[0]) | (uint8_t(uni[1]) << 8), 0x0401);
  EXPECT_TRUE(IsClipboardFormatAvailable(block));
  EXPECT_EQ(Clipboard()->GetAsBytes(block), raw);
  EXPECT_EQ(Clipboard()->AsText(), Ansi("Ёж"));
  // Text from another program (Unicode only) reads as Windows-1251.
  ws->ClipboardData().clear();
  std::u16string u = u"Щ\u20AC";
  std::string bytes(reinterpret_cast<const char*>(u.data()), u.size() * 2);
  bytes.append(2, '\0');
  ws->ClipboardData()[CF_UNICODETEXT] = bytes;
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_FALSE(Clipboard()->HasFormat(block));
  EXPECT_EQ(Clipboard()->AsText(), Ansi("Щ€"));
  // Opening without emptying changes nothing.
  OpenClipboard(nullptr);
  CloseClipboard();
  EXPECT_EQ(ws->ClipboardData().count(CF_UNICODETEXT), 1u);
}

TEST(GlobalMemoryTest, Blocks) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
  EXPECT_EQ(GlobalSize(h), 4u);
  char* p = static_cast<char*>(GlobalLock(h));
  std::memcpy(p, "abc", 4);
  GlobalUnlock(h);
  EXPECT_EQ(GlobalBytes(h), std::string("abc\0", 4));
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalLock(h), nullptr);  // freed
}

}  // namespace
