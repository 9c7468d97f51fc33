#include "MarkupHint.h"

#include <algorithm>

#include "MarkupHints.h"
#include "platform/Win32.h"

namespace {
int gLastHintMaxWidth = 0;
constexpr int HintGradientSteps = 48;
constexpr int RoundCorner = 16;
}  // namespace

int LastHintMaxWidth() { return gLastHintMaxWidth; }

// ---- TMarkupHint ----
TMarkupHint::TMarkupHint(TComponent* owner) : TComponent(owner) {
  if (!dynamic_cast<TCustomForm*>(owner)) throw EMarkupHintError("Control parent must be a form!");
  int count = 0;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (dynamic_cast<TMarkupHint*>(owner->Components(i))) ++count;
  if (count >= 2) throw EMarkupHintError("Only one instance of TMarkupHint allowed on form");
  if (!(ComponentState() & csDesigning) && Application) {
    Application->SetHintWindowClass([](TComponent* o) -> THintWindow* { return new TMarkupHintWindow(o); });
    FEvents = new TApplicationEvents(this);
    // Off and on: the application makes its hint window anew, in the new
    // class.
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    FEvents->OnShowHint = [this](std::string& s, bool& canShow, THintInfo& info) { AppShowHint(s, canShow, info); };
  }
  FCache.reset(new THintPictureCache);
  FHintFont.reset(new TFont);
  FHintFont->SetColor(clInfoText);
  FHintFont->SetName("Tahoma");
}

TMarkupHint::~TMarkupHint() {
  // Windows drawing for this component forget it while it is still whole.
  NotifyDestruction();
}

void TMarkupHint::SetImages(TImageList* images) {
  FImages = images;
  if (images) images->FreeNotification(this);
}

void TMarkupHint::SetPictureStore(TPictureStore* store) {
  FPictureStore = store;
  if (store) store->FreeNotification(this);
}

void TMarkupHint::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) {
    if (component == FImages) FImages = nullptr;
    if (component == FPictureStore) FPictureStore = nullptr;
  }
  TComponent::Notification(component, operation);
}

void TMarkupHint::AppShowHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo) {
  hintInfo.HintColor = FHintColor;
  if (FMaxWidth != 0) hintInfo.HintMaxWidth = FMaxWidth;
  if (OnShowHint) OnShowHint(hintStr, canShow, hintInfo);
  gLastHintMaxWidth = hintInfo.HintMaxWidth;
  FHintInfo = hintInfo;
  FTooltipPending = canShow;
}

TMarkupHint* CreateProgramMarkupHint(TCustomForm* mainForm) {
  auto* h = new TMarkupHint(mainForm);
  h->SetName("MarkupHint1");
  h->SetEllipsis(true);
  h->SetHintColor(clWhite);
  h->SetHintColorTo(15000804);
  h->HintFont()->SetName("Trebuchet MS");
  h->HintFont()->SetHeight(-11);
  h->HintFont()->SetCharset(RUSSIAN_CHARSET);
  h->HintFont()->SetColor(clInfoText);
  h->HintFont()->SetStyle({});
  h->SetHintStyle(hsRectangle);
  h->SetMaxWidth(0);
  h->SetShadowColor(clWindow);
  h->SetShadowOffset(5);
  h->SetURLColor(clBlack);
  h->SetXMargin(0);
  h->SetYMargin(0);
  return h;
}

// ---- TMarkupHintWindow ----
TMarkupHintWindow::TMarkupHintWindow(TComponent* owner) : THintWindow(owner) {}

TMarkupHintWindow::~TMarkupHintWindow() { SetHintComponent(nullptr); }

void TMarkupHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  // The desktop draws the drop shadow; the frame is painted.
  params.Style &= ~WS_BORDER;
}

TMarkupHint* TMarkupHintWindow::FindHintComponent() {
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (!main) return nullptr;
  for (int i = 0; i < main->ComponentCount(); ++i)
    if (auto* h = dynamic_cast<TMarkupHint*>(main->Components(i))) return h;
  return nullptr;
}

void TMarkupHintWindow::SetHintComponent(TMarkupHint* hint) {
  if (hint == FHint) return;
  if (FHint) RemoveFreeNotification(FHint);
  FHint = hint;
  if (FHint) FHint->FreeNotification(this);
}

void TMarkupHintWindow::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == FHint) FHint = nullptr;
  THintWindow::Notification(component, operation);
}

