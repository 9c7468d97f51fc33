#include "EtchedLabels.h"

#include "platform/Menus.h"

TOpaqueGraphicControl::TOpaqueGraphicControl(TComponent* owner) : TGraphicControl(owner) {
  TControlStyle style = ControlStyle();
  style.Include(csOpaque);
  SetControlStyle(style);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 200, 13);
}

void TOpaqueGraphicControl::Dispatch(TMessage& m) {
  TGraphicControl::Dispatch(m);
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED || m.Msg == CM_COLORCHANGED) Invalidate();
}

TEtchedLabel::TEtchedLabel(TComponent* owner) : TOpaqueGraphicControl(owner) {
  SetParentColor(true);
  SetHeight(13);
}

void TEtchedLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  r.Left += FSpace;
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  std::string caption = Caption();
  TRect text = r;
  c->DrawText(text, caption, DT_SINGLELINE | DT_VCENTER);
  // The rule starts after the caption as drawn (the accelerator marks take
  // no room).
  r.Left += c->TextWidth(StripHotkey(caption)) + 8;
  int y = (r.Bottom - r.Top) / 2;
  // The current system colours, taken at each paint.
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(clBtnShadow);
  c->MoveTo(r.Left, y);
  c->LineTo(r.Right, y);
  c->Pen()->SetColor(clBtnHighlight);
  c->MoveTo(r.Left, y + 1);
  c->LineTo(r.Right, y + 1);
}
