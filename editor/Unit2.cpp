#include "Unit2.h"

#include <memory>

#include "EditorIcon.h"
#include "EtchedLabels.h"
#include "FormRows.h"
#include "platform/CodePage.h"
#include "platform/Graphics.h"
#include "platform/IniFiles.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

TForm2* Form2 = nullptr;

namespace {
const char* const kPageMode = "Режим работы ";
const char* const kPageTemplates = "Шаблоны";
const char* const kPagePrograms = "Запуск приложений";
const char* const kPageStart = "При старте ";
const char* const kNoTask = "Для данной вкладки никакой специальной задачи нет";
const char* const kTemplateHint = "Произвести редакцию этого шаблона";
const char* const kBrowseHint = "Найти программу на диске";
const char* const kTahoma = "Tahoma";

const TFormRow kForm = {"Form2",   "Настройки Brindel Quillet Studio",
                        bsSingle,  TBorderIcons{biSystemMenu, biMinimize},
                        489,       372,
                        clWhite,   poScreenCenter,
                        fShowHint, "FormCreate"};
const std::vector<TControlRow> kControls = {
    {"TImage", "Image1", "", 8, 8, 32, 32},
    {"TLabel", "Label12", "", 48, 6, 300, 13, "Настраиваем вместе!", "", 0, "", "", kTahoma},
    {"TLabel", "Label13", "", 48, 22, 433, 42,
     "Здесь Вы можете настроить поведение редактора по вкусу, а именно произве- сти редакцию его шаблонов, "
     "указать пути для запускаемых из редактора при- ложений и отлючить/включить необходимые объекты при его "
     "старте.",
     "", cWordWrap | cFixedSize, "", "", kTahoma},
    {"TPageControl", "TabbedNotebook1", "", 8, 70, 336, 222, nullptr, "", 0, "TabbedNotebook1Click"},
    // "Режим работы "
    {"TTabSheet", "TabSheet1", "TabbedNotebook1", 0, 0, 0, 0, kPageMode},
    {"TLabel", "Label18", "TabSheet1", 8, 8, 296, 78,
     "Редактор поддерживает работу в системном трее (месте внизу возле часиков Windows), и всегда тогда, ко- гда "
     "Вы захотите свернуть его окно, он будет \"прятаться\" туда и ждать Вашего вызова.",
     "", cWordWrap | cFixedSize, "", "", kTahoma},
    {"TLabel", "Label19", "TabSheet1", 8, 96, 296, 13, "Сворачивать окно редактора в системный трей?", "", 0, "", "",
     kTahoma},
    {"TCheckBox", "tray", "TabSheet1", 8, 120, 296, 17, "Да, сворачивать окно в системный трей"},
    // "Шаблоны"
    {"TTabSheet", "TabSheet2", "TabbedNotebook1", 0, 0, 0, 0, kPageTemplates},
    {"TLabel", "Label5", "TabSheet2", 8, 8, 296, 42,
     "Здесь Вы можете управлять шаблонами, которые использует редактор при создании новых веб-документов "
     "(произвести их редакцию).",
     "", cWordWrap | cFixedSize, "", "", kTahoma},
    {"TButton", "Button4", "TabSheet2", 4, 58, 160, 25, "Редакция основного шаблона", kTemplateHint, 0, "Button4Click"},
    {"TButton", "Button6", "TabSheet2", 166, 58, 160, 25, "Редакция XML", kTemplateHint, 0, "Button6Click"},
    {"TButton", "Button10", "TabSheet2", 4, 90, 160, 25, "Редакция CSS", kTemplateHint, 0, "Button10Click"},
    {"TButton", "Button11", "TabSheet2", 166, 90, 160, 25, "Редакция JS", kTemplateHint, 0, "Button11Click"},
    {"TButton", "Button12", "TabSheet2", 4, 122, 160, 25, "Редакция PHP", kTemplateHint, 0, "Button12Click"},
    {"TButton", "Button13", "TabSheet2", 166, 122, 160, 25, "Редакция PERL", kTemplateHint, 0, "Button13Click"},
    // "Запуск приложений"
    {"TTabSheet", "TabSheet3", "TabbedNotebook1", 0, 0, 0, 0, kPagePrograms},
    {"TLabel", "Label8", "TabSheet3", 8, 4, 296, 54,
     "Здесь Вы должны указать пути для приложений, которые можно запустить из меню \"Выполнить\". Для каждого "
     "указанного приложения напротив своё поле пути и своя кнопка для поиска на Вашем диске.",
     "", cWordWrap | cFixedSize, "", "", kTahoma},
    {"TLabel", "Label1", "TabSheet3", 8, 67, 64, 13, "Opera", "", 0, "", "", kTahoma},
    {"TEdit", "Edit1", "TabSheet3", 76, 64, 196, 21, ""},
    {"TButton", "Button1", "TabSheet3", 278, 64, 25, 21, "...", kBrowseHint, 0, "Button1Click"},
    {"TLabel", "Label2", "TabSheet3", 8, 93, 64, 13, "Mozilla", "", 0, "", "", kTahoma},
    {"TEdit", "Edit2", "TabSheet3", 76, 90, 196, 21, ""},
    {"TButton", "Button2", "TabSheet3", 278, 90, 25, 21, "...", kBrowseHint, 0, "Button2Click"},
    {"TLabel", "Label3", "TabSheet3", 8, 119, 64, 13, "IE/Avant", "", 0, "", "", kTahoma},
    {"TEdit", "Edit3", "TabSheet3", 76, 116, 196, 21, ""},
    {"TButton", "Button3", "TabSheet3", 278, 116, 25, 21, "...", kBrowseHint, 0, "Button3Click"},
    {"TLabel", "Label4", "TabSheet3", 8, 145, 64, 13, "Плеер", "", 0, "", "", kTahoma},
    {"TEdit", "Edit4", "TabSheet3", 76, 142, 196, 21, ""},
    {"TButton", "Button5", "TabSheet3", 278, 142, 25, 21, "...", kBrowseHint, 0, "Button5Click"},
    {"TLabel", "Label7", "TabSheet3", 8, 171, 64, 13, "Графич. р.", "", 0, "", "", kTahoma},
    {"TEdit", "Edit7", "TabSheet3", 76, 168, 196, 21, ""},
    {"TButton", "Button7", "TabSheet3", 278, 168, 25, 21, "...", kBrowseHint, 0, "Button7Click"},
    // "При старте "
    {"TTabSheet", "TabSheet4", "TabbedNotebook1", 0, 0, 0, 0, kPageStart},
    {"TLabel", "Label6", "TabSheet4", 8, 8, 296, 42,
     "Здесь Вы можете указать события, которые в выбранном состоянии всегда будут выполняться программой при ее "
     "запуске.",
     "", cWordWrap | cFixedSize, "", "", kTahoma},
    {"TCheckBox", "box1", "TabSheet4", 8, 58, 296, 17, "Показывать Главную панель вставки тегов (сбоку)",
     "Показывать Главную панель вставки тегов (сбоку)"},
    {"TCheckBox", "box2", "TabSheet4", 8, 80, 296, 28, "Показывать Панель быстрой вставки тегов (узкая плавающая)",
     "Показывать Панель быстрой вставки тегов (узкая плавающая)", cWordWrap},
    {"TCheckBox", "Box4", "TabSheet4", 8, 113, 296, 17, "Использовать Панель Инструментов (с иконками)",
     "Использовать Панель Инструментов (с иконками)"},
    {"TCheckBox", "Box5", "TabSheet4", 8, 135, 296, 28, "Использовать прогресс-индикатор для текста (полоска сбоку)",
     "Использовать прогресс-индикатор для текста (полоска сбоку)", cWordWrap},
    // The dialog's own tasks.
    {"TEtchedLabel", "EtchedLabel2", "", 348, 70, 133, 16, "Задачи"},
    {"TLabel", "Label9", "", 348, 94, 133, 13, "Восстановить параметры:", "", 0, "", "", kTahoma},
    {"TButton", "Button9", "", 348, 110, 133, 25, "Вернуть", "Восстановить все начальные параметры", 0, "Button9Click"},
    {"TLabel", "Label10", "", 348, 146, 133, 13, "Применить все настройки:", "", 0, "", "", kTahoma},
    {"TButton", "Button8", "", 348, 162, 133, 25, "Применить", "Применить текущие настройки", 0, "Button8Click"},
    {"TLabel", "Label11", "", 348, 198, 133, 13, "Окно параметров:", "", 0, "", "", kTahoma},
    {"TButton", "Button14", "", 348, 214, 133, 25, "Закрыть", "Закрыть окно", 0, "Button14Click"},
    // The page's extra tasks.
    {"TEtchedLabel", "EtchedLabel1", "", 8, 302, 473, 16, "Дополнительные задачи"},
    {"TLabel", "Label20", "", 8, 326, 300, 13, kNoTask, "", 0, "", "", kTahoma},
    {"TLabel", "Label17", "", 80, 326, 100, 13, "очистить все пути,", "Применимо к вкладке запуска приложений",
     cHidden | cShowHint, "Label17Click", "", kTahoma},
    {"TLabel", "Label21", "", 184, 326, 220, 13, "установить пути приложений по умолчанию", "", cHidden, "Label21Click",
     "", kTahoma},
    {"TLabel", "Label22", "", 80, 326, 260, 13, "открыть папку шаблонов при помощи Проводника", "", cHidden,
     "Label22Click", "", kTahoma},
};

// The programs of each path slot, most likely first.
const std::vector<std::vector<const char*>> kDefaultPrograms = {
    {"opera"},
    {"firefox", "firefox-esr"},
    {"chromium", "google-chrome", "epiphany"},
    {"audacious", "vlc", "rhythmbox"},
    {"gimp", "krita", "kolourpaint"},
};

void MakeBold(TControl* control) { control->Font()->SetStyle(TFontStyles{fsBold}); }

// Dark green, underlined, a hand over it: a label that acts as a link.
void MakeLink(TLabel* label) {
  label->Font()->SetColor(TColor(0x004000));
  label->Font()->SetStyle(TFontStyles{fsUnderline});
  label->SetCursor(crHandPoint);
}
}  // namespace

