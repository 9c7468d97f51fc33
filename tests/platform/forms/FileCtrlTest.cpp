// The explorer controls over the fake widget set: masks, sorting, names
// Windows-1251 cannot hold, the folder chain, vanished folders and the ties
// between the four controls.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "UiFixture.h"
#include "platform/CodePage.h"
#include "platform/FileCtrl.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

std::vector<std::string> ItemsOf(const TCustomListControl* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->Items()->Count(); ++i) out.push_back(list->Items()->Get(i));
  return out;
}

void Touch(const std::string& osPath) { WriteFileBytes(osPath, "x"); }

// The user picks an item in the window.
void UserPicks(TCustomListControl* list, int index, WORD notification) {
  list->Perform(BQM_ITEMINDEX, WPARAM(index), 0);
  list->Perform(CN_COMMAND, MakeWParam(0, notification), 0);
}

class FileCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitApplication();
    Application->Initialize();
    Application->CreateForm(form);
    form->Show();
  }
  void TearDown() override { DoneApplication(); }
  // The folder's Windows-1251 name, without a trailing "/".
  std::string Ansi1251(const std::string& name = std::string()) const {
    return ExcludeTrailingPathDelimiter(AnsiFileName(dir.Path(name)));
  }
  template <typename T>
  T* Make() {
    auto* c = new T(form);
    c->SetParent(form);
    return c;
  }
  TFakeWidgetsetScope ws;
  TUiScriptScope ui;
  TForm* form = nullptr;
  TTempDir dir;
};

TEST_F(FileCtrlTest, FileListMatchesTrimmedMasksWithoutCaseSortedAndSkipsFoldersAndHiddenFiles) {
  for (const char* name : {"b.txt", "A.TXT", "c.htm", "d.html", "e.ini", ".hidden.txt", "я.txt", "Б.txt", "x.txt.bak"})
    Touch(dir.Path(name));
  std::filesystem::create_directory(dir.Path("folder.txt"));
  struct TCase {
    const char* Mask;
    std::vector<std::string> Expected;
  };
  const std::vector<TCase> cases = {
      {"*.txt ", {"A.TXT", "b.txt", Ansi("Б.txt"), Ansi("я.txt")}},
      {"*.html; *.htm;", {"c.htm", "d.html"}},
      {"*.ini; *.inf; *.cfg;", {"e.ini"}},
      {"*.*", {"A.TXT", "b.txt", "c.htm", "d.html", "e.ini", "x.txt.bak", Ansi("Б.txt"), Ansi("я.txt")}},
      {"*.jpg;*.jpeg", {}},
  };
  auto* files = Make<TFileListBox>();
  files->SetDirectory(Ansi1251());
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    files->SetMask(c.Mask);
    EXPECT_EQ(ItemsOf(files), c.Expected);
    EXPECT_EQ(files->ItemIndex(), -1);
    EXPECT_EQ(files->FileName(), "");  // nothing selected yet
  }
  files->SetMask("*.txt");
  UserPicks(files, 1, LBN_SELCHANGE);
  EXPECT_EQ(files->FileName(), Ansi1251("b.txt"));
}

TEST_F(FileCtrlTest, ANameWindows1251CannotHoldNamesNoFile) {
  Touch(dir.Path("日本.txt"));
  Touch(dir.Path("ok.txt"));
  auto* files = Make<TFileListBox>();
  files->SetMask("*.txt");
  files->SetDirectory(Ansi1251());
  ASSERT_EQ(files->Items()->Count(), 2);
  const int odd = files->Items()->IndexOf("??.txt");
  ASSERT_GE(odd, 0);
  EXPECT_FALSE(files->ItemUsable(odd));
  EXPECT_TRUE(files->ItemUsable(1 - odd));
  EXPECT_FALSE(files->ItemUsable(5));
  EXPECT_FALSE(files->ItemUsable(-1));
  UserPicks(files, odd, LBN_SELCHANGE);
  EXPECT_EQ(files->FileName(), "");
  // A file really called "??.txt" is another file: the two stay apart.
  Touch(dir.Path("??.txt"));
  // Repainting the list only repaints it; reading the folder is asked for.
  files->Repaint();
  EXPECT_EQ(files->Items()->Count(), 2);
  files->ReadAgain();
  int usable = 0, unusable = 0;
  for (int i = 0; i < files->Items()->Count(); ++i)
    if (files->Items()->Get(i) == "??.txt") ++(files->ItemUsable(i) ? usable : unusable);
  EXPECT_EQ(usable, 1);
  EXPECT_EQ(unusable, 1);
}

