#include "platform/Menus.h"

#include <algorithm>
#include <cctype>

#include "platform/ActnList.h"
#include "platform/CodePage.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

// ---- shortcuts ----
TShortCut ShortCut(uint16_t key, TShiftState shift) {
  if (key & 0xFF00) return scNone;
  TShortCut s = key;
  if (shift.Contains(ssShift)) s |= scShift;
  if (shift.Contains(ssCtrl)) s |= scCtrl;
  if (shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = TShiftState();
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

namespace {
struct TKeyName {
  uint16_t Key;
  const char* Name;
};
const TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},      {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},     {VK_RETURN, "Enter"},    {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},   {VK_END, "End"},        {VK_HOME, "Home"},       {VK_LEFT, "Left"},
    {VK_UP, "Up"},          {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},      {VK_INSERT, "Ins"},      {VK_DELETE, "Del"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},   {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"}, {VK_DIVIDE, "Num /"},
    {VK_OEM_1, ";"},        {VK_OEM_PLUS, "="},  {VK_OEM_COMMA, ","},    {VK_OEM_MINUS, "-"},     {VK_OEM_PERIOD, "."},
    {VK_OEM_2, "/"},        {VK_OEM_3, "`"},     {VK_OEM_4, "["},        {VK_OEM_5, "\\"},        {VK_OEM_6, "]"},
    {VK_OEM_7, "'"},        {VK_PAUSE, "Pause"}, {VK_SNAPSHOT, "PrtSc"}, {VK_APPS, "Menu"},
};

std::string KeyName(uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + IntToStr(key - VK_NUMPAD0);
  for (auto& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return std::string();
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return std::string();
  std::string s;
  if (shortCut & scShift) s += "Shift+";
  if (shortCut & scCtrl) s += "Ctrl+";
  if (shortCut & scAlt) s += "Alt+";
  return s + name;
}

TShortCut TextToShortCut(const std::string& text) {
  std::string rest = text;
  TShortCut mods = 0;
  for (;;) {
    auto take = [&](const char* prefix, TShortCut bit) {
      size_t n = std::char_traits<char>::length(prefix);
      if (rest.size() > n && CompareText(rest.substr(0, n), prefix) == 0) {
        rest = rest.substr(n);
        mods |= bit;
        return true;
      }
      return false;
    };
    if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt)) break;
  }
  for (uint16_t key = 1; key < 256; ++key) {
    std::string name = KeyName(key);
    if (!name.empty() && CompareText(name, rest) == 0) return mods | key;
  }
  return scNone;
}

TShortCut ShortCutFromMessage(const TMessage& keyMsg) {
  uint16_t key = LoWord(keyMsg.WParam);
  TShiftState shift = KeyDataToShiftState(static_cast<int32_t>(keyMsg.LParam));
  return ShortCut(key, shift);
}

std::string StripHotkey(const std::string& caption) {
  std::string s;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        s += '&';
        ++i;
      }
      continue;
    }
    s += caption[i];
  }
  return s;
}

char GetHotkey(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return AnsiUpperChar(caption[i + 1]);
  }
  return 0;
}

// ---- TMenuItem ----
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (FAction) {
    FAction->UnRegisterClient(this);
    FAction->RemoveFreeNotification(this);
    FAction = nullptr;
  }
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    FItems.pop_back();
    child->FParent = nullptr;
    delete child;
  }
}

void TMenuItem::Changed(bool rebuild) {
  TMenu* menu = GetParentMenu();
  if (!menu || (menu->ComponentState() & csDestroying)) return;
  TMenuChange change;
  change.Item = this;
  change.Rebuild = rebuild;
  menu->NotifyChanged(change);
}

void TMenuItem::SetCaption(const std::string& v) {
  if (FCaption == v) return;
  bool wasLine = IsLine();
  FCaption = v;
  Changed(wasLine != IsLine());
}

void TMenuItem::SetChecked(bool v) {
  if (FChecked == v) return;
  FChecked = v;
  // A checked radio item unchecks the others of its group at its level.
  if (v && FRadioItem && FParent) {
    for (TMenuItem* sib : FParent->FItems)
      if (sib != this && sib->FRadioItem && sib->FGroupIndex == FGroupIndex && sib->FChecked) {
        sib->FChecked = false;
        sib->Changed(false);
      }
  }
  Changed(false);
}

void TMenuItem::SetDefault(bool v) {
  if (FDefault == v) return;
  if (v && FParent) {
    for (TMenuItem* sib : FParent->FItems)
      if (sib != this && sib->FDefault) {
        sib->FDefault = false;
        sib->Changed(false);
      }
  }
  FDefault = v;
  Changed(false);
}

