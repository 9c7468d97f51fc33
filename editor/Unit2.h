// The settings dialog: the paths of five outside programs, minimising to
// the tray, and the panels shown at start, kept in "Config files/config.ini";
// it also opens the editor's templates for editing.
#pragma once

#include <string>

#include "CommandRegistry.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TEtchedLabel;

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);
  const char* ClassName() const override { return "TForm2"; }

  TLabel* Label12 = nullptr;  // "Настраиваем вместе!"
  TLabel* Label13 = nullptr;  // what the dialog is for
  TImage* Image1 = nullptr;   // the picture beside it
  TPageControl* TabbedNotebook1 = nullptr;
  // Program paths.
  TEdit* Edit1 = nullptr;  // Opera
  TEdit* Edit2 = nullptr;  // Mozilla
  TEdit* Edit3 = nullptr;  // IE/Avant
  TEdit* Edit4 = nullptr;  // player
  TEdit* Edit7 = nullptr;  // graphics editor
  // Minimise the main window to the notification area.
  TCheckBox* tray = nullptr;
  // What the main window shows at start.
  TCheckBox* box1 = nullptr;  // the side tag-insertion panel
  TCheckBox* box2 = nullptr;  // the quick-insert palette
  TCheckBox* Box4 = nullptr;  // the tool bar
  TCheckBox* Box5 = nullptr;  // the progress strip
  // Section headings: "Задачи" over the dialog's buttons on the right,
  // "Дополнительные задачи" over the page's extra tasks at the bottom.
  TEtchedLabel* EtchedLabel2 = nullptr;
  TEtchedLabel* EtchedLabel1 = nullptr;
  TLabel* Label20 = nullptr;  // the page's extra task, or that it has none
  // The link labels of the extra tasks.
  TLabel* Label17 = nullptr;  // "очистить все пути,"
  TLabel* Label21 = nullptr;  // "установить пути приложений по умолчанию"
  TLabel* Label22 = nullptr;  // "открыть папку шаблонов при помощи Проводника"
  TOpenDialog* rundlg = nullptr;

  // "Config files/config.ini" in the program folder.
  std::string ConfigFileName() const;
  void FormCreate(TObject* Sender);
  void Button8Click(TObject* Sender);   // "Применить"
  void Button9Click(TObject* Sender);   // "Вернуть"
  void Button14Click(TObject* Sender);  // "Закрыть"
  // "..." of the five path rows.
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  // The template buttons.
  void Button4Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button10Click(TObject* Sender);
  void Button11Click(TObject* Sender);
  void Button12Click(TObject* Sender);
  void Button13Click(TObject* Sender);
  // A click on the notebook: the extra tasks of the page now shown.
  void TabbedNotebook1Click(TObject* Sender);
  void Label17Click(TObject* Sender);
  void Label21Click(TObject* Sender);
  void Label22Click(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  void Browse(TEdit* edit);
  void OpenTemplate(const char* name);
  TCommandRegistry FCommands{"Form2"};
};

// The programs "установить пути приложений по умолчанию" fills in, slot by
// slot: the first of each list found on PATH, else "/usr/bin/" + its first.
std::string DefaultProgramPath(int slot);

extern TForm2* Form2;
