#include "SnippetCommands.h"

#include "SrcMemo.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"

namespace {

void StepCaretBack(TSrcMemo& memo, int count) {
  memo.SetSelectionStart(memo.GetSelectionStart() - count);
}

}  // namespace

void RunSnippetCommand(const TSnippetCommand& command, const TSnippetHost& host) {
  switch (command.Kind) {
    case TSnippetKind::ModalAfterSave:
      if (host.ConfirmSaveChanges) host.ConfirmSaveChanges();
      [[fallthrough]];
    case TSnippetKind::Modal:
      if (host.ShowWindow) host.ShowWindow(command.Text, true);
      return;
    case TSnippetKind::Modeless:
      if (host.ShowWindow) host.ShowWindow(command.Text, false);
      return;
    default:
      break;
  }

  TSrcMemo* memo = host.Memo;
  // The control's replacement does not look at the read-only state; a
  // read-only document must not change, so the commands stop here.
  if (!memo || memo->ReadOnly()) return;

  const std::string text = Ansi(command.Text);
  switch (command.Kind) {
    case TSnippetKind::Snippet:
      memo->ReplaceSelection(text);
      break;
    case TSnippetKind::TagPair:
      memo->ReplaceSelection(text);
      StepCaretBack(*memo, command.Back);
      break;
    case TSnippetKind::Wrap: {
      const std::string sel = memo->GetSelectedText();
      memo->ReplaceSelection(text + sel + Ansi(command.After));
      break;
    }
    case TSnippetKind::WrapTwice: {
      const std::string sel = memo->GetSelectedText();
      memo->ReplaceSelection(text + sel + Ansi(command.Middle) + sel + Ansi(command.After));
      break;
    }
    case TSnippetKind::InsertTwice:
      memo->ReplaceSelection(text);
      memo->ReplaceSelection(text);
      StepCaretBack(*memo, command.Back);
      break;
    default:
      break;
  }
  if (command.Focus) memo->SetFocus();
}

TNotifyEvent SnippetHandler(const std::string& handler, const TSnippetHost& host) {
  const TSnippetCommand* command = FindSnippetCommand(handler);
  if (!command) return {};
  return [command, host](TObject*) { RunSnippetCommand(*command, host); };
}

// ---- menus -----------------------------------------------------------------

namespace {

TMenuItem* FindChild(TMenuItem* parent, const std::string& caption) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (StripHotkey(item->Caption()) == caption) return item;
  }
  return nullptr;
}

TMenuItem* FindOrAdd(TComponent* owner, TMenuItem* parent, const std::string& caption) {
  if (TMenuItem* item = FindChild(parent, caption)) return item;
  TMenuItem* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// The submenu item of a path (made where missing); the menu's root for an
// empty path.
TMenuItem* EnsurePath(TComponent* owner, TMenu& menu, const char* path) {
  TMenuItem* item = menu.Items();
  for (const std::string& part : SplitSnippetPath(path)) item = FindOrAdd(owner, item, Ansi(part));
  return item;
}

TMenu* MenuOf(const TSnippetMenus& menus, TSnippetPlace place) {
  switch (place) {
    case TSnippetPlace::MainMenu:
      return menus.MainMenu;
    case TSnippetPlace::EditorMenu:
      return menus.EditorMenu;
    case TSnippetPlace::LinkMenu:
      return menus.LinkMenu;
    case TSnippetPlace::ImgMenu:
      return menus.ImgMenu;
    default:
      return nullptr;
  }
}

}  // namespace

void InstallSnippetMenus(const TSnippetMenus& menus, const TSnippetHost& host) {
  if (menus.MainMenu)
    for (const char* path : SnippetSubmenus()) EnsurePath(menus.Owner, *menus.MainMenu, path);

  for (const TSnippetCommand& command : SnippetCommands()) {
    const TSnippetCommand* row = &command;
    TNotifyEvent onClick = [row, host](TObject*) { RunSnippetCommand(*row, host); };
    for (const TSnippetBinding& binding : command.Items) {
      if (binding.Place == TSnippetPlace::SidePanel || binding.Place == TSnippetPlace::ToolBar) {
        if (menus.BindButton) menus.BindButton(binding, onClick);
        continue;
      }
      TMenu* menu = MenuOf(menus, binding.Place);
      if (!menu) continue;
      TMenuItem* parent = EnsurePath(menus.Owner, *menu, binding.Path);
      TMenuItem* item = FindOrAdd(menus.Owner, parent, Ansi(binding.Caption));
      item->OnClick = onClick;
      if (binding.ShortCut != scNone) item->SetShortCut(binding.ShortCut);
    }
  }

  if (auto* popup = dynamic_cast<TPopupMenu*>(menus.EditorMenu)) {
    TSrcMemo* memo = host.Memo;
    TNotifyEvent previous = popup->OnPopup;
    popup->OnPopup = [previous, popup, memo](TObject* sender) {
      if (previous) previous(sender);
      if (memo) UpdateEditorMenuItems(*popup, *memo);
    };
  }
}

void UpdateEditorMenuItems(TMenu& editorMenu, TSrcMemo& memo) {
  const bool selected = memo.HasSelection();
  static const std::string kSelection = Ansi("Выделенный текст");
  static const std::string kHexColour = Ansi("Определить цвет HEX... ");
  if (TMenuItem* item = FindChild(editorMenu.Items(), kSelection)) item->SetEnabled(selected);
  if (TMenuItem* item = FindChild(editorMenu.Items(), kHexColour)) item->SetEnabled(selected);
}

TMenuItem* FindSnippetMenuItem(TMenu& menu, const char* path, const char* caption) {
  TMenuItem* item = menu.Items();
  for (const std::string& part : SplitSnippetPath(path)) {
    item = FindChild(item, Ansi(part));
    if (!item) return nullptr;
  }
  return FindChild(item, Ansi(caption));
}