void TMenuItem::SetEnabled(bool v) {
  if (FEnabled == v) return;
  FEnabled = v;
  Changed(false);
}

void TMenuItem::SetVisible(bool v) {
  if (FVisible == v) return;
  FVisible = v;
  Changed(true);
}

void TMenuItem::SetImageIndex(int v) {
  if (FImageIndex == v) return;
  FImageIndex = v;
  Changed(false);
}

void TMenuItem::SetShortCut(TShortCut v) {
  if (auto* a = dynamic_cast<TCustomAction*>(FAction)) FShortCutLinked = v == a->ShortCut();
  if (FShortCut == v) return;
  FShortCut = v;
  Changed(false);
}

void TMenuItem::SetRadioItem(bool v) {
  if (FRadioItem == v) return;
  FRadioItem = v;
  Changed(false);
}

void TMenuItem::SetGroupIndex(uint8_t v) { FGroupIndex = v; }

void TMenuItem::SetAction(TBasicAction* action) {
  if (FAction == action) return;
  if (FAction) {
    FAction->UnRegisterClient(this);
    FAction->RemoveFreeNotification(this);
  }
  FAction = action;
  FShortCutLinked = true;
  if (FAction) {
    FAction->RegisterClient(this);
    FAction->FreeNotification(this);
    ActionChanged();
  }
}

void TMenuItem::ActionChanged() {
  auto* a = dynamic_cast<TCustomAction*>(FAction);
  if (!a) return;
  FCaption = a->Caption();
  FChecked = a->Checked();
  FEnabled = a->Enabled();
  bool visChanged = FVisible != a->Visible();
  FVisible = a->Visible();
  FHint = a->Hint();
  FImageIndex = a->ImageIndex();
  if (FShortCutLinked) FShortCut = a->ShortCut();
  FAutoCheck = a->AutoCheck();
  Changed(visChanged);
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FAction) FAction = nullptr;
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EMenuError(Format("List index out of bounds (%d)", index));
  return FItems[static_cast<size_t>(index)];
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int index) {
  if (!FParent) return;
  TMenuItem* p = FParent;
  int cur = p->IndexOf(this);
  index = std::max(0, std::min(index, p->Count() - 1));
  if (cur == index) return;
  p->FItems.erase(p->FItems.begin() + cur);
  p->FItems.insert(p->FItems.begin() + index, this);
  p->Changed(true);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > Count()) throw EMenuError("Menu index out of range");
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed(true);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  if (!(ComponentState() & csDestroying)) Changed(true);
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  std::string want = StripHotkey(caption);
  for (TMenuItem* i : FItems)
    if (CompareText(StripHotkey(i->FCaption), want) == 0) return i;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->FParent) i = i->FParent;
  return i->FMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

