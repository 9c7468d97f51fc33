#include "Unit14.h"

#include "FormRows.h"
#include "ProgramPictures.h"

TForm14* Form14 = nullptr;

namespace {
const TFormRow kForm = {"Form14",   "Испробуйте в работе Brindel Ostrelle 3 - релиз 10.09.2008",
                        bsSingle,   TBorderIcons{biSystemMenu, biMinimize},
                        791,        599,
                        clWhite,    poScreenCenter,
                        fStayOnTop, "",
                        "FormShow"};
const std::vector<TControlRow> kControls = {
    {"TImage", "Image1", "", 0, 0, 809, 609},
};
}  // namespace

TForm14::TForm14(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormShow", this, &TForm14::FormShow);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Image1 = c.Get<TImage>("Image1");
}

void TForm14::FormShow(TObject*) {
  if (!Image1->Picture()->Graphic()) LoadProgramPicture(*Image1->Picture(), "ADVERTPICTURE");
}