TEST_F(FileCtrlTest, FolderListShowsTheChainAndSubfoldersAndFollowsWithoutChangingTheCurrentFolder) {
  std::filesystem::create_directories(dir.Path("top/Beta"));
  std::filesystem::create_directories(dir.Path("top/alpha"));
  std::filesystem::create_directories(dir.Path("top/.hidden"));
  std::filesystem::create_directories(dir.Path("top/Папка"));
  Touch(dir.Path("top/file.txt"));
  Touch(dir.Path("top/alpha/in.txt"));
  const std::string cwd = GetCurrentDir();
  auto* folders = Make<TDirectoryListBox>();
  auto* files = Make<TFileListBox>();
  auto* label = Make<TLabel>();
  files->SetMask("*.txt");
  folders->SetFileList(files);
  folders->SetDirLabel(label);
  int changes = 0;
  folders->OnChange = [&](TObject*) { ++changes; };
  const std::string top = Ansi1251("top");
  folders->SetDirectory(top + "/");
  EXPECT_EQ(folders->Directory(), top);
  EXPECT_EQ(changes, 1);
  // "/", one line per level down to "top", then its subfolders one deeper.
  const std::vector<std::string> items = ItemsOf(folders);
  const size_t levels = size_t(std::count(top.begin(), top.end(), '/'));
  ASSERT_EQ(items.size(), levels + 1 + 3);
  EXPECT_EQ(items[0], "/");
  EXPECT_EQ(items[levels], std::string(2 * levels, ' ') + "top");
  const std::string sub(2 * levels + 2, ' ');
  EXPECT_EQ(std::vector<std::string>(items.begin() + long(levels) + 1, items.end()),
            (std::vector<std::string>{sub + "alpha", sub + "Beta", sub + Ansi("Папка")}));
  EXPECT_EQ(folders->ItemIndex(), int(levels));
  EXPECT_EQ(folders->ItemPath(0), "/");
  EXPECT_EQ(folders->ItemPath(int(levels) + 1), top + "/alpha");
  EXPECT_EQ(folders->ItemPath(99), "");
  EXPECT_EQ(ItemsOf(files), std::vector<std::string>{"file.txt"});
  EXPECT_EQ(label->Caption(), top);
  // A double click opens the item's folder.
  UserPicks(folders, int(levels) + 1, LBN_DBLCLK);
  EXPECT_EQ(folders->Directory(), top + "/alpha");
  EXPECT_EQ(files->Directory(), top + "/alpha");
  EXPECT_EQ(ItemsOf(files), std::vector<std::string>{"in.txt"});
  EXPECT_EQ(changes, 2);
  // A vanished folder opens its nearest existing parent.
  folders->SetDirectory(top + "/gone/deeper");
  EXPECT_EQ(folders->Directory(), top);
  std::filesystem::remove_all(dir.Path("top/alpha"));
  EXPECT_EQ(NearestExistingFolder(top + "/alpha"), top);
  EXPECT_EQ(NearestExistingFolder("/no/such/folder/here"), "/");
  files->SetDirectory(top + "/alpha");
  EXPECT_EQ(files->Directory(), top);
  EXPECT_EQ(GetCurrentDir(), cwd);
}

TEST_F(FileCtrlTest, FilterAndDriveBoxesDriveTheLists) {
  Touch(dir.Path("a.txt"));
  Touch(dir.Path("b.htm"));
  auto* folders = Make<TDirectoryListBox>();
  auto* files = Make<TFileListBox>();
  auto* filter = Make<TFilterComboBox>();
  auto* drive = Make<TDriveComboBox>();
  filter->SetFilter("Text (*.txt)|*.txt |Web (*.html; *.htm)|*.html; *.htm;|Lone caption");
  EXPECT_EQ(ItemsOf(filter), (std::vector<std::string>{"Text (*.txt)", "Web (*.html; *.htm)"}));
  EXPECT_EQ(filter->Mask(), "*.txt ");
  filter->SetFileList(files);
  folders->SetFileList(files);
  drive->SetDirList(folders);
  folders->SetDirectory(Ansi1251());
  EXPECT_EQ(ItemsOf(files), std::vector<std::string>{"a.txt"});
  UserPicks(filter, 1, CBN_SELCHANGE);
  EXPECT_EQ(files->Mask(), "*.html; *.htm;");
  EXPECT_EQ(ItemsOf(files), std::vector<std::string>{"b.htm"});
  // The drive box lists "/" first and opens the volume it is given.
  ASSERT_GE(drive->Items()->Count(), 1);
  EXPECT_EQ(drive->Items()->Get(0), "/");
  EXPECT_EQ(drive->Drive(), "/");
  drive->ShowVolumeOf(Ansi1251());
  UserPicks(drive, 0, CBN_SELCHANGE);
  EXPECT_EQ(folders->Directory(), "/");
  // A file list freed first is forgotten by the boxes tied to it.
  delete files;
  folders->SetDirectory(Ansi1251());
  UserPicks(filter, 0, CBN_SELCHANGE);
  EXPECT_EQ(folders->Directory(), Ansi1251());
}

}  // namespace
