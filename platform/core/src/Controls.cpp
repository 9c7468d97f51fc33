// TControl, TWinControl, TCustomControl, TGraphicControl, the control
// canvas, control drag and drop, the mouse and TTimer.
#include "platform/Controls.h"

#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"

TMouse Mouse;

namespace {

TControl* gCaptureControl = nullptr;
TControl* gMouseControl = nullptr;
TCursor gScreenCursor = crDefault;
TMenuKeyHandler gMenuKeyHandler;
TPopupMenuHandler gPopupHandler;
THintMouseHandler gHintHandler;
std::vector<TControlCanvas*> gCanvasList;

// Control drag and drop in progress.
struct TDragInfo {
  TControl* Source = nullptr;
  TControl* Target = nullptr;
  bool Active = false;
  bool Accepted = false;
  TPoint StartPos;
  TPoint LastPos;
  int Threshold = 5;
  HWND Window = nullptr;
  HCURSOR SavedCursor = IDC_ARROW;
};
TDragInfo gDrag;

void DragTo(TPoint pos);
void DragDone(bool drop);

void DragWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      TPoint p;
      GetCursorPos(&p);
      DragTo(p);
      break;
    }
    case WM_LBUTTONUP: DragDone(true); break;
    case WM_RBUTTONDOWN: DragDone(false); break;
    case WM_CAPTURECHANGED:
      if (gDrag.Source && reinterpret_cast<HWND>(m.LParam) != gDrag.Window) DragDone(false);
      break;
    default: break;
  }
}

TPoint TargetPoint(TControl* target, TPoint screen) { return target ? target->ScreenToClient(screen) : screen; }

void DragTo(TPoint pos) {
  if (!gDrag.Source) return;
  gDrag.LastPos = pos;
  if (!gDrag.Active) {
    if (std::abs(pos.X - gDrag.StartPos.X) < gDrag.Threshold && std::abs(pos.Y - gDrag.StartPos.Y) < gDrag.Threshold)
      return;
    gDrag.Active = true;
  }
  TControl* target = FindDragTarget(pos, false);
  TControl* source = gDrag.Source;
  if (target != gDrag.Target) {
    if (gDrag.Target) {
      bool a = false;
      TPoint p = TargetPoint(gDrag.Target, pos);
      gDrag.Target->DragOver(source, p.X, p.Y, dsDragLeave, a);
    }
    gDrag.Target = target;
    gDrag.Accepted = false;
    if (target) {
      bool a = false;
      TPoint p = TargetPoint(target, pos);
      target->DragOver(source, p.X, p.Y, dsDragEnter, a);
      gDrag.Accepted = a;
    }
  } else if (target) {
    bool a = false;
    TPoint p = TargetPoint(target, pos);
    target->DragOver(source, p.X, p.Y, dsDragMove, a);
    gDrag.Accepted = a;
  }
  if (!gDrag.Source) return;
  TCursor c = gDrag.Accepted ? gDrag.Source->DragCursor() : crNoDrop;
  ::SetCursor(CursorToIdc(c));
}

void DragDone(bool drop) {
  if (!gDrag.Source) return;
  TDragInfo d = gDrag;
  gDrag = TDragInfo();
  if (d.Window) {
    if (GetCapture() == d.Window) ReleaseCapture();
    DeallocateHWnd(d.Window);
  }
  ::SetCursor(d.SavedCursor);
  TControl* target = nullptr;
  TPoint p = d.LastPos;
  if (d.Active && d.Target) {
    TPoint tp = TargetPoint(d.Target, p);
    if (drop && d.Accepted) {
      target = d.Target;
      d.Target->DragDrop(d.Source, tp.X, tp.Y);
    } else {
      bool a = false;
      d.Target->DragOver(d.Source, tp.X, tp.Y, dsDragLeave, a);
    }
  }
  if (!target) d.Source->DragCanceled();
  TPoint sp = target ? target->ScreenToClient(p) : p;
  d.Source->DoEndDrag(target, sp.X, sp.Y);
}

}  // namespace

// ---------------------------------------------------------------------------
// helpers

