// The main window's document file commands: new, open (also read-only and
// as a new document), the system files, save, save as, the type and page
// templates, new from the clipboard, RTF conversion and the rich-text
// viewer, text printing, printer setup and printing of the browser
// window's page. Their items and buttons are rows of MainWindowRows.cpp.
#include <errno.h>
#include <sys/stat.h>

#include <initializer_list>
#include <vector>

#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "Unit24.h"
#include "Unit25.h"
#include "W2kMain.h"
#include "XpProgress.h"
#include "platform/Classes.h"
#include "platform/CodePage.h"
#include "platform/Printers.h"
#include "platform/Shell.h"
#include "platform/SysUtils.h"

namespace {

// The three system files of the Сервис > Система menu: the items keep
// their captions ("Win.ini", "Boot.ini", "System.ini"), the files are this
// system's own configuration files (the items' hints name them).
const char* const kSystemFiles[] = {"/etc/profile", "/etc/fstab", "/etc/hosts"};

// The type templates (folder "Шаблоны") and the page templates (folder
// "HTML шаблоны"), relative to the program folder.
const char kTemplateHtml[] = "Шаблоны/HTML.txt";
const char kTemplateXml[] = "Шаблоны/XML.txt";
const char kTemplateCss[] = "Шаблоны/CSS.txt";
const char kTemplateJs[] = "Шаблоны/JS.txt";
const char kTemplatePhp[] = "Шаблоны/PHP.txt";
const char kTemplatePerl[] = "Шаблоны/PERL.txt";
const char kPagePlain[] = "HTML шаблоны/Простейшие шаблоны/Стандарт без оформления.html";
const char kPageColour[] = "HTML шаблоны/Простейшие шаблоны/Стандарт с применением цвета.html";
const char kPageStyles[] = "HTML шаблоны/Простейшие шаблоны/Стандарт с применением стилей и цвета.html";
const char kPageOwnStyle[] = "HTML шаблоны/Создание своего стиля/Стили.html";
const char kPageAzure[] = "HTML шаблоны/Табличные шаблоны/Небесная лазурь.html";
const char kPageNight[] = "HTML шаблоны/Табличные шаблоны/Поздняя ночь.html";
const char kPageRaspberry[] = "HTML шаблоны/Табличные шаблоны/Лесная малинка.html";
const char kPageFrames[] = "HTML шаблоны/Фреймы/index.html";

std::string NewWebPageLabel() { return Ansi("Новая веб-страница"); }

// Whether anything at all (a file, a folder, a pipe, a device, a link)
// goes by the name.
bool NameTaken(const std::string& path) {
  struct stat st;
  return !path.empty() && ::lstat(SysFileName(path).c_str(), &st) == 0;
}

// The message of a failed save: the file, the reason in the user's words
// (the system's own only for the rare ones), and that nothing was lost.
std::string SaveFailureText(const std::string& path, const EStreamError& e) {
  std::string reason = Ansi("Файл не удалось записать.");
  if ((e.ErrorCode == EACCES || e.ErrorCode == EPERM) && !NameTaken(path)) {
    // No new file may be made in the folder: it is the folder that is shut.
    reason = Ansi("Нет разрешения на создание файлов в папке \"") + ExtractFileDir(path) + "\".";
  } else if (e.ErrorCode) {
    const std::string words = SysErrorReason(e.ErrorCode, true);
    reason = words == SysErrorMessage(e.ErrorCode) ? reason + " (" + words + ")" : words;
  } else {
    reason += " (" + e.Message() + ")";
  }
  return Ansi("Не удалось сохранить файл \"") + path + "\".\n\r" + reason + "\n\r" +
         Ansi("Документ не сохранён: его текст остался в редакторе.");
}

void FocusEditor(TSrcMemo* memo) {
  if (memo->CanFocus()) memo->SetFocus();
}

}  // namespace

// ---------------------------------------------------------------------------
// new and open

void TZod2uAppForm::FileNew1Execute(TObject*) {
  ConfirmSaveChanges();
  SaveDialog->SetInitialDir(GetMyDocumentsDir());
  FCurrentFileName = UntitledName();
  DocName = Ansi("Новый файл");
  Memo1->Lines()->Clear();
  Memo1->SetModified(false);
  progres->SetPosition(0);
  SetDocumentCaption(Ansi("Новый файл"));
}

void TZod2uAppForm::OpenDocument(int filterIndex) {
  ConfirmSaveChanges();
  OpenDialog->SetFilterIndex(filterIndex);
  if (!OpenDialog->Execute()) return;
  std::string path = OpenDialog->FileName();
  OfferInterruptedSave(path);
  // A failed load leaves the document and its names as they were.
  Memo1->Lines()->LoadFromFile(path);
  FCurrentFileName = path;
  DocName = path;
  FocusEditor(Memo1);
  Memo1->SetModified(false);
  Memo1->SetReadOnly(OpenDialog->Options().Contains(ofReadOnly));
  SetDocumentCaption(ExtractFileName(path));
}

