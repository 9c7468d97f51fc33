#include "Unit12.h"

#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

TForm122* Form122 = nullptr;

TForm122::TForm122(TComponent* owner) : TForm(owner) {
  SetName("Form122");
  SetCaption(Ansi("Перейти..."));
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetClientSize(298, 96);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
  SetShowHint(true);

  Label2 = new TLabel(this);
  Label2->SetName("Label2");
  Label2->SetParent(this);
  Label2->SetBounds(8, 6, 282, 13);
  Label2->SetCaption(Ansi("В этом документе сейчас"));

  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetParent(this);
  Label1->SetAutoSize(false);
  Label1->SetWordWrap(true);
  Label1->SetBounds(8, 24, 282, 32);
  Label1->SetCaption(Ansi("Укажите номер строки, на которую желаете перейти в текущем документе, и нажмите кнопку "
                          "\"Перейти\"."));

  Edit1 = new TEdit(this);
  Edit1->SetName("Edit1");
  Edit1->SetParent(this);
  Edit1->SetBounds(8, 64, 185, 21);
  Edit1->SetText(std::string());
  Edit1->SetHint(Ansi("Укажите номер строки"));
  if (Zod2uAppForm) Edit1->SetPopupMenu(Zod2uAppForm->PopupMenu3);

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(200, 62, 90, 25);
  Button1->SetCaption(Ansi("Перейти"));
  Button1->SetHint(Ansi("Перейти на указанную строку"));
  Button1->SetDefault(true);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TForm122::ShowLineCount() {
  if (!Zod2uAppForm || !Zod2uAppForm->Memo1) return;
  Label2->SetCaption(Ansi("В этом документе сейчас ") + IntToStr(Zod2uAppForm->Memo1->Lines()->Count()) +
                     Ansi(" строк(и)."));
}

void TForm122::FormCreate(TObject*) { ShowLineCount(); }

void TForm122::FormShow(TObject*) { ShowLineCount(); }

void TForm122::Button1Click(TObject*) {
  if (Edit1->Text().empty()) {
    MessageBox(WindowHandle(), Ansi("Введите, пожалуйста, номер строки!"), ProgramTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  Close();
  TSrcMemo* memo = Zod2uAppForm->Memo1;
  int line = StrToIntDef(Edit1->Text(), 1);
  memo->MoveCaretTo(BufferCoord(1, line));
  memo->SetSelFrom(memo->Caret());
}
