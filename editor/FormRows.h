// Windows and their controls as rows, the way the form designer lists them:
// one row for the window (name, caption, border, size, colour, position,
// its events) and one per control (class, name, parent, bounds, caption,
// hint, flags, handler names, font, colour). BuildForm makes the controls
// in row order from the class table (ControlClasses.cpp) and binds every
// handler a row names through the window's command registry; an unknown
// class, parent or handler, or a name given twice, is an error
// (ECommandError) naming the row.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CommandRegistry.h"
#include "MenuRows.h"
#include "platform/Colors.h"
#include "platform/Forms.h"

class TControl;
class TMainMenu;
class TPopupMenu;

// A colour a row leaves as the class makes it.
constexpr TColor kKeepColor = 0xFFFFFFFFu;

enum TFormRowFlag : std::uint32_t {
  fOuterSize = 1 << 0,  // Width and Height are the window's bounds, not its client area
  fShowHint = 1 << 1,
  fStayOnTop = 1 << 2,
};

struct TFormRow {
  const char* Name;
  const char* Caption = nullptr;  // UTF-8; null keeps the toolkit's default
  TFormBorderStyle BorderStyle = bsSizeable;
  std::optional<TBorderIcons> BorderIcons = std::nullopt;  // none: the default set
  int Width = 0, Height = 0;                               // the client size (or bounds); 0 keeps the default
  TColor Color = kKeepColor;
  TPosition Position = poDesigned;
  std::uint32_t Flags = 0;
  const char* OnCreate = "";  // handler names
  const char* OnShow = "";
};

enum TControlRowFlag : std::uint32_t {
  cHidden = 1 << 0,
  cDisabled = 1 << 1,
  cAlignClient = 1 << 2,
  cShowHint = 1 << 3,
  // Read by the class table's entries (ControlClasses.cpp):
  cDefault = 1 << 8,     // TButton: the default button (Enter)
  cCancel = 1 << 9,      // TButton: the cancel button (Esc)
  cWordWrap = 1 << 10,   // TLabel, TMemo, TRichEdit, TCheckBox
  cFixedSize = 1 << 11,  // TLabel: no auto size
  cReadOnly = 1 << 12,   // edits
  cVScroll = 1 << 13,    // TMemo, TRichEdit: a vertical scroll bar
  cChecked = 1 << 14,    // TCheckBox, TRadioButton
  cFlat = 1 << 15,       // TXpSpeedButton, TSpeedButton
};

struct TControlRow {
  const char* Class;                             // "TLabel"
  const char* Name;                              // "Label1"
  const char* Parent = "";                       // "" for the window, else a control of an earlier row
  int Left = 0, Top = 0, Width = 0, Height = 0;  // all 0: the class's own bounds
  const char* Caption = nullptr;                 // caption or text (UTF-8); null keeps the default
  const char* Hint = "";                         // UTF-8
  std::uint32_t Flags = 0;
  const char* OnClick = "";   // handler names
  const char* OnChange = "";  // edits, combo boxes, check boxes
  const char* Font = "";      // font name, "" keeps the parent's
  int FontHeight = 0;         // font height (negative: pixels of the character)
  TColor Color = kKeepColor;
};

// ---- the class table ----

struct TControlClass {
  const char* Name;  // "TXpSpeedButton"
  std::function<TControl*(TComponent* owner)> Create;
  // Applies the class's own flags (cDefault, cWordWrap ...); may be empty.
  std::function<void(TControl& control, const TControlRow& row)> Apply;
  // Binds OnChange where the class has one; empty when it has none.
  std::function<void(TControl& control, TNotifyEvent handler)> BindChange;
};

// Every class a control row may name (ControlClasses.cpp). To add one,
// add its row there.
const std::vector<TControlClass>& ControlClasses();
// The entry of a class name; ECommandError for a class not in the table.
const TControlClass& ControlClass(const std::string& name);

// ---- building ----

// The controls a window's rows made, by name.
class TFormControls {
 public:
  void Add(const std::string& name, TControl* control) { FControls[name] = control; }
  // The control of a row, as the class the window's member has;
  // ECommandError when no row made it or it is of another class.
  template <typename T>
  T* Get(const std::string& name) const {
    T* control = dynamic_cast<T*>(Find(name));
    if (!control) throw ECommandError("no control \"" + name + "\" of the wanted class");
    return control;
  }
  TControl* Find(const std::string& name) const;
  int Count() const { return static_cast<int>(FControls.size()); }

 private:
  std::map<std::string, TControl*> FControls;
};

// Sets the window's properties from its row, then makes every control of
// `controls` in order (owner and default parent: the window) and binds the
// handlers the rows name. The events of the window itself are bound last.
TFormControls BuildForm(TForm& form, const TFormRow& row, const std::vector<TControlRow>& controls,
                        const TCommandRegistry& commands);
// Makes controls of a window that stands already: the same rows, but a row
// without a parent goes on `parent` (a panel of the window); the window
// owns them.
TFormControls BuildControls(TForm& form, TWinControl& parent, const std::vector<TControlRow>& controls,
                            const TCommandRegistry& commands);
// A window without controls or handlers of its own yet.
void BuildForm(TForm& form, const TFormRow& row);

// Makes the window's main menu (component "MainMenu1"), lays out its rows
// (every row's place is TMenuPlace::MainMenu) and puts it on the window.
TMainMenu* BuildMainMenu(TForm& form, const std::vector<TMenuRow>& rows, const TCommandRegistry& commands);
// Makes the window's menus from rows of two places: MainMenu rows make
// "MainMenu1" (set as the window's menu), EditorMenu rows the pop-up menu
// "PopupMenu1"; a menu no row names is not made (null).
struct TFormMenus {
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
};
TFormMenus BuildFormMenus(TForm& form, const std::vector<TMenuRow>& rows, const TCommandRegistry& commands);
