#include "Unit24.h"

#include "FormRows.h"

TForm24* Form24 = nullptr;

namespace {
const TFormRow kForm = {
    "Form24",  "Brindel Quillet Studio - Browser", bsSizeable, std::nullopt, 788, 576, clWhite, poScreenCenter,
    fOuterSize};
const std::vector<TControlRow> kControls = {
    {"TWebBrowser", "WebBrowser1", "", 0, 0, 0, 0, nullptr, "", cAlignClient},
};
}  // namespace

TForm24::TForm24(TComponent* owner) : TForm(owner) {
  const TFormControls c = BuildForm(*this, kForm, kControls, TCommandRegistry("Form24"));
  WebBrowser1 = c.Get<TWebBrowser>("WebBrowser1");
}
