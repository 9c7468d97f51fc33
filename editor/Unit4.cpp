#include "Unit4.h"

#include "FormRows.h"
#include "HtmlColors.h"
#include "W2kMain.h"
#include "platform/CodePage.h"

TForm4* Form4 = nullptr;

namespace {
const TFormRow kForm = {"Form4", "Мастер стилей шрифта", bsDialog, TBorderIcons{biSystemMenu}, 457, 369,
                        clWhite, poScreenCenter,         fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 12, 50, 13, "Шрифт:"},
    {"TComboBox", "ComboBox1", "", 64, 8, 201, 21, nullptr, "Имя шрифта", 0, "ComboBox1Click", "ComboBox1Click"},
    {"TLabel", "Label2", "", 280, 12, 50, 13, "Размер:"},
    {"TComboBox", "Edit1", "", 336, 8, 49, 21, nullptr, "Размер шрифта (1 .. 7)"},
    {"TLabel", "Label3", "", 8, 44, 50, 13, "Цвет:"},
    {"TButton", "Button7", "", 64, 38, 89, 25, "Выбрать...", "Выбрать цвет текста", 0, "Button7Click"},
    {"TLabel", "Label4", "", 168, 44, 100, 13, "color", "", cHidden},
    {"TRichEdit", "RichEdit1", "", 8, 72, 441, 57, "", "Так будет выглядеть выбранный шрифт", cReadOnly},
    {"TGroupBox", "GroupBox1", "", 8, 136, 441, 193, "Текстовый блок "},
    {"TRichEdit", "RichEdit2", "GroupBox1", 8, 16, 425, 137, "", "Текст внутри тега FONT", cVScroll},
    {"TButton", "Button3", "GroupBox1", 8, 160, 129, 25, "Открыть текст...", "", 0, "Button3Click"},
    {"TButton", "Button4", "GroupBox1", 148, 160, 129, 25, "Сохранить текст", "", 0, "Button4Click"},
    {"TButton", "Button5", "GroupBox1", 288, 160, 129, 25, "Новый текст", "", 0, "Button5Click"},
    {"TButton", "Button1", "", 8, 336, 137, 25, "Вставить", "", cDefault, "Button1Click"},
    {"TButton", "Button6", "", 160, 336, 137, 25, "Очистить всё", "", 0, "Button6Click"},
    {"TButton", "Button2", "", 312, 336, 137, 25, "Отменить", "", cCancel, "Button2Click"},
};
const char* const kSample =
    "Так будет выглядеть текст, написанный выбранным шрифтом.\r\nЭто образец: АаБбВв AaBbCc 0123456789";
const char* const kInstructions =
    "Введите сюда текст, который будет оформлен выбранным шрифтом,\r\n"
    "или загрузите его из файла кнопкой \"Открыть текст...\".\r\n"
    "Если текст не нужен, очистите это поле кнопкой \"Новый текст\":\r\n"
    "тогда в документ будет вставлен только тег FONT.";
}  // namespace

TForm4::TForm4(TComponent* owner) : TForm(owner) {
  FCommands.Add("ComboBox1Click", this, &TForm4::ComboBox1Click);
  FCommands.Add("Button1Click", this, &TForm4::Button1Click);
  FCommands.Add("Button2Click", this, &TForm4::Button2Click);
  FCommands.Add("Button3Click", this, &TForm4::Button3Click);
  FCommands.Add("Button4Click", this, &TForm4::Button4Click);
  FCommands.Add("Button5Click", this, &TForm4::Button5Click);
  FCommands.Add("Button6Click", this, &TForm4::Button6Click);
  FCommands.Add("Button7Click", this, &TForm4::Button7Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  ComboBox1 = c.Get<TComboBox>("ComboBox1");
  Edit1 = c.Get<TComboBox>("Edit1");
  Label4 = c.Get<TLabel>("Label4");
  RichEdit1 = c.Get<TRichEdit>("RichEdit1");
  RichEdit2 = c.Get<TRichEdit>("RichEdit2");
  ComboBox1->SetStyle(csDropDownList);
  ComboBox1->Items()->Assign(Screen->Fonts());
  if (ComboBox1->Items()->Count() > 0) ComboBox1->SetItemIndex(0);
  Edit1->SetStyle(csDropDownList);
  for (const char* size : {"1", "2", "3", "4", "5", "6", "7"}) Edit1->Items()->Add(size);
  Edit1->SetItemIndex(0);
  RichEdit1->SetText(Ansi(kSample));
  RichEdit1->SelectAll();
  RichEdit1->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    RichEdit1MouseDown(s, b, sh, x, y);
  };
  RichEdit2->SetPlainText(true);
  RichEdit2->SetText(Ansi(kInstructions));
  ColorDialog1 = new TColorDialog(this);
  ColorDialog1->SetName("ColorDialog1");
  ColorDialog1->SetOptions(TColorDialogOptions{cdFullOpen});
}

void TForm4::ComboBox1Click(TObject*) {
  // The preview keeps no formatting of its own and is wholly selected: the
  // font of its selection is the control's font.
  RichEdit1->Font()->SetName(ComboBox1->Text());
  RichEdit1->SelectAll();
}

void TForm4::RichEdit1MouseDown(TObject*, TMouseButton, TShiftState, int, int) { RichEdit1->SelectAll(); }

void TForm4::Button7Click(TObject*) {
  if (!ColorDialog1->Execute()) return;
  Label4->SetVisible(true);
  Label4->Font()->SetColor(ColorDialog1->Color());
  Label4->SetCaption(ColorToHtml(ColorDialog1->Color()));
}

void TForm4::Button3Click(TObject*) {
  TOpenDialog* open = Zod2uAppForm->OpenDialog;
  if (!open->Execute()) return;
  RichEdit2->Lines()->LoadFromFile(open->FileName());
  RichEdit2->SetFocus();
}

void TForm4::Button4Click(TObject*) {
  TSaveDialog* save = Zod2uAppForm->SaveDialog;
  if (!save->Execute() || !Zod2uAppForm->ConfirmOverwrite(save->FileName())) return;
  RichEdit2->Lines()->SaveToFile(save->FileName());
}

void TForm4::Button5Click(TObject*) {
  RichEdit2->Clear();
  RichEdit2->SetFocus();
}

void TForm4::Button6Click(TObject* Sender) { Button5Click(Sender); }

void TForm4::Button1Click(TObject*) {
  const std::string tag = "<FONT SIZE=" + Edit1->Text() + " FACE=\"" + ComboBox1->Text() + "\" COLOR=\"" +
                          Label4->Caption() + "\"> " + RichEdit2->Text() + " </FONT>";
  Close();
  if (Zod2uAppForm->CanInsert()) Zod2uAppForm->InsertTag(tag, 0, false);
}

void TForm4::Button2Click(TObject*) { Close(); }
