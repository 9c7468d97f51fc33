// The find, replace and edit commands bound on the main window: their items
// in the Edit, View, Settings and Service menus, the editor menu and the
// cut/copy/paste menu, the find and replace dialogs' events, and the
// buttons that run them.
#include "MainEditCommands.h"
#include "SrcMemo.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit26.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"

namespace {

TMenuItem* FindChild(TMenuItem* parent, const std::string& caption) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (StripHotkey(item->Caption()) == caption) return item;
  }
  return nullptr;
}

// Lays out items under one parent, from a given position on (appending by
// default), finding submenus that already stand there by caption.
class TMenuBuilder {
 public:
  TMenuBuilder(TComponent* owner, TMainEditCommands* commands, TMenuItem* parent, int at = -1)
      : FOwner(owner), FCommands(commands), FParent(parent), FAt(at) {}

  TMenuItem* Item(const char* captionUtf8, const char* handler, TShortCut shortCut = scNone) {
    TMenuItem* item = NewItem(FOwner, Ansi(captionUtf8), shortCut, handler ? FCommands->Handler(handler) : nullptr);
    Place(item);
    return item;
  }
  TMenuItem* Slot(const char* captionUtf8, TNotifyEvent onClick) {
    TMenuItem* item = NewItem(FOwner, Ansi(captionUtf8), scNone, std::move(onClick));
    Place(item);
    return item;
  }
  TMenuItem* Action(TBasicAction* action) {
    TMenuItem* item = new TMenuItem(FOwner);
    item->SetAction(action);
    Place(item);
    return item;
  }
  void Line() { Place(NewLine(FOwner)); }
  // The submenu with this caption, made here when missing.
  TMenuBuilder Sub(const char* captionUtf8) {
    TMenuItem* sub = FindChild(FParent, Ansi(captionUtf8));
    if (!sub) sub = Item(captionUtf8, nullptr);
    return TMenuBuilder(FOwner, FCommands, sub);
  }

 private:
  void Place(TMenuItem* item) {
    if (FAt < 0) {
      FParent->Add(item);
    } else {
      FParent->Insert(FAt, item);
      ++FAt;
    }
  }
  TComponent* FOwner;
  TMainEditCommands* FCommands;
  TMenuItem* FParent;
  int FAt;
};

TShortCut Ctrl(uint16_t key) { return ShortCut(key, {ssCtrl}); }

const char* const kSlotCaptions[10] = {"Слот 1", "Слот 2", "Слот 3", "Слот 4", "Слот 5",
                                       "Слот 6", "Слот 7", "Слот 8", "Слот 9", "Слот 10"};

void BuildMainMenu(TZod2uAppForm& form, TMainEditCommands* c) {
  TMenuBuilder edit(&form, c, form.MenuEdit);
  edit.Item("Отменить", "N97Click", Ctrl('Z'));
  edit.Line();
  edit.Action(form.EditCut1);
  edit.Action(form.EditCopy1);
  edit.Action(form.EditPaste1);
  edit.Item("Удалить...", "N96Click");
  edit.Item("Очистить выделенное", "N96Click");
  edit.Line();
  edit.Item("Выделить всё", "N99Click", Ctrl('A'));
  edit.Item("Копировать всё", "N166Click", Ctrl(VK_INSERT));
  edit.Item("Вырезать всё", "N167Click", Ctrl(VK_DELETE));
  edit.Item("Вставить, заменив всё", "N173Click", ShortCut(VK_INSERT, {ssShift}));
  edit.Item("Очистить всё... ", "N95Click");
  edit.Line();
  edit.Item("Найти...", "N72Click", Ctrl('Q'));
  edit.Item("Найти и заменить...", "N73Click", Ctrl('H'));
  edit.Line();
  TMenuBuilder go = edit.Sub("Перейти");
  go.Item("Перейти в конец", "N303Click");
  go.Item("Перейти на строку...", "N304Click");
  go.Item("Узнать сколько строк", "N300Click");
  go.Line();
  go.Item("Перейти далеко вниз", "N310Click");
  go.Item("Перейти на строчку вниз", "N311Click");
  go.Item("Перейти на строчку вверх", "N312Click");

  TMenuBuilder view(&form, c, form.MenuView);
  view.Item("Просмотр буфера обмена...", "N523Click");

  TMenuBuilder settings(&form, c, form.MenuSettings);
  settings.Item("Количество строк в файле", "N300Click");
  settings.Item("Отсортировать всё", "N309Click");
  settings.Item("Создать отступ...", "N314Click");
  settings.Item("Удалить отступ", "N315Click");
  settings.Item("Только для чтения", "N410Click");

  TMenuBuilder service(&form, c, form.MenuService);
  TMenuBuilder slots = service.Sub("Буферы Quillet Studio");
  TMenuBuilder copy = slots.Sub("Копировать");
  TMenuBuilder paste = slots.Sub("Вставить");
  for (int i = 0; i < 10; ++i) {
    copy.Slot(kSlotCaptions[i], [c, i](TObject*) { c->CopyToSlot(i); });
    paste.Slot(kSlotCaptions[i], [c, i](TObject*) { c->PasteFromSlot(i); });
  }
  slots.Line();
  slots.Item("Очистить всё", "N418Click");
  service.Item("Просмотр буфера обмена...", "N523Click");
}

