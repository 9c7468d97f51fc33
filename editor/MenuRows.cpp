#include "MenuRows.h"

#include <cstring>
#include <map>
#include <utility>

#include "platform/ActnList.h"
#include "platform/CodePage.h"
#include "platform/Controls.h"
#include "platform/Menus.h"

const char* MenuPlaceName(TMenuPlace place) {
  switch (place) {
    case TMenuPlace::MainMenu: return "MainMenu1";
    case TMenuPlace::EditorMenu: return "PopupMenu1";
    case TMenuPlace::PanelMenu: return "PopupMenu2";
    case TMenuPlace::CutCopyMenu: return "PopupMenu3";
    case TMenuPlace::StatusMenu: return "PopupMenu4";
    case TMenuPlace::TrayMenu: return "tray";
    case TMenuPlace::LinkMenu: return "link";
    case TMenuPlace::ImgMenu: return "img";
    case TMenuPlace::ToolBar: return "ToolBar1";
    case TMenuPlace::SidePanel: return "CoolBar1";
  }
  return "?";
}

bool IsButtonPlace(TMenuPlace place) { return place == TMenuPlace::ToolBar || place == TMenuPlace::SidePanel; }

bool TMenuRow::IsLine() const { return std::strcmp(Caption, "-") == 0; }

bool TMenuRow::IsSubmenu() const { return !IsButtonPlace(Place) && !IsLine() && !*Handler; }

std::string TMenuRow::Where() const {
  std::string where = MenuPlaceName(Place);
  if (*Path) where += std::string(" > ") + Path;
  return Ansi(where + " > " + (IsButtonPlace(Place) ? Name : Caption));
}

std::vector<std::string> SplitMenuPath(const char* path) {
  std::vector<std::string> parts;
  if (!path || !*path) return parts;
  static const char kSep[] = " > ";
  const char* p = path;
  for (;;) {
    const char* q = std::strstr(p, kSep);
    if (!q) {
      parts.emplace_back(p);
      break;
    }
    parts.emplace_back(p, q);
    p = q + sizeof(kSep) - 1;
  }
  return parts;
}

namespace {

[[noreturn]] void Fail(const TCommandRegistry& commands, const TMenuRow& row, const std::string& what) {
  throw ECommandError(commands.Window() + ": " + row.Where() + ": " + what);
}

std::string FullPath(const TMenuRow& row) {
  return *row.Path ? std::string(row.Path) + " > " + row.Caption : std::string(row.Caption);
}

void ApplyFlags(TMenuItem* item, const TMenuRow& row) {
  if (row.Is(kDefault)) item->SetDefault(true);
  if (row.Is(kRadio)) item->SetRadioItem(true);
  if (row.Is(kChecked)) item->SetChecked(true);
  if (row.Is(kDisabled)) item->SetEnabled(false);
  if (row.Is(kHidden)) item->SetVisible(false);
  if (*row.Hint) item->SetHint(Ansi(row.Hint));
}

// Binds an item's command: its action, its handler, or nothing for a
// pending row (which then takes no shortcut either, so the key still
// reaches whatever answers it today).
void BindItem(TMenuItem* item, const TMenuRow& row, TComponent* owner, const TCommandRegistry& commands,
              TMenuLayout& layout) {
  if (row.Is(kAction)) {
    auto* action = dynamic_cast<TBasicAction*>(owner->FindComponent(row.Handler));
    if (!action) Fail(commands, row, std::string("no action \"") + row.Handler + "\"");
    item->SetAction(action);
    if (*row.Caption && item->Caption() != Ansi(row.Caption))
      Fail(commands, row, "the action shows \"" + item->Caption() + "\"");
    if (row.ShortCut) item->SetShortCut(row.ShortCut);
    return;
  }
  item->SetCaption(Ansi(row.Caption));
  if (row.Is(kPending)) {
    if (commands.Contains(row.Handler))
      Fail(commands, row, std::string("marked pending, but \"") + row.Handler + "\" is registered");
    layout.Pending.push_back(&row);
    layout.PendingItems.push_back(item);
    return;
  }
  item->OnClick = commands.Handler(row.Handler);
  item->SetShortCut(row.ShortCut);
}

}  // namespace