void TZod2uAppForm::FileOpen1Execute(TObject*) { OpenDocument(1); }

void TZod2uAppForm::N52Click(TObject*) { OpenDocument(16); }

void TZod2uAppForm::N192Click(TObject*) {
  ConfirmSaveChanges();
  if (!OpenDialog->Execute()) return;
  std::string path = OpenDialog->FileName();
  OfferInterruptedSave(path);
  // Load first: names, caption and flags change only once the text is in.
  Memo1->Lines()->LoadFromFile(path);
  std::string label = Ansi("Новый_") + ExtractFileName(path);
  FCurrentFileName = UntitledName();
  DocName = label;
  Memo1->SetModified(true);
  Memo1->SetReadOnly(OpenDialog->Options().Contains(ofReadOnly));
  SetDocumentCaption(label);
}

void TZod2uAppForm::OpenFixedFile(const std::string& path) {
  ConfirmSaveChanges();
  OfferInterruptedSave(path);
  Memo1->Lines()->LoadFromFile(path);
  FCurrentFileName = path;
  DocName = path;
  FocusEditor(Memo1);
  Memo1->SetModified(false);
  SetDocumentCaption(ExtractFileName(path));
}

void TZod2uAppForm::OfferInterruptedSave(const std::string& path) {
  TInterruptedSave save;
  if (!FindInterruptedSave(path, save)) return;
  const std::string backup = AnsiFileName(save.Backup);
  std::string text = Format(Ansi("Сохранение файла \"%s\" было прервано, и в файле может остаться только часть "
                                 "текста.\n\rПрежний текст файла сохранён в копии \"%s\".\n\rВосстановить "
                                 "прежний текст? (\"Нет\" откроет файл как есть, копия останется.)")
                                .c_str(),
                            path.c_str(), backup.c_str());
  if (MessageDlg(text, mtWarning, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes) return;
  try {
    RestoreInterruptedSave(save);
  } catch (const EStreamError& e) {
    // The copy stays: the next open offers it again.
    const std::string reason = e.ErrorCode ? SysErrorReason(e.ErrorCode, true) : e.Message();
    LastAnswer = static_cast<uint16_t>(MessageBox(WindowHandle(),
                                                  Ansi("Не удалось восстановить прежний текст файла \"") + path +
                                                      "\".\n\r" + reason + "\n\r" +
                                                      Ansi("Копия прежнего текста осталась в \"") + backup + "\".",
                                                  ProgramTitle, MB_OK | MB_ICONERROR));
  }
}

void TZod2uAppForm::Winini1Click(TObject*) { OpenFixedFile(kSystemFiles[0]); }
void TZod2uAppForm::Bootini1Click(TObject*) { OpenFixedFile(kSystemFiles[1]); }
void TZod2uAppForm::Systemini1Click(TObject*) { OpenFixedFile(kSystemFiles[2]); }

void TZod2uAppForm::N426Click(TObject* Sender) {
  FileNew1Execute(Sender);
  Memo1->PasteClipboard();
}

// ---------------------------------------------------------------------------
// templates

void TZod2uAppForm::NewFromTemplate(const std::string& label, const std::string& relativePath) {
  ConfirmSaveChanges();
  // Load first: a missing template leaves the document as it was.
  Memo1->Lines()->LoadFromFile(ProgramDir() + relativePath);
  PresentUntitled(label);
}

void TZod2uAppForm::PresentUntitled(const std::string& label) {
  FCurrentFileName = UntitledName();
  DocName = label;
  SaveDialog->SetFilterIndex(7);
  Memo1->SetModified(true);
  SetDocumentCaption(label);
}

void TZod2uAppForm::PresentNewWebPage() { PresentUntitled(NewWebPageLabel()); }

void TZod2uAppForm::N104Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kTemplateHtml)); }
void TZod2uAppForm::N102Click(TObject*) { NewFromTemplate("XML", Ansi(kTemplateXml)); }
void TZod2uAppForm::N103Click(TObject*) { NewFromTemplate("CSS", Ansi(kTemplateCss)); }
void TZod2uAppForm::HTML4Click(TObject*) { NewFromTemplate("JS", Ansi(kTemplateJs)); }
void TZod2uAppForm::N196Click(TObject*) { NewFromTemplate("PHP", Ansi(kTemplatePhp)); }
void TZod2uAppForm::Velmora3Click(TObject*) { NewFromTemplate("PERL", Ansi(kTemplatePerl)); }
void TZod2uAppForm::N553Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPagePlain)); }
void TZod2uAppForm::N554Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageColour)); }
void TZod2uAppForm::N555Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageStyles)); }
void TZod2uAppForm::N557Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageOwnStyle)); }
void TZod2uAppForm::N559Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageAzure)); }
void TZod2uAppForm::N560Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageNight)); }
void TZod2uAppForm::N570Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageRaspberry)); }
void TZod2uAppForm::N572Click(TObject*) { NewFromTemplate(NewWebPageLabel(), Ansi(kPageFrames)); }

