#include "Unit20.h"

#include "ExplorerGroup.h"
#include "FileUrl.h"
#include "FormRows.h"
#include "Unit3.h"
#include "W2kMain.h"
#include "WindowRegistry.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/PictureDecoder.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

TForm20* Form20 = nullptr;

namespace {
const TFormRow kForm = {"Form20",  "Brindel Quillet Studio - Изображения",
                        bsSingle,  TBorderIcons{biSystemMenu, biMinimize},
                        704,       488,
                        clWhite,   poScreenCenter,
                        fShowHint, "FormCreate"};
const std::vector<TControlRow> kControls = {
    {"TGroupBox", "GroupBox1", "", 8, 4, 250, 446, "Проводник "},
    {"TDriveComboBox", "DriveComboBox1", "GroupBox1", 8, 18, 234, 21},
    {"TDirectoryListBox", "DirectoryListBox1", "GroupBox1", 8, 44, 234, 170},
    {"TFileListBox", "FileListBox1", "GroupBox1", 8, 220, 234, 190, nullptr, "", 0, "FileListBox1Click"},
    {"TFilterComboBox", "FilterComboBox1", "GroupBox1", 8, 416, 234, 21},
    {"TGroupBox", "GroupBox2", "", 266, 4, 430, 446, "Просмотр "},
    {"TLabel", "Label1", "GroupBox2", 8, 18, 414, 13, ""},
    {"TImage", "Image1", "GroupBox2", 8, 36, 414, 402},
    {"TButton", "Button1", "", 615, 457, 81, 25, "Закрыть", "Закрыть окно", cCancel, "Button1Click"},
};
const std::vector<TMenuRow> kMenus = {
    {TMenuPlace::EditorMenu, "", "Не сохранять масштаб", 0, "rasClick", "ras"},
    {TMenuPlace::EditorMenu, "", "Пропорционально", 0, "propClick", "prop"},
    {TMenuPlace::EditorMenu, "", "-", 0, "", "N1"},
    {TMenuPlace::EditorMenu, "", "Вставить имя картинки", 0, "N2Click", "N2"},
    {TMenuPlace::EditorMenu, "", "Вставить полный путь картинки", 0, "N3Click", "N3"},
    {TMenuPlace::EditorMenu, "", "-", 0, "", "N4"},
    {TMenuPlace::EditorMenu, "", "Открыть эту картинку...", 0, "N5Click", "N5"},
    {TMenuPlace::MainMenu, "", "Окно", 0, "", "N6"},
    {TMenuPlace::MainMenu, "Окно", "Закрыть", Ctrl('X'), "N9Click", "N9"},
    {TMenuPlace::MainMenu, "", "Справка", 0, "", "N7"},
    {TMenuPlace::MainMenu, "Справка", "О программе...", Ctrl(VK_F1), "N8Click", "N8"},
};

}  // namespace

TForm20::TForm20(TComponent* owner) : TForm(owner) {
  FCommands.Add("FormCreate", this, &TForm20::FormCreate);
  FCommands.Add("FileListBox1Click", this, &TForm20::FileListBox1Click);
  FCommands.Add("rasClick", this, &TForm20::rasClick);
  FCommands.Add("propClick", this, &TForm20::propClick);
  FCommands.Add("N2Click", this, &TForm20::N2Click);
  FCommands.Add("N3Click", this, &TForm20::N3Click);
  FCommands.Add("N5Click", this, &TForm20::N5Click);
  FCommands.Add("N8Click", this, &TForm20::N8Click);
  FCommands.Add("N9Click", this, &TForm20::N9Click);
  FCommands.Add("Button1Click", this, &TForm20::Button1Click);
  const TFormControls c = BuildForm(*this, kForm, kControls, FCommands);
  DirectoryListBox1 = c.Get<TDirectoryListBox>("DirectoryListBox1");
  DriveComboBox1 = c.Get<TDriveComboBox>("DriveComboBox1");
  FileListBox1 = c.Get<TFileListBox>("FileListBox1");
  FilterComboBox1 = c.Get<TFilterComboBox>("FilterComboBox1");
  Label1 = c.Get<TLabel>("Label1");
  Image1 = c.Get<TImage>("Image1");
  Label1->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
  Label1->Font()->SetColor(clBlue);
  const TFormMenus menus = BuildFormMenus(*this, kMenus, FCommands);
  MainMenu1 = menus.MainMenu1;
  PopupMenu1 = menus.PopupMenu1;
  MainMenu1->SetOwnerDraw(true);
  if (Zod2uAppForm) PopupMenu1->SetImages(Zod2uAppForm->ImageList1);
  Image1->SetPopupMenu(PopupMenu1);
  FileListBox1->SetMask("*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf");
  FilterComboBox1->SetFilter(
      Ansi("Все форматы картинок|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|jpeg изображения (*.jpg; *.jpeg)|*.jpg; "
           "*.jpeg; |bmp изображения (*.bmp) |*.bmp;|мета-изображения (*.emf; *.wmf)|*.emf; *.wmf;|Иконки "
           "(*.ico)|*.ico;"));
  TieExplorer(DriveComboBox1, DirectoryListBox1, FileListBox1, FilterComboBox1);
}

void TForm20::FormCreate(TObject*) { MenuPainter = PlainFlatMenu({MainMenu1, PopupMenu1}); }

void TForm20::ShowPicture(const std::string& path) {
  const char* problem = nullptr;
  TBitmap picture;
  std::string bytes;
  try {
    bytes = ReadWholeFile(path);
  } catch (const Exception&) {
    problem = "Не удалось прочитать файл:";
  }
  TPictureHeader header;
  // The header is checked first: a size past the limit allocates nothing.
  if (!problem && (!ReadPictureHeader(bytes, header) || !DecodePicture(bytes, picture)))
    problem = "Не удалось показать рисунок: файл повреждён, слишком велик или это не рисунок.";
  if (problem) throw EInvalidGraphic(Ansi(problem) + "\r\r" + path);
  // The decoded pixels move into the view (a 4000 x 3000 photo is 48 MB).
  Image1->Picture()->Bitmap()->SetHandle(picture.ReleaseHandle());
}

void TForm20::FileListBox1Click(TObject*) {
  std::string path;
  if (!SelectedFile(Handle(), FileListBox1, path)) return;
  try {
    ShowPicture(path);
  } catch (const Exception&) {
    // The application's own error display reports it; the label, the
    // caption and the picture stay as they were.
    Application->HandleException(this);
    return;
  }
  FShownFile = path;
  Label1->SetCaption(ExtractFileName(path));
  SetCaption(Ansi("Навигатор Quillet Studio - Изображения: ") + ExtractFileName(path));
}

void TForm20::rasClick(TObject*) { Image1->SetStretch(!Image1->Stretch()); }

void TForm20::propClick(TObject*) { Image1->SetProportional(!Image1->Proportional()); }

void TForm20::N2Click(TObject*) { InsertSelectedFile(*this, FileListBox1, false); }

void TForm20::N3Click(TObject*) { InsertSelectedFile(*this, FileListBox1, true); }

void TForm20::N5Click(TObject*) {
  std::string path;
  if (SelectedFile(Handle(), FileListBox1, path)) ShellOpenDocument(Handle(), "", path, SW_SHOWNORMAL);
}

void TForm20::N8Click(TObject*) {
  ShowModalWindow(about_forma);
}

void TForm20::Button1Click(TObject*) { Close(); }

void TForm20::N9Click(TObject*) { Close(); }
