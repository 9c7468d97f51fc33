#include "XpSpeedButtons.h"

#include "XpControls.h"
#include "platform/CodePage.h"

namespace {

constexpr UINT kFirstRepeat = 400;
constexpr UINT kNextRepeats = 100;

struct TBorderColors {
  TColor Line, Edge, Inner;
};
// Outer line, edge pixels and inner pixels of the three looks.
constexpr TBorderColors kRaisedBorder = {RGB(36, 78, 147), RGB(152, 152, 220), RGB(207, 207, 239)};
constexpr TBorderColors kFlatPressedBorder = {RGB(184, 170, 154), RGB(224, 224, 224), RGB(242, 242, 242)};
constexpr TBorderColors kFlatBorder = {RGB(200, 200, 200), RGB(224, 224, 224), RGB(242, 242, 242)};

}  // namespace

// One paint of a button: background, face and frame gradients, border,
// then glyph and caption.
class TXpButtonPainter {
 public:
  TXpButtonPainter(TXpSpeedButton& button, TCanvas* canvas)
      : FB(button), FC(canvas), FW(button.Width()), FH(button.Height()) {}

  void Run() {
    UpdateState();
    FC->Font()->Assign(FB.Font());
    TRect paintRect(0, 0, FW, FH);
    if (!FB.FTransparent) {
      FC->Brush()->SetStyle(bsSolid);
      FC->Brush()->SetColor(ParentBrushColor(&FB));
      FC->FillRect(paintRect);
    }
    bool held = FB.FState == StateDown || FB.FState == StateExclusive;
    FPressed = held || FB.FDown;
    TPoint offset = held ? TPoint(1, 1) : TPoint(0, 0);
    if (FB.FFlat)
      FlatFace();
    else
      RaisedFace();
    if (FB.Enabled() && (!FB.FFlat || FB.FMouseInControl || FB.FDown || FB.Designing())) Border();
    if (FB.FFlat && held) FC->Font()->SetColor(clHighlightText);
    FB.FGlyph->Draw(FC, paintRect, offset, FB.Caption(), FB.FLayout, FB.FMargin, FB.FSpacing, FB.FState, 0);
  }

 private:
  void UpdateState() {
    if (!FB.Enabled()) {
      FB.FState = StateDisabled;
      FB.FDragging = false;
    } else if (FB.FState == StateDisabled) {
      FB.FState = FB.FDown && FB.FGroupIndex != 0 ? StateExclusive : StateUp;
    }
  }

  void Gradient(TBitmap* bitmap, int w, int h, TColor top, TColor bottom, uint8_t colors) {
    GradientBitmap(w, h, top, bottom, colors, 1, true, bitmap);
  }

  void FlatFace() {
    TBitmap* face = FB.FFaceBitmap.get();
    if (!FB.Enabled()) return;
    if (FPressed) {
      Gradient(face, FW, FH, RGB(224, 224, 224), RGB(228, 228, 228), 255);
      FC->Draw(0, 0, face);
    } else if (FB.FMouseInControl || FB.Designing()) {
      // The frame shows as a 3-pixel band along the right and bottom edges.
      Gradient(face, FW - 3, FH - 3, clWhite, RGB(238, 238, 238), 255);
      Gradient(FB.FFrameBitmap.get(), FW, FH, RGB(234, 234, 234), RGB(215, 215, 215), 255);
      FC->Draw(0, 0, FB.FFrameBitmap.get());
      FC->Draw(0, 0, face);
    }
  }

  void RaisedFace() {
    TBitmap* face = FB.FFaceBitmap.get();
    int inset = 0;
    if (!FB.Enabled())
      Gradient(face, FW, FH, RGB(231, 235, 239), clWhite, 255);
    else if (FPressed)
      Gradient(face, FW, FH, RGB(224, 224, 224), RGB(228, 228, 228), 255);
    else if (FB.FMouseInControl && !FB.MouseCapture()) {
      Gradient(face, FW - 6, FH - 6, clWhite, RGB(231, 235, 239), 255);
      inset = 3;
    } else {
      Gradient(face, FW, FH, clWhite, RGB(231, 235, 239), 255);
    }
    Gradient(FB.FFrameBitmap.get(), FW, FH, RGB(255, 226, 174), RGB(255, 194, 81), 16);
    if (inset == 3) FC->Draw(0, 0, FB.FFrameBitmap.get());
    FC->Draw(inset, inset, face);
  }

  void Line(int x1, int y1, int x2, int y2) {
    FC->MoveTo(x1, y1);
    FC->LineTo(x2, y2);
  }

  void Pixels(std::initializer_list<TPoint> points, TColor color) {
    for (TPoint p : points) FC->SetPixels(p.X, p.Y, color);
  }

