// The quick-insert palette "Быстрая вставка": a small window above the
// main window with forty buttons on four pages that insert tags into the
// main window's document, and three memory boxes on the fifth page whose
// text a double click inserts. Its position and the memory texts live in
// "Config files/smallbarset.ini".
#pragma once

#include <array>
#include <string>

#include "CommandRegistry.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TForm9 : public TForm {
 public:
  explicit TForm9(TComponent* owner);
  const char* ClassName() const override { return "TForm9"; }

  TPageControl* TabbedNotebook1 = nullptr;
  // SpeedButton1 .. SpeedButton40 by number - 1.
  std::array<TSpeedButton*, 40> SpeedButtons{};
  TEdit* Edit2 = nullptr;  // left to right: Edit2, Edit1, Edit3
  TEdit* Edit1 = nullptr;
  TEdit* Edit3 = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void Edit1DblClick(TObject* Sender);
  void Edit2DblClick(TObject* Sender);
  void Edit3DblClick(TObject* Sender);
  // Runs the button's row: its text in place of the main document's
  // selection, the focus back in the document, the caret stepped back.
  void InsertButtonText(const std::string& text, int back);

  const TCommandRegistry& Commands() const { return FCommands; }
  // "Config files/smallbarset.ini" in the program folder.
  static std::string SettingsFileName();
  // A memory text as it is written to the settings file: inside double
  // quotes when the reader would otherwise change it (surrounding blanks,
  // one pair of enclosing quotes); every other text, and any text with a
  // line break (which the file keeps exactly), as it is.
  static std::string IniValue(const std::string& text);

 private:
  void InsertMemory(TEdit* box);
  TCommandRegistry FCommands{"Form9"};
};

extern TForm9* Form9;