std::string DefaultProgramPath(int slot) {
  const std::vector<const char*>& names = kDefaultPrograms.at(size_t(slot));
  for (const char* name : names) {
    const std::string found = FindOnPath(name);
    if (!found.empty()) return found;
  }
  return std::string("/usr/bin/") + names.front();
}

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm2::FormCreate);
  FCommands.Add("Button8Click", this, &TForm2::Button8Click);
  FCommands.Add("Button9Click", this, &TForm2::Button9Click);
  FCommands.Add("Button14Click", this, &TForm2::Button14Click);
  FCommands.Add("Button1Click", this, &TForm2::Button1Click);
  FCommands.Add("Button2Click", this, &TForm2::Button2Click);
  FCommands.Add("Button3Click", this, &TForm2::Button3Click);
  FCommands.Add("Button5Click", this, &TForm2::Button5Click);
  FCommands.Add("Button7Click", this, &TForm2::Button7Click);
  FCommands.Add("Button4Click", this, &TForm2::Button4Click);
  FCommands.Add("Button6Click", this, &TForm2::Button6Click);
  FCommands.Add("Button10Click", this, &TForm2::Button10Click);
  FCommands.Add("Button11Click", this, &TForm2::Button11Click);
  FCommands.Add("Button12Click", this, &TForm2::Button12Click);
  FCommands.Add("Button13Click", this, &TForm2::Button13Click);
  FCommands.Add("TabbedNotebook1Click", this, &TForm2::TabbedNotebook1Click);
  FCommands.Add("Label17Click", this, &TForm2::Label17Click);
  FCommands.Add("Label21Click", this, &TForm2::Label21Click);
  FCommands.Add("Label22Click", this, &TForm2::Label22Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Image1 = c.Get<TImage>("Image1");
  Label12 = c.Get<TLabel>("Label12");
  Label13 = c.Get<TLabel>("Label13");
  TabbedNotebook1 = c.Get<TPageControl>("TabbedNotebook1");
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  Edit3 = c.Get<TEdit>("Edit3");
  Edit4 = c.Get<TEdit>("Edit4");
  Edit7 = c.Get<TEdit>("Edit7");
  tray = c.Get<TCheckBox>("tray");
  box1 = c.Get<TCheckBox>("box1");
  box2 = c.Get<TCheckBox>("box2");
  Box4 = c.Get<TCheckBox>("Box4");
  Box5 = c.Get<TCheckBox>("Box5");
  EtchedLabel2 = c.Get<TEtchedLabel>("EtchedLabel2");
  EtchedLabel1 = c.Get<TEtchedLabel>("EtchedLabel1");
  Label20 = c.Get<TLabel>("Label20");
  Label17 = c.Get<TLabel>("Label17");
  Label21 = c.Get<TLabel>("Label21");
  Label22 = c.Get<TLabel>("Label22");
  MakeBold(Label12);
  MakeBold(c.Get<TLabel>("Label19"));
  for (TLabel* link : {Label17, Label21, Label22}) MakeLink(link);
  // Keys and the mouse change pages alike.
  TabbedNotebook1->OnChange = [this](TObject* sender) { TabbedNotebook1Click(sender); };
  TabbedNotebook1->SetActivePageIndex(0);
  RegisterEditorIcon();
  LoadEditorIcon(*Image1->Picture()->Icon(), 32);
  rundlg = new TOpenDialog(this);
  rundlg->SetTitle("Brindel Quillet Studio Open");
  rundlg->SetFilter(Ansi("Приложения (*.exe)|*.exe|Все файлы (*.*) |*.*"));
}

