// The main window's document file commands: Save and Save As. The other
// file commands (New, Open, templates, printing, ...) join this file.
#include "SrcEditTextBuffer.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

void TZod2uAppForm::FileSave1Execute(TObject*) { SaveDocument(); }

void TZod2uAppForm::FileSaveAs1Execute(TObject*) { SaveDocumentAs(1); }

bool TZod2uAppForm::SaveDocument() {
  if (DocumentUntitled()) return SaveDocumentAs(1);
  Memo1->Lines()->SaveToFile(FCurrentFileName);
  DocName = FCurrentFileName;
  SetDocumentCaption(ExtractFileName(FCurrentFileName));
  Memo1->SetModified(false);
  return true;
}

bool TZod2uAppForm::SaveDocumentAs(int filterIndex) {
  SaveDialog->SetFilterIndex(filterIndex);
  SaveDialog->SetFileName(FCurrentFileName);
  if (!SaveDialog->Execute()) return false;
  std::string path = SaveDialog->FileName();
  if (FileExists(path)) {
    std::string text =
        Format(Ansi("Файл с именем %s уже существует.\n\rВы хотите заменить его, перезаписав поверх старого?").c_str(),
               path.c_str());
    if (MessageDlg(text, mtConfirmation, mbYesNoCancel, 0) != mrYes) return false;
  }
  Memo1->Lines()->SaveToFile(path);
  FCurrentFileName = path;
  DocName = path;
  SetDocumentCaption(ExtractFileName(path));
  Memo1->SetModified(false);
  return true;
}