namespace {
// The renderer's arguments for a hint window of `hint`.
TMarkupRequest HintRequest(TMarkupHint* hint, TCanvas* canvas, const std::string& text, const TRect& r) {
  TMarkupRequest q;
  q.Canvas = canvas;
  q.Text = text;
  q.Rect = r;
  q.Images = hint->Images();
  q.WordWrap = !hint->Ellipsis();
  q.URLColor = hint->URLColor();
  q.PictureCache = hint->PictureCache();
  q.PictureStore = hint->PictureStore();
  return q;
}
}  // namespace

void TMarkupHintWindow::ActivateHint(TRect rect, const std::string& hint) {
  SetCaption(hint);
  SetHintComponent(FindHintComponent());
  if (!FHint) return;
  FDirect = !FHint->TakeTooltip();
  TCanvas* c = Canvas();
  c->Font()->Assign(FHint->HintFont());
  if (!FDirect) SetColor(FHint->HintColor());
  TRect measure = rect;
  measure.Right = FDirect ? rect.Right : rect.Left + LastHintMaxWidth() - 16;
  TMarkupRequest q = HintRequest(FHint, c, hint, measure);
  q.MeasureOnly = true;
  q.ShadowOffset = 1;
  q.ShadowColor = 0x808080;
  TMarkupResult res;
  RenderMarkup(q, res);
  FTextWidth = res.XSize + 2 * FHint->XMargin();
  FTextHeight = res.YSize + 2 * FHint->YMargin();
  if (FDirect) {
    ShowAt(rect);
    return;
  }
  TPoint pos = FHint->HintInfo().HintPos;
  TRect r(pos.X, pos.Y, pos.X + FTextWidth + 16, pos.Y + FTextHeight + 4);
  TMonitor m = Screen ? Screen->MonitorFromPoint(pos) : TMonitor{TRect(0, 0, 1280, 1024)};
  if (r.Right - m.Left() > m.Width()) {
    // A hint wider than the monitor still starts on it.
    r.Left = std::max(m.Left(), m.Left() + m.Width() - r.Width() - 2);
    r.Right = r.Left + FTextWidth + 16;
  }
  if (r.Bottom - m.Top() > m.Height()) {
    r.Bottom = m.Top() + m.Height() - 2;
    r.Top = r.Bottom - FTextHeight - 4;
  }
  ShowAt(r);
  SetWindowRgn(Handle(),
               FHint->HintStyle() == hsRounded
                   ? CreateRoundRectRgn(0, 0, r.Width(), r.Height(), RoundCorner, RoundCorner)
                   : nullptr,
               true);
}

void TMarkupHintWindow::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  TColor back = FHint && !FDirect ? FHint->HintInfo().HintColor : Color();
  if (!FHint || FDirect || FHint->HintColorTo() == clNone) {
    c->Brush()->SetColor(back);
    c->FillRect(r);
  } else {
    FillHintGradient(c, back, FHint->HintColorTo(), false, r, HintGradientSteps);
  }
  if (!FHint) return;
  if (FHint->HintStyle() == hsRectangle) {
    DrawHintFrame(c, r, cl3DLight, cl3DDkShadow);
  } else {
    c->Pen()->SetColor(0x808080);
    c->Brush()->SetStyle(bsClear);
    c->RoundRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1, RoundCorner, RoundCorner);
  }
  TRect t;
  t.Left = r.Left + 4 + FHint->XMargin();
  t.Top = r.Top + (r.Height() - FTextHeight) / 2 + FHint->YMargin();
  t.Bottom = t.Top + FTextHeight + 8;
  t.Right = r.Right - 4;
  c->Font()->Assign(FHint->HintFont());
  c->Brush()->SetColor(back);
  TMarkupRequest q = HintRequest(FHint, c, Caption(), t);
  q.ShadowOffset = FHint->ShadowOffset();
  q.ShadowColor = FHint->ShadowColor();
  TMarkupResult res;
  RenderMarkup(q, res);
}

void DrawHintFrame(TCanvas* canvas, const TRect& r, TColor light, TColor dark) {
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(light);
  canvas->Polyline({TPoint(r.Left, r.Bottom - 2), TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top)});
  canvas->Pen()->SetColor(dark);
  canvas->Polyline({TPoint(r.Left, r.Bottom - 1), TPoint(r.Right - 1, r.Bottom - 1), TPoint(r.Right - 1, r.Top - 1)});
}

void FillHintGradient(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps) {
  if (r.Left >= r.Right || r.Top >= r.Bottom) return;
  FillColorBands(canvas, from, to, horizontal, r, steps, true);
}