std::string TForm2::ConfigFileName() const { return ProgramDir() + "Config files/config.ini"; }

void TForm2::FormCreate(TObject*) {
  std::unique_ptr<TIniFile> ini(new TIniFile(ConfigFileName()));
  Edit1->SetText(ini->ReadString("Servise", "exe1", " "));
  Edit2->SetText(ini->ReadString("Servise", "exe2", " "));
  Edit3->SetText(ini->ReadString("Servise", "exe3", " "));
  Edit4->SetText(ini->ReadString("Servise", "exe4", " "));
  Edit7->SetText(ini->ReadString("Servise", "exe7", " "));
  tray->SetChecked(ini->ReadBool("tray-enabled", "yes-or-no", true));
  box1->SetChecked(ini->ReadBool("options", "check", true));
  box2->SetChecked(ini->ReadBool("options", "check-2", true));
  Box4->SetChecked(ini->ReadBool("options", "check-4", true));
  Box5->SetChecked(ini->ReadBool("options", "check-5", true));
}

void TForm2::Button8Click(TObject*) {
  // A write that fails raises "Unable to write to ...": the keys before it
  // stay written and the dialog stays open.
  std::unique_ptr<TIniFile> ini(new TIniFile(ConfigFileName()));
  ini->WriteString("Servise", "exe1", Edit1->Text());
  ini->WriteString("Servise", "exe2", Edit2->Text());
  ini->WriteString("Servise", "exe3", Edit3->Text());
  ini->WriteString("Servise", "exe4", Edit4->Text());
  ini->WriteString("Servise", "exe7", Edit7->Text());
  ini->WriteBool("tray-enabled", "yes-or-no", tray->Checked());
  ini->WriteBool("options", "check", box1->Checked());
  ini->WriteBool("options", "check-2", box2->Checked());
  ini->WriteBool("options", "check-4", Box4->Checked());
  ini->WriteBool("options", "check-5", Box5->Checked());
  Close();
}

