#include "Unit1.h"

#include "ProgramGlyphs.h"
#include "XpSpeedButtons.h"
#include "platform/CodePage.h"
#include "platform/Resources.h"

TForm1* Form1 = nullptr;

namespace {

// The button row: name, left edge, hint lines (CR LF between them), the
// handler by designer name, its picture, and whether the handler is built.
struct TViewerButton {
  const char* Name;
  TXpSpeedButton* TForm1::*Member;
  int Left;
  const char* Hint;
  const char* Handler;
  const char* Glyph;
  bool Pending;
};
const TViewerButton kButtons[] = {
    {"XpSpeedButton1", &TForm1::XpSpeedButton1, 7, "Навигация по Справке\r\nНазад", "XpSpeedButton1Click", "HVBACK",
     true},
    {"XpSpeedButton2", &TForm1::XpSpeedButton2, 47, "Навигация по Справке\r\nВперед", "XpSpeedButton2Click",
     "HVFORWARD", true},
    {"XpSpeedButton5", &TForm1::XpSpeedButton5, 87, "Навигация по Справке\r\nОстановить открытие документа",
     "XpSpeedButton5Click", "HVSTOP", true},
    {"XpSpeedButton3", &TForm1::XpSpeedButton3, 127, "Сохранить текущий документ", "XpSpeedButton3Click", "HVSAVE",
     true},
    {"XpSpeedButton6", &TForm1::XpSpeedButton6, 167, "Печать текущего документа", "XpSpeedButton6Click", "HVPRINT",
     true},
    {"XpSpeedButton9", &TForm1::XpSpeedButton9, 207, "Главная страница\r\nПоказать главную страницу Справки",
     "FormCreate", "HVHOME", true},
    {"XpSpeedButton4", &TForm1::XpSpeedButton4, 247, "Свойства текущего документа", "XpSpeedButton4Click",
     "HVPROPERTIES", true},
};
constexpr int kButtonTop = 49;
constexpr int kButtonWidth = 33;
constexpr int kButtonHeight = 34;

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName("Form1");
  SetCaption("Brindel Norvane");
  SetBounds(0, 0, 645, 684);
  SetPosition(poScreenCenter);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  MarkupHint1 = CreateProgramMarkupHint(this);

  // The banner: a task panel in the windows style with its title and title
  // buttons hidden.
  TaskPanel1 = new TTaskPanel(this);
  TaskPanel1->SetName("TaskPanel1");
  TaskPanel1->SetAlign(alTop);
  TaskPanel1->SetHeight(89);
  TaskPanel1->SetStyle(xpWindows);
  TaskPanel1->SetColor(16772250);
  TaskPanel1->SetColorFrame(16250870);
  TaskPanel1->Title()->SetVisible(false);
  for (TTaskButton* button : {TaskPanel1->Title()->ButtonSpin(), TaskPanel1->Title()->ButtonClose()}) {
    button->SetEnabled(false);
    button->SetVisible(false);
  }
  TaskPanel1->SetAnimated(true);
  TaskPanel1->SetMoveable(false);
  TaskPanel1->SetSound(false);
  TaskPanel1->SetTransparent(false);
  TaskPanel1->SetParent(this);

  StatusBar1 = new TStatusBar(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetHeight(19);

  Web = new TPanel(this);
  Web->SetName("Web");
  Web->SetParent(this);
  Web->SetAlign(alClient);
  Web->SetBevelOuter(bvNone);
  Web->SetColor(clWindow);
  Web->SetCaption(std::string());

  BuildButtons();
}

void TForm1::BuildButtons() {
  RegisterViewerGlyphs();
  for (const TViewerButton& row : kButtons) {
    auto* b = new TXpSpeedButton(this);
    b->SetName(row.Name);
    b->SetBounds(row.Left, kButtonTop, kButtonWidth, kButtonHeight);
    b->SetFlat(true);
    b->SetHint(Ansi(row.Hint));
    b->SetShowHint(true);
    TBitmap glyph;
    LoadBitmapResource(glyph, row.Glyph);
    b->SetGlyph(&glyph);
    b->SetParent(TaskPanel1);
    // The browser commands are not built yet: the button stands, inert.
    if (row.Pending) FPendingButtons.push_back(row.Name);
    this->*row.Member = b;
    // No form streaming: the window finishes what loading would.
    b->Loaded();
  }
}