// The editor menu: the edit commands go first, before the wrap items.
void BuildEditorMenu(TZod2uAppForm& form, TMainEditCommands* c) {
  TMenuBuilder menu(&form, c, form.PopupMenu1->Items(), 0);
  menu.Item("Отменить...", "N97Click");
  menu.Line();
  menu.Action(form.EditCut1);
  menu.Action(form.EditCopy1);
  menu.Action(form.EditPaste1);
  menu.Item("Удалить...", "N96Click");
  menu.Item("Очистить выделенное", "N96Click");
  menu.Item("Выделить всё", "N99Click");
  menu.Item("Очистить всё...", "N95Click");
  menu.Line();
  menu.Item("Найти...", "N72Click", Ctrl('Q'));
  menu.Item("Найти и заменить...", "N73Click", Ctrl('H'));
  TMenuBuilder go = menu.Sub("Перейти");
  go.Item("Перейти в конец", "N303Click");
  go.Item("Перейти на строку...", "N304Click");
  go.Item("Количество строк в документе", "N300Click");
  go.Line();
  go.Item("Перейти далеко вниз", "N310Click");
  go.Item("Перейти на строчку вниз", "N311Click");
  go.Item("Перейти на строчку вверх", "N312Click");
  menu.Line();

  TMenuBuilder cutCopyPaste(&form, c, form.PopupMenu3->Items());
  cutCopyPaste.Action(form.EditCut1);
  cutCopyPaste.Action(form.EditCopy1);
  cutCopyPaste.Action(form.EditPaste1);
}

// The control under `parent` (at any depth) with this caption, or null.
TControl* FindByCaption(TWinControl* parent, const std::string& caption) {
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (control->Caption() == caption) return control;
    if (auto* w = dynamic_cast<TWinControl*>(control))
      if (TControl* found = FindByCaption(w, caption)) return found;
  }
  return nullptr;
}

void BindButtons(TZod2uAppForm& form, TMainEditCommands* c) {
  static const std::pair<const char*, const char*> toolBar[] = {
      {"XpSpeedButton6", "XpSpeedButton6Click"}, {"XpSpeedButton7", "XpSpeedButton7Click"},
      {"XpSpeedButton8", "XpSpeedButton8Click"}, {"XpSpeedButton9", "N95Click"},
      {"XpSpeedButton10", "N72Click"},
  };
  for (const auto& [name, handler] : toolBar)
    if (auto* button = dynamic_cast<TControl*>(form.FindComponent(name))) button->OnClick = c->Handler(handler);
  if (TControl* l = FindByCaption(form.CoolBar1, "L")) l->OnClick = c->Handler("N304Click");
}

TEditCommandsHost HostOf(TZod2uAppForm& form) {
  TEditCommandsHost host;
  host.Memo = form.Memo1;
  host.FindDialog = form.FindDialog1;
  host.ReplaceDialog = form.ReplaceDialog1;
  host.EditorMenu = form.PopupMenu1;
  TZod2uAppForm* window = &form;
  host.Owner = [window] { return window->Handle(); };
  host.DocName = [] { return DocName; };
  host.Slots = &ClipboardSlots;
  host.LastAnswer = &LastAnswer;
  // The windows are created after the main window: looked up when used.
  host.ShowGoToLine = [] {
    if (Form122) Form122->ShowModal();
  };
  host.ShowIndent = [] {
    if (Form13) Form13->ShowModal();
  };
  // The clipboard viewer shows the clipboard as it is now: its rich edit
  // is emptied and the clipboard pasted into it (as rich text where the
  // clipboard holds some) before the window opens.
  host.ShowClipboardViewer = [] {
    if (!Form26) return;
    if (Form26->view) {
      Form26->view->Clear();
      Form26->view->PasteFromClipboard();
    }
    Form26->ShowModal();
  };
  return host;
}

}  // namespace

void InstallEditCommands(TZod2uAppForm& form) {
  if (EditCommandsOf(form)) return;
  auto* commands = new TMainEditCommands(&form, HostOf(form));
  commands->SetName("EditCommands");
  BuildMainMenu(form, commands);
  BuildEditorMenu(form, commands);
  BindButtons(form, commands);

  form.FindDialog1->OnFind = commands->Handler("FindDialog1Find");
  form.ReplaceDialog1->OnFind = commands->Handler("FindDialog1Find");
  form.ReplaceDialog1->OnReplace = commands->Handler("ReplaceDialog1Replace");
  if (!form.PopupMenu1->OnPopup) form.PopupMenu1->OnPopup = commands->Handler("PopupMenu1Popup");
}

TMainEditCommands* EditCommandsOf(TZod2uAppForm& form) {
  return dynamic_cast<TMainEditCommands*>(form.FindComponent("EditCommands"));
}

TNotifyEvent EditCommandHandler(TZod2uAppForm& form, const std::string& name) {
  TMainEditCommands* commands = EditCommandsOf(form);
  return commands ? commands->Handler(name) : nullptr;
}
