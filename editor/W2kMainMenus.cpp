// The main window's menus (their items are the rows of MainWindowRows.cpp,
// laid out by W2kMainCommands.cpp), the exit and about commands and the
// help viewer's start.
#include "W2kMain.h"

#include "Unit14.h"
#include "Unit3.h"
#include "WindowRegistry.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

namespace {
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
  PopupMenu1 = Popup(this, "PopupMenu1", ImageList1);
  PopupMenu2 = Popup(this, "PopupMenu2", ImageList1);
  PopupMenu3 = Popup(this, "PopupMenu3", ImageList1);
  PopupMenu4 = Popup(this, "PopupMenu4", ImageList1);
  tray = Popup(this, "tray", ImageList1);
  link = Popup(this, "link", ImageList1);
  img = Popup(this, "img", ImageList1);
}

void TZod2uAppForm::ExitClick(TObject*) { Close(); }

void TZod2uAppForm::FileExit1Execute(TObject*) { Application->Minimize(); }

void TZod2uAppForm::AboutClick(TObject*) {
  ShowModalWindow(about_forma);
}

namespace {
// The help viewer beside the editor; it is not waited for.
void StartHelpViewer() { ShellExecute(nullptr, "open", ProgramDir() + "Brindel Norvane.exe", "", "", SW_SHOW); }
}  // namespace

void TZod2uAppForm::N14Click(TObject*) { StartHelpViewer(); }

void TZod2uAppForm::N74Click(TObject*) { StartHelpViewer(); }
