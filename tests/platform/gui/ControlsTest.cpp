// Controls over the fake widget set: windows, painting, input events,
// focus, alignment, graphic children, drag and drop and timers.
#include <gtest/gtest.h>

#include "platform/Controls.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// A custom control that paints a frame and its text and records messages.
class TProbe : public TCustomControl {
 public:
  explicit TProbe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  const char* ClassName() const override { return "TProbe"; }
  std::vector<UINT> Seen;
  int Paints = 0;
  LRESULT DlgCode = 0;
  void Dispatch(TMessage& m) override {
    Seen.push_back(m.Msg);
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DlgCode;
      return;
    }
    TCustomControl::Dispatch(m);
  }
  bool Got(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }

 protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(clYellow);
    Canvas()->FillRect(ClientRect());
    Canvas()->TextOut(0, 0, "Hi");
  }
};

class TDot : public TGraphicControl {
 public:
  explicit TDot(TComponent* owner) : TGraphicControl(owner) {}
  const char* ClassName() const override { return "TDot"; }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(TRect(0, 0, Width(), Height()));
  }
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TWinControl(nullptr);
    form->SetBounds(0, 0, 200, 100);
    form->HandleNeeded();
  }
  void TearDown() override { delete form; }
  TProbe* NewProbe(int l, int t, int w, int h) {
    auto* p = new TProbe(form);
    p->SetBounds(l, t, w, h);
    p->SetParent(form);
    return p;
  }
  TFakeWidgetsetScope ws;
  TWinControl* form = nullptr;
};

TEST_F(ControlsTest, ChildWindowsAreMadeAndPaintThroughTheCanvas) {
  TProbe* p = NewProbe(10, 10, 50, 30);
  ASSERT_TRUE(p->HandleAllocated());  // the parent shows, so the child gets its window
  EXPECT_EQ(p->Handle()->ParentWindow(), form->Handle());
  EXPECT_TRUE(p->Got(WM_CREATE));
  ws->ProcessMessages();
  EXPECT_EQ(p->Paints, 1);
  EXPECT_EQ(ws->PixelAt(p->Handle(), 49, 29), clYellow);
  EXPECT_EQ(ws->RowText(p->Handle(), 0), "Hi");
  p->Invalidate();
  ws->ProcessMessages();
  EXPECT_EQ(p->Paints, 2);
  // Hidden controls are not painted; their windows are hidden.
  p->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(p->Handle()));
  p->Invalidate();
  ws->ProcessMessages();
  EXPECT_EQ(p->Paints, 2);
}

TEST_F(ControlsTest, ResizingSendsSizeAndAligns) {
  TProbe* top = NewProbe(0, 0, 10, 20);
  top->SetAlign(alTop);
  TProbe* client = NewProbe(0, 0, 10, 10);
  client->SetAlign(alClient);
  TProbe* anchored = NewProbe(150, 50, 20, 20);
  anchored->SetAnchors({akRight, akBottom});
  EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 200, 20));
  EXPECT_EQ(client->BoundsRect(), TRect(0, 20, 200, 100));
  int resized = 0;
  client->OnResize = [&](TObject*) { ++resized; };
  ws->Resize(form->Handle(), 300, 150);
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(client->BoundsRect(), TRect(0, 20, 300, 150));
  EXPECT_EQ(anchored->BoundsRect(), TRect(250, 100, 270, 120));
  EXPECT_EQ(resized, 1);
  EXPECT_EQ(client->ClientWidth(), 300);
}

TEST_F(ControlsTest, MouseEventsClickAndCapture) {
  TProbe* p = NewProbe(10, 10, 50, 30);
  std::vector<std::string> log;
  p->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                  (s.Contains(ssShift) ? " shift" : "") + (s.Contains(ssLeft) ? " left" : ""));
  };
  p->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  p->OnClick = [&](TObject*) { log.push_back("click"); };
  p->OnDblClick = [&](TObject*) { log.push_back("dbl"); };
  ws->SetKeyDown(VK_SHIFT, true);
  ws->MouseDown(p->Handle(), mbLeft, 5, 6);
  ws->SetKeyDown(VK_SHIFT, false);
  EXPECT_TRUE(p->MouseCapture());
  ws->MouseUp(p->Handle(), mbLeft, 5, 6);
  EXPECT_FALSE(p->MouseCapture());
  ws->MouseDown(p->Handle(), mbLeft, 5, 6, 0, true);
  ws->MouseUp(p->Handle(), mbLeft, 5, 6);
  // Released outside: no click.
  ws->MouseDown(p->Handle(), mbLeft, 5, 6);
  ws->MouseUp(p->Handle(), mbLeft, 500, 6);
  // The click comes before the button-up event; a double click makes no
  // click of its own.
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 5,6 shift left", "click", "up 5,6", "dbl", "down 0 5,6 left",
                                           "up 5,6", "down 0 5,6 left", "up 500,6"}));
}

