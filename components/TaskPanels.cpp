#include "TaskPanels.h"

#include <algorithm>

#include "TaskPanelUtils.h"
#include "platform/Cursors.h"
#include "platform/Forms.h"
#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "platform/Sound.h"
#include "platform/Win32.h"

namespace {

const char* const kSpinGlyph = "BM_SPIN16";
const char* const kCloseGlyph = "BM_CLOSE16";

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

int GlyphWidth(const TTaskButton* b) { return b->Glyph()->Width(); }

// DrawText on a canvas's DC with the canvas's font and font colour (its
// handle alone does not select them).
void CanvasDrawText(TCanvas* c, const std::string& text, TRect& rect, UINT flags) {
  HDC dc = c->Handle();
  SelectObject(dc, c->Font()->Handle());
  SetTextColor(dc, ColorToRGB(c->Font()->Color()));
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

// The glyph of a title button as it is drawn: inverted while disabled.
void DrawTitleButton(TCanvas* canvas, TTaskButton* button, int right, int titleHeight) {
  TBitmap* glyph = button->Glyph();
  if (glyph->Empty()) return;
  std::unique_ptr<TBitmap> shown;
  if (!button->Enabled()) {
    shown = InvertedGlyphCopy(glyph);
  } else {
    shown = std::make_unique<TBitmap>();
    shown->Assign(glyph);
    shown->SetTransparent(true);
  }
  canvas->Draw(right - shown->Width() - 1, titleHeight / 2 - shown->Height() / 2, shown.get());
}

}  // namespace

// ---------------------------------------------------------------------------
// TTaskButton

TTaskButton::TTaskButton(TTaskPanel* panel) : FPanel(panel), FGlyph(new TBitmap()) { FGlyph->SetTransparent(true); }

TTaskButton::~TTaskButton() { FGlyph->OnChange = nullptr; }

void TTaskButton::Assign(TPersistent* source) {
  auto* b = dynamic_cast<TTaskButton*>(source);
  if (!b) {
    TPersistent::Assign(source);
    return;
  }
  if (b == this) return;
  FVisible = b->FVisible;
  FEnabled = b->FEnabled;
  FGlyph->Assign(b->FGlyph.get());
  Changed();
}

void TTaskButton::Changed() {
  if (FPanel) FPanel->Invalidate();
}

void TTaskButton::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  Changed();
}

void TTaskButton::SetEnabled(bool v) {
  if (FEnabled == v) return;
  FEnabled = v;
  Changed();
}

void TTaskButton::SetGlyph(TBitmap* glyph) {
  FGlyph->Assign(glyph);
  FGlyph->SetTransparent(true);
  Changed();
}

// ---------------------------------------------------------------------------
// TTaskTitle

TTaskTitle::TTaskTitle(TTaskPanel* panel)
    : FPanel(panel), FFont(new TFont()), FButtonSpin(new TTaskButton(panel)), FButtonClose(new TTaskButton(panel)) {
  RegisterTaskPanelResources();
  FFont->OnChange = [this](TObject*) { Changed(); };
  WatchGlyphs();
  GlyphChanged(nullptr);
}

TTaskTitle::~TTaskTitle() {
  FFont->OnChange = nullptr;
  FButtonSpin->Glyph()->OnChange = nullptr;
  FButtonClose->Glyph()->OnChange = nullptr;
}

void TTaskTitle::WatchGlyphs() {
  FButtonSpin->Glyph()->OnChange = [this](TObject* s) { GlyphChanged(s); };
  FButtonClose->Glyph()->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

void TTaskTitle::GlyphChanged(TObject*) {
  // Loading a picture changes the glyph again, and a picture that is
  // missing or empty would do so for ever: one reload per change.
  if (FReloading) return;
  FReloading = true;
  auto reload = [](TTaskButton* button, const char* name) {
    if (!button->Glyph()->Empty()) return;
    try {
      LoadBitmapResource(*button->Glyph(), name);
      button->Glyph()->SetTransparent(true);
    } catch (const EResNotFound&) {
      // The button stays without a picture.
    }
  };
  reload(FButtonSpin.get(), kSpinGlyph);
  reload(FButtonClose.get(), kCloseGlyph);
  FReloading = false;
}

void TTaskTitle::Assign(TPersistent* source) {
  auto* t = dynamic_cast<TTaskTitle*>(source);
  if (!t) {
    TPersistent::Assign(source);
    return;
  }
  if (t == this) return;
  FCaption = t->FCaption;
  FColor = t->FColor;
  ColorIsMinimized = t->ColorIsMinimized;
  FHeight = t->FHeight;
  FVisible = t->FVisible;
  FFont->Assign(t->FFont.get());
  FButtonSpin->Assign(t->FButtonSpin.get());
  FButtonClose->Assign(t->FButtonClose.get());
  Changed();
}

void TTaskTitle::Changed() {
  if (FPanel) FPanel->Invalidate();
}

void TTaskTitle::SetCaption(const std::string& v) {
  if (FCaption == v) return;
  FCaption = v;
  Changed();
}

void TTaskTitle::SetColor(TColor v) {
  if (FColor == v) return;
  FColor = v;
  Changed();
}

void TTaskTitle::SetHeight(int v) {
  if (FHeight == v) return;
  FHeight = v;
  Changed();
}

void TTaskTitle::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  Changed();
}

