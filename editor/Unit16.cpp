#include "Unit16.h"

#include "FormRows.h"
#include "HtmlColors.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm16* Form16 = nullptr;

namespace {
const TFormRow kForm = {"Form16", "HEX to COLOR", bsDialog, TBorderIcons{biSystemMenu}, 257, 105,
                        clWhite,  poScreenCenter, fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 8, 241, 13, "Введите HEX-код цвета, например #FFFF00:"},
    {"TEdit", "Edit1", "", 8, 32, 241, 21, "", "HEX-код цвета"},
    {"TButton", "Button1", "", 8, 68, 113, 25, "Высчитать", "Показать цвет и его RGB код", cDefault, "Button1Click"},
    {"TButton", "Button2", "", 136, 68, 113, 25, "Очистить", "", 0, "Button2Click"},
};
}  // namespace

TForm16::TForm16(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm16::Button1Click);
  FCommands.Add("Button2Click", this, &TForm16::Button2Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Label1 = c.Get<TLabel>("Label1");
  Edit1 = c.Get<TEdit>("Edit1");
  Button1 = c.Get<TButton>("Button1");
  Button2 = c.Get<TButton>("Button2");
  ColorDialog1 = new TColorDialog(this);
  ColorDialog1->SetName("ColorDialog1");
  ColorDialog1->SetOptions(TColorDialogOptions{cdFullOpen, cdAnyColor});
}

void TForm16::Button1Click(TObject*) {
  if (Edit1->Text().empty()) {
    MessageBox(Handle(), Ansi("Введите ваш HEX-код в поле ввода!"), ProgramTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  // A code that is not hex raises the conversion error before the dialog.
  ColorDialog1->SetColor(HexToColor(Edit1->Text()));
  ColorDialog1->Execute();
  MessageBox(Handle(), Ansi("RGB код этого цвета: ") + IntToStr(ColorDialog1->Color()), ProgramTitle,
             MB_OK | MB_ICONINFORMATION);
}

void TForm16::Button2Click(TObject*) {
  Edit1->SetText("");
  Edit1->SetFocus();
}
