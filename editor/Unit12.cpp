#include "Unit12.h"

#include "FormRows.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

TForm122* Form122 = nullptr;

namespace {
const TFormRow kForm = {"Form122", "Перейти...", bsDialog,  TBorderIcons{biSystemMenu},
                        298,       96,           clWhite,   poScreenCenter,
                        fShowHint, "FormCreate", "FormShow"};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label2", "", 8, 6, 282, 13, "В этом документе сейчас"},
    {"TLabel", "Label1", "", 8, 24, 282, 32,
     "Укажите номер строки, на которую желаете перейти в текущем документе, и нажмите кнопку \"Перейти\".", "",
     cFixedSize | cWordWrap},
    {"TEdit", "Edit1", "", 8, 64, 185, 21, "", "Укажите номер строки"},
    {"TButton", "Button1", "", 200, 62, 90, 25, "Перейти", "Перейти на указанную строку", cDefault, "Button1Click"},
};
}  // namespace

TForm122::TForm122(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm122::FormCreate);
  FCommands.Add("FormShow", this, &TForm122::FormShow);
  FCommands.Add("Button1Click", this, &TForm122::Button1Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Label2 = c.Get<TLabel>("Label2");
  Label1 = c.Get<TLabel>("Label1");
  Edit1 = c.Get<TEdit>("Edit1");
  Button1 = c.Get<TButton>("Button1");
  if (Zod2uAppForm) Edit1->SetPopupMenu(Zod2uAppForm->PopupMenu3);
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