void TTaskTitle::SetFont(TFont* font) { FFont->Assign(font); }

void TTaskTitle::SetButtonSpin(TTaskButton* button) { FButtonSpin->Assign(button); }

void TTaskTitle::SetButtonClose(TTaskButton* button) {
  FButtonClose->Assign(button);
  SetHeight(std::max(FHeight, FButtonClose->Glyph()->Height()));
}

// ---------------------------------------------------------------------------
// TTaskPanel

TTaskPanel::TTaskPanel(TComponent* owner)
    : TCustomPanel(owner), FBuffer(new TBitmap()), FAlive(std::make_shared<bool>(true)) {
  // The title's buttons invalidate the panel: it must exist first.
  FTitle = std::make_unique<TTaskTitle>(this);
  TControlStyle style = ControlStyle();
  style.Include(csAcceptsControls).Include(csOpaque);
  SetControlStyle(style);
  SetColor(15395562);
  SetParentColor(false);
  FExpandedHeight = Height();
}

TTaskPanel::~TTaskPanel() {
  *FAlive = false;
  // Children go while the panel is still a panel.
  DestroyComponents();
}

void TTaskPanel::SetColorFrame(TColor v) {
  if (FColorFrame == v) return;
  FColorFrame = v;
  Invalidate();
}

void TTaskPanel::SetStyle(TXPStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  Invalidate();
}

void TTaskPanel::SetTitle(TTaskTitle* title) { FTitle->Assign(title); }

void TTaskPanel::SetTransparent(bool v) {
  if (FTransparent == v) return;
  FTransparent = v;
  Invalidate();
}

void TTaskPanel::SetSizeable(bool v) {
  FSizeable = v;
  FGripWidth = v ? 5 : 0;
}

int TTaskPanel::TitleHeight() const { return std::max(0, FTitle->Height()); }

void TTaskPanel::Paint() {
  const TRect r = ClientRect();
  if (r.Right <= 0 || r.Bottom <= 0) return;
  const int titleHeight = FTitle->Height();
  if (FBuffer->Width() != r.Right || FBuffer->Height() != r.Bottom) FBuffer->SetSize(r.Right, r.Bottom);
  TCanvas* c = FBuffer->Canvas();
  TRect body = r;
  if (FTitle->Visible() && FStyle == xpWindows) body.Top = r.Top + 8;

  if (TWinControl* parent = Parent()) {
    HDC dc = c->Handle();
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -Left(), -Top(), nullptr);
    TRect pr = parent->ClientRect();
    IntersectClipRect(dc, 0, 0, pr.Right, pr.Bottom);
    parent->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
    parent->Perform(WM_PAINT, WPARAM(dc), 0);
    RestoreDC(dc, saved);
    c->Refresh();
  }

  if (!FTransparent) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(body);
  }
  Frame3D(c, body, FColorFrame, FColorFrame, 1);

  if (FTitle->Visible()) {
    TRect band = r;
    if (FStyle == xpWindows)
      InflateRect(band, 2, 2);
    else
      InflateRect(band, -1, -1);
    const TColor bandColor = FCollapsed ? FTitle->ColorIsMinimized : FTitle->Color();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(bandColor);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(bandColor);
    const int bevel = BevelWidth();
    if (FStyle == xpWindows) {
      c->RoundRect(0, 0, Width(), titleHeight, 8, 8);
      c->Rectangle(band.Left, band.Top + 10, band.Right, band.Top + titleHeight + 4 - 2 * bevel);
    } else {
      c->Rectangle(band.Left, band.Top, band.Right, band.Top + titleHeight - 2 * bevel);
    }
    c->Font()->Assign(FTitle->Font());
    const int h = c->TextHeight("^_");
    c->TextOut(band.Left + 5, titleHeight / 2 - h / 2 - 1, FTitle->Caption());
    int closeWidth = 0;
    if (FTitle->ButtonClose()->Visible()) {
      DrawTitleButton(c, FTitle->ButtonClose(), body.Right, titleHeight);
      closeWidth = GlyphWidth(FTitle->ButtonClose());
    }
    if (FTitle->ButtonSpin()->Visible()) DrawTitleButton(c, FTitle->ButtonSpin(), body.Right - closeWidth, titleHeight);
  }

  BitBlt(Canvas()->Handle(), 0, 0, r.Right, r.Bottom, c->Handle(), 0, 0, SRCCOPY);
}

void TTaskPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPanel::MouseDown(button, shift, x, y);
  if ((ComponentState() & csDesigning) || FBusy || !FTitle->Visible()) return;
  const TRect r = ClientRect();
  TTaskButton* close = FTitle->ButtonClose();
  TTaskButton* spin = FTitle->ButtonSpin();
  int closeWidth = 0;
  if (close->Visible()) {
    closeWidth = GlyphWidth(close);
    TRect square(r.Right - closeWidth - 2, r.Top + 2, r.Right - 2, r.Top + closeWidth + 2);
    if (Inside(square, x, y) && close->Enabled()) {
      if (OnCloseButtonClick)
        OnCloseButtonClick(this);
      else
        SetVisible(false);
    }
  }
  if (spin->Visible()) {
    const int spinWidth = GlyphWidth(spin);
    const int x1 = r.Right - closeWidth - spinWidth - 2;
    TRect square(x1, r.Top + 2, x1 + spinWidth, r.Top + spinWidth + 2);
    if (Inside(square, x, y) && spin->Enabled()) {
      if (OnSpinButtonClick)
        OnSpinButtonClick(this);
      else if (FCollapsed)
        Expand();
      else
        Collapse();
    }
  }
  TRect title(r.Left, r.Top, r.Right - 2, r.Top + FTitle->Height());
  if (Inside(title, x, y) && OnTitleClick) OnTitleClick(this);
}

void TTaskPanel::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDownPanel(msg); return;
    case WM_NCHITTEST: WMNCHitTest(msg); return;
    case WM_SIZE: WMSizePanel(msg); return;
    default: TCustomPanel::Dispatch(msg); return;
  }
}

void TTaskPanel::WMLButtonDownPanel(TMessage& m) {
  std::shared_ptr<bool> alive = FAlive;
  TCustomPanel::Dispatch(m);
  // A title click may have freed the panel.
  if (!*alive) return;
  if ((ComponentState() & csDesigning) || FBusy) return;
  if (Align() != alNone && Align() != alCustom) return;
  if (!FTitle->Visible() || !FMoveable || !HandleAllocated()) return;
  int buttons = 0;
  if (FTitle->ButtonClose()->Visible()) buttons += GlyphWidth(FTitle->ButtonClose());
  if (FTitle->ButtonSpin()->Visible()) buttons += GlyphWidth(FTitle->ButtonSpin());
  const TRect r = ClientRect();
  TRect drag(r.Left, r.Top, r.Right - buttons - 2, r.Top + FTitle->Height());
  const TPoint origin = ClientOrigin();
  OffsetRect(drag, origin.X, origin.Y);
  TPoint cursor;
  GetCursorPos(&cursor);
  if (!Inside(drag, cursor.X, cursor.Y)) return;
  ReleaseCapture();
  Perform(WM_NCLBUTTONDOWN, WPARAM(HTCAPTION), MakeLParam(cursor.X, cursor.Y));
}

void TTaskPanel::WMNCHitTest(TMessage& m) {
  if (!FSizeable || FCollapsed) {
    TCustomPanel::Dispatch(m);
    return;
  }
  const TPoint p = ScreenToClient(TPoint(GetXLParam(m.LParam), GetYLParam(m.LParam)));
  const int dx = Width() - p.X;
  const int dy = Height() - p.Y;
  const int g = FGripWidth;
  if (dx < g && dy < g)
    m.Result = HTBOTTOMRIGHT;
  else if (dx < g)
    m.Result = HTRIGHT;
  else if (dy < g)
    m.Result = HTBOTTOM;
  else
    m.Result = HTCLIENT;
}

void TTaskPanel::WMSizePanel(TMessage& m) {
  if (FCollapsed) {
    // The bounds follow the window; nothing else happens while folded.
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
    return;
  }
  const int newHeight = HiWord(uintptr_t(m.LParam));
  const int titleHeight = TitleHeight();
  if (!FBusy && newHeight >= titleHeight)
    TCustomPanel::Dispatch(m);
  else
    Perform(WM_WINDOWPOSCHANGED, 0, 0);
  if (newHeight < titleHeight) SetHeight(titleHeight);
  FExpandedHeight = Height();
}

