#include "Unit2.h"

#include <memory>

#include "EtchedLabels.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/SysUtils.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) {
  SetName("Form2");
  SetCaption(Ansi("Настройки Brindel Quillet Studio"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(489, 372);
  SetColor(clWhite);
  SetPosition(poScreenCenter);

  auto edit = [this](const char* name, int top) {
    auto* e = new TEdit(this);
    e->SetName(name);
    e->SetParent(this);
    e->SetBounds(16, top, 300, 21);
    e->SetText(std::string());
    return e;
  };
  Edit1 = edit("Edit1", 16);
  Edit2 = edit("Edit2", 44);
  Edit3 = edit("Edit3", 72);
  Edit4 = edit("Edit4", 100);
  Edit7 = edit("Edit7", 128);
  auto check = [this](const char* name, const char* caption, int top) {
    auto* c = new TCheckBox(this);
    c->SetName(name);
    c->SetParent(this);
    c->SetBounds(16, top, 440, 17);
    c->SetCaption(Ansi(caption));
    c->SetHint(Ansi(caption));
    return c;
  };
  tray = check("tray", "Да, сворачивать окно в системный трей", 164);
  box1 = check("box1", "Показывать Главную панель вставки тегов (сбоку)", 188);
  box2 = check("box2", "Показывать Панель быстрой вставки тегов (узкая плавающая)", 212);
  Box4 = check("Box4", "Использовать Панель Инструментов (с иконками)", 236);
  Box5 = check("Box5", "Использовать прогресс-индикатор для текста (полоска сбоку)", 260);
  tray->SetHint(std::string());

  auto heading = [this](const char* name, const char* caption, int left, int top, int width) {
    auto* l = new TEtchedLabel(this);
    l->SetName(name);
    l->SetBounds(left, top, width, 13);
    l->SetCaption(Ansi(caption));
    l->SetParent(this);
    return l;
  };
  EtchedLabel2 = heading("EtchedLabel2", "Задачи", 328, 16, 150);
  EtchedLabel1 = heading("EtchedLabel1", "Дополнительные задачи", 16, 296, 460);

  OnCreate = [this](TObject* s) { FormCreate(s); };
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
