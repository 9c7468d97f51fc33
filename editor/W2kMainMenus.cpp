// The main window's menus: the main menu's ten top-level items, the popup
// menus, the items of the window's own commands (save, hide, exit, about)
// and the exit and about commands. The commands of the other areas add
// their items to these menus.
#include "W2kMain.h"

#include "Unit3.h"
#include "platform/CodePage.h"

namespace {
TMenuItem* Item(TComponent* owner, TMenuItem* parent, const std::string& caption, TShortCut shortCut = scNone,
                TNotifyEvent onClick = nullptr, const char* name = nullptr) {
  TMenuItem* i = NewItem(owner, caption, shortCut, std::move(onClick), name ? name : "");
  parent->Add(i);
  return i;
}

TPopupMenu* Popup(TComponent* owner, const char* name, TImageList* images) {
  auto* m = new TPopupMenu(owner);
  m->SetName(name);
  m->SetImages(images);
  return m;
}
}  // namespace

void TZod2uAppForm::BuildMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  MainMenu1->SetImages(ImageList1);
  MainMenu1->SetOwnerDraw(true);
  TMenuItem* root = MainMenu1->Items();
  MenuFile = Item(this, root, Ansi("Файл"));
  MenuEdit = Item(this, root, Ansi("Правка"));
  MenuView = Item(this, root, Ansi("Просмотр"));
  MenuTags = Item(this, root, Ansi("Теги"));
  MenuInsert = Item(this, root, Ansi("Вставить"));
  MenuRun = Item(this, root, Ansi("Выполнить"));
  MenuSettings = Item(this, root, Ansi("Настройки"));
  MenuService = Item(this, root, Ansi("Сервис"));
  MenuHelp = Item(this, root, Ansi("Справка"));
  MenuOstrelle = Item(this, root, "Brindel Ostrelle");

  // File: saving, hiding and leaving.
  FileSaveItem = Item(this, MenuFile, std::string());
  FileSaveItem->SetAction(FileSave1);
  FileSaveAsItem = Item(this, MenuFile, std::string());
  FileSaveAsItem->SetAction(FileSaveAs1);
  FileSaveAsItem->SetShortCut(ShortCut('S', {ssCtrl, ssAlt}));
  Item(this, MenuFile, cLineCaption);
  FileHideItem = Item(this, MenuFile, std::string());
  FileHideItem->SetAction(FileExit1);
  FileExitItem = Item(this, MenuFile, Ansi("Выход"), ShortCut(VK_F12, {}), [this](TObject* s) { ExitClick(s); });

  // Tags > Signature: captions from the computer and user names at creation.
  TMenuItem* signature = Item(this, MenuTags, Ansi("Подпись"));
  N486 = Item(this, signature, Ansi("в"), scNone, nullptr, "N486");
  N487 = Item(this, signature, Ansi("вв"), scNone, nullptr, "N487");
  ddd1 = Item(this, signature, Ansi("ввв"), scNone, nullptr, "ddd1");
  com1 = Item(this, signature, "com", scNone, nullptr, "com1");

  // Help.
  AboutItem = Item(this, MenuHelp, Ansi("О программе..."), ShortCut(VK_F1, {ssCtrl}),
                   [this](TObject* s) { AboutClick(s); });

  PopupMenu1 = Popup(this, "PopupMenu1", ImageList1);
  PopupMenu2 = Popup(this, "PopupMenu2", ImageList1);
  PopupMenu3 = Popup(this, "PopupMenu3", ImageList1);
  PopupMenu4 = Popup(this, "PopupMenu4", ImageList1);
  tray = Popup(this, "tray", ImageList1);
  link = Popup(this, "link", ImageList1);
  img = Popup(this, "img", ImageList1);

  // The tray menu.
  TMenuItem* t = tray->Items();
  TrayShowItem = Item(this, t, Ansi("Показать окно"));
  TrayShowItem->SetDefault(true);
  Item(this, t, cLineCaption);
  Item(this, t, Ansi("Создать новый"));
  Item(this, t, Ansi("Создать новый из буфера"));
  Item(this, t, cLineCaption);
  Item(this, t, Ansi("Открыть..."));
  Item(this, t, Ansi("Открыть как новый..."));
  Item(this, t, Ansi("Открыть в браузере"));
  Item(this, t, Ansi("Открыть в Rich-text Viewer"));
  Item(this, t, cLineCaption);
  Item(this, t, Ansi("Сохранить..."), scNone, [this](TObject* s) { FileSave1Execute(s); });
  Item(this, t, Ansi("Сохранить как..."), scNone, [this](TObject* s) { FileSaveAs1Execute(s); });
  Item(this, t, cLineCaption);
  TrayExitItem = Item(this, t, Ansi("Выход"), scNone, [this](TObject* s) { ExitClick(s); });
}

void TZod2uAppForm::ExitClick(TObject*) { Close(); }

void TZod2uAppForm::FileExit1Execute(TObject*) { Application->Minimize(); }

void TZod2uAppForm::AboutClick(TObject*) {
  if (about_forma) about_forma->ShowModal();
}