TEST_F(ControlsTest, KeysGoThroughDialogCodesToTheEvents) {
  TProbe* p = NewProbe(0, 0, 50, 30);
  p->SetFocus();
  std::string keys;
  p->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState s) {
    keys += "d" + std::to_string(key) + (s.Contains(ssCtrl) ? "c" : "") + " ";
    if (key == 'Q') key = 0;
  };
  p->OnKeyPress = [&](TObject*, char& ch) {
    keys += std::string("p") + ch + " ";
    if (ch == 'x') ch = 'y';
  };
  int dialogKeys = 0;
  form->WindowProc = [&, base = form->WindowProc](TMessage& m) {
    if (m.Msg == CM_DIALOGKEY) ++dialogKeys;
    base(m);
  };
  ws->KeyStroke({VK_CONTROL}, 'C');
  ws->Type("x");
  // An arrow key goes to the form as a dialog key unless the control asks.
  ws->KeyDown(VK_LEFT);
  EXPECT_EQ(dialogKeys, 1);
  p->DlgCode = DLGC_WANTARROWS;
  ws->KeyDown(VK_LEFT);
  EXPECT_EQ(dialogKeys, 1);
  EXPECT_EQ(keys, "d17c d67c d88 px d37 d37 ");
  // The changed character reaches WM_CHAR's default handling.
  EXPECT_TRUE(p->Got(WM_CHAR));
}

TEST_F(ControlsTest, FocusEntersAndExits) {
  TProbe* a = NewProbe(0, 0, 50, 30);
  TProbe* b = NewProbe(60, 0, 50, 30);
  std::string log;
  a->OnEnter = [&](TObject*) { log += "enter a;"; };
  a->OnExit = [&](TObject*) { log += "exit a;"; };
  b->OnEnter = [&](TObject*) { log += "enter b;"; };
  a->SetFocus();
  EXPECT_TRUE(a->Focused());
  b->SetFocus();
  EXPECT_EQ(log, "enter a;exit a;enter b;");
  EXPECT_EQ(form->FocusedControl(), b);
  // Tab order.
  EXPECT_EQ(form->FindNextControl(b, true, true, false), a);
  b->SetEnabled(false);
  EXPECT_FALSE(b->CanFocus());
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
}

TEST_F(ControlsTest, GraphicControlsPaintInTheParentAndGetItsMouse) {
  class TContainer : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;
  };
  auto* panel = new TContainer(form);
  panel->SetBounds(0, 0, 100, 60);
  panel->SetParent(form);
  auto* dot = new TDot(form);
  dot->SetBounds(10, 20, 5, 5);
  dot->SetParent(panel);
  ws->ProcessMessages();
  EXPECT_EQ(ws->PixelAt(panel->Handle(), 10, 20), clRed);
  EXPECT_EQ(ws->PixelAt(panel->Handle(), 14, 24), clRed);
  EXPECT_NE(ws->PixelAt(panel->Handle(), 15, 24), clRed);
  int x = -1, y = -1, enters = 0;
  dot->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int mx, int my) {
    x = mx;
    y = my;
  };
  dot->OnMouseEnter = [&](TObject*) { ++enters; };
  ws->MouseMove(panel->Handle(), 11, 21);
  EXPECT_EQ(enters, 1);
  ws->MouseDown(panel->Handle(), mbLeft, 12, 23);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 3);
  EXPECT_EQ(GetCaptureControl(), dot);
  ws->MouseUp(panel->Handle(), mbLeft, 12, 23);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(ControlsTest, WheelGoesToTheFocusedControl) {
  TProbe* p = NewProbe(0, 0, 50, 30);
  TProbe* other = NewProbe(60, 0, 50, 30);
  p->SetFocus();
  int delta = 0, downs = 0;
  p->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
    delta += d;
    handled = d > 0;
  };
  p->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& h) {
    ++downs;
    h = true;
  };
  ws->Wheel(other->Handle(), 120, 1, 1);
  ws->Wheel(other->Handle(), -60, 1, 1);
  ws->Wheel(other->Handle(), -60, 1, 1);
  EXPECT_EQ(delta, 0);
  EXPECT_EQ(downs, 1);  // two half notches make one step
}