  void Border() {
    const TBorderColors& k = !FB.FFlat ? kRaisedBorder : FPressed ? kFlatPressedBorder : kFlatBorder;
    const int w = FW, h = FH;
    FC->Pen()->SetStyle(psSolid);
    FC->Pen()->SetColor(k.Line);
    Line(0, 0, 0, h);
    Line(0, h - 1, w, h - 1);
    Line(0, 0, w, 0);
    Line(w - 1, 0, w - 1, h);
    Pixels({TPoint(0, 0), TPoint(w - 1, 0), TPoint(0, h - 1), TPoint(w - 1, h - 1)}, ParentBrushColor(&FB));
    Pixels({TPoint(1, 1), TPoint(w - 2, 1), TPoint(1, h - 2), TPoint(w - 2, h - 2)}, k.Line);
    Pixels({TPoint(1, 0), TPoint(w - 2, 0), TPoint(1, h - 1), TPoint(w - 2, h - 1), TPoint(0, 1), TPoint(w - 1, 1),
            TPoint(0, h - 2), TPoint(w - 1, h - 2)},
           k.Edge);
    if (FB.Designing()) return;
    Pixels({TPoint(2, 1), TPoint(w - 3, 1), TPoint(2, h - 2), TPoint(1, 2), TPoint(w - 2, 2), TPoint(1, h - 3)},
           k.Inner);
    if (!FB.FFlat) Pixels({TPoint(w - 3, h - 2), TPoint(w - 2, h - 3)}, k.Inner);
  }

  TXpSpeedButton& FB;
  TCanvas* FC;
  int FW;
  int FH;
  bool FPressed = false;
};

TXpSpeedButton::TXpSpeedButton(TComponent* owner)
    : TGraphicControl(owner), FGlyph(new TXpBGlyph), FFaceBitmap(new TBitmap), FFrameBitmap(new TBitmap) {
  SetBounds(0, 0, 23, 22);
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetColor(clBtnFace);
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TXpSpeedButton::~TXpSpeedButton() {
  // Holders of the button see it whole while it leaves.
  NotifyDestruction();
  FGlyph->OnChange = nullptr;
  if (FAction) FAction->RemoveFreeNotification(this);
  // The drop-down menu goes with the button; its destruction notifies us
  // and clears the reference.
  delete FDropDownMenu;
}

void TXpSpeedButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(m); return;
    case CM_DIALOGCHAR: CMDialogChar(m); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return;
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); return;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TGraphicControl::Dispatch(m);
      Invalidate();
      return;
    default: TGraphicControl::Dispatch(m);
  }
}

void TXpSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  FGlyph->StateImageIndex(Enabled() ? StateUp : StateDisabled);
}

void TXpSpeedButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FDropDownMenu) FDropDownMenu = nullptr;
  if (component == FAction) FAction = nullptr;
}

// ---- properties ----

void TXpSpeedButton::SetFlat(bool flat) {
  if (flat == FFlat) return;
  FFlat = flat;
  Invalidate();
}

void TXpSpeedButton::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  TControlStyle style = ControlStyle();
  if (transparent)
    style.Exclude(csOpaque);
  else
    style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TXpSpeedButton::SetLayout(TButtonLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  Invalidate();
}

void TXpSpeedButton::SetMargin(int margin) {
  if (margin == FMargin || margin < -1) return;
  FMargin = margin;
  Invalidate();
}

void TXpSpeedButton::SetSpacing(int spacing) {
  if (spacing == FSpacing) return;
  FSpacing = spacing;
  Invalidate();
}

void TXpSpeedButton::SetGroupIndex(int index) {
  if (index == FGroupIndex) return;
  FGroupIndex = index;
  UpdateExclusive();
}

void TXpSpeedButton::SetAllowAllUp(bool allow) {
  if (allow == FAllowAllUp) return;
  FAllowAllUp = allow;
  UpdateExclusive();
}

void TXpSpeedButton::SetDown(bool down) {
  if (FGroupIndex == 0) down = false;
  if (down == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = down;
  if (down) {
    if (FState == StateUp) Invalidate();
    FState = StateExclusive;
    UpdateExclusive();
  } else {
    FState = StateUp;
    Repaint();
  }
}

void TXpSpeedButton::SetRepeatAction(bool repeat) {
  if (repeat == FRepeatAction) return;
  FRepeatAction = repeat;
  Invalidate();
}

void TXpSpeedButton::SetDropDownMenu(TPopupMenu* menu) {
  if (menu == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TXpSpeedButton::SetAction(TBasicAction* action) {
  if (action == FAction) return;
  if (FAction) FAction->RemoveFreeNotification(this);
  FAction = action;
  if (!action) return;
  action->FreeNotification(this);
  ActionChange(action, false);
}

void TXpSpeedButton::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
  if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!checkDefaults || Hint().empty()) SetHint(action->Hint());
  if (!checkDefaults || Visible()) SetVisible(action->Visible());
  // An empty glyph takes the action's picture from its list.
  TActionList* list = action->ActionList();
  TImageList* images = list ? list->Images() : nullptr;
  int index = action->ImageIndex();
  if (!images || index < 0 || index >= images->Count() || !Glyph()->Empty()) return;
  TBitmap picture(images->Width(), images->Height());
  picture.Canvas()->Brush()->SetColor(clFuchsia);
  picture.Canvas()->FillRect(TRect(0, 0, images->Width(), images->Height()));
  images->Draw(picture.Canvas(), 0, 0, index);
  SetGlyph(&picture);
}

void TXpSpeedButton::Click() {
  if (FAction && !OnClick) {
    FAction->Execute();
    return;
  }
  TGraphicControl::Click();
}

// ---- painting ----

void TXpSpeedButton::Paint() { TXpButtonPainter(*this, Canvas()).Run(); }

// ---- mouse ----

bool TXpSpeedButton::Inside(int x, int y) {
  // The bottom row beyond the client area still counts as inside.
  return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TXpSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = StateDown;
    Invalidate();
  }
  FDragging = true;
  if (Designing() || !FRepeatAction) return;
  if (!FRepeatTimer) {
    FRepeatTimer = new TTimer(this);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetOnTimer([this](TObject* s) { RepeatTick(s); });
  }
  FRepeatTimer->SetInterval(kFirstRepeat);
  FRepeatTimer->SetEnabled(true);
}