TMenuLayout LayOutMenus(const std::vector<TMenuRow>& rows, const TMenuTargets& targets,
                        const TCommandRegistry& commands) {
  TMenuLayout layout;
  // The submenus made so far, by place and full path.
  std::map<std::pair<TMenuPlace, std::string>, TMenuItem*> submenus;
  for (const TMenuRow& row : rows) {
    if (IsButtonPlace(row.Place)) continue;
    TMenu* menu = targets[row.Place];
    if (!menu) Fail(commands, row, "the window has no such menu");
    TMenuItem* parent = menu->Items();
    if (*row.Path) {
      auto it = submenus.find({row.Place, row.Path});
      if (it == submenus.end()) Fail(commands, row, "no earlier row makes the submenu");
      parent = it->second;
    }
    TMenuItem* item = nullptr;
    if (row.IsLine()) {
      item = NewLine(targets.Owner);
    } else {
      item = new TMenuItem(targets.Owner);
      if (row.IsSubmenu()) {
        item->SetCaption(Ansi(row.Caption));
        if (!submenus.emplace(std::make_pair(row.Place, FullPath(row)), item).second) {
          delete item;
          Fail(commands, row, "the submenu is made twice");
        }
      } else {
        try {
          BindItem(item, row, targets.Owner, commands, layout);
        } catch (...) {
          delete item;
          throw;
        }
      }
    }
    if (*row.Name) item->SetName(row.Name);
    ApplyFlags(item, row);
    parent->Add(item);
    layout.Items.emplace_back(&row, item);
    if (row.Is(kSelection)) layout.SelectionItems.push_back(item);
  }
  return layout;
}

bool ButtonCreated(const std::vector<TMenuRow>& rows, const TComponent& owner, const std::string& name) {
  for (const TMenuRow& row : rows)
    if (IsButtonPlace(row.Place) && name == row.Name) return owner.FindComponent(name) != nullptr;
  throw ECommandError("no button row names \"" + name + "\"");
}

bool BindButtonRows(const std::vector<TMenuRow>& rows, TMenuPlace place, TComponent& owner,
                    const TCommandRegistry& commands) {
  std::vector<std::pair<const TMenuRow*, TComponent*>> buttons;
  std::string missing;
  for (const TMenuRow& row : rows) {
    if (row.Place != place) continue;
    TComponent* control = owner.FindComponent(row.Name);
    if (!control) missing += std::string(missing.empty() ? "" : ", ") + row.Name;
    buttons.emplace_back(&row, control);
  }
  if (!missing.empty()) {
    bool none = true;
    for (const auto& b : buttons) none = none && !b.second;
    if (none) return false;
    throw ECommandError(commands.Window() + ": " + MenuPlaceName(place) + " lacks " + missing);
  }
  for (const auto& [row, component] : buttons) {
    auto* control = dynamic_cast<TControl*>(component);
    if (!control) Fail(commands, *row, "is no control");
    if (*row->Caption) control->SetCaption(Ansi(row->Caption));
    if (*row->Hint) control->SetHint(Ansi(row->Hint));
    if (row->Is(kPending)) {
      if (commands.Contains(row->Handler))
        Fail(commands, *row, std::string("marked pending, but \"") + row->Handler + "\" is registered");
      continue;
    }
    control->OnClick = commands.Handler(row->Handler);
  }
  return !buttons.empty();
}

TMenuItem* FindMenuItem(TMenu& menu, const char* path, const char* caption) {
  auto child = [](TMenuItem* parent, const std::string& text) -> TMenuItem* {
    for (int i = 0; i < parent->Count(); ++i)
      if (StripHotkey(parent->Items(i)->Caption()) == text) return parent->Items(i);
    return nullptr;
  };
  TMenuItem* item = menu.Items();
  for (const std::string& part : SplitMenuPath(path)) {
    item = child(item, Ansi(part));
    if (!item) return nullptr;
  }
  return child(item, Ansi(caption));
}
