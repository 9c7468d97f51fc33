#include "Unit26.h"

#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

TForm26* Form26 = nullptr;

TForm26::TForm26(TComponent* owner) : TForm(owner) {
  SetName("Form26");
  SetCaption(Ansi("Буфер обмена"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
  SetClientSize(465, 322);
  SetColor(clWhite);

  view = new TRichEdit(this);
  view->SetName("view");
  view->SetParent(this);
  view->SetBounds(8, 8, 449, 273);
  view->SetScrollBars(ssVertical);
  view->SetText(std::string());
  if (Zod2uAppForm) view->SetPopupMenu(Zod2uAppForm->PopupMenu3);

  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(184, 288, 171, 25);
  Button2->SetCaption(Ansi("Вставить в документ"));
  Button2->OnClick = [this](TObject* s) { Button2Click(s); };

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(360, 288, 99, 25);
  Button1->SetCaption(Ansi("Закрыть"));
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
}

void TForm26::Button2Click(TObject*) {
  Zod2uAppForm->Memo1->PasteClipboard();
  Close();
}

void TForm26::Button1Click(TObject*) { Close(); }
