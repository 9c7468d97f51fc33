// The fixed texts of the insert commands and the data of the insert
// windows, as rows: the entity and sign commands (menu caption, handler,
// inserted text), the date and time formats, the four lists of the side
// panel's drop-down list (held by TForm21), the character list of the
// random-character command (TForm22's ten lists), and the forty buttons of
// the quick-insert palette (TForm9). Texts are UTF-8 source literals; the
// users turn them into Windows-1251 (Ansi()).
#pragma once

#include <string>
#include <vector>

// An entity or sign command: one fixed text, one menu item (or two).
struct TInsertText {
  const char* Caption;  // the menu caption
  const char* Handler;  // "N318Click"
  const char* Text;     // the text it inserts
};

// The submenus of the entity commands and their rows in menu order.
struct TInsertTextMenu {
  const char* Path;  // the menu path of the submenu (under MainMenu1)
  std::vector<TInsertText> Rows;
};
// Теги > Объекты (one row), Вставить > Специальные символы > three
// submenus: 70 commands.
const std::vector<TInsertTextMenu>& EntityMenus();

// The sign commands: Правка > "Вставить знак" and the editor menu's
// "Вставить знак"; the caption there (PopupCaption) may differ.
struct TSignText {
  const char* Caption;
  const char* PopupCaption;
  const char* Handler;
  const char* Text;
};
const std::vector<TSignText>& SignTexts();

// The date and time commands: a format of FormatDateTime each.
struct TDateInsert {
  const char* Handler;
  const char* Format;
  bool Focus;  // focus Memo1 afterwards
};
const std::vector<TDateInsert>& DateInserts();

// The four lists of TForm21 (html tags, smileys, special characters, CSS
// properties); the side panel's list starts with the first.
const std::vector<std::vector<const char*>>& SidePanelLists();

// The 38 items of each character list of TForm22.
const std::vector<const char*>& RandomCharacterItems();

// The quick-insert palette's buttons, page by page, left to right.
struct TPaletteButton {
  const char* Name;  // "SpeedButton10"
  int Page;          // 0..3
  const char* Caption;
  const char* Hint;
  const char* Text;  // inserted
  int Back;          // caret steps back after it
};
const std::vector<TPaletteButton>& PaletteButtons();
// The captions of the palette's five pages.
const std::vector<const char*>& PalettePages();
