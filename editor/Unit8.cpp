#include "Unit8.h"

#include "FileUrl.h"
#include "FormRows.h"
#include "PicturePreview.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm8* Form8 = nullptr;

namespace {
const TFormRow kForm = {
    "Form8",  "Мастер вставки изображения", bsDialog, TBorderIcons{biSystemMenu}, 457, 305, clWhite, poScreenCenter,
    fShowHint};
const std::vector<TControlRow> kControls = {
    {"TLabel", "Label1", "", 8, 8, 200, 13, "URL адрес изображения:"},
    {"TEdit", "Edit1", "", 8, 24, 345, 21, "", "Адрес картинки (локальный или в сети)"},
    {"TButton", "Button3", "", 360, 22, 89, 25, "Открыть", "Выбрать картинку на диске", 0, "Button3Click"},
    {"TRadioButton", "RadioButton1", "", 8, 52, 120, 17, "Полное имя", "file:// и полный путь", cChecked | cDisabled,
     "RadioButton1Click"},
    {"TRadioButton", "RadioButton2", "", 136, 52, 120, 17, "короткое имя", "Только имя файла", cDisabled,
     "RadioButton2Click"},
    {"TLabel", "Label2", "", 8, 80, 60, 13, "Ширина:"},
    {"TEdit", "Edit2", "", 72, 76, 57, 21, "", "WIDTH"},
    {"TLabel", "Label3", "", 136, 80, 60, 13, "Высота:"},
    {"TEdit", "Edit3", "", 200, 76, 57, 21, "", "HEIGHT"},
    {"TLabel", "Label4", "", 8, 108, 60, 13, "Выравнивание:"},
    {"TComboBox", "ComboBox2", "", 104, 104, 153, 21, nullptr, "ALIGN"},
    {"TGroupBox", "GroupBox1", "", 8, 132, 249, 81, "Дополнительно "},
    {"TLabel", "Label5", "GroupBox1", 8, 20, 80, 13, "HSPACE:"},
    {"TEdit", "Edit5", "GroupBox1", 96, 16, 57, 21, "", "Отступ по горизонтали"},
    {"TLabel", "Label6", "GroupBox1", 8, 48, 80, 13, "VSPACE:"},
    {"TEdit", "Edit6", "GroupBox1", 96, 44, 57, 21, "", "Отступ по вертикали"},
    {"TLabel", "Label7", "GroupBox1", 160, 20, 50, 13, "BORDER:"},
    {"TEdit", "Edit7", "GroupBox1", 160, 44, 57, 21, "", "Толщина рамки"},
    {"TLabel", "Label8", "", 8, 224, 100, 13, "ALT (подсказка):"},
    {"TEdit", "Edit4", "", 8, 240, 249, 21, "", "Описание картинки"},
    {"TImage", "Image1", "", 264, 76, 185, 185},
    {"TButton", "Button1", "", 240, 272, 101, 25, "Вставить", "", cDefault, "Button1Click"},
    {"TButton", "Button2", "", 348, 272, 101, 25, "Отменить", "", cCancel, "Button2Click"},
};
}  // namespace

TForm8::TForm8(TComponent* owner) : TForm(owner) {
  FCommands.Add("Button1Click", this, &TForm8::Button1Click);
  FCommands.Add("Button2Click", this, &TForm8::Button2Click);
  FCommands.Add("Button3Click", this, &TForm8::Button3Click);
  FCommands.Add("RadioButton1Click", this, &TForm8::RadioButton1Click);
  FCommands.Add("RadioButton2Click", this, &TForm8::RadioButton2Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  Edit3 = c.Get<TEdit>("Edit3");
  ComboBox2 = c.Get<TComboBox>("ComboBox2");
  Edit4 = c.Get<TEdit>("Edit4");
  Edit5 = c.Get<TEdit>("Edit5");
  Edit6 = c.Get<TEdit>("Edit6");
  Edit7 = c.Get<TEdit>("Edit7");
  RadioButton1 = c.Get<TRadioButton>("RadioButton1");
  RadioButton2 = c.Get<TRadioButton>("RadioButton2");
  Image1 = c.Get<TImage>("Image1");
  Image1->SetStretch(true);
  Image1->SetProportional(true);
  ComboBox2->SetStyle(csDropDownList);
  for (const char* align : {"bottom", "center", "justify", "left", "middle", "right", "top"})
    ComboBox2->Items()->Add(align);
  ComboBox2->SetItemIndex(0);
  pic = new TOpenDialog(this);
  pic->SetName("pic");
  pic->SetFilter(
      Ansi("JPG изображения (*.jpg; *.jpeg)|*.jpeg; *.jpg|GIF анимация (*.gif)|*.gif|PNG изображения "
           "(*.png)|*.png|BMP изображения (*.bmp)|*.bmp"));
}

void TForm8::Button3Click(TObject*) {
  if (!pic->Execute() || !PickedFileUsable(pic->FileName())) return;
  const std::string path = pic->FileName();
  Edit1->SetText(FileUrl(path));
  RadioButton1->SetEnabled(true);
  RadioButton2->SetEnabled(true);
  Edit7->SetText("0");
  Edit4->SetText(ExtractFileName(path));
  // The size comes from the header; what cannot be read stays empty, never
  // the last picture's. The preview shows what it can, or says why not.
  TPictureHeader size;
  const bool known = ReadPictureFileSize(path, size);
  Edit2->SetText(known ? IntToStr(size.Width) : std::string());
  Edit3->SetText(known ? IntToStr(size.Height) : std::string());
  ShowPicturePreview(Image1, path, Handle(), size);
}

void TForm8::RadioButton1Click(TObject*) { Edit1->SetText(FileUrl(pic->FileName())); }

void TForm8::RadioButton2Click(TObject*) { Edit1->SetText(MarkupFileName(ExtractFileName(pic->FileName()))); }

void TForm8::Button1Click(TObject*) {
  if (Edit1->Text().empty()) {
    MessageBox(Handle(),
               Ansi("Вы оставили пустым обязательное поле \"URL адрес изображения\". Заполните его, пожалуйста."),
               ProgramTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  Close();
  if (!Zod2uAppForm->CanInsert()) return;
  Zod2uAppForm->InsertTag("<IMG SRC=\"" + Edit1->Text() + "\" WIDTH=" + Edit2->Text() + " HEIGHT=" + Edit3->Text() +
                              " ALIGN=" + ComboBox2->Text() + " HSPACE=" + Edit5->Text() + " VSPACE=" + Edit6->Text() +
                              " BORDER=" + Edit7->Text() + " ALT=\"" + Edit4->Text() + "\">",
                          0, false);
  if (Edit4->Text().empty())
    MessageBox(Handle(),
               Ansi("Вы оставили пустым поле \"ALT=\" (подсказка к картинке). А это поле очень важное, потому что не "
                    "у всех юзеров в их браузерах указан пункт загрузки изображений, и Velmora советует: "
                    "желательно всегда писать в этом поле хотя бы самое краткое описание картинки."),
               Ansi("Полезный совет"), MB_OK | MB_ICONINFORMATION);
}

void TForm8::Button2Click(TObject*) { Close(); }