TShiftState KeyDataToShiftState(int32_t keyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (keyData & KF_ALTDOWN_BIT) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState(const uint8_t* state) {
  TShiftState s;
  if (state[VK_SHIFT] & 0x80) s.Include(ssShift);
  if (state[VK_CONTROL] & 0x80) s.Include(ssCtrl);
  if (state[VK_MENU] & 0x80) s.Include(ssAlt);
  if (state[VK_LBUTTON] & 0x80) s.Include(ssLeft);
  if (state[VK_RBUTTON] & 0x80) s.Include(ssRight);
  if (state[VK_MBUTTON] & 0x80) s.Include(ssMiddle);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  uint8_t st[256];
  GetKeyboardState(st);
  return KeyboardStateToShiftState(st);
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TPoint TMouse::CursorPos() const {
  TPoint p;
  GetCursorPos(&p);
  return p;
}
void TMouse::SetCursorPos(TPoint p) { ::SetCursorPos(p.X, p.Y); }
HWND TMouse::Capture() const { return GetCapture(); }
void TMouse::SetCapture(HWND wnd) {
  if (wnd)
    ::SetCapture(wnd);
  else
    ReleaseCapture();
}

TWinControl* FindControl(HWND wnd) {
  if (!wnd || !IsWindow(wnd)) return nullptr;
  return wnd->Control();
}

TControl* GetCaptureControl() {
  TControl* r = FindControl(GetCapture());
  if (r && gCaptureControl && gCaptureControl->Parent() == r) r = gCaptureControl;
  return r;
}

void SetCaptureControl(TControl* control) {
  ReleaseCapture();
  gCaptureControl = nullptr;
  if (!control) return;
  TWinControl* w = dynamic_cast<TWinControl*>(control);
  if (!w) {
    if (!control->Parent()) return;
    gCaptureControl = control;
    w = control->Parent();
  }
  ::SetCapture(w->Handle());
}

TControl* MouseControl() { return gMouseControl; }

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
  if (!WidgetsetInstalled()) return nullptr;
  HWND w = Widgetset().WindowFromPoint(screenPos);
  TWinControl* r = FindControl(w);
  if (!r) return nullptr;
  TControl* c = r->ControlAtPos(r->ScreenToClient(screenPos), allowDisabled);
  return c ? c : r;
}

TCursor ScreenCursor() { return gScreenCursor; }
void SetScreenCursor(TCursor cursor) {
  gScreenCursor = cursor;
  if (!WidgetsetInstalled()) return;
  Widgetset().SetOverrideCursor(cursor == crDefault ? 0 : CursorToIdc(cursor));
  if (cursor != crDefault) ::SetCursor(CursorToIdc(cursor));
}

TWinControl* GetTopLevelParent(const TControl* control) {
  if (!control) return nullptr;
  const TControl* c = control;
  while (c->Parent()) c = c->Parent();
  return dynamic_cast<TWinControl*>(const_cast<TControl*>(c));
}

void SetMenuKeyHandler(TMenuKeyHandler handler) { gMenuKeyHandler = std::move(handler); }
void SetPopupMenuHandler(TPopupMenuHandler handler) { gPopupHandler = std::move(handler); }
void SetHintMouseHandler(THintMouseHandler handler) { gHintHandler = std::move(handler); }

namespace {
void SetMouseControl(TControl* c) {
  if (c == gMouseControl) return;
  TControl* old = gMouseControl;
  gMouseControl = c;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (c && gMouseControl == c) c->Perform(CM_MOUSEENTER, 0, 0);
}
}  // namespace

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(new TFont) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject* s) { FontChanged(s); };
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
  FFont->OnChange = nullptr;
  if (gDrag.Source == this) {
    gDrag.Source = nullptr;
    if (gDrag.Window) {
      HWND w = gDrag.Window;
      gDrag = TDragInfo();
      if (WidgetsetInstalled()) DeallocateHWnd(w);
    }
  }
  if (gDrag.Target == this) gDrag.Target = nullptr;
  if (gCaptureControl == this) gCaptureControl = nullptr;
  if (gMouseControl == this) gMouseControl = nullptr;
  FreeDeviceContext(this);
  if (FParent) FParent->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM w, LPARAM l) {
  TMessage m(msg, w, l);
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL && m.Msg != WM_MOUSEHWHEEL) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (m.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: m.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; break;
        default: break;
      }
    }
    switch (m.Msg) {
      case WM_MOUSEMOVE:
        if (gHintHandler) gHintHandler(this, m);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (gHintHandler) gHintHandler(this, m);
        if (FDragMode == dmAutomatic) {
          BeginDrag(false);
          return;
        }
        FControlState.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        if (gHintHandler) gHintHandler(this, m);
        FControlState.Exclude(csLButtonDown);
        break;
      default:
        if (gHintHandler) gHintHandler(this, m);
        break;
    }
  } else if (Dragging() && (m.Msg == WM_KEYDOWN || m.Msg == WM_KEYUP || m.Msg == WM_SYSKEYDOWN || m.Msg == WM_CHAR)) {
    if (m.Msg == WM_KEYDOWN && m.WParam == VK_ESCAPE) {
      DragDone(false);
    } else if ((m.Msg == WM_KEYDOWN || m.Msg == WM_KEYUP) && (m.WParam == VK_CONTROL || m.WParam == VK_SHIFT)) {
      DragTo(gDrag.LastPos);
    }
    return;
  }
  Dispatch(m);
}

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
    case WM_RBUTTONDOWN: WMRButtonDown(m); break;
    case WM_RBUTTONUP: WMRButtonUp(m); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(m); break;
    case WM_MBUTTONDOWN: WMMButtonDown(m); break;
    case WM_MBUTTONUP: WMMButtonUp(m); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case CM_MOUSEWHEEL: CMMouseWheel(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CM_FONTCHANGED: CMFontChanged(m); break;
    case CM_COLORCHANGED: CMColorChanged(m); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); break;
    case CM_HITTEST: CMHitTest(m); break;
    case CM_DRAG: CMDrag(m); break;
    default: DefaultHandler(m); break;
  }
}

void TControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETTEXT: AnswerGetText(m, FText); break;
    case WM_GETTEXTLENGTH: m.Result = LRESULT(FText.size()); break;
    case WM_SETTEXT: {
      const char* t = reinterpret_cast<const char*>(m.LParam);
      FText = t ? t : "";
      m.Result = 1;
      break;
    }
    default: break;
  }
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
  bool r = true;
  if (OnCanResize) OnCanResize(this, newWidth, newHeight, r);
  return r;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (!CanResize(width, height)) return;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  InvalidateControl(FVisible, false);
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!(ComponentState() & csLoading)) Resize();
}

TRect TControl::ClientRect() { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int w, int h) {
  TRect c = ClientRect();
  SetBounds(FLeft, FTop, FWidth - c.Right + w, FHeight - c.Bottom + h);
}
void TControl::SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
void TControl::SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }

TPoint TControl::ClientOrigin() {
  if (!FParent) return TPoint(FLeft, FTop);
  TPoint o = FParent->ClientOrigin();
  return TPoint(o.X + FLeft, o.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint p) {
  TPoint o = ClientOrigin();
  return TPoint(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint p) {
  TPoint o = ClientOrigin();
  return TPoint(p.X - o.X, p.Y - o.Y);
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  TAlign old = FAlign;
  FAlign = align;
  static const TAnchors anchorAlign[] = {{akLeft, akTop},
                                         {akLeft, akTop, akRight},
                                         {akLeft, akRight, akBottom},
                                         {akLeft, akTop, akBottom},
                                         {akRight, akTop, akBottom},
                                         {akLeft, akTop, akRight, akBottom},
                                         {akLeft, akTop}};
  FAnchors = anchorAlign[align];
  if (old == alNone || align == alNone || FParent) RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) { FAnchors = anchors; }

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  VisibleChanging();
  FVisible = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
  RequestAlign();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
  if (color != FColor) {
    FColor = color;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::SetParentColor(bool v) {
  if (v == FParentColor) return;
  FParentColor = v;
  if (FParent && v) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* font) { FFont->Assign(font); }

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
  if (v == FParentFont) return;
  FParentFont = v;
  if (FParent && v) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool v) {
  if (v != FShowHint) {
    FShowHint = v;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::SetParentShowHint(bool v) {
  if (v == FParentShowHint) return;
  FParentShowHint = v;
  if (FParent && v) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  Perform(CM_CURSORCHANGED, 0, 0);
}

std::string TControl::GetText() {
  LRESULT n = Perform(WM_GETTEXTLENGTH, 0, 0);
  if (n <= 0) return std::string();
  std::string buf(size_t(n) + 1, '\0');
  LRESULT got = Perform(WM_GETTEXT, WPARAM(buf.size()), LPARAM(&buf[0]));
  got = std::max<LRESULT>(0, std::min<LRESULT>(got, n));
  buf.resize(size_t(got));
  return buf;
}

void TControl::SetText(const std::string& text) {
  if (GetText() == text) return;
  Perform(WM_SETTEXT, 0, LPARAM(text.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
  if (isVisible && FParent && FParent->HandleAllocated()) {
    TRect r = BoundsRect();
    ::InvalidateRect(FParent->Handle(), &r, !(isOpaque || FParent->FControlStyle.Contains(csOpaque)));
  }
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  if (FControlStyle.Contains(csOpaque)) {
    HWND w = FParent->Handle();
    HDC dc = ::GetDC(w);
    ::IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc, this);
    ::ReleaseDC(w, dc);
  } else {
    Invalidate();
    Update();
  }
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) {
    list.erase(it);
    list.push_back(this);
    Invalidate();
  }
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) {
    list.erase(it);
    list.insert(list.begin(), this);
    Invalidate();
  }
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool capture) {
  if (capture == MouseCapture()) return;
  if (capture)
    SetCaptureControl(this);
  else
    SetCaptureControl(nullptr);
}

void TControl::BeginDrag(bool immediate, int threshold) {
  if (gDrag.Source) return;
  if (threshold < 0) threshold = Mouse.DragThreshold;
  TObject* dragObject = nullptr;
  DoStartDrag(dragObject);
  gDrag = TDragInfo();
  gDrag.Source = this;
  gDrag.Threshold = threshold;
  GetCursorPos(&gDrag.StartPos);
  gDrag.LastPos = gDrag.StartPos;
  gDrag.SavedCursor = ::GetCursor();
  gDrag.Window = AllocateHWnd(DragWndProc);
  gCaptureControl = nullptr;
  ::SetCapture(gDrag.Window);
  if (immediate) {
    gDrag.Active = true;
    DragTo(gDrag.StartPos);
  }
}

void TControl::EndDrag(bool drop) {
  if (gDrag.Source == this) DragDone(drop);
}

bool TControl::Dragging() const { return gDrag.Source == this; }

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
  }
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TControl::DragCanceled() {}

void TControl::DoStartDrag(TObject*& dragObject) {
  if (OnStartDrag) OnStartDrag(this, dragObject);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool r = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, r);
  if (!r) {
    FWheelAccumulator += wheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
      bool neg = FWheelAccumulator < 0;
      FWheelAccumulator = std::abs(FWheelAccumulator) - WHEEL_DELTA;
      if (neg) {
        if (FWheelAccumulator != 0) FWheelAccumulator = -FWheelAccumulator;
        r = DoMouseWheelDown(shift, mousePos);
      } else {
        r = DoMouseWheelUp(shift, mousePos);
      }
    }
  }
  return r;
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
  bool r = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, r);
  return r;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
  bool r = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, r);
  return r;
}

void TControl::MouseWheelHandler(TMessage& m) {
  TWinControl* top = GetTopLevelParent(this);
  if (top && top != this)
    top->MouseWheelHandler(m);
  else
    m.Result = Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}
void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}
void TControl::Changed() { Perform(CM_CHANGED, 0, LPARAM(this)); }

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

HDC TControl::GetDeviceContext(HWND& wnd) {
  if (!FParent) throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  HDC dc = FParent->GetDeviceContext(wnd);
  SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  ::IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

void TControl::SendCancelMode(TControl* sender) {
  TWinControl* top = GetTopLevelParent(this);
  if (!top) return;
  TWinControl* f = top->FocusedControl();
  if (f && f != sender) f->Perform(CM_CANCELMODE, 0, LPARAM(sender));
}

void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TWMMouse v(m);
  MouseDown(button, KeysToShiftState(v.Keys()) + shift, v.XPos(), v.YPos());
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TWMMouse v(m);
  MouseUp(button, KeysToShiftState(v.Keys()), v.XPos(), v.YPos());
}

void TControl::WMLButtonDown(TMessage& m) {
  SendCancelMode(this);
  DefaultHandler(m);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
  DoMouseDown(m, mbLeft, TShiftState());
}

void TControl::WMLButtonDblClk(TMessage& m) {
  SendCancelMode(this);
  DefaultHandler(m);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents)) DblClick();
  DoMouseDown(m, mbLeft, TShiftState{ssDouble});
}

void TControl::WMRButtonDown(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbRight, TShiftState());
}

void TControl::WMRButtonDblClk(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbRight, TShiftState{ssDouble});
}

void TControl::WMMButtonDown(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbMiddle, TShiftState());
}

void TControl::WMMButtonDblClk(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbMiddle, TShiftState{ssDouble});
}

void TControl::WMMouseMove(TMessage& m) {
  DefaultHandler(m);
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TWMMouse v(m);
  MouseMove(KeysToShiftState(v.Keys()), v.XPos(), v.YPos());
}

void TControl::WMLButtonUp(TMessage& m) {
  DefaultHandler(m);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    TWMMouse v(m);
    if (PtInRect(ClientRect(), TPoint(v.XPos(), v.YPos()))) Click();
  }
  DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonUp(TMessage& m) {
  DefaultHandler(m);
  DoMouseUp(m, mbRight);
}

void TControl::WMMButtonUp(TMessage& m) {
  DefaultHandler(m);
  DoMouseUp(m, mbMiddle);
}

