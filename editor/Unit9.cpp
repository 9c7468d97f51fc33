#include "Unit9.h"

#include "platform/CodePage.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(TComponent* owner) : TForm(owner) {
  SetName("Form9");
  SetCaption(Ansi("Быстрая вставка"));
  SetBorderStyle(bsToolWindow);
  SetClientSize(606, 86);
  SetColor(clWhite);
  SetFormStyle(fsStayOnTop);
}
