#include "Unit9.h"

#include "FormRows.h"
#include "InsertTable.h"
#include "SettingsFiles.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/IniFiles.h"
#include "platform/SysUtils.h"

TForm9* Form9 = nullptr;

namespace {

const TFormRow kForm = {"Form9", "Быстрая вставка", bsToolWindow,           std::nullopt, 606,       86,
                        clWhite, poDesigned,        fStayOnTop | fShowHint, "FormCreate", "FormShow"};

const char* const kPageNames[] = {"Page1", "Page2", "Page3", "Page4", "Page5"};
constexpr const char* kMemoryHint = "Двойной клик производит вставку текста в документ";
constexpr TColor kMemoryColor = 14155735;
constexpr TColor kMemoryText = 16384;

constexpr int kButtonTop = 4;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 2;

// A button's width from its caption (the Tahoma 8 pt characters are about
// six pixels wide).
int ButtonWidth(const char* caption) { return 10 + 6 * static_cast<int>(Ansi(caption).size()); }

std::string ButtonHandler(const char* name) { return std::string(name) + "Click"; }

// "SpeedButton10Click" ..., in the buttons' row order.
const std::vector<std::string>& ButtonHandlers() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (const TPaletteButton& b : PaletteButtons()) v.push_back(ButtonHandler(b.Name));
    return v;
  }();
  return names;
}

// The window's rows: the notebook, its pages, the buttons page by page
// left to right, the memory boxes.
std::vector<TControlRow> PaletteRows() {
  std::vector<TControlRow> rows;
  TControlRow notebook{"TPageControl", "TabbedNotebook1", "", 0, 0, 0, 0, nullptr, "", cAlignClient};
  notebook.Font = "Tahoma";
  notebook.FontHeight = -11;  // 8 points
  rows.push_back(notebook);
  const std::vector<const char*>& pages = PalettePages();
  for (size_t i = 0; i < pages.size(); ++i)
    rows.push_back({"TTabSheet", kPageNames[i], "TabbedNotebook1", 0, 0, 0, 0, pages[i]});
  int left[4] = {4, 4, 4, 4};
  for (size_t i = 0; i < PaletteButtons().size(); ++i) {
    const TPaletteButton& b = PaletteButtons()[i];
    const int width = ButtonWidth(b.Caption);
    rows.push_back({"TSpeedButton", b.Name, kPageNames[b.Page], left[b.Page], kButtonTop, width, kButtonHeight,
                    b.Caption, b.Hint, *b.Hint ? cShowHint : 0u, ButtonHandlers()[i].c_str()});
    left[b.Page] += width + kButtonGap;
  }
  for (const auto& [name, x] : {std::pair<const char*, int>{"Edit2", 0}, {"Edit1", 200}, {"Edit3", 400}}) {
    TControlRow edit{"TEdit", name, "Page5", x, kButtonTop, 193, 21, "", kMemoryHint, cShowHint};
    edit.Font = "Tahoma";
    edit.Color = kMemoryColor;
    rows.push_back(edit);
  }
  return rows;
}

}  // namespace

TForm9::TForm9(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm9::FormCreate);
  FCommands.Add("FormShow", this, &TForm9::FormShow);
  FCommands.Add("FormDestroy", this, &TForm9::FormDestroy);
  FCommands.Add("Edit1DblClick", this, &TForm9::Edit1DblClick);
  FCommands.Add("Edit2DblClick", this, &TForm9::Edit2DblClick);
  FCommands.Add("Edit3DblClick", this, &TForm9::Edit3DblClick);
  for (size_t i = 0; i < PaletteButtons().size(); ++i) {
    const std::string text = Ansi(PaletteButtons()[i].Text);
    const int back = PaletteButtons()[i].Back;
    FCommands.Add(ButtonHandlers()[i], TNotifyEvent([this, text, back](TObject*) { InsertButtonText(text, back); }));
  }
  const TFormControls c = BuildForm(*this, kForm, PaletteRows(), FCommands);
  TabbedNotebook1 = c.Get<TPageControl>("TabbedNotebook1");
  TabbedNotebook1->Font()->SetCharset(RUSSIAN_CHARSET);
  TabbedNotebook1->SetActivePageIndex(0);
  for (size_t i = 0; i < SpeedButtons.size(); ++i)
    SpeedButtons[i] = c.Get<TSpeedButton>("SpeedButton" + std::to_string(i + 1));
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  Edit3 = c.Get<TEdit>("Edit3");
  for (TEdit* e : {Edit1, Edit2, Edit3}) {
    e->Font()->SetColor(kMemoryText);
    if (Zod2uAppForm) e->SetPopupMenu(Zod2uAppForm->PopupMenu3);
  }
  Edit1->OnDblClick = FCommands.Handler("Edit1DblClick");
  Edit2->OnDblClick = FCommands.Handler("Edit2DblClick");
  Edit3->OnDblClick = FCommands.Handler("Edit3DblClick");
  OnDestroy = FCommands.Handler("FormDestroy");
}

