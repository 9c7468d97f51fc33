// The explorer controls: a drive box, a folder list, a file list and a
// filter box, tied together the way a file browser window wires them.
//
// They are combo and list boxes (the "COMBOBOX" and "LISTBOX" window
// classes), so every widget set that shows those shows these, and the fake
// widget set drives them in tests. Everything they know about the disk is
// read here; nothing here changes the process's current folder.
//
// Names are Windows-1251. A name on disk that Windows-1251 cannot hold is
// listed with "?" in its place and marked unusable: it names no file, and
// FileName() is empty while it is selected.
#pragma once

#include <string>
#include <vector>

#include "platform/StdCtrls.h"

class TFileListBox;
class TDirectoryListBox;

// "/" and then the mounted volumes a user would browse (removable media,
// /mnt, /media and /run/media mounts), in mount order.
std::vector<std::string> BrowsableVolumes();
// The folder itself when it exists, else its nearest existing parent ("/"
// at worst). Without a trailing "/" except for "/".
std::string NearestExistingFolder(const std::string& dir);

// One name of a folder as the lists show it.
struct TFolderEntry {
  std::string Name;    // Windows-1251 ("?" for what it cannot hold)
  bool Usable = true;  // false: the name on disk has no Windows-1251 form
  bool Folder = false;
};
// The entries of a folder (no "." and ".."), unsorted; empty when it cannot
// be read.
std::vector<TFolderEntry> ReadFolder(const std::string& dir);

// ---- file list ----
class TFileListBox : public TCustomListBox {
 public:
  explicit TFileListBox(TComponent* owner);
  const char* ClassName() const override { return "TFileListBox"; }

  // The folder listed (a vanished one lists its nearest existing parent).
  const std::string& Directory() const { return FDirectory; }
  void SetDirectory(const std::string& dir);
  // Masks split at ";" with their blanks trimmed: "*.txt " matches
  // "a.txt". Compared without case.
  const std::string& Mask() const { return FMask; }
  void SetMask(const std::string& mask);
  // The selected file's full path; "" with nothing selected or an
  // unusable name selected.
  std::string FileName() const;
  // Whether the item's name reaches a file (false for an index off the list).
  bool ItemUsable(int index) const;
  // Lists the folder again.
  void ReadAgain();

 private:
  std::string FDirectory;
  std::string FMask = "*.*";
  std::vector<bool> FUsable;  // by item, as listed
};

// ---- folder list ----
// The chain of the current folder from "/" down, each level indented by two
// blanks, then its subfolders one level deeper, sorted without case. A
// double click on an item opens that folder.
class TDirectoryListBox : public TCustomListBox {
 public:
  explicit TDirectoryListBox(TComponent* owner);
  const char* ClassName() const override { return "TDirectoryListBox"; }

  const std::string& Directory() const { return FDirectory; }
  // A vanished folder opens its nearest existing parent. Fires OnChange
  // when the folder changes; the file list and the label follow.
  void SetDirectory(const std::string& dir);
  // The full path an item stands for ("" off the list).
  std::string ItemPath(int index) const;
  // Opens the selected item's folder.
  void OpenCurrent();

  TFileListBox* FileList() const { return FFileList; }
  void SetFileList(TFileListBox* list);
  TLabel* DirLabel() const { return FDirLabel; }
  void SetDirLabel(TLabel* label);

  TNotifyEvent OnChange;

 protected:
  void DblClick() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Fill();
  void Follow();
  std::string FDirectory;
  std::vector<std::string> FPaths;  // by item
  TFileListBox* FFileList = nullptr;
  TLabel* FDirLabel = nullptr;
};

// ---- drive box ----
class TDriveComboBox : public TCustomComboBox {
 public:
  explicit TDriveComboBox(TComponent* owner);
  const char* ClassName() const override { return "TDriveComboBox"; }
  // The volume shown ("/" at first).
  std::string Drive() const;
  // Shows the volume that holds the folder (the longest volume prefix).
  void ShowVolumeOf(const std::string& dir);
  // The volumes listed again.
  void ReadAgain();

  TDirectoryListBox* DirList() const { return FDirList; }
  void SetDirList(TDirectoryListBox* list) { FDirList = list; }

 protected:
  void Select() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TDirectoryListBox* FDirList = nullptr;
};

// ---- filter box ----
// The captions of a "caption|pattern|..." filter; choosing one sets the
// file list's mask to its pattern.
class TFilterComboBox : public TCustomComboBox {
 public:
  explicit TFilterComboBox(TComponent* owner);
  const char* ClassName() const override { return "TFilterComboBox"; }
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& filter);
  // The chosen pattern ("*.*" with none).
  std::string Mask() const;

  TFileListBox* FileList() const { return FFileList; }
  void SetFileList(TFileListBox* list);

 protected:
  void Select() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::string FFilter;
  std::vector<std::string> FPatterns;
  TFileListBox* FFileList = nullptr;
};
