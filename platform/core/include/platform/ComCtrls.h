// Common controls: the status bar with its panels and the page control
// with its tab sheets. Both paint themselves.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel {
 public:
  explicit TStatusPanel(TStatusBar* bar) : FBar(bar) {}
  int Index() const;
  const std::string& Text() const { return FText; }
  void SetText(const std::string& v);
  int Width() const { return FWidth; }
  void SetWidth(int v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel v);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle v);

 private:
  TStatusBar* FBar;
  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

class TStatusPanels {
 public:
  explicit TStatusPanels(TStatusBar* bar) : FBar(bar) {}
  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError "List index out of bounds (%d)" outside 0..Count-1.
  TStatusPanel* Items(int index) const;
  TStatusPanel* operator[](int index) const { return Items(index); }
  TStatusPanel* Add();
  void Delete(int index);
  void Clear();

 private:
  TStatusBar* FBar;
  std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

using TDrawPanelEvent = std::function<void(TStatusBar* bar, TStatusPanel* panel, const TRect& rect)>;

class TStatusBar : public TCustomControl {
 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;
  const char* ClassName() const override { return "TStatusBar"; }
  TStatusPanels* Panels() const { return FPanels.get(); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool v);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& v);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool v);
  // The rectangle of a panel (the last one runs to the right edge).
  TRect PanelRect(int index);
  // Called by the panels when they change.
  void PanelChanged(int index);

  TDrawPanelEvent OnDrawPanel;

 protected:
  void Paint() override;
  void Dispatch(TMessage& msg) override;

 private:
  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};

class TPageControl;

class TTabSheet : public TCustomControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  const char* ClassName() const override { return "TTabSheet"; }
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* control);
  int PageIndex() const;
  void SetPageIndex(int index);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool v);
  int TabIndex() const;
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v) { FImageIndex = v; }

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void Dispatch(TMessage& msg) override;
  void Paint() override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl : public TCustomControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  const char* ClassName() const override { return "TPageControl"; }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The index among visible tabs.
  int TabIndex() const;
  void SelectNextPage(bool goForward);
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int v);
  // The tab rectangles (client coordinates) of the visible pages.
  TRect TabRect(int tabIndex);
  // The tab under a client point, -1 when none.
  int IndexOfTabAt(int x, int y);
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible);

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  void AdjustClientRect(TRect& rect) override;
  void Dispatch(TMessage& msg) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual bool CanChange();
  virtual void Change();

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void ChangeActivePage(TTabSheet* page);
  void UpdateTabs();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  int FTabHeight = 0;
};
