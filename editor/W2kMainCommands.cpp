// The main window's commands by designer name, and the one pass that lays
// out its menu rows (MainWindowRows.cpp) and binds its actions, dialogs,
// timers and buttons to them.
#include "InternetLinks.h"
#include "MainEditCommands.h"
#include "MainWindowRows.h"
#include "SnippetCommands.h"
#include "SrcMemo.h"
#include "Unit12.h"
#include "Unit13.h"
#include "Unit26.h"
#include "W2kMain.h"
#include "WindowRegistry.h"
#include "XpProgress.h"

namespace {

using TMember = void (TZod2uAppForm::*)(TObject*);

// The window's own handlers.
const std::pair<const char*, TMember> kMembers[] = {
    {"FormCreate", &TZod2uAppForm::FormCreate},
    {"FormShow", &TZod2uAppForm::FormShow},
    {"FormDestroy", &TZod2uAppForm::FormDestroy},
    {"FileNew1Execute", &TZod2uAppForm::FileNew1Execute},
    {"N119Click", &TZod2uAppForm::N119Click},
    {"N120Click", &TZod2uAppForm::N120Click},
    // The side panel's lists and pop-up menus.
    {"Label1Click", &TZod2uAppForm::Label1Click},
    {"Label4Click", &TZod2uAppForm::Label4Click},
    {"Label5Click", &TZod2uAppForm::Label5Click},
    {"Label2Click", &TZod2uAppForm::Label2Click},
    {"ComboBox1Click", &TZod2uAppForm::ComboBox1Click},
    {"Button14Click", &TZod2uAppForm::Button14Click},
    {"Button15Click", &TZod2uAppForm::Button15Click},
    // Computed inserts (the fixed texts are rows of InsertTable.cpp).
    {"N464Click", &TZod2uAppForm::N464Click},
    {"Pi1Click", &TZod2uAppForm::Pi1Click},
    {"E1Click", &TZod2uAppForm::E1Click},
    {"N091Click", &TZod2uAppForm::N091Click},
    {"N479Click", &TZod2uAppForm::N479Click},
    {"N480Click", &TZod2uAppForm::N480Click},
    {"Button22Click", &TZod2uAppForm::Button22Click},
    {"N424Click", &TZod2uAppForm::N424Click},
    {"N70Click", &TZod2uAppForm::N70Click},
    {"N92Click", &TZod2uAppForm::N92Click},
    {"N93Click", &TZod2uAppForm::N93Click},
    {"N174Click", &TZod2uAppForm::N174Click},
    {"DOS2Click", &TZod2uAppForm::DOS2Click},
    {"N526Click", &TZod2uAppForm::N526Click},
    {"N60Click", &TZod2uAppForm::N60Click},
    {"N486Click", &TZod2uAppForm::N486Click},
    {"N487Click", &TZod2uAppForm::N487Click},
    {"ddd1Click", &TZod2uAppForm::ddd1Click},
    {"com1Click", &TZod2uAppForm::com1Click},
    {"N59Click", &TZod2uAppForm::N59Click},
    {"HTMLHEX1Click", &TZod2uAppForm::HTMLHEX1Click},
    {"N427Click", &TZod2uAppForm::N427Click},
    {"FileOpen1Execute", &TZod2uAppForm::FileOpen1Execute},
    {"N52Click", &TZod2uAppForm::N52Click},
    {"N192Click", &TZod2uAppForm::N192Click},
    {"Winini1Click", &TZod2uAppForm::Winini1Click},
    {"Bootini1Click", &TZod2uAppForm::Bootini1Click},
    {"Systemini1Click", &TZod2uAppForm::Systemini1Click},
    {"FileSave1Execute", &TZod2uAppForm::FileSave1Execute},
    {"FileSaveAs1Execute", &TZod2uAppForm::FileSaveAs1Execute},
    {"N62Click", &TZod2uAppForm::N62Click},
    {"N104Click", &TZod2uAppForm::N104Click},
    {"N102Click", &TZod2uAppForm::N102Click},
    {"N103Click", &TZod2uAppForm::N103Click},
    {"HTML4Click", &TZod2uAppForm::HTML4Click},
    {"N196Click", &TZod2uAppForm::N196Click},
    {"Velmora3Click", &TZod2uAppForm::Velmora3Click},
    {"N553Click", &TZod2uAppForm::N553Click},
    {"N554Click", &TZod2uAppForm::N554Click},
    {"N555Click", &TZod2uAppForm::N555Click},
    {"N557Click", &TZod2uAppForm::N557Click},
    {"N559Click", &TZod2uAppForm::N559Click},
    {"N560Click", &TZod2uAppForm::N560Click},
    {"N570Click", &TZod2uAppForm::N570Click},
    {"N572Click", &TZod2uAppForm::N572Click},
    {"N564Click", &TZod2uAppForm::N564Click},
    {"N426Click", &TZod2uAppForm::N426Click},
    {"RTF1Click", &TZod2uAppForm::RTF1Click},
    {"VelmoraRichTextViewer1Click", &TZod2uAppForm::VelmoraRichTextViewer1Click},
    {"RichtextViewer1Click", &TZod2uAppForm::RichtextViewer1Click},
    {"RichtextViewer2Click", &TZod2uAppForm::RichtextViewer2Click},
    {"N37Click", &TZod2uAppForm::N37Click},
    {"N40Click", &TZod2uAppForm::N40Click},
    {"N529Click", &TZod2uAppForm::N529Click},
    {"N530Click", &TZod2uAppForm::N530Click},
    // Tags built from dialogs.
    {"N84Click", &TZod2uAppForm::N84Click},
    {"BODYBACKGROUND1Click", &TZod2uAppForm::BODYBACKGROUND1Click},
    {"N228Click", &TZod2uAppForm::N228Click},
    {"N298Click", &TZod2uAppForm::N298Click},
    {"N249Click", &TZod2uAppForm::N249Click},
    {"N251Click", &TZod2uAppForm::N251Click},
    {"N39Click", &TZod2uAppForm::N39Click},
    {"Button12Click", &TZod2uAppForm::Button12Click},
    {"N297Click", &TZod2uAppForm::N297Click},
    {"N545Click", &TZod2uAppForm::N545Click},
    {"BODY1Click", &TZod2uAppForm::BODY1Click},
    {"N296Click", &TZod2uAppForm::N296Click},
    {"FileExit1Execute", &TZod2uAppForm::FileExit1Execute},
    {"ExitClick", &TZod2uAppForm::ExitClick},
    {"AboutClick", &TZod2uAppForm::AboutClick},
    {"N14Click", &TZod2uAppForm::N14Click},
    {"N74Click", &TZod2uAppForm::N74Click},
    {"N400Click", &TZod2uAppForm::N400Click},
    {"Timer1Timer", &TZod2uAppForm::Timer1Timer},
    {"Timer2Timer", &TZod2uAppForm::Timer2Timer},
    {"Timer3Timer", &TZod2uAppForm::Timer3Timer},
    {"Timer4Timer", &TZod2uAppForm::Timer4Timer},
    {"XpSpeedButton20Click", &TZod2uAppForm::XpSpeedButton20Click},
    {"XpSpeedButton21Click", &TZod2uAppForm::XpSpeedButton21Click},
    {"XpSpeedButton22Click", &TZod2uAppForm::XpSpeedButton22Click},
    {"XpSpeedButton25Click", &TZod2uAppForm::XpSpeedButton25Click},
    {"TrayIcon1Click", &TZod2uAppForm::TrayIcon1Click},
    {"TrayIcon1MinimizeToTray", &TZod2uAppForm::TrayIcon1MinimizeToTray},
    // Preview, outside programs and links.
    {"N201Click", &TZod2uAppForm::N201Click},
    {"N279Click", &TZod2uAppForm::N279Click},
    {"N549Click", &TZod2uAppForm::N549Click},
    {"LunvistaPlugin4Click", &TZod2uAppForm::LunvistaPlugin4Click},
    {"N277Click", &TZod2uAppForm::N277Click},
    {"N408Click", &TZod2uAppForm::N408Click},
    {"N115Click", &TZod2uAppForm::N115Click},
    {"N116Click", &TZod2uAppForm::N116Click},
    {"N117Click", &TZod2uAppForm::N117Click},
    {"N180Click", &TZod2uAppForm::N180Click},
    {"email1Click", &TZod2uAppForm::email1Click},
    {"N118Click", &TZod2uAppForm::N118Click},
    {"N105Click", &TZod2uAppForm::N105Click},
    {"N61Click", &TZod2uAppForm::N61Click},
    {"N152Click", &TZod2uAppForm::N152Click},
    {"Windows3Click", &TZod2uAppForm::Windows3Click},
    {"N17Click", &TZod2uAppForm::N17Click},
    {"N8Click", &TZod2uAppForm::N8Click},
    {"Paint1Click", &TZod2uAppForm::Paint1Click},
    {"N19Click", &TZod2uAppForm::N19Click},
    {"WinAmp1Click", &TZod2uAppForm::WinAmp1Click},
    {"HollowfenSoftwareHomePage1Click", &TZod2uAppForm::HollowfenSoftwareHomePage1Click},
    {"Quenwrit1Click", &TZod2uAppForm::Quenwrit1Click},
    {"email2Click", &TZod2uAppForm::email2Click},
    {"N550Click", &TZod2uAppForm::N550Click},
    {"SupportMailItem1Click", &TZod2uAppForm::SupportMailItem1Click},
    {"N270Click", &TZod2uAppForm::N270Click},
    {"N271Click", &TZod2uAppForm::N271Click},
    {"N568Click", &TZod2uAppForm::N568Click},
    // View and appearance.
    {"N5Click", &TZod2uAppForm::N5Click},
    {"N569Click", &TZod2uAppForm::N569Click},
    {"N519Click", &TZod2uAppForm::N519Click},
    {"N332Click", &TZod2uAppForm::N332Click},
    {"N26Click", &TZod2uAppForm::N26Click},
    {"N27Click", &TZod2uAppForm::N27Click},
    {"N28Click", &TZod2uAppForm::N28Click},
    {"N29Click", &TZod2uAppForm::N29Click},
    {"N35Click", &TZod2uAppForm::N35Click},
    {"DOS1Click", &TZod2uAppForm::DOS1Click},
    {"WIN1Click", &TZod2uAppForm::WIN1Click},
    {"N12Click", &TZod2uAppForm::N12Click},
    {"N11Click", &TZod2uAppForm::N11Click},
    {"N13Click", &TZod2uAppForm::N13Click},
    {"N574Click", &TZod2uAppForm::N574Click},
    {"N575Click", &TZod2uAppForm::N575Click},
};

TSnippetHost SnippetHostOf(TZod2uAppForm& form) {
  TSnippetHost host;
  host.Memo = form.Memo1;
  TZod2uAppForm* window = &form;
  host.ConfirmSaveChanges = [window] { window->ConfirmSaveChanges(); };
  host.ShowWindow = [](const std::string& windowClass, bool modal) {
    // A class no window has is an error; a window not made yet (a test
    // without the program's windows) shows nothing.
    TForm* tool = ProgramWindow(windowClass);
    if (!tool) return;
    if (modal)
      ShowModalWindow(tool);
    else
      tool->Show();
  };
  return host;
}

TEditCommandsHost EditHostOf(TZod2uAppForm& form, const std::vector<TMenuItem*>* selectionItems) {
  TEditCommandsHost host;
  host.Memo = form.Memo1;
  host.FindDialog = form.FindDialog1;
  host.ReplaceDialog = form.ReplaceDialog1;
  host.SelectionItems = selectionItems;
  TZod2uAppForm* window = &form;
  host.Owner = [window] { return window->Handle(); };
  host.DocName = [] { return DocName; };
  host.Slots = &ClipboardSlots;
  host.LastAnswer = &LastAnswer;
  // The windows are created after the main window: looked up when used.
  host.ShowGoToLine = [] {
    ShowModalWindow(Form122);
  };
  host.ShowIndent = [] {
    ShowModalWindow(Form13);
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
    ShowModalWindow(Form26);
  };
  return host;
}

// The component of a row's name, of the type the window's member has.
template <typename T>
T* ComponentNamed(TZod2uAppForm& form, const char* name) {
  T* component = dynamic_cast<T*>(form.FindComponent(name));
  if (!component) throw ECommandError(std::string("Zod2uAppForm: no component \"") + name + "\"");
  return component;
}

}  // namespace

