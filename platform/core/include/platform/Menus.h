// Menus: menu items, main menus and popup menus, shortcuts.
//
// The menu tree lives here; the widget set shows it (a menu bar in the
// form's window, popup menus at a point) through the menu backend, which
// watches the tree through TMenu's change notifications. Shortcuts are
// never handed to the platform: the key handler of this unit looks them up
// when a key reaches a control (the control's popup menu, then its form's
// shortcuts: main menu, then action lists), so that the editing control's
// own keys and this order of lookup hold. Menu texts are Windows-1251; "&"
// marks the accelerator ("&&" is a plain "&"); "-" is a separator.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

class TMenu;
class TMenuItem;
class TBasicAction;
class TImageList;
class TCustomForm;

// ---- shortcuts ----
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Ctrl+N", "Shift+F1", "Ctrl+Alt+S", "Ctrl+Ins", "F12" ...; empty for scNone.
std::string ShortCutToText(TShortCut shortCut);
// The reverse; scNone for an unknown text.
TShortCut TextToShortCut(const std::string& text);
// The shortcut of a key message (WM_KEYDOWN / WM_SYSKEYDOWN, CN_ too) with
// the keyboard's Shift, Ctrl and Alt.
TShortCut ShortCutFromMessage(const TMessage& keyMsg);

// Caption helpers.
constexpr const char* cLineCaption = "-";
// The caption without "&" marks ("&&" becomes "&").
std::string StripHotkey(const std::string& caption);
// The accelerator letter (upper-cased), or 0.
char GetHotkey(const std::string& caption);

// Owner drawing.
enum TOwnerDrawStateElement {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateElement>;
using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas* canvas, TRect rect, bool selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, TRect rect, TOwnerDrawState state)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;

BQS_DECLARE_EXCEPTION(EMenuError, Exception);

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  // -- properties --
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v);
  bool Checked() const { return FChecked; }
  void SetChecked(bool v);
  bool Default() const { return FDefault; }
  // Only one default item per menu level: setting one clears the others.
  void SetDefault(bool v);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut v);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool v);
  uint8_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(uint8_t v);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool v) { FAutoCheck = v; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }
  bool IsLine() const { return FCaption == cLineCaption; }

  // -- action link --
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* action);
  // Takes caption, checked, enabled, visible, hint, image and shortcut
  // from the action (called by the action when it changes). An item given
  // a shortcut of its own keeps it.
  void ActionChanged();

  // -- the tree --
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* operator[](int index) const { return Items(index); }
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void SetMenuIndex(int index);
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Removes (does not free) the item.
  void Remove(TMenuItem* item);
  // Removes and frees the item at index.
  void Delete(int index);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  // By caption without "&", case-insensitive (ASCII).
  TMenuItem* Find(const std::string& caption) const;
  // The menu at the root of the tree, or null.
  TMenu* GetParentMenu() const;
  // The menu when this is a top-level item of it, else the parent item.
  TComponent* GetParentComponent() const;
  // The item at or below this one with this shortcut (visible, enabled
  // ancestors only), or null.
  TMenuItem* FindShortCut(TShortCut shortCut);

  // -- actions --
  // AutoCheck toggles Checked; then the action (when bound and it has a
  // handler) or OnClick.
  virtual void Click();
  // Whether the item shows in the menu bar (top-level items of a main menu).
  bool IsMenuBarItem() const;

  // -- owner drawing (delivered by the widget set when the menu is owner
  //    drawn or the item has a handler) --
  void DoDrawItem(TCanvas* canvas, TRect rect, TOwnerDrawState state);
  void DoMeasureItem(TCanvas* canvas, int& width, int& height);
  bool HasOwnerDraw() const;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TMenu;
  void Changed(bool rebuild);
  void SetMenu(TMenu* menu);

  std::string FCaption;
  bool FChecked = false;
  bool FDefault = false;
  bool FEnabled = true;
  bool FVisible = true;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  bool FRadioItem = false;
  uint8_t FGroupIndex = 0;
  bool FAutoCheck = false;
  std::string FHint;
  TBasicAction* FAction = nullptr;
  bool FShortCutLinked = true;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // for the root item
};

// What changed in a menu, for the widget set.
struct TMenuChange {
  TMenuItem* Item = nullptr;  // null: the whole menu
  bool Rebuild = false;       // sub-items added, removed or moved
  bool Destroyed = false;     // the menu is going: forget it
};
using TMenuChangeEvent = std::function<void(TMenu* menu, const TMenuChange& change)>;

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  const char* ClassName() const override { return "TMenu"; }

  // The root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return FItems; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool v);

  // The item with this shortcut (clicked) -> true.
  bool IsShortCut(TMessage& keyMsg);
  TMenuItem* FindItemByShortCut(TShortCut shortCut) { return FItems->FindShortCut(shortCut); }

  // Watchers (the widget set's menu views); the id removes one.
  void AddChangeHandler(void* id, TMenuChangeEvent handler);
  void RemoveChangeHandler(void* id);
  void NotifyChanged(const TMenuChange& change);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem* FItems;
  TImageList* FImages = nullptr;
  bool FOwnerDraw = false;
  std::vector<std::pair<void*, TMenuChangeEvent>> FHandlers;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  const char* ClassName() const override { return "TMainMenu"; }
  bool AutoMerge() const { return FAutoMerge; }
  void SetAutoMerge(bool v) { FAutoMerge = v; }

 private:
  bool FAutoMerge = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  ~TPopupMenu() override;
  const char* ClassName() const override { return "TPopupMenu"; }
  // Fires OnPopup and shows the menu at the screen point; returns when the
  // menu closes (the chosen item is clicked afterwards).
  virtual void Popup(int x, int y);
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool v) { FAutoPopup = v; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* c) { FPopupComponent = c; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment a) { FAlignment = a; }
  TNotifyEvent OnPopup;

 protected:
  virtual void DoPopup();

 private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
};

// ---- the widget set's part ----
class IMenuBackend {
 public:
  virtual ~IMenuBackend() = default;
  // Shows the popup menu at a screen point and returns when it closes,
  // with the chosen item or null.
  virtual TMenuItem* TrackPopup(TPopupMenu* menu, TPoint screenPos) = 0;
};
void SetMenuBackend(IMenuBackend* backend);
IMenuBackend* MenuBackend();

// The TPopupMenu that is showing now (null when none).
TPopupMenu* ActivePopupMenu();

// Creates a menu item with the given properties (a helper for code that
// builds menus, like the form designer's resources did).
TMenuItem* NewItem(TComponent* owner, const std::string& caption, TShortCut shortCut = scNone,
                   TNotifyEvent onClick = nullptr, const std::string& name = std::string());
TMenuItem* NewLine(TComponent* owner);
// Appends items to a parent and returns the parent.
TMenuItem* AddItems(TMenuItem* parent, std::initializer_list<TMenuItem*> items);

// The system's menu font (the widget set sets it when it starts: Qt's
// menu font; until then the toolkit's default font).
LOGFONT SystemMenuFont();
void SetSystemMenuFont(const LOGFONT& font);

// Installs the key handler that routes shortcuts to popup menus, forms
// and action lists, and the handler that opens a control's popup menu on
// WM_CONTEXTMENU (the application calls it; repeated calls do nothing).
void InstallMenuKeyHandler();
// Opens a control's automatic popup menu at a screen point (the context
// menu handler); false when the menu does not open by itself.
bool PopupAt(TControl* control, TPopupMenu* menu, TPoint screenPos);
