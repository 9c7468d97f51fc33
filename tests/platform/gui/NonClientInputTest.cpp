// Mouse input asks the window where it was hit: caption and sizing edge
// answers become non-client messages, show the sizing arrows and move or
// size the window while the button is held.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Controls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// Answers a fixed hit code in its right half and records what arrives.
class TFramed : public TCustomControl {
 public:
  explicit TFramed(TComponent* owner) : TCustomControl(owner) {}
  LRESULT Hit = HTCLIENT;
  std::vector<UINT> Seen;
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_NCHITTEST) {
      TPoint p = ScreenToClient(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
      m.Result = p.X >= Width() / 2 ? Hit : HTCLIENT;
      return;
    }
    if (m.Msg >= WM_NCMOUSEMOVE && m.Msg <= WM_NCRBUTTONUP) Seen.push_back(m.Msg);
    if (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) Seen.push_back(m.Msg);
    TCustomControl::Dispatch(m);
  }
};

class NonClientInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent = new TWinControl(nullptr);
    parent->SetBounds(0, 0, 300, 300);
    parent->HandleNeeded();
    framed = new TFramed(parent);
    framed->SetBounds(20, 30, 100, 60);
    framed->SetParent(parent);
  }
  void TearDown() override { delete parent; }
  TFakeWidgetsetScope ws;
  TWinControl* parent = nullptr;
  TFramed* framed = nullptr;
};

TEST_F(NonClientInputTest, EdgeAnswersShowSizingArrows) {
  struct TCase {
    LRESULT Hit;
    HCURSOR Cursor;
  };
  const TCase cases[] = {{HTRIGHT, IDC_SIZEWE},      {HTLEFT, IDC_SIZEWE},          {HTBOTTOM, IDC_SIZENS},
                         {HTTOP, IDC_SIZENS},        {HTBOTTOMRIGHT, IDC_SIZENWSE}, {HTTOPLEFT, IDC_SIZENWSE},
                         {HTTOPRIGHT, IDC_SIZENESW}, {HTBOTTOMLEFT, IDC_SIZENESW},  {HTCAPTION, IDC_ARROW}};
  for (const TCase& c : cases) {
    framed->Hit = c.Hit;
    framed->SetCursor(crIBeam);
    ws->MouseMove(framed->Handle(), 90, 10);
    EXPECT_EQ(ws->CurrentCursor(), c.Cursor) << c.Hit;
    ws->MouseMove(framed->Handle(), 10, 10);
    EXPECT_EQ(ws->CurrentCursor(), IDC_IBEAM);
  }
}

TEST_F(NonClientInputTest, FrameHitsArriveAsNonClientMessagesAndClientHitsAsBefore) {
  framed->Hit = HTBORDER;  // not a frame answer: stays a client message
  ws->MouseMove(framed->Handle(), 90, 10);
  framed->Hit = HTRIGHT;
  ws->MouseMove(framed->Handle(), 90, 10);
  ws->MouseMove(framed->Handle(), 10, 10);
  EXPECT_EQ(framed->Seen, (std::vector<UINT>{WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_MOUSEMOVE}));
}

TEST_F(NonClientInputTest, DraggingAnEdgeSizesAndTheCaptionMoves) {
  framed->Hit = HTBOTTOMRIGHT;
  ws->MouseDown(framed->Handle(), mbLeft, 90, 50);
  EXPECT_TRUE(framed->Handle()->FrameDragging());
  EXPECT_EQ(GetCapture(), framed->Handle());
  ws->MouseMove(framed->Handle(), 110, 40);
  EXPECT_EQ(framed->BoundsRect(), TRect(20, 30, 140, 80));
  ws->MouseMove(framed->Handle(), -500, -500);  // the edges never cross
  EXPECT_EQ(framed->BoundsRect(), TRect(20, 30, 20, 30));
  ws->MouseUp(framed->Handle(), mbLeft, 0, 0);
  EXPECT_FALSE(framed->Handle()->FrameDragging());
  EXPECT_EQ(GetCapture(), nullptr);

  framed->SetBounds(20, 30, 100, 60);
  framed->Hit = HTCAPTION;
  ws->MouseDown(framed->Handle(), mbLeft, 60, 10);
  ws->MouseMove(framed->Handle(), 70, 5);
  EXPECT_EQ(framed->BoundsRect(), TRect(30, 25, 130, 85));
  // Another window taking the mouse ends the move.
  SetCapture(parent->Handle());
  EXPECT_FALSE(framed->Handle()->FrameDragging());
  ReleaseCapture();
}

}  // namespace
