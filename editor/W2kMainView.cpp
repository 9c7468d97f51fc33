// The main window's view and appearance commands: the bars and the
// palette shown or hidden, the editor's scroll bars, word wrap and code
// page, its font and colours, and the colours of the panels and menus.
// Scroll bars, word wrap and the code page last for the run; the font and
// the colours are written to the settings file at exit.
#include "SrcMemo.h"
#include "Unit9.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

namespace {
void Toggle(TControl* control) { control->SetVisible(!control->Visible()); }
}  // namespace

void TZod2uAppForm::N5Click(TObject*) { Toggle(StatusBar1); }
void TZod2uAppForm::N569Click(TObject*) { Toggle(TaskPanel1); }
void TZod2uAppForm::N519Click(TObject*) { Toggle(ToolBar1); }

void TZod2uAppForm::N332Click(TObject*) {
  if (!Form9) return;
  if (Form9->Visible())
    Form9->Close();
  else
    Form9->Show();
}

void TZod2uAppForm::N26Click(TObject*) { Memo1->SetScrollBars(TSrcScrollStyle::ssBoth); }
void TZod2uAppForm::N27Click(TObject*) { Memo1->SetScrollBars(TSrcScrollStyle::ssVertical); }
void TZod2uAppForm::N28Click(TObject*) { Memo1->SetScrollBars(TSrcScrollStyle::ssHorizontal); }
void TZod2uAppForm::N29Click(TObject*) { Memo1->SetScrollBars(TSrcScrollStyle::ssNone); }

void TZod2uAppForm::N35Click(TObject*) { Memo1->SetWordWrap(!Memo1->WordWrap()); }

void TZod2uAppForm::SetCodePage(TMenuItem* chosen, TFontCharset charset) {
  // The bytes stay as they are: the same text is shown in the other code
  // page.
  Memo1->SelectAll();
  chosen->SetDefault(true);
  Memo1->Font()->SetCharset(charset);
}

void TZod2uAppForm::DOS1Click(TObject*) { SetCodePage(DOS1, OEM_CHARSET); }
void TZod2uAppForm::WIN1Click(TObject*) { SetCodePage(WIN1, RUSSIAN_CHARSET); }

void TZod2uAppForm::N12Click(TObject*) {
  FontDialog1->SetFont(Memo1->Font());
  if (FontDialog1->Execute()) Memo1->Font()->Assign(FontDialog1->Font());
}

void TZod2uAppForm::N11Click(TObject*) {
  ColorDialog1->SetColor(Memo1->Color());
  if (ColorDialog1->Execute()) Memo1->SetColor(ColorDialog1->Color());
}

void TZod2uAppForm::N13Click(TObject*) {
  if (ColorDialog1->Execute()) Memo1->Font()->SetColor(ColorDialog1->Color());
}

void TZod2uAppForm::SetProgramColor(TColor color) {
  CoolBar1->SetColor(color);
  ToolBar1->SetColor(color);
  MenuPainter.SetSelectColor(color);
  MenuPainter.GutterColor = color;
}

void TZod2uAppForm::N574Click(TObject*) {
  ColorDialog1->SetColor(CoolBar1->Color());
  MessageBox(Handle(),
             Ansi("Эта опция изменит цвета у следующих компонентов: Главное меню; Панель вставки тегов; Панель "
                  "инструментов."),
             ProgramTitle, MB_ICONINFORMATION);
  if (ColorDialog1->Execute()) SetProgramColor(ColorDialog1->Color());
}

void TZod2uAppForm::N575Click(TObject*) {
  if (MessageBox(Handle(), Ansi("Вы уверены?\rВосстановить все цвета по умолчанию?  "), ProgramTitle,
                 MB_YESNO | MB_ICONWARNING) == IDYES)
    SetProgramColor(clBtnFace);
}