bool TMenuItem::IsMenuBarItem() const {
  return FParent && FParent->FMenu && dynamic_cast<TMainMenu*>(FParent->FMenu) != nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  if (shortCut == scNone) return nullptr;
  for (TMenuItem* i : FItems) {
    if (i->FShortCut == shortCut) return i;
    if (TMenuItem* found = i->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  if (OnClick && FAction)
    OnClick(this);
  else if (FAction)
    FAction->Execute();
  else if (OnClick)
    OnClick(this);
}

void TMenuItem::SetMenu(TMenu* menu) { FMenu = menu; }

bool TMenuItem::HasOwnerDraw() const {
  if (OnDrawItem || OnAdvancedDrawItem || OnMeasureItem) return true;
  TMenu* m = GetParentMenu();
  return m && m->OwnerDraw();
}

void TMenuItem::DoDrawItem(TCanvas* canvas, TRect rect, TOwnerDrawState state) {
  if (OnAdvancedDrawItem)
    OnAdvancedDrawItem(this, canvas, rect, state);
  else if (OnDrawItem)
    OnDrawItem(this, canvas, rect, state.Contains(odSelected));
}

void TMenuItem::DoMeasureItem(TCanvas* canvas, int& width, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

// ---- TMenu ----
TMenu::TMenu(TComponent* owner) : TComponent(owner) {
  FItems = new TMenuItem(this);
  FItems->SetMenu(this);
}

TMenu::~TMenu() {
  Destroying();
  TMenuChange gone;
  gone.Destroyed = true;
  auto handlers = FHandlers;
  FHandlers.clear();
  for (auto& h : handlers) h.second(this, gone);
  TMenuItem* root = FItems;
  FItems = nullptr;
  root->SetMenu(nullptr);
  delete root;
  if (FImages) FImages->RemoveFreeNotification(this);
}

void TMenu::SetImages(TImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  NotifyChanged(TMenuChange{nullptr, true});
}

void TMenu::SetOwnerDraw(bool v) {
  if (FOwnerDraw == v) return;
  FOwnerDraw = v;
  NotifyChanged(TMenuChange{nullptr, true});
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

bool TMenu::IsShortCut(TMessage& keyMsg) {
  if (!FItems) return false;
  TShortCut s = ShortCutFromMessage(keyMsg);
  TMenuItem* item = FItems->FindShortCut(s);
  if (!item) return false;
  if (item->Action()) item->Action()->Update();
  // A disabled item leaves the key to the focused control.
  if (!item->Enabled()) return false;
  GuardCall([item] { item->Click(); });
  return true;
}

void TMenu::AddChangeHandler(void* id, TMenuChangeEvent handler) {
  RemoveChangeHandler(id);
  FHandlers.emplace_back(id, std::move(handler));
}

void TMenu::RemoveChangeHandler(void* id) {
  FHandlers.erase(std::remove_if(FHandlers.begin(), FHandlers.end(), [id](auto& h) { return h.first == id; }),
                  FHandlers.end());
}

void TMenu::NotifyChanged(const TMenuChange& change) {
  if (ComponentState() & csDestroying) return;
  auto handlers = FHandlers;
  for (auto& h : handlers) h.second(this, change);
}

// ---- TPopupMenu ----
namespace {
IMenuBackend* gMenuBackend = nullptr;
TPopupMenu* gActivePopup = nullptr;
}  // namespace

TPopupMenu::~TPopupMenu() {
  if (gActivePopup == this) gActivePopup = nullptr;
}

void TPopupMenu::DoPopup() {
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
  DoPopup();
  if (!gMenuBackend) return;
  TPopupMenu* previous = gActivePopup;
  gActivePopup = this;
  TMenuItem* chosen = gMenuBackend->TrackPopup(this, TPoint(x, y));
  gActivePopup = previous;
  if (chosen) GuardCall([chosen] { chosen->Click(); });
}

void SetMenuBackend(IMenuBackend* backend) { gMenuBackend = backend; }
IMenuBackend* MenuBackend() { return gMenuBackend; }
TPopupMenu* ActivePopupMenu() { return gActivePopup; }

TMenuItem* NewItem(TComponent* owner, const std::string& caption, TShortCut shortCut, TNotifyEvent onClick,
                   const std::string& name) {
  auto* item = new TMenuItem(owner);
  if (!name.empty()) item->SetName(name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  item->OnClick = std::move(onClick);
  return item;
}

TMenuItem* NewLine(TComponent* owner) { return NewItem(owner, cLineCaption); }

TMenuItem* AddItems(TMenuItem* parent, std::initializer_list<TMenuItem*> items) {
  for (TMenuItem* i : items) parent->Add(i);
  return parent;
}

// ---- shortcut routing ----
namespace {
TCustomForm* ParentForm(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

bool MenuKey(TWinControl* control, TMessage& msg) {
  for (TControl* c = control; c; c = c->Parent()) {
    TPopupMenu* p = c->PopupMenu();
    if (p && p->IsShortCut(msg)) return true;
  }
  TCustomForm* form = ParentForm(control);
  if (form && form->IsShortCut(msg)) return true;
  // The main form's shortcuts work from the other forms while it is enabled.
  if (Application && Application->MainForm() && Application->MainForm() != form) {
    TCustomForm* main = Application->MainForm();
    if (main->Enabled() && (!main->HandleAllocated() || IsWindowEnabled(main->WindowHandle())) && main->IsShortCut(msg))
      return true;
  }
  return false;
}
}  // namespace

bool PopupAt(TControl* control, TPopupMenu* menu, TPoint screenPos) {
  if (!menu || !menu->AutoPopup()) return false;
  menu->SetPopupComponent(control);
  menu->Popup(screenPos.X, screenPos.Y);
  return true;
}

void InstallMenuKeyHandler() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  SetMenuKeyHandler(MenuKey);
  SetPopupMenuHandler(PopupAt);
}

namespace {
std::unique_ptr<LOGFONT>& MenuFontSlot() {
  static std::unique_ptr<LOGFONT> font;
  return font;
}
}  // namespace

LOGFONT SystemMenuFont() {
  if (MenuFontSlot()) return *MenuFontSlot();
  return TFont().MakeLogFont();
}

void SetSystemMenuFont(const LOGFONT& font) { MenuFontSlot() = std::make_unique<LOGFONT>(font); }