void TControl::WMMouseWheel(TMessage& m) {
  // CM_MOUSEWHEEL carries the shift state instead of the MK_ keys.
  TMessage cm(m.Msg, MakeWParam(uint16_t(KeysToShiftState(LoWord(m.WParam)).Bits()), HiWord(m.WParam)), m.LParam);
  MouseWheelHandler(cm);
  // CM_MOUSEWHEEL already climbs the parents; passing the unused message to
  // the default handling too would deliver it a second time.
  m.Result = cm.Result;
}

void TControl::CMMouseWheel(TMessage& m) {
  TCMMouseWheel v(m);
  m.Result = 0;
  if (DoMouseWheel(TShiftState::FromBits(v.ShiftState()), v.WheelDelta(), TPoint(v.XPos(), v.YPos())))
    m.Result = 1;
  else if (FParent)
    m.Result = FParent->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
}

void TControl::WMCancelMode(TMessage& m) {
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, LPARAM(-1));
  } else {
    FControlState.Exclude(csLButtonDown);
  }
  (void)m;
}

void TControl::WMContextMenu(TMessage& m) {
  if (m.Result != 0) return;
  TPoint pt(GetXLParam(m.LParam), GetYLParam(m.LParam));
  bool invalid = pt.X == -1 && pt.Y == -1;
  TPoint local = pt;
  if (!invalid) {
    local = ScreenToClient(pt);
    if (!PtInRect(ClientRect(), local)) {
      DefaultHandler(m);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  m.Result = handled ? 1 : 0;
  if (handled) return;
  if (FPopupMenu && gPopupHandler) {
    SendCancelMode(nullptr);
    if (invalid) pt = ClientToScreen(TPoint(0, 0));
    if (gPopupHandler(this, FPopupMenu, pt)) m.Result = 1;
  }
  if (m.Result == 0) DefaultHandler(m);
}

void TControl::CMMouseEnter(TMessage& m) {
  if (m.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, m.LParam ? m.LParam : LPARAM(this));
}

void TControl::CMMouseLeave(TMessage& m) {
  if (m.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, m.LParam ? m.LParam : LPARAM(this));
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque)); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& m) {
  if (!FParentFont) return;
  if (m.WParam != 0)
    SetFont(reinterpret_cast<TFont*>(m.LParam));
  else if (FParent)
    SetFont(FParent->Font());
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& m) {
  if (!FParentColor) return;
  if (m.WParam != 0)
    SetColor(TColor(m.LParam));
  else if (FParent)
    SetColor(FParent->Color());
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

void TControl::CMHitTest(TMessage& m) { m.Result = HTCLIENT; }
void TControl::CMDrag(TMessage&) {}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(new TBrush) { FBrush->SetColor(Color()); }

TWinControl::~TWinControl() {
  Destroying();
  if (Parent()) {
    RemoveFocus(true);
    Parent()->RemoveControl(this);
  }
  if (FHandle && WidgetsetInstalled()) DestroyHandle();
  FHandle = nullptr;
  // The children go with their parent.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
    RemoveControl(c);
    delete c;
  }
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (Parent()) Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams();
  params.Caption = FText;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : FParentWindow;
  params.ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WinClassName = ClassName();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) { Widgetset().CreateWindowPeer(this, params); }

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  // A control without a parent window becomes a window of its own.
  if (!params.WndParent) params.Style &= ~WS_CHILD;
  bool parentShowing = !Parent() || Parent()->Showing() || !Parent()->HandleAllocated();
  if (Visible() && parentShowing) params.Style |= WS_VISIBLE;
  CreateWindowHandle(params);
  if (!FHandle) throw EInvalidOperation(Format("Error creating window for '%s'", Name().c_str()));
  FText.clear();
  UpdateBoundsFromPeer();
  FShowing = FHandle->Showing();
}

void TWinControl::CreateHandle() {
  if (FHandle || FCreatingHandle) return;
  FCreatingHandle = true;
  try {
    CreateWnd();
  } catch (...) {
    FCreatingHandle = false;
    throw;
  }
  FCreatingHandle = false;
  FLastClientSize = FHandle->ClientSize();
  FHaveClientSize = true;
  CreateHandleDone();
  // Windows of children that are to be seen.
  for (TWinControl* c : std::vector<TWinControl*>(FWinControls))
    if (c->Visible()) c->UpdateShowing();
  Realign();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* c : std::vector<TWinControl*>(FWinControls)) c->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  if (FHandle) FText = FHandle->Text();
  FreeDeviceContext(this);
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  if (FHandle && WidgetsetInstalled()) Widgetset().DestroyWindowPeer(FHandle);
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  UpdateControlState();
  if (!FHandle && !Parent()) HandleNeeded();
}

void TWinControl::SetParentWindow(HWND wnd) {
  if (wnd == FParentWindow) return;
  FParentWindow = wnd;
  if (FHandle && !Parent()) FHandle->SetParentWindow(wnd);
}

