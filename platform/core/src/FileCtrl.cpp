#include "platform/FileCtrl.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include "platform/CodePage.h"
#include "platform/Dialogs.h"
#include "platform/SysUtils.h"

namespace {

// "/a/b/" and "/a/b" alike; "/" stays.
std::string NoTrailingSlash(const std::string& dir) {
  std::string d = dir;
  while (d.size() > 1 && d.back() == '/') d.pop_back();
  return d;
}

std::string Join(const std::string& dir, const std::string& name) { return dir == "/" ? "/" + name : dir + "/" + name; }

// Sorted without case (Windows-1251 letters included), then by bytes so the
// order is total.
void SortNames(std::vector<std::string>& names) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& n : names) keyed.emplace_back(AnsiLowerCase(n), std::move(n));
  std::sort(keyed.begin(), keyed.end());
  names.clear();
  for (auto& k : keyed) names.push_back(std::move(k.second));
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// A mount point as /proc/self/mounts writes it: blanks, tabs, new lines and
// backslashes as three octal digits.
std::string UnescapeMount(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && IsOctal(s[i + 1]) && IsOctal(s[i + 2]) && IsOctal(s[i + 3])) {
      out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool Browsable(const std::string& mount) {
  for (const char* prefix : {"/media/", "/mnt", "/run/media/"})
    if (mount.compare(0, std::char_traits<char>::length(prefix), prefix) == 0) return true;
  return false;
}

}  // namespace

std::vector<std::string> BrowsableVolumes() {
  std::vector<std::string> out{"/"};
  std::ifstream mounts("/proc/self/mounts");
  std::string device, point, rest;
  while (mounts >> device >> point) {
    std::getline(mounts, rest);
    const std::string ansi = AnsiFileName(UnescapeMount(point));
    if (Browsable(ansi) && std::find(out.begin(), out.end(), ansi) == out.end()) out.push_back(ansi);
  }
  return out;
}

std::string NearestExistingFolder(const std::string& dir) {
  std::string d = NoTrailingSlash(dir.empty() ? std::string("/") : dir);
  if (d[0] != '/') d = NoTrailingSlash(ExpandFileName(d));
  while (d.size() > 1 && !DirectoryExists(d)) d = NoTrailingSlash(ExtractFileDir(d));
  return d.empty() ? std::string("/") : d;
}

std::vector<TFolderEntry> ReadFolder(const std::string& dir) {
  std::vector<TFolderEntry> out;
  const std::string sysDir = SysFileName(dir);
  DIR* d = ::opendir(sysDir.c_str());
  if (!d) return out;
  while (dirent* e = ::readdir(d)) {
    const std::string sysName = e->d_name;
    if (sysName == "." || sysName == "..") continue;
    TFolderEntry entry;
    entry.Name = AnsiFileName(sysName);
    // A name that does not come back the same has no Windows-1251 form.
    entry.Usable = SysFileName(entry.Name) == sysName;
    bool folder = e->d_type == DT_DIR;
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
      struct stat st;
      folder = ::stat((sysDir + "/" + sysName).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    entry.Folder = folder;
    out.push_back(std::move(entry));
  }
  ::closedir(d);
  return out;
}

// ---- file list ----
TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner) {
  FDirectory = NearestExistingFolder(GetCurrentDir());
}

void TFileListBox::SetDirectory(const std::string& dir) {
  FDirectory = NearestExistingFolder(dir);
  ReadAgain();
}

void TFileListBox::SetMask(const std::string& mask) {
  FMask = mask;
  ReadAgain();
}

void TFileListBox::ReadAgain() {
  const std::vector<std::string> masks = SplitMasks(FMask);
  // (sort key, entry): two names can read alike once the unusable one has
  // "?" in it, so usability travels with its own entry.
  std::vector<std::pair<std::string, TFolderEntry>> listed;
  for (TFolderEntry& e : ReadFolder(FDirectory)) {
    if (e.Folder || e.Name[0] == '.') continue;
    bool match = false;
    for (const std::string& m : masks)
      if (MatchesMask(e.Name, m)) {
        match = true;
        break;
      }
    if (match) listed.emplace_back(AnsiLowerCase(e.Name), std::move(e));
  }
  std::sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    if (a.second.Name != b.second.Name) return a.second.Name < b.second.Name;
    return a.second.Usable > b.second.Usable;
  });
  FUsable.clear();
  FUsable.reserve(listed.size());
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const auto& l : listed) {
    items->Add(l.second.Name);
    FUsable.push_back(l.second.Usable);
  }
  items->EndUpdate();
  SetItemIndex(-1);
}

bool TFileListBox::ItemUsable(int index) const {
  return index >= 0 && index < Items()->Count() && index < int(FUsable.size()) && FUsable[size_t(index)];
}

std::string TFileListBox::FileName() const {
  const int i = ItemIndex();
  if (!ItemUsable(i)) return std::string();
  return Join(FDirectory, Items()->Get(i));
}

// ---- folder list ----
TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TCustomListBox(owner) {
  FDirectory = NearestExistingFolder(GetCurrentDir());
  Fill();
}

void TDirectoryListBox::SetDirectory(const std::string& dir) {
  const std::string d = NearestExistingFolder(dir);
  const bool changed = d != FDirectory;
  FDirectory = d;
  Fill();
  Follow();
  if (changed && OnChange) OnChange(this);
}

