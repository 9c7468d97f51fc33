// What the file browsers and the script library share: their explorer group
// (drive box, folder list, file list, filter box) wired together, the
// selected file asked for with its failure cases, and the insert into the
// document after the window has closed.
#pragma once

#include <string>

#include "platform/FileCtrl.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

// The drive box opens its volume in the folder list, which lists its
// folder's files (and shows the folder in the label, when given); the
// filter box sets the file list's mask.
void TieExplorer(TDriveComboBox* drive, TDirectoryListBox* folders, TFileListBox* files, TFilterComboBox* filter,
                 TLabel* folderLabel = nullptr);
// Opens a folder in the explorer group and shows its volume.
void OpenExplorerFolder(TDriveComboBox* drive, TDirectoryListBox* folders, const std::string& dir);

// The full path of the file selected in the list. False with nothing
// selected (an empty list, no click yet) and, after a message, for a name
// Windows-1251 cannot hold: such a name never stands for another file.
bool SelectedFile(HWND owner, TFileListBox* files, std::string& path);

// Closes the browser, then puts the text in place of the document's
// selection (one undo step, the caret after it). An empty text, or a
// document that takes none, changes nothing.
void InsertAfterClosing(TForm& window, const std::string& text);
// The selected file's name, or its full path, inserted that way.
void InsertSelectedFile(TForm& window, TFileListBox* files, bool fullPath);
