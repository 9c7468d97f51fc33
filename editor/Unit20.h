// The picture browser: walks the disk, shows a picture and inserts its
// name or its full path into the document.
#pragma once

#include <memory>
#include <string>

#include "CommandRegistry.h"
#include "FlatMenus.h"
#include "platform/ExtCtrls.h"
#include "platform/FileCtrl.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

class TForm20 : public TForm {
 public:
  explicit TForm20(TComponent* owner);
  const char* ClassName() const override { return "TForm20"; }

  TDirectoryListBox* DirectoryListBox1 = nullptr;
  TDriveComboBox* DriveComboBox1 = nullptr;
  TFileListBox* FileListBox1 = nullptr;
  TFilterComboBox* FilterComboBox1 = nullptr;
  TLabel* Label1 = nullptr;  // the picture's name
  TImage* Image1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  std::unique_ptr<TFlatMenu> MenuPainter;

  void FormCreate(TObject* Sender);
  void FileListBox1Click(TObject* Sender);
  void rasClick(TObject* Sender);   // "Не сохранять масштаб"
  void propClick(TObject* Sender);  // "Пропорционально"
  void N2Click(TObject* Sender);    // "Вставить имя картинки"
  void N3Click(TObject* Sender);    // "Вставить полный путь картинки"
  void N5Click(TObject* Sender);    // "Открыть эту картинку..."
  void N8Click(TObject* Sender);    // "О программе..."
  void Button1Click(TObject* Sender);
  void N9Click(TObject* Sender);

  // Reads and shows a picture; one that cannot be shown raises
  // EInvalidGraphic naming the file, and the view stays as it was.
  void ShowPicture(const std::string& path);
  const std::string& ShownFile() const { return FShownFile; }
  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  std::string FShownFile;
  TCommandRegistry FCommands{"Form20"};
};

extern TForm20* Form20;