void TXpSpeedButton::RepeatTick(TObject*) {
  FRepeatTimer->SetInterval(kNextRepeats);
  if (FState != StateDown || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TXpSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (FDragging) {
    TButtonState next = FDown ? StateExclusive : StateUp;
    if (Inside(x, y)) next = FDown ? StateExclusive : StateDown;
    if (next != FState) {
      FState = next;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TXpSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (FDragging) {
    FDragging = false;
    bool inside = Inside(x, y);
    if (FGroupIndex == 0) {
      FState = StateUp;
      FMouseInControl = false;
      if (inside) Invalidate();
    } else if (inside) {
      SetDown(!FDown);
      if (FDown) Repaint();
    } else {
      if (FDown) FState = StateExclusive;
      Repaint();
    }
    if (inside) Click();
    UpdateTracking();
  }
  if (Designing()) return;
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  if (!FRepeatAction && FDropDownMenu) ShowDropDown();
}

TPoint TXpSpeedButton::DropDownPoint() {
  // The button's position is in its parent's client coordinates; the menu
  // wants a screen point.
  TPoint below(Left() - 1, Top() + Height());
  return Parent() ? Parent()->ClientToScreen(below) : below;
}

void TXpSpeedButton::ShowDropDown() {
  TPopupMenu* menu = FDropDownMenu;
  menu->SetAutoPopup(false);
  menu->SetPopupComponent(this);
  menu->SetAlignment(paLeft);
  TPoint at = DropDownPoint();
  menu->Popup(at.X, at.Y);
  if (FDropDownMenu) FDropDownMenu->SetAutoPopup(true);
  if (FFlat) Perform(CM_MOUSELEAVE);
}

void TXpSpeedButton::UpdateTracking() {
  if (!FFlat || !Enabled() || Designing()) return;
  // Bring MouseInControl to the truth through the enter and leave handlers.
  bool over = FindDragTarget(Mouse.CursorPos(), true) == this;
  FMouseInControl = !over;
  Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TXpSpeedButton::CMMouseEnter(TMessage& m) {
  TGraphicControl::Dispatch(m);
  if (Designing() || FMouseInControl || !Enabled() || DragMode() == dmAutomatic || GetCapture() != nullptr) return;
  FMouseInControl = true;
  Repaint();
}

void TXpSpeedButton::CMMouseLeave(TMessage& m) {
  TGraphicControl::Dispatch(m);
  if (Designing() || !FMouseInControl || !Enabled()) return;
  if (FFlat && FDragging) return;
  FMouseInControl = false;
  Invalidate();
}

void TXpSpeedButton::WMLButtonDblClk(TMessage& m) {
  TGraphicControl::Dispatch(m);
  if (FDown) DblClick();
}

// ---- groups and messages ----

void TXpSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i)
    parent->Controls(i)->Perform(CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TObject*>(this)));
}

void TXpSpeedButton::CMButtonPressed(TMessage& m) {
  if (int(m.WParam) != FGroupIndex) return;
  // lParam carries the announcing object; only another speed button counts.
  auto* sender = dynamic_cast<TXpSpeedButton*>(reinterpret_cast<TObject*>(m.LParam));
  if (!sender || sender == this) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = StateUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

void TXpSpeedButton::CMDialogChar(TMessage& m) {
  char ch = char(m.WParam & 0xFF);
  char key = GetHotkey(Caption());
  if (key != 0 && AnsiUpperChar(ch) == key && Enabled() && Visible() && Parent() && Parent()->Showing()) {
    Click();
    m.Result = 1;
    return;
  }
  TGraphicControl::Dispatch(m);
}

void TXpSpeedButton::CMEnabledChanged(TMessage& m) {
  TGraphicControl::Dispatch(m);
  FGlyph->StateImageIndex(Enabled() ? StateUp : StateDisabled);
  UpdateTracking();
  Repaint();
}

void TXpSpeedButton::CMSysColorChange(TMessage& m) {
  TGraphicControl::Dispatch(m);
  FGlyph->ReleaseImages();
  FGlyph->StateImageIndex(FState);
}
