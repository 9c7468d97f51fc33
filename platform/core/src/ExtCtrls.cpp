#include "platform/ExtCtrls.h"

#include <algorithm>

#include "platform/Gdi.h"
#include "platform/Win32.h"

// ---- TCustomPanel ----
TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
  if (FFullRepaint) params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  InflateRect(rect, -FBorderWidth, -FBorderWidth);
  int bevel = 0;
  if (FBevelOuter != bvNone) bevel += FBevelWidth;
  if (FBevelInner != bvNone) bevel += FBevelWidth;
  InflateRect(rect, -bevel, -bevel);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  auto colors = [](TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    colors(FBevelOuter, top, bottom);
    Frame3D(c, r, top, bottom, FBevelWidth);
  }
  Frame3D(c, r, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    colors(FBevelInner, top, bottom);
    Frame3D(c, r, top, bottom, FBevelWidth);
  }
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  std::string text = Caption();
  if (text.empty()) return;
  c->Brush()->SetStyle(bsClear);
  c->Font()->Assign(Font());
  int h = c->TextHeight("W");
  r.Top = (r.Bottom + r.Top - h) / 2;
  r.Bottom = r.Top + h;
  static const UINT align[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
           DT_EXPANDTABS | DT_VCENTER | align[FAlignment]);
}

void TCustomPanel::Dispatch(TMessage& msg) {
  TCustomControl::Dispatch(msg);
  switch (msg.Msg) {
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED: Invalidate(); break;
    default: break;
  }
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (FBevelInner == v) return;
  FBevelInner = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (FBevelOuter == v) return;
  FBevelOuter = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
  if (v < 1) v = 1;
  if (FBevelWidth == v) return;
  FBevelWidth = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
  if (v < 0) v = 0;
  if (FBorderWidth == v) return;
  FBorderWidth = v;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (FBorderStyle == v) return;
  FBorderStyle = v;
  if (HandleAllocated()) RecreateWnd();
}

// ---- TBevel ----
TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(TControlStyle{csReplicatable});
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
  if (FShape == v) return;
  FShape = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  auto rectLines = [c](const TRect& r, TColor a, TColor b) {
    c->Pen()->SetColor(a);
    c->Polyline({TPoint(r.Left, r.Bottom), TPoint(r.Left, r.Top), TPoint(r.Right, r.Top)});
    c->Pen()->SetColor(b);
    c->Polyline({TPoint(r.Right, r.Top), TPoint(r.Right, r.Bottom), TPoint(r.Left, r.Bottom)});
  };
  auto line = [c](TColor color, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  int w = Width();
  int h = Height();
  c->Pen()->SetWidth(1);
  switch (FShape) {
    case bsBox: rectLines(TRect(0, 0, w - 1, h - 1), c1, c2); break;
    case bsFrame:
      rectLines(TRect(1, 1, w - 1, h - 1), c2, c2);
      rectLines(TRect(0, 0, w - 2, h - 2), c1, c1);
      break;
    case bsTopLine:
      line(c1, 0, 0, w, 0);
      line(c2, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(c1, 0, h - 2, w, h - 2);
      line(c2, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(c1, 0, 0, 0, h);
      line(c2, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(c1, w - 2, 0, w - 2, h);
      line(c2, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

// ---- TImage ----
TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(new TPicture()) {
  SetControlStyle(TControlStyle{csReplicatable});
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this](TObject* s) { PictureChanged(s); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::PictureChanged(TObject*) {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  if (TGraphic* g = FPicture->Graphic()) g->SetTransparent(FTransparent);
  Invalidate();
}

TRect TImage::DestRect() const {
  int w = FPicture->Width();
  int h = FPicture->Height();
  int cw = Width();
  int ch = Height();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r(0, 0, w, h);
  if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  Canvas()->StretchDraw(DestRect(), g);
}

void TImage::SetStretch(bool v) {
  if (FStretch == v) return;
  FStretch = v;
  Invalidate();
}

void TImage::SetProportional(bool v) {
  if (FProportional == v) return;
  FProportional = v;
  Invalidate();
}

void TImage::SetCenter(bool v) {
  if (FCenter == v) return;
  FCenter = v;
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  FAutoSize = v;
  if (v) PictureChanged(nullptr);
}

void TImage::SetTransparent(bool v) {
  if (FTransparent == v) return;
  FTransparent = v;
  PictureChanged(nullptr);
}

// ---- TShape ----
TShape::TShape(TComponent* owner) : TGraphicControl(owner), FBrush(new TBrush()), FPen(new TPen()) {
  SetControlStyle(TControlStyle{csReplicatable});
  SetBounds(0, 0, 65, 65);
  FBrush->OnChange = [this](TObject* s) { StyleChanged(s); };
  FPen->OnChange = [this](TObject* s) { StyleChanged(s); };
}

TShape::~TShape() {
  FBrush->OnChange = nullptr;
  FPen->OnChange = nullptr;
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::SetShape(TShapeType v) {
  if (FShape == v) return;
  FShape = v;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(FPen.get());
  c->Brush()->Assign(FBrush.get());
  int pw = FPen->Width();
  int x = pw / 2;
  int y = x;
  int w = Width() - pw + 1;
  int h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = s;
    h = s;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stCircle:
    case stEllipse: c->Ellipse(x, y, x + w, y + h); break;
  }
}
