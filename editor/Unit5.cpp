#include "Unit5.h"

#include <memory>

#include "FormRows.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/SysUtils.h"

TForm5* Form5 = nullptr;

namespace {
const TFormRow kForm = {
    "Form5",  "Мастер создания гиперссылки", bsDialog, TBorderIcons{biSystemMenu}, 393, 273, clWhite, poScreenCenter,
    fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 8, 200, 13, "Адрес страницы, файла:"},
    {"TComboBox", "ComboBox1", "", 8, 24, 89, 21, nullptr, "Протокол"},
    {"TEdit", "Edit1", "", 104, 24, 281, 21, "", "Двойной щелчок копирует адрес в текст ссылки"},
    {"TLabel", "Label2", "", 8, 52, 200, 13, "Текст ссылки:"},
    {"TEdit", "Edit2", "", 8, 68, 377, 21, "", "Текст, который увидит посетитель"},
    {"TCheckBox", "CheckBox1", "", 8, 96, 377, 17, "Выделить ссылку жирным шрифтом (\"обрамить\" тегами <B> и </B>)"},
    {"TGroupBox", "GroupBox1", "", 8, 120, 377, 105, "Сохраненные адреса "},
    {"TEdit", "Edit3", "GroupBox1", 8, 16, 361, 21, "", "Двойной щелчок вставляет адрес"},
    {"TEdit", "Edit4", "GroupBox1", 8, 44, 361, 21, "", "Двойной щелчок вставляет адрес"},
    {"TEdit", "Edit5", "GroupBox1", 8, 72, 361, 21, "", "Двойной щелчок вставляет адрес"},
    {"TButton", "Button1", "", 8, 236, 113, 25, "Вставить", "", cDefault, "Button1Click"},
    {"TButton", "Button3", "", 140, 236, 113, 25, "Очистить всё", "", 0, "Button3Click"},
    {"TButton", "Button2", "", 272, 236, 113, 25, "Отмена", "", cCancel, "Button2Click"},
};
const char* const kSection = "URL list";
}  // namespace

TForm5::TForm5(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm5::Button1Click);
  FCommands.Add("Button2Click", this, &TForm5::Button2Click);
  FCommands.Add("Button3Click", this, &TForm5::Button3Click);
  FCommands.Add("Edit1DblClick", this, &TForm5::Edit1DblClick);
  FCommands.Add("Edit3DblClick", this, &TForm5::Edit3DblClick);
  FCommands.Add("Edit4DblClick", this, &TForm5::Edit4DblClick);
  FCommands.Add("Edit5DblClick", this, &TForm5::Edit5DblClick);
  FCommands.Add("FormClose", this, &TForm5::FormClose);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  ComboBox1 = c.Get<TComboBox>("ComboBox1");
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  CheckBox1 = c.Get<TCheckBox>("CheckBox1");
  Edit3 = c.Get<TEdit>("Edit3");
  Edit4 = c.Get<TEdit>("Edit4");
  Edit5 = c.Get<TEdit>("Edit5");
  ComboBox1->SetStyle(csDropDownList);
  for (const char* p : {"http://", "ftp://", "mailto:", "news:", "telnet://", "wais://", "gopher://", ""})
    ComboBox1->Items()->Add(p);
  ComboBox1->SetItemIndex(0);
  Edit1->OnDblClick = FCommands.Handler("Edit1DblClick");
  Edit3->OnDblClick = FCommands.Handler("Edit3DblClick");
  Edit4->OnDblClick = FCommands.Handler("Edit4DblClick");
  Edit5->OnDblClick = FCommands.Handler("Edit5DblClick");
  OnClose = FCommands.Event<TCloseEvent>("FormClose");
  ReadSavedAddresses();
}

std::string TForm5::SavedAddressesFile() { return ProgramDir() + "velmoraset.ini"; }

void TForm5::ReadSavedAddresses() {
  // A file that cannot be read gives the defaults, as a missing one does.
  std::string one, two = " ", three = " ";
  try {
    TIniFile ini(SavedAddressesFile());
    one = ini.ReadString(kSection, "mem-one", one);
    two = ini.ReadString(kSection, "mem-two", two);
    three = ini.ReadString(kSection, "mem-three", three);
  } catch (const Exception&) {}
  Edit3->SetText(one);
  Edit4->SetText(two);
  Edit5->SetText(three);
}

void TForm5::FormClose(TObject*, TCloseAction&) {
  // A failed write is shown here once: raised out of the close it would
  // keep the window from ever closing, and the link from going in.
  try {
    TIniFile ini(SavedAddressesFile());
    ini.WriteString(kSection, "mem-one", Edit3->Text());
    ini.WriteString(kSection, "mem-two", Edit4->Text());
    ini.WriteString(kSection, "mem-three", Edit5->Text());
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
}

void TForm5::Button1Click(TObject*) {
  if (Edit1->Text().empty() || Edit2->Text().empty()) {
    MessageBox(Handle(), Ansi("URL адрес гиперссылки и ее текст нужно ввести обязательно."), ProgramTitle,
               MB_OK | MB_ICONWARNING);
    return;
  }
  Close();
  std::string link = "<A HREF=" + ComboBox1->Text() + Edit1->Text() + ">" + Edit2->Text() + "</A>";
  if (CheckBox1->Checked()) link = "<B>" + link + "</B>";
  if (Zod2uAppForm->CanInsert()) Zod2uAppForm->InsertTag(link, 0, false);
}

void TForm5::Button2Click(TObject*) { Close(); }

void TForm5::Button3Click(TObject*) {
  Edit1->SetText("");
  Edit2->SetText("");
  Edit1->SetFocus();
}

void TForm5::Edit1DblClick(TObject*) { Edit2->SetText(Edit1->Text()); }
void TForm5::Edit3DblClick(TObject*) { Edit1->SetText(Edit3->Text()); }
void TForm5::Edit4DblClick(TObject*) { Edit1->SetText(Edit4->Text()); }
void TForm5::Edit5DblClick(TObject*) { Edit1->SetText(Edit5->Text()); }