void TWinControl::UpdateBoundsFromPeer() {
  if (!FHandle) return;
  TRect b = FHandle->Bounds();
  if (b.Left != Left() || b.Top != Top() || b.Width() != Width() || b.Height() != Height()) {
    // The window already has these bounds.
    SetBoundsFields(b);
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(Format("List index out of bounds (%d)", index));
  if (index < int(FControls.size())) return FControls[size_t(index)];
  return FWinControls[size_t(index) - FControls.size()];
}

void TWinControl::InsertControl(TControl* control) {
  if (!control || control == this) return;
  Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 1);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    FWinControls.push_back(w);
    FTabList.push_back(w);
  } else {
    FControls.push_back(control);
  }
  control->SetParentInternal(this);
  if (!(control->ComponentState() & csReading)) {
    control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
      w->UpdateControlState();
    } else if (HandleAllocated()) {
      control->Invalidate();
    }
    AlignControl(control);
  }
  Perform(CM_CONTROLCHANGE, WPARAM(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  if (!control || control->Parent() != this) return;
  Perform(CM_CONTROLCHANGE, WPARAM(control), 0);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    w->RemoveFocus(true);
    if (WidgetsetInstalled()) w->DestroyHandle();
    FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  } else {
    if (HandleAllocated()) control->InvalidateControl(control->Visible(), false);
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  }
  if (gCaptureControl == control) gCaptureControl = nullptr;
  control->SetParentInternal(nullptr);
  Perform(CM_CONTROLLISTCHANGE, WPARAM(control), 0);
  if (!(ComponentState() & csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* control) const {
  while (control && control != this) control = control->Parent();
  return control == this;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
  auto hit = [&](TControl* c) {
    TPoint p(pos.X - c->Left(), pos.Y - c->Top());
    return PtInRect(c->ClientRect(), p) && c->Visible() && (c->Enabled() || allowDisabled) &&
           c->Perform(CM_HITTEST, 0, MakeLParam(p.X, p.Y)) != 0;
  };
  if (allowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::SetTabStop(bool v) {
  if (v == FTabStop) return;
  FTabStop = v;
  if (FHandle) FHandle->SetStyle(v ? FHandle->Style() | WS_TABSTOP : FHandle->Style() & ~WS_TABSTOP);
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& l = Parent()->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : int(it - l.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& l = Parent()->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  if (it == l.end()) return;
  l.erase(it);
  if (order < 0) order = 0;
  if (order > int(l.size())) order = int(l.size());
  l.insert(l.begin() + order, this);
}

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() {
  for (TWinControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : FTabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  auto it = std::find(list.begin(), list.end(), current);
  int start = it == list.end() ? (goForward ? int(list.size()) - 1 : 0) : int(it - list.begin());
  int i = start;
  do {
    if (goForward) {
      if (++i == int(list.size())) i = 0;
    } else {
      if (i == 0) i = int(list.size());
      --i;
    }
    TWinControl* c = list[size_t(i)];
    if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  TWinControl* c = FindNextControl(current, goForward, checkTabStop, !checkTabStop);
  if (c) c->SetFocus();
}

bool TWinControl::SetFocusedControl(TWinControl* control) {
  if (control->FControlState.Contains(csFocusing)) return false;
  control->FControlState.Include(csFocusing);
  struct TGuard {
    TWinControl* C;
    ~TGuard() { C->FControlState.Exclude(csFocusing); }
  } guard{control};
  if (!FFocusedControl) FFocusedControl = this;
  if (FFocusedControl != control) {
    while (FFocusedControl && !FFocusedControl->ContainsControl(control)) {
      HWND h = GetFocus();
      FFocusedControl->Perform(CM_EXIT, 0, 0);
      if (h != GetFocus()) return false;
      FFocusedControl = FFocusedControl->Parent();
    }
    while (FFocusedControl != control) {
      TWinControl* t = control;
      while (t->Parent() != FFocusedControl) t = t->Parent();
      FFocusedControl = t;
      HWND h = GetFocus();
      t->Perform(CM_ENTER, 0, 0);
      if (h != GetFocus()) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
  }
  return true;
}

void TWinControl::RemoveFocus(bool removing) {
  TWinControl* top = GetTopLevelParent(this);
  if (!top || top == this) return;
  if (top->FFocusedControl && ContainsControl(top->FFocusedControl))
    top->FFocusedControl = removing ? Parent() : nullptr;
}

void TWinControl::MouseWheelHandler(TMessage& m) {
  // A top-level control hands the wheel to its focused control.
  if (!Parent() && FFocusedControl && FFocusedControl != this)
    m.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
  else
    TControl::MouseWheelHandler(m);
}

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
  if (!FHandle || (ComponentState() & csDestroying)) return;
  if (FAlignLevel != 0) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TRect r = ClientRect();
  AlignControls(control, r);
  FControlState.Exclude(csAlignmentNeeded);
  --FAlignLevel;
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  bool work = false;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Align() != alNone) work = true;
  if (!work) return;
  AdjustClientRect(rect);
  auto insertBefore = [](TControl* c1, TControl* c2, TAlign a) {
    switch (a) {
      case alTop: return c1->Top() < c2->Top();
      case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
      case alLeft: return c1->Left() < c2->Left();
      case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
      default: return false;
    }
  };
  auto doPosition = [&](TControl* c, TAlign a) {
    int w = rect.Right - rect.Left;
    if (w < 0 || a == alLeft || a == alRight || a == alCustom) w = c->Width();
    int h = rect.Bottom - rect.Top;
    if (h < 0 || a == alTop || a == alBottom || a == alCustom) h = c->Height();
    int l = rect.Left, t = rect.Top;
    switch (a) {
      case alTop: rect.Top += h; break;
      case alBottom:
        rect.Bottom -= h;
        t = rect.Bottom;
        break;
      case alLeft: rect.Left += w; break;
      case alRight:
        rect.Right -= w;
        l = rect.Right;
        break;
      default: break;
    }
    c->SetBounds(l, t, w, h);
    if (c->Width() != w || c->Height() != h) switch (a) {
        case alTop: rect.Top -= h - c->Height(); break;
        case alBottom: rect.Bottom += h - c->Height(); break;
        case alLeft: rect.Left -= w - c->Width(); break;
        case alRight: rect.Right += w - c->Width(); break;
        case alClient:
          rect.Right += c->Width() - w;
          rect.Bottom += c->Height() - h;
          break;
        default: break;
      }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (control && control->Align() == a && control->Visible()) list.push_back(control);
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Align() != a || !c->Visible() || c == control) continue;
      size_t j = 0;
      while (j < list.size() && !insertBefore(c, list[j], a)) ++j;
      list.insert(list.begin() + long(j), c);
    }
    for (TControl* c : list) doPosition(c, a);
  }
}

void TWinControl::ApplyAnchors(TSize oldClient, TSize newClient) {
  int dx = newClient.cx - oldClient.cx, dy = newClient.cy - oldClient.cy;
  if (!dx && !dy) return;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != alNone) continue;
    TAnchors a = c->Anchors();
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    if (a.Contains(akRight)) {
      if (a.Contains(akLeft))
        w += dx;
      else
        l += dx;
    } else if (!a.Contains(akLeft)) {
      l += dx / 2;
    }
    if (a.Contains(akBottom)) {
      if (a.Contains(akTop))
        h += dy;
      else
        t += dy;
    } else if (!a.Contains(akTop)) {
      t += dy / 2;
    }
    if (l != c->Left() || t != c->Top() || w != c->Width() || h != c->Height()) c->SetBounds(l, t, w, h);
  }
}

void TWinControl::UpdateShowing() {
  bool show = Visible() && (!Parent() || Parent()->Showing());
  if (show && !FHandle) CreateHandle();
  if (FHandle && FShowing != show) {
    FShowing = show;
    Perform(CM_SHOWINGCHANGED, 0, 0);
  }
  // The children see this control showing.
  if (show && FShowing)
    for (TWinControl* c : std::vector<TWinControl*>(FWinControls)) c->UpdateShowing();
}

void TWinControl::UpdateControlState() {
  TWinControl* top = this;
  while (top->Parent()) {
    top = top->Parent();
    if (!top->Showing()) return;
  }
  if (!top->HandleAllocated()) return;
  UpdateShowing();
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  int save = SaveDC(dc);
  TPoint o;
  GetWindowOrgEx(dc, &o);
  SetWindowOrgEx(dc, o.X - x, o.Y - y, nullptr);
  ::IntersectClipRect(dc, 0, 0, Width(), Height());
  Perform(WM_ERASEBKGND, WPARAM(dc), LPARAM(dc));
  Perform(WM_PAINT, WPARAM(dc), 0);
  for (TWinControl* c : FWinControls)
    if (c->Visible()) c->PaintTo(dc, c->Left(), c->Top());
  RestoreDC(dc, save);
}

void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::BringToFront() {
  if (Parent()) {
    auto& l = Parent()->FWinControls;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    l.push_back(this);
  }
  if (FHandle) FHandle->BringToFront();
}

void TWinControl::SendToBack() {
  if (Parent()) {
    auto& l = Parent()->FWinControls;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    l.insert(l.begin(), this);
  }
  if (FHandle) FHandle->SendToBack();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!CanResize(width, height)) return;
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  if (FHandle) {
    FHandle->SetBounds(TRect(left, top, left + width, top + height));
    UpdateBoundsFromPeer();
  } else {
    SetBoundsFields(TRect(left, top, left + width, top + height));
  }
  RequestAlign();
}

TRect TWinControl::ClientRect() {
  if (FHandle) return FHandle->ClientRect();
  return TRect(0, 0, Width(), Height());
}

TPoint TWinControl::ClientOrigin() {
  if (FHandle) return FHandle->ClientOrigin();
  return TControl::ClientOrigin();
}

void TWinControl::SetEnabled(bool enabled) { TControl::SetEnabled(enabled); }

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  TControl::SetParent(parent);
}