TEST_F(ControlsTest, TextAndParentFont) {
  TProbe* p = NewProbe(0, 0, 50, 30);
  p->SetText("abc");
  EXPECT_EQ(p->GetText(), "abc");
  EXPECT_EQ(GetWindowTextString(p->Handle()), "abc");
  EXPECT_TRUE(p->Got(CM_TEXTCHANGED));
  form->Font()->SetName("Tahoma");
  EXPECT_EQ(p->Font()->Name(), "Tahoma");
  EXPECT_TRUE(p->ParentFont());
  p->Font()->SetSize(12);
  EXPECT_FALSE(p->ParentFont());
  form->Font()->SetName("Arial");
  EXPECT_EQ(p->Font()->Name(), "Tahoma");
  form->SetColor(clNavy);
  EXPECT_EQ(p->Color(), clNavy);
}

TEST_F(ControlsTest, DraggingBetweenControls) {
  TProbe* src = NewProbe(0, 0, 50, 30);
  TProbe* dst = NewProbe(100, 0, 50, 30);
  std::string log;
  dst->OnDragOver = [&](TObject*, TObject* source, int x, int y, TDragState st, bool& accept) {
    log += "over" + std::to_string(st) + " ";
    accept = source == src;
  };
  dst->OnDragDrop = [&](TObject*, TObject*, int x, int y) { log += "drop " + std::to_string(x) + " "; };
  src->OnEndDrag = [&](TObject*, TObject* target, int, int) { log += target == dst ? "end dst" : "end none"; };
  ws->MouseDown(src->Handle(), mbLeft, 5, 5);
  src->BeginDrag(false);
  EXPECT_TRUE(src->Dragging());
  ws->MouseMove(src->Handle(), 6, 6);  // within the threshold: nothing yet
  EXPECT_EQ(log, "");
  ws->MouseMove(src->Handle(), 105, 5);
  EXPECT_EQ(ws->CurrentCursor(), IDC_DRAG);
  ws->MouseUp(src->Handle(), mbLeft, 105, 5);
  EXPECT_FALSE(src->Dragging());
  EXPECT_EQ(log, "over0 drop 5 end dst");
  // Escape cancels.
  log.clear();
  src->SetFocus();
  ws->MouseMove(src->Handle(), 5, 5);
  src->BeginDrag(true);
  ws->KeyDown(VK_ESCAPE);
  EXPECT_FALSE(src->Dragging());
  EXPECT_EQ(log, "end none");
}

TEST_F(ControlsTest, TimerFiresWhileEnabled) {
  TTimer t(nullptr);
  int n = 0;
  t.OnTimer = [&](TObject*) { ++n; };
  t.SetInterval(100);
  ws->Advance(350);
  EXPECT_EQ(n, 3);
  t.SetEnabled(false);
  ws->Advance(500);
  EXPECT_EQ(n, 3);
}

TEST_F(ControlsTest, CanvasOutsidePaintAndDestroyedWindows) {
  TProbe* p = NewProbe(0, 0, 50, 30);
  ws->ProcessMessages();
  p->Canvas()->Brush()->SetColor(clGreen);
  p->Canvas()->FillRect(TRect(0, 0, 5, 5));
  EXPECT_EQ(ws->PixelAt(p->Handle(), 4, 4), clGreen);
  HWND h = p->Handle();
  delete p;  // takes its window and cached DC along
  EXPECT_FALSE(IsWindow(h));
  ws->ProcessMessages();
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST(ShiftStateTest, Conversions) {
  TFakeWidgetsetScope ws;
  TShiftState s = KeysToShiftState(MK_SHIFT | MK_LBUTTON);
  EXPECT_TRUE(s.Contains(ssShift));
  EXPECT_TRUE(s.Contains(ssLeft));
  EXPECT_FALSE(s.Contains(ssCtrl));
  ws->SetKeyDown(VK_CONTROL, true);
  TShiftState k = KeyDataToShiftState(KF_ALTDOWN_BIT);
  EXPECT_EQ(k, (TShiftState{ssCtrl, ssAlt}));
  uint8_t st[256] = {};
  st[VK_MENU] = 0x80;
  EXPECT_EQ(KeyboardStateToShiftState(st), TShiftState{ssAlt});
  EXPECT_EQ((TShiftState{ssShift, ssAlt, ssCtrl}).Bits(), 7u);
}

}  // namespace
