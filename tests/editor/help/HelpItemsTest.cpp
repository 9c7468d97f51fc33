// The editor's two help items start the help viewer beside it, F1 in the
// text does the same and leaves the text alone, and the help page of the
// keys lists exactly the running editor's menu items with a shortcut.
#include <QtTest/QTest>

#include <sys/stat.h>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "EditorAppFixture.h"
#include "MenuRows.h"
#include "SrcMemo.h"
#include "W2kMain.h"
#include "platform/CodePage.h"
#include "platform/Menus.h"
#include "platform/Shell.h"
#include "platform/qt/QtWidgetset.h"
#include "platform/testing/RecordingShell.h"

namespace {

using TKeyRow = std::tuple<std::string, std::string, std::string>;  // menu path, caption, key (UTF-8)

class HelpItemsTest : public EditorAppTest {
 protected:
  void SetUp() override {
    EditorAppTest::SetUp();
    // The viewer as the shell finds it beside the editor.
    const std::string viewer = OsPath("brindel-norvane");
    std::ofstream(viewer) << "#!/bin/sh\nexit 0\n";
    ::chmod(viewer.c_str(), 0755);
  }
  void TearDown() override {
    SetShellBackend(FPrevious);
    EditorAppTest::TearDown();
  }
  void StartRecording() {
    Start();
    FPrevious = ShellBackend();
    SetShellBackend(&Shell);
  }
  // Exactly one start of the viewer since the last call, without arguments.
  void ExpectOneViewerStart(const char* what) {
    ASSERT_EQ(Shell.Starts.size(), 1u) << what;
    const TShellStart& s = Shell.Starts[0];
    EXPECT_EQ(s.Kind, TShellStart::skProgram) << what;
    EXPECT_EQ(s.Target, AnsiPath("brindel-norvane")) << what;
    EXPECT_TRUE(s.Arguments.empty()) << what;
    EXPECT_EQ(s.Owner, nullptr) << what;
    EXPECT_EQ(s.ShowCmd, SW_SHOW) << what;
    Shell.Starts.clear();
  }

  TRecordingShell Shell;

 private:
  IShellBackend* FPrevious = nullptr;
};

TEST_F(HelpItemsTest, BothHelpItemsAndF1StartTheViewerOnce) {
  StartRecording();
  TMenuItem* help = FindMenuItem(*Main()->MainMenu1, "Справка", "Содержание справки");
  TMenuItem* licence = FindMenuItem(*Main()->MainMenu1, "Справка", "Лицензионное соглашение");
  ASSERT_TRUE(help && licence);
  EXPECT_EQ(Main()->MenuHelp->Items(0), help);
  EXPECT_EQ(Main()->MenuHelp->Items(1), licence);
  EXPECT_EQ(ShortCutToText(help->ShortCut()), "F1");
  help->Click();
  ExpectOneViewerStart("Содержание справки");
  licence->Click();
  ExpectOneViewerStart("Лицензионное соглашение");

  // The menu's shortcut is taken before the editing control's own F1.
  Main()->Memo1->SetText("text");
  Main()->Memo1->SetFocus();
  Pump();
  QTest::keyClick(static_cast<QtWindowPeer*>(Main()->Memo1->Handle())->Client(), Qt::Key_F1);
  Pump();
  ExpectOneViewerStart("F1 in the text");
  EXPECT_EQ(Main()->Memo1->Text(), "text");
}

// Every item of the window's menus that has a shortcut, by its menu path,
// in menu order.
void CollectKeys(TMenuItem* parent, const std::string& path, std::vector<TKeyRow>& out) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->Count() > 0) {
      CollectKeys(item, path.empty() ? item->Caption() : path + " > " + item->Caption(), out);
    } else if (item->ShortCut() != 0) {
      out.push_back({Cp1251ToUtf8(path), Cp1251ToUtf8(item->Caption()), ShortCutToText(item->ShortCut())});
    }
  }
}

std::string Unescape(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities)
    for (size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += std::string(to).size())
      s.replace(p, std::string(from).size(), to);
  return s;
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

// The rows of the page's key table: <tr><td>path</td><td>caption</td><td>key</td></tr>.
std::set<TKeyRow> PageKeys(const std::string& page) {
  std::set<TKeyRow> rows;
  const std::string open = "<tr><td>";
  for (size_t p = page.find(open); p != std::string::npos; p = page.find(open, p + 1)) {
    size_t end = page.find("</td></tr>", p);
    std::string cells = page.substr(p + open.size(), end - p - open.size());
    size_t a = cells.find("</td><td>");
    size_t b = cells.find("</td><td>", a + 9);
    if (a == std::string::npos || b == std::string::npos) continue;
    rows.insert({Unescape(cells.substr(0, a)), Unescape(cells.substr(a + 9, b - a - 9)), cells.substr(b + 9)});
  }
  return rows;
}

TEST_F(HelpItemsTest, TheKeysPageListsEveryShortcutOfTheMenus) {
  Start();
  const std::pair<TMenu*, const char*> menus[] = {
      {Main()->MainMenu1, ""},
      {Main()->PopupMenu1, "Меню редактора"},
      {Main()->PopupMenu2, "Меню панели"},
      {Main()->PopupMenu3, "Меню вырезания"},
      {Main()->PopupMenu4, "Меню строки состояния"},
      {Main()->tray, "Меню значка"},
      {Main()->link, "Меню ссылки"},
      {Main()->img, "Меню картинки"},
  };
  std::vector<TKeyRow> items;
  for (const auto& [menu, name] : menus) CollectKeys(menu->Items(), Ansi(name), items);
  const std::set<TKeyRow> editor(items.begin(), items.end());
  ASSERT_FALSE(editor.empty());

  std::ifstream in(BQS_HELP_DIR "/keys.htm", std::ios::binary);
  const std::string page = Cp1251ToUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
  const std::set<TKeyRow> listed = PageKeys(page);
  std::ostringstream missing, extra;
  for (const TKeyRow& r : items)
    if (!listed.count(r))
      missing << "<tr><td>" << Escape(std::get<0>(r)) << "</td><td>" << Escape(std::get<1>(r)) << "</td><td>"
              << std::get<2>(r) << "</td></tr>\n";
  for (const TKeyRow& r : listed)
    if (!editor.count(r)) extra << std::get<0>(r) << " | " << std::get<1>(r) << " | " << std::get<2>(r) << "\n";
  EXPECT_EQ(missing.str(), "") << "rows the page lacks";
  EXPECT_EQ(extra.str(), "") << "rows of no item with that shortcut";
}

}  // namespace
