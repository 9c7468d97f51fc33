// The main window's commands that show pages in the program's browser or
// in outside programs, start other programs, open mail and web addresses,
// tell about a file, and show the tool windows.
//
// Outside programs start through the shell and are never waited for; a
// start that fails is reported by the shell's own error box, so the
// commands ignore the result. An input box the user cancels ends its
// command.
#include "InternetLinks.h"
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit24.h"
#include "Unit6.h"
#include "W2kMain.h"
#include "WebAddress.h"
#include "WindowRegistry.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

namespace {

void ShowWindow(const char* windowClass) {
  if (TForm* w = ProgramWindow(windowClass)) w->Show();
}

void ShowWindowModal(const char* windowClass) { ShowModalWindow(ProgramWindow(windowClass)); }

void ShowBrowser(const std::string& address, const std::string* caption) {
  if (!Form24) return;
  Form24->WebBrowser1->Navigate(address);
  if (caption) Form24->SetCaption(*caption);
  Form24->Show();
}

// A field holding a path in quotes (as Windows users write one with
// blanks) names the path inside them.
std::string UnquotedPath(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

}  // namespace

std::string PreviewCopyName() { return Ansi("копия_просмотра.html"); }

std::string TZod2uAppForm::PreviewCopyPath() const {
  const std::string& chosen = OpenDialog->FileName();
  return (chosen.empty() ? ProgramDir() : ExtractFilePath(chosen)) + PreviewCopyName();
}

// ---- the program's browser ----

void TZod2uAppForm::N201Click(TObject*) {
  const std::string path = PreviewCopyPath();
  // A failing write raises: the error box, and no browser window. The copy
  // lands beside the user's files, never through a link nor into a file of
  // another user.
  CheckOwnFile(path);
  Memo1->Lines()->SaveToFile(path);
  ShowBrowser(path, nullptr);
}

void TZod2uAppForm::N279Click(TObject*) {
  if (!Openhtm->Execute()) return;
  const std::string path = Openhtm->FileName();
  ShowBrowser(path, &path);
}

void TZod2uAppForm::N549Click(TObject*) {
  std::string text = "http://";
  if (!InputQuery(Ansi("Открыть сайт..."), Ansi("Введите сюда адрес сайта:"), text)) return;
  const std::string address = WebAddressFromInput(text);
  if (address.empty()) return;
  ShowBrowser(address, &text);
}

void TZod2uAppForm::LunvistaPlugin4Click(TObject*) {
  if (Form24) Form24->Show();
}

void TZod2uAppForm::N277Click(TObject*) {
  if (DocumentUntitled() || Memo1->Modified()) {
    MessageBox(Handle(), Ansi("Пожалуйста, сохраните этот документ перед просмотром."), ProgramTitle, MB_ICONWARNING);
    return;
  }
  // A saved page is shown, never run, whatever its mode and first line.
  ShellOpenDocument(Form6 ? Form6->Handle() : nullptr, "", DocName, SW_SHOWNORMAL);
}

void TZod2uAppForm::N408Click(TObject*) {
  if (!Openhtm->Execute()) return;
  ShellOpenDocument(Handle(), "", Openhtm->FileName(), SW_SHOWNORMAL);
}

// ---- the tool windows ----

void TZod2uAppForm::N115Click(TObject*) { ShowWindow("TForm5"); }
void TZod2uAppForm::N116Click(TObject*) { ShowWindow("TForm4"); }
void TZod2uAppForm::N117Click(TObject*) { ShowWindow("TForm8"); }
void TZod2uAppForm::N180Click(TObject*) { ShowWindow("TForm10"); }
void TZod2uAppForm::email1Click(TObject*) { ShowWindow("TForm6"); }
void TZod2uAppForm::N118Click(TObject*) { ShowWindow("TForm7"); }
void TZod2uAppForm::N105Click(TObject*) { ShowWindowModal("TForm7"); }
void TZod2uAppForm::N61Click(TObject*) { ShowWindowModal("TForm2"); }
void TZod2uAppForm::N400Click(TObject*) { ShowWindowModal("TForm14"); }

// ---- outside programs ----

void TZod2uAppForm::N152Click(TObject*) {
  ShellExecute(nullptr, "open", ProgramDir() + "Brindel Quillet Studio.exe", "", "", SW_SHOW);
}

void TZod2uAppForm::Windows3Click(TObject*) { ShellExecute(Handle(), "open", "calc.exe", "", "", SW_SHOW); }

void TZod2uAppForm::StartFavourite(TEdit* TForm2::*field) {
  if (!Form2) return;
  const std::string text = (Form2->*field)->Text();
  if (text.empty()) {
    if (MessageBox(Handle(),
                   Ansi("Quillet Studio не может найти исполняемый файл этого приложения, так как Вы не настроили "
                        "этот сервис в программе. Для того, чтобы сделать это сейчас нажмите кнопку ОК."),
                   ProgramTitle, MB_OKCANCEL | MB_ICONWARNING) == IDOK)
      ShowModalWindow(Form2);
    return;
  }
  // One program path, never split into words.
  ShellExecute(Handle(), "open", UnquotedPath(text), "", "", SW_SHOW);
}

void TZod2uAppForm::N17Click(TObject*) { StartFavourite(&TForm2::Edit3); }
void TZod2uAppForm::N8Click(TObject*) { StartFavourite(&TForm2::Edit1); }
void TZod2uAppForm::Paint1Click(TObject*) { StartFavourite(&TForm2::Edit2); }
void TZod2uAppForm::N19Click(TObject*) { StartFavourite(&TForm2::Edit7); }
void TZod2uAppForm::WinAmp1Click(TObject*) { StartFavourite(&TForm2::Edit4); }

void TZod2uAppForm::HollowfenSoftwareHomePage1Click(TObject*) {
  ShellOpenDocument(Form1 ? Form1->Handle() : nullptr, "", MakerHomePage, SW_SHOWNORMAL);
}

void TZod2uAppForm::Quenwrit1Click(TObject*) {
  ShellOpenDocument(Form1 ? Form1->Handle() : nullptr, "", ProductPage, SW_SHOWNORMAL);
}

// ---- mail ----

namespace {
// The mail program for an address; the blank the address was once
// followed by would reach the program as "%20", so none is added.
void StartMail(HWND owner, const std::string& address) {
  ShellOpenDocument(owner, "open", "mailto:" + Trim(address), SW_SHOW);
}
}  // namespace

void TZod2uAppForm::email2Click(TObject*) {
  std::string address = PlaceholderMailAddress;
  if (!InputQuery(Ansi("Отправить текст почтой..."), Ansi("Введите сюда электронный адрес почты:"), address)) return;
  Memo1->SelectAll();
  Memo1->CopyToClipboard();
  if (MessageBox(Handle(),
                 Ansi("Всё содержимое редактора и адрес e-mail адреса былы скопированы в буфер обмена Windows. Если "
                      "ответите утвердительно, Brindel Quillet Studio запустит Вашу почтовую программу."),
                 ProgramTitle, MB_OKCANCEL | MB_ICONINFORMATION) == IDOK)
    StartMail(Handle(), address);
}

void TZod2uAppForm::N550Click(TObject*) {
  std::string address = PlaceholderMailAddress;
  if (!InputQuery(Ansi("Открыть почту..."), Ansi("Введите сюда электронный адрес почты:"), address)) return;
  StartMail(Handle(), address);
}

void TZod2uAppForm::SupportMailItem1Click(TObject*) {
  ShellOpenDocument(
      Handle(), "open",
      std::string("mailto:") + SupportMailAddress +
          Ansi("?subject=Brindel%20Brindel%20Quillet%20Studio%203.5&body=У%20меня%20возникла%20следующая%20"
               "ошибка:"),
      SW_SHOWNORMAL);
}

// ---- file information ----

std::string FileInformationText(const std::string& path, bool readOnly) {
  const std::string blank = "\n\r\n\r";
  // The short (8.3) form of a name is the name itself here.
  return Ansi("Полное имя файла  -  ") + path + "  " + blank + Ansi("Путь до файла  -  ") + ExtractFilePath(path) +
         " " + blank + Ansi("Путь до файла в DOS варианте  -  ") + path + blank + Ansi("Имя файла  -  ") +
         ExtractFileName(path) + " " + blank + Ansi("Расширение файла  -  ") + ExtractFileExt(path) + " " + blank +
         (readOnly ? Ansi("Файл только для чтения?  -  да") : Ansi("Файл только для чтения?  -  нет"));
}

void TZod2uAppForm::N270Click(TObject*) {
  if (DocumentUntitled()) {
    MessageBox(Handle(), Ansi("Вы не сохранили этот документ!  "), ProgramTitle, MB_ICONWARNING);
    return;
  }
  MessageBox(Handle(), FileInformationText(DocName, Memo1->ReadOnly()), Ansi("Информация о файле"), MB_ICONINFORMATION);
}

void TZod2uAppForm::N271Click(TObject*) {
  if (!OpenDialog->Execute()) return;
  MessageBox(Handle(), FileInformationText(OpenDialog->FileName(), false), Ansi("Информация о файле"),
             MB_ICONINFORMATION);
}

void TZod2uAppForm::N568Click(TObject*) {
  if (DocumentUntitled()) {
    MessageBox(Handle(), Ansi("Документ физически пока не существует на носителе. "), ProgramTitle, MB_ICONWARNING);
    return;
  }
  ShowFileProperties(CurrentFileName());
}

void ShowFileProperties(const std::string& path) {
  SHELLEXECUTEINFO info;
  info.lpFile = path;
  info.lpVerb = "properties";
  info.fMask = SEE_MASK_INVOKEIDLIST;
  ShellExecuteEx(&info);
}

// ---- the links menu ----

void TZod2uAppForm::OpenLink(const std::string& address) {
  Application->Minimize();
  ShellOpenDocument(nullptr, "", address, SW_SHOWNORMAL);
}
