#include "Unit1.h"

#include "ProgramGlyphs.h"
#include "XpSpeedButtons.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

TForm1* Form1 = nullptr;

namespace {

// The button row: name, left edge, hint lines (CR LF between them), the
// click handler and the picture.
struct TViewerButton {
  const char* Name;
  TXpSpeedButton* TForm1::*Member;
  int Left;
  const char* Hint;
  void (TForm1::*OnClick)(TObject*);
  const char* Glyph;
};
const TViewerButton kButtons[] = {
    {"XpSpeedButton1", &TForm1::XpSpeedButton1, 7, "Навигация по Справке\r\nНазад", &TForm1::XpSpeedButton1Click,
     "HVBACK"},
    {"XpSpeedButton2", &TForm1::XpSpeedButton2, 47, "Навигация по Справке\r\nВперед", &TForm1::XpSpeedButton2Click,
     "HVFORWARD"},
    {"XpSpeedButton5", &TForm1::XpSpeedButton5, 87, "Навигация по Справке\r\nОстановить открытие документа",
     &TForm1::XpSpeedButton5Click, "HVSTOP"},
    {"XpSpeedButton3", &TForm1::XpSpeedButton3, 127, "Сохранить текущий документ", &TForm1::XpSpeedButton3Click,
     "HVSAVE"},
    {"XpSpeedButton6", &TForm1::XpSpeedButton6, 167, "Печать текущего документа", &TForm1::XpSpeedButton6Click,
     "HVPRINT"},
    {"XpSpeedButton9", &TForm1::XpSpeedButton9, 207, "Главная страница\r\nПоказать главную страницу Справки",
     &TForm1::FormCreate, "HVHOME"},
    {"XpSpeedButton4", &TForm1::XpSpeedButton4, 247, "Свойства текущего документа", &TForm1::XpSpeedButton4Click,
     "HVPROPERTIES"},
};
constexpr int kButtonTop = 49;
constexpr int kButtonWidth = 33;
constexpr int kButtonHeight = 34;

const char* const kCaption = "Brindel Norvane";

TLabel* BannerLabel(TForm1* form, const char* name, const std::string& caption, int top, int size) {
  auto* l = new TLabel(form);
  l->SetName(name);
  // The font first: the label sizes itself to its caption in it.
  l->Font()->SetName("Tahoma");
  l->Font()->SetSize(size);
  l->SetCaption(caption);
  l->SetLeft(8);
  l->SetTop(top);
  l->SetTransparent(true);
  l->SetParent(form->TaskPanel1);
  return l;
}

}  // namespace

std::string HelpHomePage() { return ProgramDir() + "Help/Help.htm"; }

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetName("Form1");
  SetCaption(kCaption);
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

  Web = new TWebBrowser(this);
  Web->SetName("Web");
  Web->SetParent(this);
  Web->SetAlign(alClient);

  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->SetTitle(kCaption);
  SaveDialog1->SetFilter(Ansi("Веб-страницы (*.htm; *.html)|*.htm"));
  // The extension without its wildcard, and no existing page is replaced
  // unasked.
  SaveDialog1->SetDefaultExt("htm");
  SaveDialog1->SetOptions(SaveDialog1->Options().Include(ofOverwritePrompt));

  BuildBanner();
  BuildButtons();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TForm1::BuildBanner() {
  // The picture lies under the labels, whose text may reach over its plain
  // left part.
  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetBounds(0, 0, 287, 87);
  Image1->SetAlign(alRight);
  Image1->SetParent(TaskPanel1);
  RegisterViewerBanner();
  std::string jpeg;
  if (FindResourceData(kViewerBanner, jpeg)) {
    TStringStream stream(jpeg);
    // The picture only decorates: a widget set that cannot read JPEG
    // leaves the banner plain.
    try {
      Image1->Picture()->LoadFromStream(&stream);
    } catch (const EInvalidGraphic&) {}
  }
  Label1 = BannerLabel(this, "Label1", kCaption, 8, 12);
  Label2 = BannerLabel(this, "Label2", Ansi("Добро пожаловать в справочную систему продуктов Brindel"), 28, 10);
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
    b->OnClick = [this, handler = row.OnClick](TObject* sender) { (this->*handler)(sender); };
    this->*row.Member = b;
    // No form streaming: the window finishes what loading would.
    b->Loaded();
  }
}

void TForm1::FormCreate(TObject*) { Web->Navigate(HelpHomePage()); }

void TForm1::WalkHistory(void (TWebBrowser::*step)(), const char* atTheEnd) {
  try {
    (Web->*step)();
  } catch (const Exception&) {
    ::MessageBox(Handle(), Ansi(atTheEnd), kCaption, MB_OK | MB_ICONEXCLAMATION);
  }
}

void TForm1::XpSpeedButton1Click(TObject*) {
  WalkHistory(&TWebBrowser::GoBack, "Не найдено страниц, предшествующих этой странице.");
}

void TForm1::XpSpeedButton2Click(TObject*) {
  WalkHistory(&TWebBrowser::GoForward, "Не найдено страниц, идущих после данной страницы.");
}

void TForm1::XpSpeedButton5Click(TObject*) { Web->Stop(); }

void TForm1::XpSpeedButton3Click(TObject*) {
  if (!SaveDialog1->Execute()) return;
  if (!Web->HasDocument()) return;
  const std::string fileName = SaveDialog1->FileName();
  // A page the browser cannot save at all goes to the error box; a page it
  // could not write is reported here, and the target is left as it was.
  try {
    Web->SaveToFile(fileName);
  } catch (const EOleException&) {
    throw;
  } catch (const Exception&) {
    ::MessageBox(Handle(), Ansi("Не удалось сохранить документ:") + "\n\r" + fileName, kCaption,
                 MB_OK | MB_ICONEXCLAMATION);
  }
}

void TForm1::XpSpeedButton6Click(TObject*) { Web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER); }

void TForm1::XpSpeedButton4Click(TObject*) {
  try {
    if (Web->QueryStatusWB(OLECMDID_PROPERTIES) & OLECMDF_ENABLED)
      Web->ExecWB(OLECMDID_PROPERTIES, OLECMDEXECOPT_PROMPTUSER);
  } catch (...) {}
}