bool TTaskPanel::AnimationStep(int height) {
  std::shared_ptr<bool> alive = FAlive;
  SetHeight(height);
  if (!*alive) return false;
  if (Application)
    Application->ProcessMessages();
  else if (WidgetsetInstalled())
    Widgetset().ProcessMessages();
  return *alive && !(ComponentState() & csDestroying);
}

bool TTaskPanel::FoldAnimation(int from) {
  if (ComponentState() & csLoading) return true;
  const int titleHeight = TitleHeight();
  int h = from;
  do {
    --h;
    if (h % 4 == 0 && !AnimationStep(h)) return false;
  } while (h >= titleHeight);
  SetHeight(titleHeight);
  Invalidate();
  return true;
}

bool TTaskPanel::UnfoldAnimation() {
  if (ComponentState() & csLoading) return true;
  int h = TitleHeight();
  do {
    ++h;
    if (h % 4 == 0 && !AnimationStep(h)) return false;
  } while (h <= FExpandedHeight);
  SetHeight(FExpandedHeight);
  Invalidate();
  return true;
}

void TTaskPanel::PlayFoldSound(const char* name) {
  // A sound that cannot play is no reason to stop.
  PlaySound(name, 0, SND_RESOURCE | SND_ASYNC);
}

void TTaskPanel::Collapse() {
  if ((ComponentState() & csLoading) || FCollapsed) return;
  const TAlign a = Align();
  if (a == alLeft || a == alRight || a == alClient || a == alCustom) return;
  const int h = FExpandedHeight;
  FBusy = true;
  if (FAnimated) {
    if (!FoldAnimation(h)) return;
  } else {
    SetHeight(TitleHeight());
  }
  if (FSound) PlayFoldSound("SNF_001");
  FExpandedHeight = h;
  FBusy = false;
  FCollapsed = true;
}

void TTaskPanel::Expand() {
  if ((ComponentState() & csLoading) || !FCollapsed) return;
  if (FSound) PlayFoldSound("SNF_005");
  FBusy = true;
  if (FAnimated) {
    if (!UnfoldAnimation()) return;
  } else {
    SetHeight(FExpandedHeight);
  }
  FCollapsed = false;
  FBusy = false;
  // The children were not realigned while the panel was folded.
  Realign();
}

// ---------------------------------------------------------------------------
// THoverFont, THoverLabel

void THoverFont::Assign(TPersistent* source) {
  auto* f = dynamic_cast<THoverFont*>(source);
  if (!f) {
    TPersistent::Assign(source);
    return;
  }
  Color = f->Color;
  Style = f->Style;
}

THoverLabel::THoverLabel(TComponent* owner)
    : TGraphicControl(owner), FHoverFont(new THoverFont()), FGlyph(new TBitmap()) {
  RegisterTaskPanelResources();
  TControlStyle style = ControlStyle();
  style.Include(csOpaque).Include(csReplicatable);
  SetControlStyle(style);
  SetBounds(0, 0, 116, 19);
  SetParentFont(false);
  SetColor(clBtnFace);
  FHoverFont->Color = Font()->Color();
  FGlyph->SetTransparent(true);
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  SetScreenCursorHandle(crHoverHand, LoadCursorResource("HOVERHAND"));
}

THoverLabel::~THoverLabel() {
  FGlyph->OnChange = nullptr;
  TControl::SetCursor(crDefault);
}

void THoverLabel::SetName(const std::string& name) {
  const bool follows = GetText() == Name();
  TGraphicControl::SetName(name);
  if (follows) SetText(name);
}

void THoverLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void THoverLabel::SetFont(TFont* font) {
  Font()->Assign(font);
  Invalidate();
}

void THoverLabel::SetColor(TColor v) {
  TControl::SetColor(v);
  Invalidate();
}

void THoverLabel::SetHoverColor(TColor v) {
  FHoverColor = v;
  Invalidate();
}

void THoverLabel::SetHoverFont(THoverFont* font) {
  FHoverFont->Assign(font);
  Invalidate();
}

void THoverLabel::SetHoverCursor(bool v) {
  if (FHoverCursor == v) return;
  FHoverCursor = v;
  TControl::SetCursor(v ? crHoverHand : crDefault);
}

