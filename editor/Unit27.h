// The script library window ("Scrivane"): lists the scripts of the folder
// "Скрипты" beside the program, edits, saves and previews one, and inserts
// it into the document through the clipboard.
#pragma once

#include <memory>
#include <string>

#include "CommandRegistry.h"
#include "FlatMenus.h"
#include "platform/Dialogs.h"
#include "platform/FileCtrl.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

class TForm27 : public TForm {
 public:
  explicit TForm27(TComponent* owner);
  const char* ClassName() const override { return "TForm27"; }

  TLabel* Label1 = nullptr;  // the folder listed
  TLabel* Label2 = nullptr;  // the current script's name
  TMemo* Memo1 = nullptr;    // the code view
  TFilterComboBox* FilterComboBox1 = nullptr;
  TFileListBox* FileListBox1 = nullptr;
  TDriveComboBox* DriveComboBox1 = nullptr;
  TDirectoryListBox* DirectoryListBox1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  std::unique_ptr<TFlatMenu> MenuPainter;

  // ProgramDir() + "Скрипты".
  static std::string ScriptFolder();
  // Where "Посмотреть тек. скрипт" writes "~temp.html".
  std::string PreviewFileName() const;

  void FormCreate(TObject* Sender);
  void FileListBox1DblClick(TObject* Sender);
  void Button2Click(TObject* Sender);  // "Открыть скрипт"
  void Button3Click(TObject* Sender);  // "Сохранить скрипт"
  void Button4Click(TObject* Sender);  // "Папка скриптов"
  void Button8Click(TObject* Sender);  // "Посмотреть тек. скрипт"
  void Button5Click(TObject* Sender);  // "Вставить в документ"
  void Button6Click(TObject* Sender);  // "Скопировать всё"
  void Button7Click(TObject* Sender);  // "Закрыть"
  void N11Click(TObject* Sender);      // "Отменить"
  void N6Click(TObject* Sender);       // "Вырезать"
  void N7Click(TObject* Sender);       // "Копировать"
  void N8Click(TObject* Sender);       // "Вставить"
  void N9Click(TObject* Sender);       // "Удалить"
  void SCRIPTSCRIPT1Click(TObject* Sender);
  void SCRIPT1Click(TObject* Sender);
  void SCRIPT2Click(TObject* Sender);
  void N15Click(TObject* Sender);  // "Оформление скрипта"
  void src1Click(TObject* Sender);
  void N16Click(TObject* Sender);  // "Язык скрипта"

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  void OpenScriptFolder();
  TCommandRegistry FCommands{"Form27"};
};

extern TForm27* Form27;
