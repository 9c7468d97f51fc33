#include "Unit3.h"

#include "FormRows.h"
#include "ProgramPictures.h"

Tabout_forma* about_forma = nullptr;

namespace {
const TFormRow kForm = {
    "about_forma", "О продукте", bsDialog, TBorderIcons{biSystemMenu}, 501, 277, clWhite, poScreenCenter, 0, "",
    "FormShow"};
const std::vector<TControlRow> kControls = {
    {"TImage", "Image1", "", -5, 0, 541, 385},
    {"TLabel", "Label1", "", 16, 16, 470, 120,
     "Brindel Quillet Studio\r\nВерсия: 1.0.0.0 Build 0109\r\n\r\nПрограммирование: Аркадий Велмор\r\nДизайн: "
     "Ольга Норвейн\r\nТехническая поддержка: Степан Квиллет",
     "", cWordWrap | cFixedSize},
    {"TLabel", "Label9", "", 16, 200, 470, 30,
     "© 2008 Brindel. Все права защищены. Программа распространяется бесплатно; продажа без согласия "
     "авторов запрещена.",
     "", cWordWrap | cFixedSize},
    {"TLabel", "Label2", "", 16, 236, 470, 30,
     "Спасибо сайту brindel.example и всем, кто принимал участие в создании этого проекта!", "",
     cWordWrap | cFixedSize},
};
}  // namespace

Tabout_forma::Tabout_forma(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormShow", this, &Tabout_forma::FormShow);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Image1 = c.Get<TImage>("Image1");
  Label1 = c.Get<TLabel>("Label1");
  Label9 = c.Get<TLabel>("Label9");
  Label2 = c.Get<TLabel>("Label2");
  // White on the picture: every label lets it show through.
  for (TLabel* label : {Label1, Label9, Label2}) {
    label->Font()->SetColor(clWhite);
    label->SetTransparent(true);
  }
}

void Tabout_forma::FormShow(TObject*) {
  if (!Image1->Picture()->Graphic()) LoadProgramPicture(*Image1->Picture(), "ABOUTPICTURE");
}
