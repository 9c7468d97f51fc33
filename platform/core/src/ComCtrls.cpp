#include "platform/ComCtrls.h"

#include <algorithm>

#include "platform/Gdi.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"
#include "platform/Win32.h"

// ---- status panels ----
int TStatusPanel::Index() const {
  for (int i = 0; i < FBar->Panels()->Count(); ++i)
    if (FBar->Panels()->Items(i) == this) return i;
  return -1;
}

void TStatusPanel::SetText(const std::string& v) {
  if (FText == v) return;
  FText = v;
  FBar->PanelChanged(Index());
}

void TStatusPanel::SetWidth(int v) {
  if (FWidth == v) return;
  FWidth = v;
  FBar->PanelChanged(-1);
}

void TStatusPanel::SetAlignment(TAlignment v) {
  if (FAlignment == v) return;
  FAlignment = v;
  FBar->PanelChanged(Index());
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
  if (FBevel == v) return;
  FBevel = v;
  FBar->PanelChanged(Index());
}

void TStatusPanel::SetStyle(TStatusPanelStyle v) {
  if (FStyle == v) return;
  FStyle = v;
  FBar->PanelChanged(Index());
}

TStatusPanel* TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[static_cast<size_t>(index)].get();
}

TStatusPanel* TStatusPanels::Add() {
  FItems.push_back(std::make_unique<TStatusPanel>(FBar));
  FBar->PanelChanged(-1);
  return FItems.back().get();
}

void TStatusPanels::Delete(int index) {
  Items(index);
  FItems.erase(FItems.begin() + index);
  FBar->PanelChanged(-1);
}

void TStatusPanels::Clear() {
  FItems.clear();
  FBar->PanelChanged(-1);
}

// ---- status bar ----
TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner), FPanels(new TStatusPanels(this)) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool v) {
  if (FSimplePanel == v) return;
  FSimplePanel = v;
  Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& v) {
  if (FSimpleText == v) return;
  FSimpleText = v;
  if (FSimplePanel) Invalidate();
}

void TStatusBar::SetSizeGrip(bool v) {
  if (FSizeGrip == v) return;
  FSizeGrip = v;
  Invalidate();
}

TRect TStatusBar::PanelRect(int index) {
  TRect client = ClientRect();
  int x = 0;
  for (int i = 0; i < index; ++i) x += FPanels->Items(i)->Width();
  int right = index == FPanels->Count() - 1 ? client.Right : x + FPanels->Items(index)->Width();
  return TRect(x, 2, std::max(x, right), client.Bottom);
}

void TStatusBar::PanelChanged(int index) {
  if (!HandleAllocated()) return;
  if (index < 0 || index >= FPanels->Count() || FSimplePanel) {
    Invalidate();
    return;
  }
  TRect r = PanelRect(index);
  InvalidateRect(WindowHandle(), &r, true);
}

void TStatusBar::Paint() {
  TCanvas* c = Canvas();
  TRect client = ClientRect();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(client);
  c->Font()->Assign(Font());
  auto drawPart = [&](TRect r, const std::string& text, TAlignment align, TStatusPanelBevel bevel) {
    TRect frame(r.Left, r.Top, r.Right - 2, r.Bottom);
    if (bevel != pbNone) {
      TRect f = frame;
      Frame3D(c, f, bevel == pbLowered ? clBtnShadow : clBtnHighlight,
              bevel == pbLowered ? clBtnHighlight : clBtnShadow, 1);
    }
    TRect tr(frame.Left + 2, frame.Top + 1, frame.Right - 2, frame.Bottom - 1);
    static const UINT flags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    c->Brush()->SetStyle(bsClear);
    DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &tr,
             flags[align] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    c->Brush()->SetStyle(bsSolid);
  };
  if (FSimplePanel || FPanels->Count() == 0) {
    if (FSimplePanel || !FSimpleText.empty())
      drawPart(TRect(0, 2, client.Right, client.Bottom), FSimpleText, taLeftJustify, pbNone);
  } else {
    for (int i = 0; i < FPanels->Count(); ++i) {
      TStatusPanel* p = FPanels->Items(i);
      TRect r = PanelRect(i);
      if (p->Style() == psOwnerDraw && OnDrawPanel) {
        OnDrawPanel(this, p, r);
        continue;
      }
      drawPart(r, p->Text(), p->Alignment(), p->Bevel());
    }
  }
  if (FSizeGrip) {
    // Three pairs of diagonal lines in the lower right corner.
    int x = client.Right - 1;
    int y = client.Bottom - 1;
    for (int i = 0; i < 3; ++i) {
      int d = 3 + i * 4;
      c->Pen()->SetColor(clBtnHighlight);
      c->MoveTo(x - d - 1, y);
      c->LineTo(x, y - d - 1);
      c->Pen()->SetColor(clBtnShadow);
      c->MoveTo(x - d, y);
      c->LineTo(x, y - d);
      c->MoveTo(x - d + 1, y);
      c->LineTo(x, y - d + 1);
    }
  }
}

void TStatusBar::Dispatch(TMessage& msg) {
  TCustomControl::Dispatch(msg);
  switch (msg.Msg) {
    case CM_FONTCHANGED:
    case CM_COLORCHANGED: Invalidate(); break;
    case WM_SIZE: Invalidate(); break;
    default: break;
  }
}

// ---- tab sheets ----
TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks, csNoDesignVisible});
  SetAlign(alClient);
  SetVisible(false);
  SetColor(clBtnFace);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (FPageControl == control) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(control);
  if (control) control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  int cur = PageIndex();
  index = std::max(0, std::min(index, static_cast<int>(pages.size()) - 1));
  if (cur == index) return;
  pages.erase(pages.begin() + cur);
  pages.insert(pages.begin() + index, this);
  FPageControl->Invalidate();
}