HDC TWinControl::GetDeviceContext(HWND& wnd) {
  wnd = Handle();
  return ::GetDC(wnd);
}

void TWinControl::Broadcast(TMessage& m) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(m);
    if (m.Result != 0) return;
  }
}

bool TWinControl::IsControlMouseMsg(TMessage& m) {
  TControl* control = nullptr;
  if (FHandle && GetCapture() == FHandle) {
    if (gCaptureControl && gCaptureControl->Parent() == this) control = gCaptureControl;
  } else {
    control = ControlAtPos(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)), false);
  }
  if (!control) return false;
  int x = GetXLParam(m.LParam) - control->Left(), y = GetYLParam(m.LParam) - control->Top();
  m.Result = control->Perform(m.Msg, m.WParam, MakeLParam(x, y));
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS: {
      TWinControl* top = GetTopLevelParent(this);
      if (top && !top->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    case WM_MOUSELEAVE:
      if (gMouseControl && (gMouseControl == this || gMouseControl->Parent() == this)) SetMouseControl(nullptr);
      if (gHintHandler) gHintHandler(this, m);
      return;
    case WM_CANCELMODE:
      if (FHandle && GetCapture() == FHandle && gCaptureControl && gCaptureControl->Parent() == this)
        gCaptureControl->Perform(WM_CANCELMODE, 0, 0);
      break;
    default:
      if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL && m.Msg != WM_MOUSEHWHEEL) {
        if (m.Msg == WM_MOUSEMOVE && !gDrag.Source) {
          TControl* under = GetCaptureControl();
          if (!under) {
            under = ControlAtPos(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)), false);
            if (!under) under = this;
          }
          SetMouseControl(under);
        }
        if (IsControlMouseMsg(m)) {
          if (m.Result == 0 && FHandle) FHandle->DefWindowProc(m);
          return;
        }
      }
      break;
  }
  TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_MOVE: WMMove(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(m); break;
    case WM_KEYUP: WMKeyUp(m); break;
    case WM_SYSKEYUP: WMSysKeyUp(m); break;
    case WM_CHAR: WMChar(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_DESTROY: WMDestroy(m); break;
    case WM_NCDESTROY: WMNCDestroy(m); break;
    case CN_KEYDOWN: CNKeyDown(m); break;
    case CN_KEYUP: CNKeyUp(m); break;
    case CN_CHAR: CNChar(m); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(m); break;
    case CN_SYSCHAR: CNSysChar(m); break;
    case CM_ENTER: CMEnter(m); break;
    case CM_EXIT: CMExit(m); break;
    case CM_DIALOGKEY: CMDialogKey(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_CHILDKEY: CMChildKey(m); break;
    case CM_FOCUSCHANGED: CMFocusChanged(m); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); break;
    case CM_ENABLEDCHANGED: CMWinEnabledChanged(m); break;
    case CM_VISIBLECHANGED: CMWinVisibleChanged(m); break;
    case CM_COLORCHANGED: CMWinColorChanged(m); break;
    case CM_FONTCHANGED: CMWinFontChanged(m); break;
    case CM_INVALIDATE: CMInvalidate(m); break;
    case CM_TEXTCHANGED: CMTextChangedWin(m); break;
    case WM_CONTEXTMENU: WMWinContextMenu(m); break;
    default: TControl::Dispatch(m); break;
  }
}