void THoverLabel::SetGlyph(TBitmap* glyph) {
  FGlyph->Assign(glyph);
  FGlyph->SetTransparent(true);
}

void THoverLabel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  Invalidate();
}

void THoverLabel::SetLayout(TTextLayout v) {
  if (FLayout == v) return;
  FLayout = v;
  Invalidate();
}

void THoverLabel::SetWordwrap(bool v) {
  if (FWordwrap == v) return;
  FWordwrap = v;
  Invalidate();
}

void THoverLabel::SetAutoSize(bool v) {
  if (FAutoSize == v) return;
  FAutoSize = v;
  AdjustBounds();
}

void THoverLabel::SetTransparent(bool v) {
  if (Transparent() == v) return;
  TControlStyle style = ControlStyle();
  if (v)
    style.Exclude(csOpaque);
  else
    style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void THoverLabel::DoDrawText(TRect& rect, UINT flags) {
  std::string text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || text == "&")) text += " ";
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  if (FHovered && Enabled()) {
    c->Font()->SetStyle(FHoverFont->Style);
    c->Font()->SetColor(FHoverFont->Color);
  }
  if (Enabled()) {
    CanvasDrawText(c, text, rect, flags);
    return;
  }
  OffsetRect(rect, 1, 1);
  c->Font()->SetColor(clBtnHighlight);
  CanvasDrawText(c, text, rect, flags);
  OffsetRect(rect, -1, -1);
  c->Font()->SetColor(clBtnShadow);
  CanvasDrawText(c, text, rect, flags);
}

void THoverLabel::Paint() {
  if (ComponentState() & csLoading) return;
  TCanvas* c = Canvas();
  c->Draw(0, 0, FGlyph.get());
  TRect text(FGlyph->Width() + 4, 0, ClientWidth(), ClientHeight());
  if (!Transparent()) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FHovered && Enabled() ? FHoverColor : Color());
    c->FillRect(text);
  }
  c->Brush()->SetStyle(bsClear);
  SetBkMode(c->Handle(), TRANSPARENT);
  static const UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = DT_EXPANDTABS | (FWordwrap ? DT_WORDBREAK : 0) | kAlign[FAlignment];
  if (FLayout != tlTop) {
    TRect measured = text;
    DoDrawText(measured, flags | DT_CALCRECT);
    int offset = Height() - measured.Bottom;
    if (FLayout == tlCenter) offset /= 2;
    OffsetRect(text, 0, offset);
  }
  DoDrawText(text, flags);
}

void THoverLabel::AdjustBounds() {
  if (!FAutoSize || (ComponentState() & (csLoading | csReading)) || !WidgetsetInstalled()) return;
  TRect r = ClientRect();
  HDC dc = GetDC(nullptr);
  TCanvas* c = Canvas();
  c->SetHandle(dc);
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordwrap ? DT_WORDBREAK : 0));
  c->SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int left = Left();
  if (FAlignment == taRightJustify) left = Left() + Width() - r.Right;
  SetBounds(left, Top(), r.Right + FGlyph->Width() + 3, LargerOf(r.Bottom, FGlyph->Height()));
}

void THoverLabel::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_TEXTCHANGED:
      Invalidate();
      AdjustBounds();
      break;
    case CM_FONTCHANGED:
      TGraphicControl::Dispatch(msg);
      Invalidate();
      break;
    case WM_SIZE: Invalidate(); break;
    case CM_MOUSEENTER: CMMouseEnterLabel(msg); break;
    case CM_MOUSELEAVE: CMMouseLeaveLabel(msg); break;
    default: TGraphicControl::Dispatch(msg); break;
  }
}

void THoverLabel::CMMouseEnterLabel(TMessage& m) {
  // The parent hears of it as it would of any control; the label's own
  // event waits until Hovered says where the mouse really is.
  if (m.LParam != 0) {
    TGraphicControl::Dispatch(m);
    return;
  }
  if (Parent()) Parent()->Perform(CM_MOUSEENTER, 0, LPARAM(this));
  TPoint p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  FHovered = Inside(ClientRect(), p.X, p.Y);
  if (OnMouseEnter) OnMouseEnter(this);
  if (FHoverCursor && Enabled()) TControl::SetCursor(crHoverHand);
  Invalidate();
}

void THoverLabel::CMMouseLeaveLabel(TMessage& m) {
  TGraphicControl::Dispatch(m);
  if (m.LParam != 0) return;
  FHovered = false;
  if (OnMouseHover) OnMouseHover(this);
  if (FHoverCursor && Enabled()) TControl::SetCursor(crDefault);
  Invalidate();
}