void TTabSheet::SetTabVisible(bool v) {
  if (FTabVisible == v) return;
  FTabVisible = v;
  if (FPageControl) FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int n = 0;
  for (TTabSheet* p : FPageControl->FPages) {
    if (p == this) return n;
    if (p->FTabVisible) ++n;
  }
  return -1;
}

void TTabSheet::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void TTabSheet::Dispatch(TMessage& msg) {
  TCustomControl::Dispatch(msg);
  if (msg.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->Invalidate();
}

// ---- page control ----
TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return FPages[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  if (!FActivePage) ChangeActivePage(page);
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  TTabSheet* next = nullptr;
  if (page == FActivePage) next = FindNextPage(page, true, false);
  if (next == page) next = nullptr;
  FPages.erase(std::find(FPages.begin(), FPages.end(), page));
  page->FPageControl = nullptr;
  if (page == FActivePage) {
    FActivePage = nullptr;
    if (next) ChangeActivePage(next);
  }
  UpdateTabs();
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
  if (FActivePage == page) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  if (page) {
    page->BringToFront();
    page->SetVisible(true);
    if (page->OnShow) page->OnShow(page);
  }
  if (old) {
    old->SetVisible(false);
    if (old->OnHide) old->OnHide(old);
  }
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  ChangeActivePage(page);
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

int TPageControl::TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) {
  if (FPages.empty()) return nullptr;
  int n = static_cast<int>(FPages.size());
  auto it = std::find(FPages.begin(), FPages.end(), current);
  int start = it == FPages.end() ? (goForward ? n - 1 : 0) : static_cast<int>(it - FPages.begin());
  int i = start;
  for (int k = 0; k < n; ++k) {
    i = goForward ? (i + 1) % n : (i + n - 1) % n;
    TTabSheet* p = FPages[static_cast<size_t>(i)];
    if (!checkTabVisible || p->TabVisible()) return p;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
  TTabSheet* p = FindNextPage(FActivePage, goForward, true);
  if (p && p != FActivePage && CanChange()) {
    ChangeActivePage(p);
    Change();
  }
}

void TPageControl::SetTabHeight(int v) {
  FTabHeight = std::max(0, v);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  Realign();
  Invalidate();
}

namespace {
int TabRowHeight(TPageControl* pc, TCanvas* c, int tabHeight) {
  if (tabHeight > 0) return tabHeight;
  c->Font()->Assign(pc->Font());
  return c->TextHeight("Wg") + 6;
}
}  // namespace

TRect TPageControl::TabRect(int tabIndex) {
  TCanvas* c = Canvas();
  int h = TabRowHeight(this, c, FTabHeight);
  int x = 2;
  int n = 0;
  for (TTabSheet* p : FPages) {
    if (!p->TabVisible()) continue;
    int w = c->TextWidth(StripHotkey(p->Caption())) + 12;
    if (n == tabIndex) return TRect(x, 2, x + w, 2 + h);
    x += w;
    ++n;
  }
  return TRect();
}

int TPageControl::IndexOfTabAt(int x, int y) {
  int n = 0;
  for (TTabSheet* p : FPages) {
    if (!p->TabVisible()) continue;
    if (PtInRect(TabRect(n), TPoint(x, y))) return n;
    ++n;
  }
  return -1;
}

void TPageControl::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int h = TabRowHeight(this, Canvas(), FTabHeight);
  rect.Top += h + 2;
  InflateRect(rect, -4, -4);
  rect.Top -= 2;
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  TRect client = ClientRect();
  TColor back = Parent() ? Parent()->Color() : Color();
  c->Brush()->SetColor(back);
  c->FillRect(client);
  int h = TabRowHeight(this, c, FTabHeight);
  TRect body(0, h + 2, client.Right, client.Bottom);
  c->Brush()->SetColor(Color());
  c->FillRect(body);
  TRect frame = body;
  Frame3D(c, frame, clBtnHighlight, clBtnShadow, 1);
  int active = TabIndex();
  int n = 0;
  c->Font()->Assign(Font());
  for (TTabSheet* p : FPages) {
    if (!p->TabVisible()) continue;
    TRect r = TabRect(n);
    if (n == active) {
      InflateRect(r, 2, 0);
      r.Top -= 2;
      r.Bottom += 1;
    }
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Pen()->SetColor(clBtnHighlight);
    c->Polyline({TPoint(r.Left, r.Bottom - 1), TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top)});
    c->Pen()->SetColor(clBtnShadow);
    c->Polyline({TPoint(r.Right - 1, r.Top + 1), TPoint(r.Right - 1, r.Bottom)});
    std::string text = p->Caption();
    TRect tr = r;
    c->Brush()->SetStyle(bsClear);
    DrawText(c->Handle(), text.c_str(), static_cast<int>(text.size()), &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c->Brush()->SetStyle(bsSolid);
    ++n;
  }
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  int tab = IndexOfTabAt(x, y);
  if (tab < 0 || tab == TabIndex()) return;
  TTabSheet* target = nullptr;
  int n = 0;
  for (TTabSheet* p : FPages) {
    if (!p->TabVisible()) continue;
    if (n++ == tab) {
      target = p;
      break;
    }
  }
  if (!target || !CanChange()) return;
  ChangeActivePage(target);
  Change();
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::Dispatch(TMessage& msg) {
  TCustomControl::Dispatch(msg);
  switch (msg.Msg) {
    case CM_FONTCHANGED: UpdateTabs(); break;
    case WM_SIZE: Invalidate(); break;
    default: break;
  }
}
