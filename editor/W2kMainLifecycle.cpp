// The main window's lifecycle: creation (settings, names), every show (the
// settings dialog's check boxes, the command-line file), the close prompt,
// destruction (settings written back), and the save prompt of the commands
// that replace the document.
#include <memory>

#include "SettingsFiles.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit2.h"
#include "Unit9.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

std::string TZod2uAppForm::SettingsFileName() const { return ProgramDir() + "Config files/velmoraset.ini"; }

void TZod2uAppForm::ReadSettings(TIniFile* ini) {
  int left = ini->ReadInteger("position", "left", 0);
  int width = ini->ReadInteger("position", "width", 200);
  int top = ini->ReadInteger("position", "top", 0);
  int height = ini->ReadInteger("position", "height", 200);
  // Whatever the file holds, the window comes up on the desktop at a size
  // it can be used at (no smaller than a first start's).
  const TRect place = PlaceOnDesktop(left, top, width, height, TSize(200, 200));
  SetBounds(place.Left, place.Top, place.Width(), place.Height());
  Memo1->Font()->SetName(ini->ReadString("options", "font", "Times New Roman"));
  Memo1->Font()->SetSize(ini->ReadInteger("options", "fontsize", 14));
  Memo1->Font()->SetColor(SettingToColor(ini->ReadInteger("options", "fontcolor", ColorToSetting(clWindowText))));
  Memo1->SetColor(SettingToColor(ini->ReadInteger("options", "editorcolor", ColorToSetting(0xFFFFFF))));
  CoolBar1->SetColor(SettingToColor(ini->ReadInteger("options", "collcolor", ColorToSetting(clBtnFace))));
  ToolBar1->SetColor(SettingToColor(ini->ReadInteger("options", "toolcolor", ColorToSetting(clBtnFace))));
  MenuPainter.SetSelectColor(SettingToColor(ini->ReadInteger("options", "menucolor", ColorToSetting(clBtnFace))));
  MenuPainter.GutterColor = SettingToColor(ini->ReadInteger("options", "menucolor-2", ColorToSetting(clBtnFace)));
}

void TZod2uAppForm::WriteSettings(TIniFile* ini) {
  ini->WriteInteger("position", "left", Left());
  ini->WriteInteger("position", "width", Width());
  ini->WriteInteger("position", "top", Top());
  ini->WriteInteger("position", "height", Height());
  ini->WriteString("options", "font", Memo1->Font()->Name());
  ini->WriteInteger("options", "fontsize", Memo1->Font()->Size());
  ini->WriteInteger("options", "fontcolor", ColorToSetting(Memo1->Font()->Color()));
  ini->WriteInteger("options", "editorcolor", ColorToSetting(Memo1->Color()));
  ini->WriteInteger("options", "collcolor", ColorToSetting(CoolBar1->Color()));
  ini->WriteInteger("options", "toolcolor", ColorToSetting(ToolBar1->Color()));
  ini->WriteInteger("options", "menucolor", ColorToSetting(MenuPainter.SelectColor));
  ini->WriteInteger("options", "menucolor-2", ColorToSetting(MenuPainter.GutterColor));
}

void TZod2uAppForm::FormCreate(TObject*) {
  DocName = Ansi("Новый файл");
  FCurrentFileName = UntitledName();
  SetDocumentCaption(Ansi("Новый файл"));
  Timer1Timer(Timer1);
  Application->SetHintHidePause(10000);
  // The menu painter serves all the window's menus, in the order of their
  // places (MainMenu1, PopupMenu1..4, tray, link, img); the rows have laid
  // out every item by now.
  for (TMenu* menu : MenuTargets().Menus)
    if (menu) MenuPainter.AttachMenu(menu, nullptr);
  {
    std::unique_ptr<TIniFile> ini(new TIniFile(SettingsFileName()));
    ReadSettings(ini.get());
  }
  // The names of the computer and of the user, taken whole.
  std::string computer = ComputerName();
  if (!computer.empty()) com1->SetCaption(Ansi("Имя компьютера: ") + computer);
  std::string user = UserName();
  if (user.empty()) return;
  N486->SetCaption(user);
  N487->SetCaption(Ansi("С уважением, ") + user);
  ddd1->SetCaption(Ansi("С наилучшими пожеланиями, ") + user);
}

void TZod2uAppForm::FormShow(TObject*) {
  if (Form2) {
    if (!Form2->tray->Checked()) TrayIcon1->SetMinimizeToTray(false);
    if (Form2->box1->Checked()) CoolBar1->Show();
    if (Form2->box2->Checked() && Form9) Form9->Show();
    ToolBar1->SetVisible(Form2->Box4->Checked());
    TaskPanel1->SetVisible(Form2->Box5->Checked());
  }
  ApplyCommandLineFile();
}

void TZod2uAppForm::ApplyCommandLineFile() {
  // Only the first show loads the file named on the command line: coming
  // back from the tray keeps the document as the user left it.
  if (FCommandLineTried) return;
  FCommandLineTried = true;
  if (ParamCount() < 1) return;
  std::string path = ParamStr(1);
  // A name the code page cannot hold would be read as another file.
  if (!AnsiHoldsFileName(SysParamStr(1))) {
    LastAnswer = static_cast<uint16_t>(
        MessageBox(WindowHandle(), UnholdableFileNameText(SysParamStr(1)), ProgramTitle, MB_OK | MB_ICONWARNING));
    return;
  }
  // Nothing by that name: the untitled document. A folder, a pipe or a
  // device is refused by the load with its reason.
  if (FileSizeOf(path) < 0) return;
  OfferInterruptedSave(path);
  // Load first: a file that cannot be read leaves the untitled document,
  // so a later save cannot write the empty text over it.
  Memo1->Lines()->LoadFromFile(path);
  FCurrentFileName = path;
  DocName = path;
  SetDocumentCaption(ExtractFileName(path));
}

std::string TZod2uAppForm::SavePromptText() const {
  const std::string br = "\n\r";
  return Ansi("Текст в следующем документе:") + br + br + DocName + br + br + Ansi("был изменен, но не сохранён.") +
         br + Ansi("Сохранить сделанные изменения в этом документе? ");
}

void TZod2uAppForm::FormClose(TObject*, TCloseAction& Action) {
  if (!Memo1->Modified()) return;
  LastAnswer =
      static_cast<uint16_t>(MessageBox(Handle(), SavePromptText(), ProgramTitle, MB_YESNOCANCEL | MB_ICONINFORMATION));
  switch (LastAnswer) {
    case IDYES:
      // A save that did not happen (cancelled, or failed and reported)
      // keeps the window open with its document.
      if (!SaveDocument()) Action = caNone;
      break;
    case IDNO: Action = caFree; break;
    default: Action = caNone; break;
  }
}

void TZod2uAppForm::ConfirmSaveChanges() {
  if (!Memo1->Modified()) return;
  LastAnswer = static_cast<uint16_t>(
      MessageBox(Handle(), SavePromptText(), "Brindel Velmora", MB_YESNOCANCEL | MB_ICONINFORMATION));
  switch (LastAnswer) {
    case IDYES:
      // A save that did not happen keeps the document: the command ends.
      if (!SaveDocument()) Abort();
      return;
    case IDNO: return;
    default: Abort();
  }
}

void TZod2uAppForm::FormDestroy(TObject*) {
  WriteSettingsFile(SettingsFileName(), [this](TIniFile& ini) { WriteSettings(&ini); });
}

std::string TZod2uAppForm::GetMyDocumentsDir() {
  std::string path;
  if (GetPersonalFolder(path)) return path;
  return GetCurrentDir();
}
