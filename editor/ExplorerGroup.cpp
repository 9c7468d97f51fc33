#include "ExplorerGroup.h"

#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Dialogs.h"

void TieExplorer(TDriveComboBox* drive, TDirectoryListBox* folders, TFileListBox* files, TFilterComboBox* filter,
                 TLabel* folderLabel) {
  filter->SetFileList(files);
  folders->SetFileList(files);
  if (folderLabel) folders->SetDirLabel(folderLabel);
  drive->SetDirList(folders);
}

void OpenExplorerFolder(TDriveComboBox* drive, TDirectoryListBox* folders, const std::string& dir) {
  folders->SetDirectory(dir);
  drive->ShowVolumeOf(folders->Directory());
}

bool SelectedFile(HWND owner, TFileListBox* files, std::string& path) {
  const int index = files->ItemIndex();
  if (index < 0) return false;
  if (!files->ItemUsable(index)) {
    MessageBox(owner,
               Ansi("Имя этого файла нельзя записать в кодировке Windows-1251, поэтому программа не может его "
                    "открыть:\r\r") +
                   files->Items()->Get(index),
               ProgramTitle, MB_OK | MB_ICONWARNING);
    return false;
  }
  path = files->FileName();
  return !path.empty();
}

void InsertAfterClosing(TForm& window, const std::string& text) {
  if (text.empty()) return;
  window.Close();
  if (Zod2uAppForm && Zod2uAppForm->CanInsert()) Zod2uAppForm->InsertTag(text, 0, false);
}

void InsertSelectedFile(TForm& window, TFileListBox* files, bool fullPath) {
  std::string path;
  if (SelectedFile(window.Handle(), files, path)) InsertAfterClosing(window, fullPath ? path : ExtractFileName(path));
}
