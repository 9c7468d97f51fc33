#include "Unit24.h"

TForm24* Form24 = nullptr;

TForm24::TForm24(TComponent* owner) : TForm(owner) {
  SetName("Form24");
  SetCaption("Brindel Quillet Studio - Browser");
  SetBorderStyle(bsSizeable);
  SetBounds(0, 0, 788, 576);
  SetColor(clWhite);
  SetPosition(poScreenCenter);

  WebBrowser1 = new TWebBrowser(this);
  WebBrowser1->SetName("WebBrowser1");
  WebBrowser1->SetParent(this);
  WebBrowser1->SetAlign(alClient);
}