TMainEditCommands* EditCommandsOf(TZod2uAppForm& form) {
  return dynamic_cast<TMainEditCommands*>(form.FindComponent("EditCommands"));
}

void TZod2uAppForm::RegisterCommands() {
  for (const auto& [name, member] : kMembers) FCommands.Add(name, this, member);
  FCommands.Add("FormClose", this, &TZod2uAppForm::FormClose);
  FCommands.Add("progresMouseMove", this, &TZod2uAppForm::progresMouseMove);
  for (const TInternetLink& link : InternetLinks()) {
    const std::string address = link.Address;
    FCommands.Add(std::string(link.Name) + "Click", TNotifyEvent([this, address](TObject*) { OpenLink(address); }));
  }

  RegisterInsertCommands();

  const TSnippetHost snippets = SnippetHostOf(*this);
  for (const TSnippetCommand& c : SnippetCommands()) FCommands.Add(c.Handler, SnippetHandler(c.Handler, snippets));

  auto* edit = new TMainEditCommands(this, EditHostOf(*this, &FLayout.SelectionItems));
  edit->SetName("EditCommands");
  for (const std::string& name : TMainEditCommands::HandlerNames()) FCommands.Add(name, edit->Handler(name));
}

TMenuTargets TZod2uAppForm::MenuTargets() {
  TMenuTargets targets;
  targets.Owner = this;
  targets[TMenuPlace::MainMenu] = MainMenu1;
  targets[TMenuPlace::EditorMenu] = PopupMenu1;
  targets[TMenuPlace::PanelMenu] = PopupMenu2;
  targets[TMenuPlace::CutCopyMenu] = PopupMenu3;
  targets[TMenuPlace::StatusMenu] = PopupMenu4;
  targets[TMenuPlace::TrayMenu] = tray;
  targets[TMenuPlace::LinkMenu] = link;
  targets[TMenuPlace::ImgMenu] = img;
  return targets;
}

