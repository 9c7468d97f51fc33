#include "Unit18.h"

#include "FileUrl.h"
#include "FormRows.h"
#include "HtmlColors.h"
#include "MarkupHints.h"
#include "PicturePreview.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "TaskPanels.h"
#include "Unit27.h"
#include "W2kMain.h"
#include "WindowRegistry.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

TForm18* Form18 = nullptr;

namespace {
const TFormRow kForm = {"Form18", "Brindel Quillet Studio - VivOriror",
                        bsDialog, TBorderIcons{biSystemMenu},
                        529,      417,
                        clWhite,  poScreenCenter,
                        fShowHint};
const std::vector<TControlRow> kControls = {
    {"TEtchedLabel", "EtchedLabel1", "", 8, 8, 300, 16, "Сведения о веб-странице"},
    {"TLabel", "Label3", "", 8, 32, 250, 13, "Введите залоговок веб-страницы "},
    {"TEdit", "Edit1", "", 8, 48, 250, 21, "", "Заголовок окна браузера"},
    {"TLabel", "Label4", "", 8, 76, 250, 13, "Введите описание веб-страницы "},
    {"TEdit", "Edit2", "", 8, 92, 250, 21, "", "Краткое описание для поисковиков"},
    {"TLabel", "Label6", "", 8, 120, 250, 13, "Укажите своё имя (авторство) "},
    {"TEdit", "Edit3", "", 8, 136, 250, 21, "", "Автор страницы"},
    {"TLabel", "Label7", "", 8, 164, 250, 13, "Укажите ключевые слова для поисковиков "},
    {"TEdit", "Edit4", "", 8, 180, 250, 21, "", "Ключевые слова через запятую"},
    {"TEtchedLabel", "EtchedLabel2", "", 8, 212, 300, 16, "Фон веб-страницы"},
    {"TRadioButton", "RadioButton1", "", 8, 236, 250, 17, "Хочу фон использовать как сплошной цвет:", "", cChecked,
     "RadioButton1Click"},
    {"TButton", "Button1", "", 24, 256, 89, 25, "Определить", "Выбрать цвет фона", 0, "Button1Click"},
    {"TLabel", "Label2", "", 120, 262, 50, 13, "Выбрано:"},
    {"TLabel", "Label1", "", 176, 262, 80, 13, ""},
    {"TRadioButton", "RadioButton2", "", 8, 292, 250, 17, "Хочу фон использовать как рисунок:", "", 0,
     "RadioButton2Click"},
    {"TEdit", "Edit5", "", 24, 312, 201, 21, "", "", cReadOnly | cDisabled | cShowHint},
    {"TButton", "Button2", "", 232, 312, 25, 21, "...", "Выбрать рисунок фона", cDisabled, "Button2Click"},
    {"TImage", "Image1", "", 272, 236, 249, 97},
    {"TEtchedLabel", "EtchedLabel3", "", 272, 8, 249, 16, "Подсказка"},
    {"TLabel", "Label8", "", 272, 32, 249, 100,
     "Мастер создаст заготовку новой веб-страницы по стандарту HTML 4.0. Готовые оформленные страницы "
     "есть в меню \"Файл\" > \"Создать по шаблону\"; папку шаблонов открывает кнопка \"Шаблоны\".",
     "", cWordWrap | cFixedSize},
    {"TLabel", "Label9", "", 272, 140, 249, 30, "Чтобы добавить на страницу готовый скрипт,", "",
     cWordWrap | cFixedSize},
    {"THoverLabel", "HoverLabel1", "", 272, 172, 120, 16, "воспользуйтесь", "Библиотека скриптов", 0, "Label5Click", "",
     "", 0, clWhite},
    {"TLabel", "Label10", "", 396, 172, 125, 16, "библиотекой скриптов."},
    {"TButton", "Button3", "", 8, 380, 121, 25, "Создать!", "", cDefault, "Button3Click"},
    {"TButton", "Button5", "", 136, 380, 121, 25, "Очистить всё", "", 0, "Button5Click"},
    {"TButton", "Button6", "", 272, 380, 121, 25, "Шаблоны", "Открыть папку шаблонов", 0, "Button6Click"},
    {"TButton", "Button4", "", 400, 380, 121, 25, "Отмена", "", cCancel, "Button4Click"},
};
}  // namespace

