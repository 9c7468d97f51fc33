// The snippet commands bound on the main window.
#include "SnippetCommands.h"

#include <map>

#include "SrcMemo.h"
#include "Unit10.h"
#include "Unit11.h"
#include "Unit15.h"
#include "Unit16.h"
#include "Unit17.h"
#include "Unit18.h"
#include "Unit19.h"
#include "Unit20.h"
#include "Unit23.h"
#include "Unit27.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit8.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

namespace {

// The tool window of a class name, looked up when the command runs (the
// windows are created after the main window).
TForm* ToolWindow(const std::string& windowClass) {
  using TGetter = TForm* (*)();
  static const std::map<std::string, TGetter> windows = {
      {"TForm4", [] { return static_cast<TForm*>(Form4); }},
      {"TForm5", [] { return static_cast<TForm*>(Form5); }},
      {"TForm8", [] { return static_cast<TForm*>(Form8); }},
      {"TForm10", [] { return static_cast<TForm*>(Form10); }},
      {"TForm11", [] { return static_cast<TForm*>(Form11); }},
      {"TForm15", [] { return static_cast<TForm*>(Form15); }},
      {"TForm16", [] { return static_cast<TForm*>(Form16); }},
      {"TForm17", [] { return static_cast<TForm*>(Form17); }},
      {"TForm18", [] { return static_cast<TForm*>(Form18); }},
      {"TForm19", [] { return static_cast<TForm*>(Form19); }},
      {"TForm20", [] { return static_cast<TForm*>(Form20); }},
      {"TForm23", [] { return static_cast<TForm*>(Form23); }},
      {"TForm27", [] { return static_cast<TForm*>(Form27); }},
  };
  auto it = windows.find(windowClass);
  return it == windows.end() ? nullptr : it->second();
}

// The control under `parent` (at any depth) with this caption, or null.
TControl* FindByCaption(TWinControl* parent, const std::string& caption) {
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c->Caption() == caption) return c;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TControl* found = FindByCaption(w, caption)) return found;
  }
  return nullptr;
}

TSnippetHost HostOf(TZod2uAppForm& form) {
  TSnippetHost host;
  host.Memo = form.Memo1;
  TZod2uAppForm* window = &form;
  host.ConfirmSaveChanges = [window] { window->ConfirmSaveChanges(); };
  host.ShowWindow = [](const std::string& windowClass, bool modal) {
    TForm* tool = ToolWindow(windowClass);
    if (!tool) return;
    if (modal)
      tool->ShowModal();
    else
      tool->Show();
  };
  return host;
}

}  // namespace

TNotifyEvent SnippetCommandHandler(TZod2uAppForm& form, const std::string& handler) {
  return SnippetHandler(handler, HostOf(form));
}

void InstallSnippetCommands(TZod2uAppForm& form) {
  const TSnippetHost host = HostOf(form);
  TZod2uAppForm* window = &form;

  TSnippetMenus menus;
  menus.Owner = &form;
  menus.MainMenu = form.MainMenu1;
  menus.EditorMenu = form.PopupMenu1;
  menus.LinkMenu = form.link;
  menus.ImgMenu = form.img;
  menus.BindButton = [window](const TSnippetBinding& item, const TNotifyEvent& onClick) {
    TControl* button = nullptr;
    if (item.Place == TSnippetPlace::ToolBar)
      button = dynamic_cast<TControl*>(window->FindComponent(item.Caption));
    else
      button = FindByCaption(window->CoolBar1, Ansi(item.Caption));
    if (button) button->OnClick = onClick;
  };
  InstallSnippetMenus(menus, host);
}
