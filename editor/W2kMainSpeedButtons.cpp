// The main window's speed buttons and its text progress strip: the tool
// bar's 19 glyph buttons and the side panel's six small buttons, each made
// from its row of MainWindowRows.cpp (where it stands in the row order, its
// hint, its handler), and progres filling the left strip.
#include <string>

#include "MainWindowRows.h"
#include "ProgramGlyphs.h"
#include "W2kMain.h"
#include "XpProgress.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/Resources.h"

namespace {

using TButtonMember = TXpSpeedButton* TZod2uAppForm::*;

// Each tool bar button's member and picture.
struct TToolButton {
  const char* Name;
  TButtonMember Member;
  const char* Glyph;
};
const TToolButton kToolButtons[] = {
    {"XpSpeedButton1", &TZod2uAppForm::XpSpeedButton1, "TBNEW"},
    {"XpSpeedButton2", &TZod2uAppForm::XpSpeedButton2, "TBOPEN"},
    {"XpSpeedButton3", &TZod2uAppForm::XpSpeedButton3, "TBSAVE"},
    {"XpSpeedButton4", &TZod2uAppForm::XpSpeedButton4, "TBPRINT"},
    {"XpSpeedButton19", &TZod2uAppForm::XpSpeedButton19, "TBPREVIEW"},
    {"XpSpeedButton5", &TZod2uAppForm::XpSpeedButton5, "TBBROWSER"},
    {"XpSpeedButton6", &TZod2uAppForm::XpSpeedButton6, "TBCUT"},
    {"XpSpeedButton7", &TZod2uAppForm::XpSpeedButton7, "TBCOPY"},
    {"XpSpeedButton8", &TZod2uAppForm::XpSpeedButton8, "TBPASTE"},
    {"XpSpeedButton9", &TZod2uAppForm::XpSpeedButton9, "TBCLEAR"},
    {"XpSpeedButton10", &TZod2uAppForm::XpSpeedButton10, "TBFIND"},
    {"XpSpeedButton11", &TZod2uAppForm::XpSpeedButton11, "TBLINK"},
    {"XpSpeedButton12", &TZod2uAppForm::XpSpeedButton12, "TBFONT"},
    {"XpSpeedButton13", &TZod2uAppForm::XpSpeedButton13, "TBIMAGE"},
    {"XpSpeedButton14", &TZod2uAppForm::XpSpeedButton14, "TBPALETTE"},
    {"XpSpeedButton15", &TZod2uAppForm::XpSpeedButton15, "TBSETTINGS"},
    {"XpSpeedButton18", &TZod2uAppForm::XpSpeedButton18, "TBFAVOURITES"},
    {"XpSpeedButton16", &TZod2uAppForm::XpSpeedButton16, "TBSITE"},
    {"XpSpeedButton17", &TZod2uAppForm::XpSpeedButton17, "TBABOUT"},
};
constexpr int kToolPitch = 32;
constexpr int kToolFirstLeft = 4;
constexpr int kToolTop = 1;
constexpr int kToolSize = 31;

// The side panel's speed buttons, in one row near its bottom.
struct TPanelButton {
  const char* Name;
  TButtonMember Member;
  int Left;
};
const TPanelButton kPanelButtons[] = {
    {"XpSpeedButton20", &TZod2uAppForm::XpSpeedButton20, 16},
    {"XpSpeedButton21", &TZod2uAppForm::XpSpeedButton21, 41},
    {"XpSpeedButton22", &TZod2uAppForm::XpSpeedButton22, 67},
    {"XpSpeedButton23", &TZod2uAppForm::XpSpeedButton23, 92},
    {"XpSpeedButton24", &TZod2uAppForm::XpSpeedButton24, 118},
    {"XpSpeedButton25", &TZod2uAppForm::XpSpeedButton25, 144},
};
constexpr int kPanelTop = 522;
constexpr int kPanelSize = 17;

// The table entry of a row's button, or null.
template <typename T, size_t N>
const T* Find(const T (&table)[N], const TMenuRow& row) {
  for (const T& t : table)
    if (std::string(t.Name) == row.Name) return &t;
  return nullptr;
}

TXpSpeedButton* MakeButton(TZod2uAppForm& form, TWinControl* parent, const TMenuRow& row, const TRect& bounds) {
  auto* b = new TXpSpeedButton(&form);
  b->SetName(row.Name);
  b->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  b->SetFlat(true);
  b->SetCaption(Ansi(row.Caption));
  b->SetHint(Ansi(row.Hint));
  b->SetShowHint(*row.Hint != 0);
  b->SetParent(parent);
  return b;
}

}  // namespace

void TZod2uAppForm::BuildSpeedButtons() {
  RegisterToolBarGlyphs();
  int position = 0, panelCount = 0;
  for (const TMenuRow& row : MainWindowRows()) {
    if (row.Place == TMenuPlace::ToolBar) {
      const TToolButton* found = Find(kToolButtons, row);
      if (!found) throw ECommandError(std::string("Zod2uAppForm: no tool bar button \"") + row.Name + "\"");
      const TToolButton& t = *found;
      TRect at(kToolFirstLeft + position * kToolPitch, kToolTop, 0, 0);
      at.Right = at.Left + kToolSize;
      at.Bottom = at.Top + kToolSize;
      TXpSpeedButton* b = MakeButton(*this, ToolBar1, row, at);
      TBitmap glyph;
      LoadBitmapResource(glyph, t.Glyph);
      b->SetGlyph(&glyph);
      this->*t.Member = b;
      ++position;
    } else if (row.Place == TMenuPlace::SidePanel) {
      // The panel's other rows are its insert buttons, made with the panel.
      const TPanelButton* p = Find(kPanelButtons, row);
      if (!p) continue;
      this->*p->Member =
          MakeButton(*this, CoolBar1, row, TRect(p->Left, kPanelTop, p->Left + kPanelSize, kPanelTop + kPanelSize));
      ++panelCount;
    }
  }
  if (position != int(std::size(kToolButtons)) || panelCount != int(std::size(kPanelButtons)))
    throw ECommandError("Zod2uAppForm: the speed buttons and their rows differ");

  progres = new TXpProgressBar(this);
  progres->SetName("progres");
  progres->SetOrientation(pbVertical);
  progres->SetMin(0);
  progres->SetMax(5000);
  progres->SetBorderColor(10461087);
  progres->SetAlign(alClient);
  progres->SetParent(TaskPanel1);
  // Its hint tells about the document (progresMouseMove fills it).
  progres->SetShowHint(true);

  // No form streaming: the window finishes what loading would.
  for (const TToolButton& t : kToolButtons) (this->*t.Member)->Loaded();
  for (const TPanelButton& p : kPanelButtons) (this->*p.Member)->Loaded();
  progres->Loaded();
}

void TZod2uAppForm::BindPanelSpeedButtons() {
  // The side panel's speed buttons stand before its insert buttons do, so
  // they bind on their own; once the insert buttons stand the whole place
  // binds through BindButtons.
  std::vector<TMenuRow> rows;
  for (const TPanelButton& p : kPanelButtons)
    for (const TMenuRow& row : MainWindowRows())
      if (row.Place == TMenuPlace::SidePanel && std::string(row.Name) == p.Name) rows.push_back(row);
  BindButtonRows(rows, TMenuPlace::SidePanel, *this, FCommands);
}