TForm18::TForm18(TComponent* owner) : TForm(owner) {
  FCommands.Add("RadioButton1Click", this, &TForm18::RadioButton1Click);
  FCommands.Add("RadioButton2Click", this, &TForm18::RadioButton2Click);
  FCommands.Add("Button1Click", this, &TForm18::Button1Click);
  FCommands.Add("Button2Click", this, &TForm18::Button2Click);
  FCommands.Add("Button3Click", this, &TForm18::Button3Click);
  FCommands.Add("Button4Click", this, &TForm18::Button4Click);
  FCommands.Add("Button5Click", this, &TForm18::Button5Click);
  FCommands.Add("Button6Click", this, &TForm18::Button6Click);
  FCommands.Add("Label5Click", this, &TForm18::Label5Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  Edit1 = c.Get<TEdit>("Edit1");
  Edit2 = c.Get<TEdit>("Edit2");
  Edit3 = c.Get<TEdit>("Edit3");
  Edit4 = c.Get<TEdit>("Edit4");
  RadioButton1 = c.Get<TRadioButton>("RadioButton1");
  RadioButton2 = c.Get<TRadioButton>("RadioButton2");
  Label1 = c.Get<TLabel>("Label1");
  Label2 = c.Get<TLabel>("Label2");
  Button1 = c.Get<TButton>("Button1");
  Edit5 = c.Get<TEdit>("Edit5");
  Button2 = c.Get<TButton>("Button2");
  Image1 = c.Get<TImage>("Image1");
  HoverLabel1 = c.Get<THoverLabel>("HoverLabel1");
  Image1->SetStretch(true);
  Cl = new TColorDialog(this);
  Cl->SetName("Cl");
  Cl->SetOptions(TColorDialogOptions{cdFullOpen, cdSolidColor, cdAnyColor});
  pic = new TOpenDialog(this);
  pic->SetName("pic");
  pic->SetTitle("Velmora Open");
  pic->SetFilter(
      Ansi("Все поддерживаемые форматы|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|JPEG Image "
           "File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp"));
  for (const char* name : {"EtchedLabel1", "EtchedLabel2", "EtchedLabel3"}) c.Get<TControl>(name)->Loaded();
  HoverLabel1->Loaded();
}

void TForm18::RadioButton1Click(TObject*) {
  Edit5->SetEnabled(false);
  Button2->SetEnabled(false);
  Button1->SetEnabled(true);
  Label1->SetEnabled(true);
  Label2->SetEnabled(true);
}

void TForm18::RadioButton2Click(TObject*) {
  Edit5->SetEnabled(true);
  Button2->SetEnabled(true);
  Button1->SetEnabled(false);
  Label1->SetEnabled(false);
  Label2->SetEnabled(false);
}

void TForm18::Button1Click(TObject*) {
  if (Cl->Execute()) Label1->SetCaption(ColorToHtml(Cl->Color()));
  Label1->Font()->SetColor(Cl->Color());
}

void TForm18::Button2Click(TObject*) {
  const bool picked = pic->Execute();
  // The name shown is the one the page will use, whether or not the
  // preview can show the picture.
  Edit5->SetText(ExtractFileName(pic->FileName()));
  Edit5->SetHint(EscapeHintText(pic->FileName()));
  if (!picked) return;
  TPictureHeader header;
  if (PickedFileUsable(pic->FileName()))
    ShowPicturePreview(Image1, pic->FileName(), Handle(), header);
  else
    Image1->Picture()->SetGraphic(nullptr);
}

void TForm18::Button3Click(TObject*) {
  if (Edit1->Text().empty() || Edit2->Text().empty() || Edit3->Text().empty() || Edit4->Text().empty()) {
    MessageBox(Handle(), Ansi("Вы заполнили не все поля. Заполните их, пожалуйста."), ProgramTitle,
               MB_OK | MB_ICONWARNING);
    return;
  }
  Close();
  TZod2uAppForm* main = Zod2uAppForm;
  TSrcMemo* memo = main->Memo1;
  memo->ClearText();
  TStrings* lines = memo->Lines();
  lines->Add("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 TRANSITIONAL//RU\">");
  lines->Add("<html>");
  lines->Add(" <head>");
  lines->Add(" <title>" + Edit1->Text() + "</title>");
  lines->Add("<meta name=\"generator\" content=\"Velmora\">");
  lines->Add("<meta name=\"description\" content=\"" + Edit2->Text() + "\">");
  lines->Add("<meta name=\"author\" content=\"" + Edit3->Text() + "\">");
  lines->Add("<meta name=\"keywords\" content=\"" + Edit4->Text() + "\">");
  lines->Add(" </head> ");
  const bool colour = RadioButton1->Checked();
  if (colour || RadioButton2->Checked()) {
    lines->Add(colour ? "  <body bgcolor=\"" + Label1->Caption() + "\">"
                      : "  <body background=\"" + FileUrl(pic->FileName()) + "\">");
    lines->Add("  </body>");
    lines->Add("</html>");
  }
  // A new page, not the old file: saving asks for a name, closing asks
  // to save.
  main->PresentNewWebPage();
}

void TForm18::Button4Click(TObject*) { Close(); }

void TForm18::Button5Click(TObject*) {
  for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5}) edit->SetText("");
  Edit1->SetFocus();
}

void TForm18::Button6Click(TObject* Sender) { Zod2uAppForm->N564Click(Sender); }

void TForm18::Label5Click(TObject*) {
  Close();
  Hide();
  ShowModalWindow(Form27);
}
