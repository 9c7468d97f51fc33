#include "Unit2.h"

#include <memory>

#include "EtchedLabels.h"
#include "FormRows.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/SysUtils.h"

TForm2* Form2 = nullptr;

namespace {
const TFormRow kForm = {"Form2", "Настройки Brindel Quillet Studio", bsSingle, TBorderIcons{biSystemMenu, biMinimize},
                        489, 372, clWhite, poScreenCenter, fShowHint, "FormCreate"};
const std::vector<TControlRow> kControls = {
    {"TEdit", "Edit1", "", 16, 16, 300, 21, ""},
    {"TEdit", "Edit2", "", 16, 44, 300, 21, ""},
    {"TEdit", "Edit3", "", 16, 72, 300, 21, ""},
    {"TEdit", "Edit4", "", 16, 100, 300, 21, ""},
    {"TEdit", "Edit7", "", 16, 128, 300, 21, ""},
    {"TCheckBox", "tray", "", 16, 164, 440, 17, "Да, сворачивать окно в системный трей"},
    {"TCheckBox", "box1", "", 16, 188, 440, 17, "Показывать Главную панель вставки тегов (сбоку)",
     "Показывать Главную панель вставки тегов (сбоку)"},
    {"TCheckBox", "box2", "", 16, 212, 440, 17, "Показывать Панель быстрой вставки тегов (узкая плавающая)",
     "Показывать Панель быстрой вставки тегов (узкая плавающая)"},
    {"TCheckBox", "Box4", "", 16, 236, 440, 17, "Использовать Панель Инструментов (с иконками)",
     "Использовать Панель Инструментов (с иконками)"},
    {"TCheckBox", "Box5", "", 16, 260, 440, 17, "Использовать прогресс-индикатор для текста (полоска сбоку)",
     "Использовать прогресс-индикатор для текста (полоска сбоку)"},
    {"TEtchedLabel", "EtchedLabel2", "", 328, 16, 150, 13, "Задачи"},
    {"TEtchedLabel", "EtchedLabel1", "", 16, 296, 460, 13, "Дополнительные задачи"},
};
}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm2::FormCreate);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
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