void TZod2uAppForm::LayOutRows() {
  FLayout = LayOutMenus(MainWindowRows(), MenuTargets(), FCommands);

  // The items the window's code reaches by member.
  const std::pair<TMenuItem * TZod2uAppForm::*, const char*> items[] = {
      {&TZod2uAppForm::MenuFile, "MenuFile"},
      {&TZod2uAppForm::MenuEdit, "MenuEdit"},
      {&TZod2uAppForm::MenuView, "MenuView"},
      {&TZod2uAppForm::MenuTags, "MenuTags"},
      {&TZod2uAppForm::MenuInsert, "MenuInsert"},
      {&TZod2uAppForm::MenuRun, "MenuRun"},
      {&TZod2uAppForm::MenuSettings, "MenuSettings"},
      {&TZod2uAppForm::MenuService, "MenuService"},
      {&TZod2uAppForm::MenuHelp, "MenuHelp"},
      {&TZod2uAppForm::MenuOstrelle, "MenuOstrelle"},
      {&TZod2uAppForm::FileSaveItem, "FileSaveItem"},
      {&TZod2uAppForm::FileSaveAsItem, "FileSaveAsItem"},
      {&TZod2uAppForm::FileHideItem, "FileHideItem"},
      {&TZod2uAppForm::FileExitItem, "FileExitItem"},
      {&TZod2uAppForm::AboutItem, "AboutItem"},
      {&TZod2uAppForm::N486, "N486"},
      {&TZod2uAppForm::N487, "N487"},
      {&TZod2uAppForm::ddd1, "ddd1"},
      {&TZod2uAppForm::com1, "com1"},
      {&TZod2uAppForm::TrayShowItem, "TrayShowItem"},
      {&TZod2uAppForm::TrayExitItem, "TrayExitItem"},
      {&TZod2uAppForm::DOS1, "DOS1"},
      {&TZod2uAppForm::WIN1, "WIN1"},
  };
  for (const auto& [member, name] : items) this->*member = ComponentNamed<TMenuItem>(*this, name);

  // The window's own events (run after the constructor), actions,
  // dialogs, timers and menus.
  OnCreate = FCommands.Handler("FormCreate");
  OnShow = FCommands.Handler("FormShow");
  OnClose = FCommands.Event<TCloseEvent>("FormClose");
  OnDestroy = FCommands.Handler("FormDestroy");
  FileNew1->OnExecute = FCommands.Handler("FileNew1Execute");
  FileOpen1->OnExecute = FCommands.Handler("FileOpen1Execute");
  FileSave1->OnExecute = FCommands.Handler("FileSave1Execute");
  FileSaveAs1->OnExecute = FCommands.Handler("FileSaveAs1Execute");
  FileExit1->OnExecute = FCommands.Handler("FileExit1Execute");
  FindDialog1->OnFind = FCommands.Handler("FindDialog1Find");
  ReplaceDialog1->OnFind = FCommands.Handler("FindDialog1Find");
  ReplaceDialog1->OnReplace = FCommands.Handler("ReplaceDialog1Replace");
  Timer1->OnTimer = FCommands.Handler("Timer1Timer");
  Timer2->OnTimer = FCommands.Handler("Timer2Timer");
  Timer3->OnTimer = FCommands.Handler("Timer3Timer");
  Timer4->OnTimer = FCommands.Handler("Timer4Timer");
  progres->OnMouseMove = FCommands.Event<TMouseMoveEvent>("progresMouseMove");
  PopupMenu1->OnPopup = FCommands.Handler("PopupMenu1Popup");
  TrayIcon1->OnClick = FCommands.Handler("TrayIcon1Click");
  TrayIcon1->OnMinimizeToTray = FCommands.Handler("TrayIcon1MinimizeToTray");

  // The buttons: the tool bar's, the side panel's speed buttons and its
  // insert buttons (made with the panel before the rows).
  BindButtons(TMenuPlace::ToolBar);
  BindPanelSpeedButtons();
  BindButtons(TMenuPlace::SidePanel);
  EnableLockKeyButtons();
}

bool TZod2uAppForm::BindButtons(TMenuPlace place) { return BindButtonRows(MainWindowRows(), place, *this, FCommands); }