void TWinControl::WMWinContextMenu(TMessage& m) {
  const TPoint pt(GetXLParam(m.LParam), GetYLParam(m.LParam));
  if (m.Result == 0 && !(pt.X == -1 && pt.Y == -1)) {
    if (TControl* control = ControlAtPos(ScreenToClient(pt), false)) {
      m.Result = control->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
      if (m.Result != 0) return;
    }
  }
  WMContextMenu(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (FHandle && WidgetsetInstalled() && Widgetset().IsWindow(FHandle))
    FHandle->DefWindowProc(m);
  else
    TControl::DefaultHandler(m);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m(WM_PAINT, WPARAM(dc), 0);
  DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(FHandle, &ps);
  if (!dc) return;
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    int save = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* c : FControls)
      if (c->Visible() && c->FControlStyle.Contains(csOpaque)) {
        clip = ::ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        if (clip == NULLREGION) break;
      }
    if (clip != NULLREGION) PaintWindow(dc);
    RestoreDC(dc, save);
  }
  PaintControls(dc, nullptr);
  if (!m.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  size_t start = 0;
  if (first) {
    auto it = std::find(FControls.begin(), FControls.end(), first);
    if (it != FControls.end()) start = size_t(it - FControls.begin());
  }
  for (size_t i = start; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    if (!c->Visible()) continue;
    TRect r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    int save = SaveDC(dc);
    TPoint o;
    GetWindowOrgEx(dc, &o);
    SetWindowOrgEx(dc, o.X - c->Left(), o.Y - c->Top(), nullptr);
    ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, WPARAM(dc), 0);
    RestoreDC(dc, save);
  }
}

void TWinControl::WMPaint(TMessage& m) {
  if (!FDoubleBuffered || m.WParam != 0) {
    if (!FControlState.Contains(csCustomPaint) && ControlCount() == 0)
      DefaultHandler(m);
    else
      PaintHandler(m);
    return;
  }
  TRect cr = ClientRect();
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, cr.Right, cr.Bottom);
  ReleaseDC(nullptr, screen);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  // The paint area of the window applies to the buffer too.
  ::IntersectClipRect(mem, ps.rcPaint.Left, ps.rcPaint.Top, ps.rcPaint.Right, ps.rcPaint.Bottom);
  Perform(WM_ERASEBKGND, WPARAM(mem), LPARAM(mem));
  TMessage inner(WM_PAINT, WPARAM(mem), 0);
  WMPaint(inner);
  BitBlt(dc, 0, 0, cr.Right, cr.Bottom, mem, 0, 0, SRCCOPY);
  EndPaint(FHandle, &ps);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (!FDoubleBuffered || m.WParam == WPARAM(m.LParam)) {
    TRect r = ClientRect();
    ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, FBrush->Handle());
  }
  m.Result = 1;
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  UpdateBoundsFromPeer();
  DefaultHandler(m);
}

