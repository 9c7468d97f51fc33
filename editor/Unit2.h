// The settings dialog: the paths of five outside programs, minimising to
// the tray, and the panels shown at start, kept in "Config files/config.ini".
#pragma once

#include <string>

#include "CommandRegistry.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm2 : public TForm {
 public:
  explicit TForm2(TComponent* owner);
  const char* ClassName() const override { return "TForm2"; }

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

  // "Config files/config.ini" in the program folder.
  std::string ConfigFileName() const;
  void FormCreate(TObject* Sender);

  const TCommandRegistry& Commands() const { return FCommands; }

 private:
  TCommandRegistry FCommands{"Form2"};
};

extern TForm2* Form2;