void TForm2::Button9Click(TObject*) {
  for (TCheckBox* box : {tray, box1, box2, Box4, Box5}) box->SetChecked(true);
}

void TForm2::Button14Click(TObject*) { Close(); }

void TForm2::Browse(TEdit* edit) {
  if (rundlg->Execute()) edit->SetText(rundlg->FileName());
}

void TForm2::Button1Click(TObject*) { Browse(Edit1); }
void TForm2::Button2Click(TObject*) { Browse(Edit2); }
void TForm2::Button3Click(TObject*) { Browse(Edit3); }
void TForm2::Button5Click(TObject*) { Browse(Edit4); }
void TForm2::Button7Click(TObject*) { Browse(Edit7); }

void TForm2::OpenTemplate(const char* name) {
  ShellOpenDocument(Handle(), "open", ProgramDir() + Ansi("Шаблоны/") + name, SW_SHOWNORMAL);
}

void TForm2::Button4Click(TObject*) { OpenTemplate("HTML.txt"); }
void TForm2::Button6Click(TObject*) { OpenTemplate("XML.txt"); }
void TForm2::Button10Click(TObject*) { OpenTemplate("CSS.txt"); }
void TForm2::Button11Click(TObject*) { OpenTemplate("JS.txt"); }
void TForm2::Button12Click(TObject*) { OpenTemplate("PHP.txt"); }
void TForm2::Button13Click(TObject*) { OpenTemplate("PERL.txt"); }

void TForm2::TabbedNotebook1Click(TObject*) {
  TTabSheet* page = TabbedNotebook1->ActivePage();
  const std::string caption = page ? page->Caption() : std::string();
  if (caption == Ansi(kPageMode) || caption == Ansi(kPageStart)) Label20->SetCaption(Ansi(kNoTask));
  const bool programs = caption == Ansi(kPagePrograms);
  const bool templates = caption == Ansi(kPageTemplates);
  if (programs || templates) Label20->SetCaption(Ansi("Здесь можно: "));
  Label17->SetVisible(programs);
  Label21->SetVisible(programs);
  Label22->SetVisible(templates);
}

void TForm2::Label17Click(TObject*) {
  for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit7}) edit->SetText("");
}

void TForm2::Label21Click(TObject*) {
  // The Windows defaults name programs this system has not got; the
  // desktop's counterparts stand in for them.
  TEdit* const edits[] = {Edit1, Edit2, Edit3, Edit4, Edit7};
  for (int slot = 0; slot < 5; ++slot) edits[slot]->SetText(DefaultProgramPath(slot));
}

void TForm2::Label22Click(TObject*) {
  ShellOpenDocument(Handle(), "open", ProgramDir() + Ansi("Шаблоны"), SW_SHOWNORMAL);
}