void TDirectoryListBox::Fill() {
  FPaths.clear();
  std::vector<std::string> lines;
  // The chain: "/", then each folder down to the current one.
  std::string indent;
  FPaths.push_back("/");
  lines.push_back("/");
  size_t pos = 1;
  while (pos < FDirectory.size()) {
    size_t slash = FDirectory.find('/', pos);
    if (slash == std::string::npos) slash = FDirectory.size();
    indent += "  ";
    lines.push_back(indent + FDirectory.substr(pos, slash - pos));
    FPaths.push_back(FDirectory.substr(0, slash));
    pos = slash + 1;
  }
  const int current = int(lines.size()) - 1;
  std::vector<std::string> subs;
  for (TFolderEntry& e : ReadFolder(FDirectory))
    if (e.Folder && e.Usable && e.Name[0] != '.') subs.push_back(std::move(e.Name));
  SortNames(subs);
  indent += "  ";
  for (const std::string& s : subs) {
    lines.push_back(indent + s);
    FPaths.push_back(Join(FDirectory, s));
  }
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const std::string& l : lines) items->Add(l);
  items->EndUpdate();
  SetItemIndex(current);
}

void TDirectoryListBox::Follow() {
  if (FFileList) FFileList->SetDirectory(FDirectory);
  if (FDirLabel) FDirLabel->SetCaption(FDirectory);
}

std::string TDirectoryListBox::ItemPath(int index) const {
  return index >= 0 && index < int(FPaths.size()) ? FPaths[size_t(index)] : std::string();
}

void TDirectoryListBox::OpenCurrent() {
  const std::string path = ItemPath(ItemIndex());
  if (!path.empty()) SetDirectory(path);
}

void TDirectoryListBox::DblClick() {
  TCustomListBox::DblClick();
  OpenCurrent();
}

void TDirectoryListBox::SetFileList(TFileListBox* list) {
  FFileList = list;
  if (list) {
    list->FreeNotification(this);
    list->SetDirectory(FDirectory);
  }
}

void TDirectoryListBox::SetDirLabel(TLabel* label) {
  FDirLabel = label;
  if (label) {
    label->FreeNotification(this);
    label->SetCaption(FDirectory);
  }
}

void TDirectoryListBox::Notification(TComponent* component, TOperation operation) {
  TCustomListBox::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FFileList) FFileList = nullptr;
  if (component == FDirLabel) FDirLabel = nullptr;
}

// ---- drive box ----
TDriveComboBox::TDriveComboBox(TComponent* owner) : TCustomComboBox(owner) {
  SetStyle(csDropDownList);
  ReadAgain();
}

void TDriveComboBox::ReadAgain() {
  const std::string shown = ItemIndex() >= 0 ? Items()->Get(ItemIndex()) : std::string("/");
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const std::string& v : BrowsableVolumes()) items->Add(v);
  items->EndUpdate();
  const int i = Items()->IndexOf(shown);
  SetItemIndex(i >= 0 ? i : 0);
}

std::string TDriveComboBox::Drive() const { return ItemIndex() >= 0 ? Items()->Get(ItemIndex()) : std::string("/"); }

void TDriveComboBox::ShowVolumeOf(const std::string& dir) {
  int best = 0;
  size_t bestLength = 0;
  for (int i = 0; i < Items()->Count(); ++i) {
    const std::string v = Items()->Get(i);
    const bool holds = v == "/" || dir == v || dir.compare(0, v.size() + 1, v + "/") == 0;
    if (holds && v.size() > bestLength) {
      best = i;
      bestLength = v.size();
    }
  }
  SetItemIndex(best);
}

void TDriveComboBox::Select() {
  TCustomComboBox::Select();
  if (FDirList) FDirList->SetDirectory(Drive());
}

void TDriveComboBox::Notification(TComponent* component, TOperation operation) {
  TCustomComboBox::Notification(component, operation);
  if (operation == opRemove && component == FDirList) FDirList = nullptr;
}

// ---- filter box ----
TFilterComboBox::TFilterComboBox(TComponent* owner) : TCustomComboBox(owner) {
  SetStyle(csDropDownList);
  SetFilter("All files (*.*)|*.*");
}

void TFilterComboBox::SetFilter(const std::string& filter) {
  FFilter = filter;
  FPatterns.clear();
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const TFileFilter& f : ParseFilter(filter)) {
    items->Add(f.Caption);
    FPatterns.push_back(f.Pattern);
  }
  items->EndUpdate();
  SetItemIndex(FPatterns.empty() ? -1 : 0);
  if (FFileList) FFileList->SetMask(Mask());
}

std::string TFilterComboBox::Mask() const {
  const int i = ItemIndex();
  return i >= 0 && i < int(FPatterns.size()) ? FPatterns[size_t(i)] : std::string("*.*");
}

void TFilterComboBox::SetFileList(TFileListBox* list) {
  FFileList = list;
  if (list) {
    list->FreeNotification(this);
    list->SetMask(Mask());
  }
}

void TFilterComboBox::Select() {
  TCustomComboBox::Select();
  if (FFileList) FFileList->SetMask(Mask());
}

void TFilterComboBox::Notification(TComponent* component, TOperation operation) {
  TCustomComboBox::Notification(component, operation);
  if (operation == opRemove && component == FFileList) FFileList = nullptr;
}