void TWinControl::WMSize(TMessage& m) {
  UpdateBoundsFromPeer();
  DefaultHandler(m);
  TSize now = FHandle ? FHandle->ClientSize() : TSize(Width(), Height());
  if (FHaveClientSize) ApplyAnchors(FLastClientSize, now);
  FLastClientSize = now;
  FHaveClientSize = true;
  Realign();
  if (!(ComponentState() & csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& m) {
  UpdateBoundsFromPeer();
  DefaultHandler(m);
}

void TWinControl::WMSetFocus(TMessage& m) { DefaultHandler(m); }
void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

bool TWinControl::DoKeyEvent(TMessage& m, bool (TWinControl::*formFirst)(TMessage&),
                             void (TWinControl::*handler)(uint16_t&, TShiftState)) {
  TWinControl* form = GetTopLevelParent(this);
  if (form && form != this && form->KeyPreview() && (form->*formFirst)(m)) return true;
  TWMKey k(m);
  TShiftState shift = KeyDataToShiftState(k.KeyData());
  if (!FControlStyle.Contains(csNoStdEvents)) {
    uint16_t key = k.CharCode();
    (this->*handler)(key, shift);
    k.SetCharCode(key);
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyDown(TMessage& m) { return DoKeyEvent(m, &TWinControl::DoKeyDown, &TWinControl::KeyDown); }

bool TWinControl::DoKeyUp(TMessage& m) { return DoKeyEvent(m, &TWinControl::DoKeyUp, &TWinControl::KeyUp); }

bool TWinControl::DoKeyPress(TMessage& m) {
  TWinControl* form = GetTopLevelParent(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    TWMKey k(m);
    char ch = char(uint8_t(k.CharCode()));
    KeyPress(ch);
    k.SetCharCode(uint8_t(ch));
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}
void TWinControl::WMSysKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}
void TWinControl::WMKeyUp(TMessage& m) {
  if (!DoKeyUp(m)) DefaultHandler(m);
}
void TWinControl::WMSysKeyUp(TMessage& m) {
  if (!DoKeyUp(m)) DefaultHandler(m);
}
void TWinControl::WMChar(TMessage& m) {
  if (!DoKeyPress(m)) DefaultHandler(m);
}

bool TWinControl::IsMenuKey(TMessage& m) { return gMenuKeyHandler && gMenuKeyHandler(this, m); }

void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = 1;
  if (IsMenuKey(m)) return;
  if (Perform(CM_CHILDKEY, m.WParam, LPARAM(this)) != 0) return;
  LRESULT mask = 0;
  switch (m.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, m.WParam, m.LParam) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    TWinControl* form = GetTopLevelParent(this);
    if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& m) { m.Result = 0; }

void TWinControl::CNSysKeyDown(TMessage& m) {
  m.Result = 1;
  if (IsMenuKey(m)) return;
  TWinControl* form = GetTopLevelParent(this);
  if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
  m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
  m.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    TWinControl* form = GetTopLevelParent(this);
    if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CNSysChar(TMessage& m) {
  m.Result = 1;
  TWinControl* form = GetTopLevelParent(this);
  if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  m.Result = 0;
}

void TWinControl::CMChildKey(TMessage& m) {
  if (Parent())
    m.Result = Parent()->Perform(CM_CHILDKEY, m.WParam, m.LParam);
  else
    m.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& m) {
  if (DialogKey(m)) {
    m.Result = 1;
    return;
  }
  Broadcast(m);
}

void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}
void TWinControl::CMFocusChanged(TMessage& m) { Broadcast(m); }

void TWinControl::CMShowingChanged(TMessage&) {
  if (FHandle) FHandle->SetVisible(FShowing);
}

void TWinControl::CMWinEnabledChanged(TMessage& m) {
  if (!Enabled() && Parent()) RemoveFocus(false);
  if (FHandle) EnableWindow(FHandle, Enabled());
  TControl::CMEnabledChanged(m);
}

void TWinControl::CMWinVisibleChanged(TMessage&) {
  if (!Visible() && Parent()) RemoveFocus(false);
  if (!Parent()) {
    // A top-level control shows (making its window) or hides itself.
    if (Visible()) {
      UpdateShowing();
    } else if (FHandle) {
      FShowing = false;
      FHandle->SetVisible(false);
    }
    return;
  }
  UpdateControlState();
}

void TWinControl::NotifyChildren(UINT msg) {
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Perform(msg, 0, 0);
}

void TWinControl::CMWinColorChanged(TMessage& m) {
  TControl::CMColorChanged(m);
  FBrush->SetColor(Color());
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMWinFontChanged(TMessage& m) {
  TControl::CMFontChanged(m);
  if (FHandle) Perform(WM_SETFONT, WPARAM(Font()->Handle()), 0);
  NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::CMInvalidate(TMessage& m) {
  if (FHandle && m.WParam == 0) ::InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::CMTextChangedWin(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMSetCursor(TMessage& m) {
  TWMSetCursor v(m);
  if (v.CursorWnd() == FHandle && v.HitTest() == HTCLIENT) {
    TCursor cursor = gScreenCursor;
    if (cursor == crDefault) {
      TPoint p;
      GetCursorPos(&p);
      TControl* c = ControlAtPos(ScreenToClient(p), false);
      if (c) cursor = c->Cursor();
      if (cursor == crDefault) cursor = Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(CursorToIdc(cursor));
      m.Result = 1;
      return;
    }
  }
  DefaultHandler(m);
}

void TWinControl::WMDestroy(TMessage& m) { DefaultHandler(m); }

void TWinControl::WMNCDestroy(TMessage& m) {
  DefaultHandler(m);
  FreeDeviceContext(this);
  for (TControl* c : FControls) FreeDeviceContext(c);
  if (gCaptureControl && (gCaptureControl == this || gCaptureControl->Parent() == this)) gCaptureControl = nullptr;
  FShowing = false;
}

// ---------------------------------------------------------------------------
// TCustomControl / TGraphicControl

namespace {

// Runs paint with the canvas locked onto dc; the canvas lets the context go
// again whether paint returns or throws.
template <typename F>
void PaintOnCanvas(TControlCanvas& canvas, HDC dc, F&& paint) {
  canvas.FreeHandle();
  canvas.Lock();
  canvas.SetHandle(dc);
  try {
    paint();
  } catch (...) {
    canvas.SetHandle(nullptr);
    canvas.Unlock();
    throw;
  }
  canvas.SetHandle(nullptr);
  canvas.Unlock();
}

}  // namespace

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() { FCanvas.reset(); }

TCanvas* TCustomControl::Canvas() const { return FCanvas.get(); }

void TCustomControl::Dispatch(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    WMPaintCustom(msg);
    return;
  }
  TWinControl::Dispatch(msg);
}

void TCustomControl::WMPaintCustom(TMessage& m) {
  FControlState.Include(csCustomPaint);
  try {
    WMPaint(m);
  } catch (...) {
    FControlState.Exclude(csCustomPaint);
    throw;
  }
  FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC dc) {
  PaintOnCanvas(*FCanvas, dc, [this] {
    FCanvas->UpdateTextFlags();
    Paint();
  });
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() { FCanvas.reset(); }

TCanvas* TGraphicControl::Canvas() const { return FCanvas.get(); }

void TGraphicControl::Dispatch(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    WMPaintGraphic(msg);
    return;
  }
  TControl::Dispatch(msg);
}

void TGraphicControl::WMPaintGraphic(TMessage& m) {
  if (!m.WParam || (ComponentState() & csDestroying)) return;
  PaintOnCanvas(*FCanvas, reinterpret_cast<HDC>(m.WParam), [this] { Paint(); });
}

// ---------------------------------------------------------------------------
// TControlCanvas

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
  if (control == FControl) return;
  FreeHandle();
  FControl = control;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  if (!FDeviceContext) {
    HWND wnd = nullptr;
    FDeviceContext = FControl->GetDeviceContext(wnd);
    FWindowHandle = wnd;
    gCanvasList.push_back(this);
  }
  SetHandle(FDeviceContext);
  UpdateTextFlags();
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  if (WidgetsetInstalled()) ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
  gCanvasList.erase(std::remove(gCanvasList.begin(), gCanvasList.end(), this), gCanvasList.end());
}

void TControlCanvas::UpdateTextFlags() {}

void FreeDeviceContexts() {
  std::vector<TControlCanvas*> list = gCanvasList;
  for (TControlCanvas* c : list) c->FreeHandle();
}

void FreeDeviceContext(TControl* control) {
  std::vector<TControlCanvas*> list = gCanvasList;
  for (TControlCanvas* c : list)
    if (c->Control() == control) c->FreeHandle();
}

// ---------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  if (WidgetsetInstalled()) UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  if (FWindow && WidgetsetInstalled()) {
    KillTimer(FWindow, 1);
    DeallocateHWnd(FWindow);
  }
  FWindow = nullptr;
}

void TTimer::UpdateTimer() {
  if (!WidgetsetInstalled()) return;
  if (FWindow) KillTimer(FWindow, 1);
  if (FInterval != 0 && FEnabled) {
    if (!FWindow) FWindow = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    if (::SetTimer(FWindow, 1, FInterval, nullptr) == 0) throw Exception("Not enough timers available");
  }
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(UINT ms) {
  if (ms == FInterval) return;
  FInterval = ms;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent e) {
  OnTimer = std::move(e);
  UpdateTimer();
}

void TTimer::Timer() {
  if (FEnabled && OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& m) {
  if (m.Msg == WM_TIMER) {
    Timer();
    m.Result = 0;
  } else if (FWindow) {
    m.Result = ::DefWindowProc(FWindow, m.Msg, m.WParam, m.LParam);
  }
}
