// The text-file browser: walks the disk, shows a text file read-only and
// inserts its text, its name or its full path into the document.
#pragma once

#include <memory>
#include <string>

#include "CommandRegistry.h"
#include "FlatMenus.h"
#include "platform/FileCtrl.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

class TForm19 : public TForm {
 public:
  explicit TForm19(TComponent* owner);
  const char* ClassName() const override { return "TForm19"; }

  TDirectoryListBox* DirectoryListBox1 = nullptr;
  TDriveComboBox* DriveComboBox1 = nullptr;
  TFileListBox* FileListBox1 = nullptr;
  TFilterComboBox* FilterComboBox1 = nullptr;
  TLabel* Label1 = nullptr;  // the file's name
  TMemo* Memo1 = nullptr;    // its text, read-only
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  std::unique_ptr<TFlatMenu> MenuPainter;

  void FormCreate(TObject* Sender);
  void FileListBox1Click(TObject* Sender);
  void N1Click(TObject* Sender);   // "Скопировать все"
  void N3Click(TObject* Sender);   // "Копировать"
  void N4Click(TObject* Sender);   // "Выделить всё"
  void N5Click(TObject* Sender);   // "Вставить в редактор"
  void N8Click(TObject* Sender);   // "Вставить имя этого файла..."
  void N9Click(TObject* Sender);   // "Вставить полное имя этого файла"
  void N11Click(TObject* Sender);  // "О программе..."
  void Button1Click(TObject* Sender);
  void N12Click(TObject* Sender);

  // The file shown ("" before one was).
  const std::string& ShownFile() const { return FShownFile; }
  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  std::string FShownFile;
  TCommandRegistry FCommands{"Form19"};
};

extern TForm19* Form19;
