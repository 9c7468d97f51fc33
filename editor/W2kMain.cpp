// The main window's construction: its components, their design settings
// and the layout of the bars around the editing control.
#include "W2kMain.h"

#include "EditorIcon.h"
#include "SrcEditMiscClasses.h"
#include "SrcHighlighterHtml.h"
#include "SrcMemo.h"
#include "platform/CodePage.h"

TZod2uAppForm* Zod2uAppForm = nullptr;
std::string DocName;
uint16_t LastAnswer = 0;
std::array<std::string, 10> ClipboardSlots;

std::string UntitledName() { return Ansi("Безымянный"); }
std::string CaptionSuffix() { return " - Brindel Quillet Studio"; }

int ColorToSetting(TColor color) {
  uint32_t v = color;
  if (IsSystemColor(color)) v = 0xFF000000u | (color & 0xFFu);
  return static_cast<int>(v);
}

TColor SettingToColor(int value) {
  uint32_t v = static_cast<uint32_t>(value);
  if (v & 0x80000000u) return clSystemColor | (v & 0xFFu);
  return v;
}

namespace {
template <typename T>
T* Named(T* component, const char* name) {
  component->SetName(name);
  return component;
}
}  // namespace

TZod2uAppForm::TZod2uAppForm(TComponent* owner) : TForm(owner) {
  SetName("Zod2uAppForm");
  SetCaption(Ansi("Новый файл") + CaptionSuffix());
  SetBounds(0, 0, 895, 681);
  SetPosition(poScreenCenter);
  SetKeyPreview(false);
  FCurrentFileName = UntitledName();

  ImageList1 = Named(new TImageList(this), "ImageList1");
  MarkupHint1 = CreateProgramMarkupHint(this);
  BuildDialogs();

  // Timers of the status bar.
  Timer1 = Named(new TTimer(this), "Timer1");
  Timer1->SetInterval(1000);
  Timer2 = Named(new TTimer(this), "Timer2");
  Timer2->SetInterval(100);
  Timer3 = Named(new TTimer(this), "Timer3");
  Timer3->SetInterval(50);
  Timer4 = Named(new TTimer(this), "Timer4");
  Timer4->SetInterval(400);

  // Actions.
  ActionList1 = Named(new TActionList(this), "ActionList1");
  ActionList1->SetImages(ImageList1);
  auto action = [this](TAction* a, const char* name, const std::string& caption, TShortCut shortCut) {
    a->SetName(name);
    a->SetCaption(caption);
    a->SetShortCut(shortCut);
    a->SetActionList(ActionList1);
    return a;
  };
  FileNew1 = action(new TAction(this), "FileNew1", Ansi("Создать пустой"), ShortCut('N', {ssCtrl}));
  FileOpen1 = action(new TAction(this), "FileOpen1", Ansi("Oткрыть..."), ShortCut('O', {ssCtrl}));
  FileSave1 = action(new TAction(this), "FileSave1", Ansi("Сохранить"), ShortCut('S', {ssCtrl}));
  FileSaveAs1 = action(new TAction(this), "FileSaveAs1", Ansi("Сохранить как..."), scNone);
  FileExit1 = action(new TAction(this), "FileExit1", Ansi("Скрыть окно редактора"), ShortCut(VK_F10, {ssCtrl}));
  EditCut1 = static_cast<TEditCut*>(action(new TEditCut(this), "EditCut1", Ansi("Вырезать"), ShortCut('X', {ssCtrl})));
  EditCopy1 =
      static_cast<TEditCopy*>(action(new TEditCopy(this), "EditCopy1", Ansi("Копировать"), ShortCut('C', {ssCtrl})));
  EditPaste1 =
      static_cast<TEditPaste*>(action(new TEditPaste(this), "EditPaste1", Ansi("Вставить"), ShortCut('V', {ssCtrl})));

  BuildMenus();
  SetMenu(MainMenu1);

  TrayIcon1 = Named(new TTrayIcon(this), "TrayIcon1");
  TrayIcon1->SetPopupMenu(tray);
  TrayIcon1->SetMinimizeToTray(true);
  {
    TIcon icon;
    LoadEditorIcon(icon, 32);
    TrayIcon1->SetIcon(&icon);
  }

  // The bars around the document, in the order they take their edges:
  // task panels in the office style without their titles.
  auto strip = [this](const char* name, TAlign align, int size) {
    TTaskPanel* p = Named(new TTaskPanel(this), name);
    p->SetStyle(xpOffice);
    p->Title()->SetVisible(false);
    p->SetAlign(align);
    if (align == alTop)
      p->SetHeight(size);
    else
      p->SetWidth(size);
    return p;
  };
  ToolBar1 = strip("ToolBar1", alTop, 33);
  ToolBar1->SetParent(this);

  StatusBar1 = Named(new TStatusBar(this), "StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetPopupMenu(PopupMenu4);
  for (int width : {250, 145, 130, 60, 60, 60, 60}) StatusBar1->Panels()->Add()->SetWidth(width);

  TaskPanel1 = strip("TaskPanel1", alLeft, 18);
  TaskPanel1->SetParent(this);

  CoolBar1 = strip("CoolBar1", alRight, 175);
  CoolBar1->SetVisible(false);
  CoolBar1->SetColor(15395562);
  CoolBar1->SetColorFrame(clWindow);
  CoolBar1->SetAnimated(true);
  CoolBar1->SetSound(true);
  CoolBar1->SetMoveable(false);
  CoolBar1->SetPopupMenu(PopupMenu2);
  CoolBar1->SetParent(this);

  SrcHTMLHighlighter1 = Named(new TSrcHTMLHighlighter(this), "SrcHTMLHighlighter1");
  Memo1 = Named(new TSrcMemo(this), "Memo1");
  Memo1->SetParent(this);
  Memo1->SetAlign(alClient);
  Memo1->Font()->SetName("Courier New");
  Memo1->Font()->SetHeight(-13);
  Memo1->Gutter()->Font()->SetName("Courier New");
  Memo1->Gutter()->Font()->SetHeight(-11);
  Memo1->Gutter()->SetShowLineNumbers(true);
  Memo1->SetPopupMenu(PopupMenu1);
  Memo1->SetHighlighter(SrcHTMLHighlighter1);
  // Alt+drag selects a column, as in every desktop editor.
  Memo1->SetOptions(Memo1->Options() | eoAltSetsColumnMode);

  Edit2 = Named(new TEdit(this), "Edit2");
  Edit2->SetVisible(false);
  Edit2->SetParent(this);
  Edit2->SetText(std::string());

  SetActiveControl(Memo1);
  BuildSpeedButtons();

  // The commands by name, then every menu and button row in one pass
  // (W2kMainCommands.cpp), once every component they touch exists.
  RegisterCommands();
  BuildSidePanel();
  LayOutRows();
  // The window is whole: the tray icon starts as a loaded component does.
  TrayIcon1->Loaded();
}

TZod2uAppForm::~TZod2uAppForm() {
  if (Zod2uAppForm == this) Zod2uAppForm = nullptr;
}

void TZod2uAppForm::BuildDialogs() {
  OpenDialog = Named(new TOpenDialog(this), "OpenDialog");
  OpenDialog->SetOptions(TOpenOptions{ofFileMustExist, ofEnableSizing});
  OpenDialog->SetDefaultExt("rtf");
  OpenDialog->SetFilters({
      {Ansi("Все файлы (*.*) "), "*.*"},
      {Ansi("Текстовые файлы (*.txt)"), "*.txt"},
      {Ansi("Файлы настроек (*.ini)"), "*.ini"},
      {Ansi("Лог файлы (*.log) "), "*.log"},
      {Ansi("Файлы конфигураций (*.cfg)"), "*.cfg"},
      {Ansi("Языковые файлы (*.lng)"), "*.lng"},
      {Ansi("Формы Borland Delphi (*.dfm)"), "*.dfm; *.xfm"},
      {Ansi("Файлы Паскаль (*.pas; *.dpr; *.dpk)"), "*.pas; *.dpr; *.dpk"},
      {Ansi("Файлы Visual Basic (*.bas)"), "*.bas"},
      {Ansi("Файлы TeX (*.tex)"), "*.tex"},
      {Ansi("Файлы Коболь (*.cbl; *.cob)"), "*.cbl; *.cob"},
      {Ansi("Файлы С++ (*.c; *.cpp; *.h; *.hpp)"), "*.c; *.cpp; *.h; *.hpp"},
      {Ansi("Сценарии Inno Setup (*.iss)"), "*.iss"},
      {Ansi("Ресурсы (*.rc) "), "*.rc"},
      {Ansi("Файлы программ DOS (*.bat; *.com)"), "*.bat; *.com"},
      {Ansi("Веб-страницы (*.html; *.htm)"), "*.html; *.htm"},
      {"CSS (*.css)", "*.css"},
      {"JavaScript (*.js)", "*.js"},
      {"PHP (*.php; *.php3; *.phtml; *.inc)", "*.php; *.php3; *.phtml; *.inc"},
  });

  SaveDialog = Named(new TSaveDialog(this), "SaveDialog");
  SaveDialog->SetDefaultExt("rtf");
  SaveDialog->SetFilters({
      {Ansi("Текстовый файл (*.txt)"), "*.txt"},
      {Ansi("Документ MS  Word (*.doc)"), "*.doc"},
      {Ansi("Документ rtf (*.rtf)"), "*.rtf"},
      {Ansi("Файл настройки (*.ini)"), "*.ini"},
      {Ansi("Лог-файл (*.log) "), "*.log"},
      {Ansi("Языковой файл (*.lng) "), "*.lng"},
      {Ansi("Веб-страница (*.html)"), "*.html"},
      {Ansi("Веб-страница (.*htm)"), "*.htm"},
      {"PHP (*.php; *.php3; *.phtml; *.inc)", "*.php"},
      {"CSS (*.css)", "*.css"},
      {"JavaScript (*.js)", "*.js"},
      {Ansi("Все файлы (*.*)"), "*.*"},
  });

  Openhtm = Named(new TOpenDialog(this), "Openhtm");
  Openhtm->SetOptions(TOpenOptions{ofHideReadOnly, ofFileMustExist, ofEnableSizing});
  Openhtm->SetFilters({{Ansi("Веб-страницы (*.html; *.htm)"), "*.html; *.htm"}, {Ansi("Все файлы (*.*)"), "*.*"}});

  rich = Named(new TOpenDialog(this), "rich");
  rich->SetFilters({{"Rich Text (*.rtf)", "*.rtf"}, {Ansi("Все файлы (*.*)"), "*.*"}});
  richsave = Named(new TSaveDialog(this), "richsave");
  richsave->SetTitle("Velmora Save");
  richsave->SetDefaultExt("rtf");
  richsave->SetFilters({{"Rich Text (*.rtf)", "*.rtf"}, {Ansi("Все файлы (*.*)"), "*.*"}});

  pd = Named(new TOpenDialog(this), "pd");
  pd->SetOptions(TOpenOptions{ofHideReadOnly, ofFileMustExist, ofEnableSizing});
  pd->SetFilter(
      Ansi("JPG изображения (*.jpg; *.jpeg)|*.jpg; *.jpeg|GIF анимация (*.gif)|*.gif|"
           "PNG изображения (.*png)|*.png|Все файлы (*.*)|*.*"));

  FindDialog1 = Named(new TFindDialog(this), "FindDialog1");
  ReplaceDialog1 = Named(new TReplaceDialog(this), "ReplaceDialog1");
  ReplaceDialog1->SetOptions(TFindOptions{frDown, frReplace, frReplaceAll});
  FontDialog1 = Named(new TFontDialog(this), "FontDialog1");
  ColorDialog1 = Named(new TColorDialog(this), "ColorDialog1");
  ColorDialog1->SetOptions(TColorDialogOptions{cdFullOpen, cdPreventFullOpen, cdAnyColor});
  PrintDialog1 = Named(new TPrintDialog(this), "PrintDialog1");
  PrinterSetupDialog1 = Named(new TPrinterSetupDialog(this), "PrinterSetupDialog1");
}

bool TZod2uAppForm::DocumentUntitled() const { return FCurrentFileName.empty() || FCurrentFileName == UntitledName(); }

void TZod2uAppForm::SetDocumentCaption(const std::string& label) { SetCaption(label + CaptionSuffix()); }