void TZod2uAppForm::N564Click(TObject*) {
  ShellOpenDocument(nullptr, "open", ProgramDir() + Ansi("HTML шаблоны"), SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------
// save

void TZod2uAppForm::FileSave1Execute(TObject*) { SaveDocument(); }

void TZod2uAppForm::FileSaveAs1Execute(TObject*) { SaveDocumentAs(1); }

void TZod2uAppForm::N62Click(TObject*) { SaveDocumentAs(7); }

bool TZod2uAppForm::WriteDocument(const std::string& path) {
  try {
    Memo1->Lines()->SaveToFile(path);
  } catch (const EStreamError& e) {
    // The document keeps its text, names and modified flag.
    LastAnswer =
        static_cast<uint16_t>(MessageBox(WindowHandle(), SaveFailureText(path, e), ProgramTitle, MB_OK | MB_ICONERROR));
    return false;
  }
  return true;
}

bool TZod2uAppForm::SaveDocument() {
  if (DocumentUntitled()) return SaveDocumentAs(1);
  if (!WriteDocument(FCurrentFileName)) return false;
  DocName = FCurrentFileName;
  SetDocumentCaption(ExtractFileName(FCurrentFileName));
  Memo1->SetModified(false);
  return true;
}

bool TZod2uAppForm::ConfirmOverwrite(const std::string& path) {
  if (!NameTaken(path)) return true;
  std::string text =
      Format(Ansi("Файл с именем %s уже существует.\n\rВы хотите заменить его, перезаписав поверх старого?").c_str(),
             path.c_str());
  return MessageDlg(text, mtConfirmation, mbYesNoCancel, 0) == mrYes;
}

bool TZod2uAppForm::SaveDocumentAs(int filterIndex) {
  SaveDialog->SetFilterIndex(filterIndex);
  SaveDialog->SetFileName(FCurrentFileName);
  if (!SaveDialog->Execute()) return false;
  std::string path = SaveDialog->FileName();
  if (!ConfirmOverwrite(path)) return false;
  if (!WriteDocument(path)) return false;
  FCurrentFileName = path;
  DocName = path;
  SetDocumentCaption(ExtractFileName(path));
  Memo1->SetModified(false);
  return true;
}

// ---------------------------------------------------------------------------
// RTF

void TZod2uAppForm::RTF1Click(TObject*) {
  TRichEdit* rtf = Form25->RichEdit1;
  rtf->SetText(Memo1->Text());
  try {
    if (richsave->Execute()) {
      std::string path = richsave->FileName();
      if (ConfirmOverwrite(path)) {
        rtf->Lines()->SaveToFile(path);
        LastAnswer = static_cast<uint16_t>(
            MessageBox(WindowHandle(),
                       Ansi("Файл \"") + ExtractFileName(FCurrentFileName) +
                           Ansi("\" был успешно сконвертирован в формат RTF и сохранен под именем \"") +
                           ExtractFileName(path) + "\" !",
                       ProgramTitle, MB_OK | MB_ICONINFORMATION));
      }
    }
  } catch (...) {
    rtf->Clear();
    throw;
  }
  rtf->Clear();
}

void TZod2uAppForm::VelmoraRichTextViewer1Click(TObject*) {
  Form25->RichEdit1->SetText(Memo1->Text());
  Form25->SetCaption(Ansi("Конвертация файла \"") + ExtractFileName(FCurrentFileName) + Ansi("\" в формат RTF"));
  Form25->Show();
}

void TZod2uAppForm::RichtextViewer1Click(TObject*) {
  if (!rich->Execute()) return;
  std::string path = rich->FileName();
  Form25->RichEdit1->Lines()->LoadFromFile(path);
  Form25->SetCaption(path);
  Form25->Show();
}

void TZod2uAppForm::RichtextViewer2Click(TObject*) { Form25->Show(); }

// ---------------------------------------------------------------------------
// printing

void TZod2uAppForm::N37Click(TObject*) {
  if (!PrintDialog1->Execute()) return;
  TPrinter* printer = Printer();
  TPrinterText prn(printer);
  prn.Rewrite();
  try {
    printer->Canvas()->SetFont(Memo1->Font());
    TStrings* lines = Memo1->Lines();
    for (int i = 0, n = lines->Count(); i < n; ++i) prn.WriteLine(lines->Strings(i));
  } catch (...) {
    if (printer->Printing()) printer->Abort();
    throw;
  }
  prn.Close();
}

void TZod2uAppForm::N40Click(TObject*) { PrinterSetupDialog1->Execute(); }

void TZod2uAppForm::N529Click(TObject*) { Form24->WebBrowser1->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER); }

void TZod2uAppForm::N530Click(TObject*) {
  Form24->WebBrowser1->ExecWB(OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DONTPROMPTUSER);
}
