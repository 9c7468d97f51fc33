#include "platform/Buttons.h"

#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool v) {
  if (FFlat == v) return;
  FFlat = v;
  Invalidate();
}

bool TSpeedButton::Inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y < Height(); }

void TSpeedButton::SetPressed(bool v) {
  if (FPressed == v) return;
  FPressed = v;
  Invalidate();
}

void TSpeedButton::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      FHot = msg.Msg == CM_MOUSEENTER;
      if (FFlat) Invalidate();
      break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED: Invalidate(); break;
    default: break;
  }
  TGraphicControl::Dispatch(msg);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  FTracking = true;
  SetPressed(true);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (FTracking) SetPressed(Inside(x, y));
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FTracking) return;
  FTracking = false;
  SetPressed(false);
  if (Inside(x, y)) Click();
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  if (!FFlat || FHot || FPressed) {
    TRect edge = r;
    DrawEdge(c->Handle(), &edge, FPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  c->Font()->Assign(Font());
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  c->Brush()->SetStyle(bsClear);
  TRect text = r;
  if (FPressed) OffsetRect(text, 1, 1);
  c->DrawText(text, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
