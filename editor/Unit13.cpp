#include "Unit13.h"

#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm13* Form13 = nullptr;

TForm13::TForm13(TComponent* owner) : TForm(owner) {
  SetName("Form13");
  SetCaption(Ansi("Создать отступ..."));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(241, 62);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
  SetShowHint(true);

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetBounds(8, 8, 225, 13);
  Label1->SetCaption(Ansi("Укажите степень отступа."));

  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(8, 30, 137, 21);
  Edit1->SetText("20");
  Edit1->SetHint(Ansi("Укажите степень отступа."));

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(152, 28, 81, 25);
  Button1->SetCaption(Ansi("ОК"));
  Button1->SetDefault(true);
  Button1->SetHint(Ansi("Создать отступ"));
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm13::FormShow(TObject*) { SetActiveControl(Edit1); }

void TForm13::Button1Click(TObject*) {
  Close();
  TSrcMemo* memo = Zod2uAppForm->Memo1;
  TRect r;
  memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  // A text that is no number raises the conversion error here, before
  // the rectangle is handed back.
  r.Left = StrToInt(Edit1->Text());
  memo->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  memo->Repaint();
}