std::string TForm9::SettingsFileName() { return ProgramDir() + "Config files/smallbarset.ini"; }

std::string TForm9::IniValue(const std::string& text) {
  // A text with a line break is kept byte for byte by the settings file.
  if (text.empty() || text.find_first_of("\r\n") != std::string::npos) return text;
  const bool blanks = static_cast<unsigned char>(text.front()) <= ' ' || static_cast<unsigned char>(text.back()) <= ' ';
  const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
  return blanks || quoted ? "\"" + text + "\"" : text;
}

void TForm9::FormCreate(TObject*) {
  // A missing or unreadable file, a missing key or a value that is no
  // whole number: that key's default.
  int x = 120, y = 526;
  std::string one, two = " ", three = " ";
  try {
    TIniFile ini(SettingsFileName());
    x = ini.ReadInteger("smallbar", "x", x);
    y = ini.ReadInteger("smallbar", "y", y);
    one = ini.ReadString("memory", "mem-1", one);
    two = ini.ReadString("memory", "mem-2", two);
    three = ini.ReadString("memory", "mem-3", three);
  } catch (const Exception&) {}
  // The window keeps its size; a place the file holds off the desktop
  // comes onto it.
  const TRect place = PlaceOnDesktop(x, y, Width(), Height(), TSize(Width(), Height()));
  SetLeft(place.Left);
  SetTop(place.Top);
  Edit1->SetText(one);
  Edit2->SetText(two);
  Edit3->SetText(three);
}

void TForm9::FormShow(TObject*) {
  // A place on a screen that is gone since (or with only a sliver left on
  // one) would leave the palette unreachable: it comes onto the nearest
  // screen.
  const TRect place = PlaceOnDesktop(Left(), Top(), Width(), Height(), TSize(Width(), Height()));
  SetBounds(place.Left, place.Top, Width(), Height());
}

void TForm9::FormDestroy(TObject*) {
  // Written at every exit, shown or not. A file that cannot be written is
  // reported once; the other windows still write theirs.
  WriteSettingsFile(SettingsFileName(), [this](TIniFile& ini) {
    ini.WriteInteger("smallbar", "x", Left());
    ini.WriteInteger("smallbar", "y", Top());
    ini.WriteString("memory", "mem-1", IniValue(Edit1->Text()));
    ini.WriteString("memory", "mem-2", IniValue(Edit2->Text()));
    ini.WriteString("memory", "mem-3", IniValue(Edit3->Text()));
  });
}

void TForm9::InsertButtonText(const std::string& text, int back) {
  TZod2uAppForm* main = Zod2uAppForm;
  if (!main || !main->CanInsert()) return;
  main->InsertTag(text, back, true);
}

void TForm9::InsertMemory(TEdit* box) {
  TZod2uAppForm* main = Zod2uAppForm;
  if (!main || !main->CanInsert()) return;
  main->InsertTag(box->Text(), 0, true);
}

void TForm9::Edit1DblClick(TObject*) { InsertMemory(Edit1); }
void TForm9::Edit2DblClick(TObject*) { InsertMemory(Edit2); }
void TForm9::Edit3DblClick(TObject*) { InsertMemory(Edit3); }
