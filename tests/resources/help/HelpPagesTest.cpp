// The help pages beside the programs: Windows-1251 with the charset meta,
// CR LF line breaks, the one stylesheet, relative links that all resolve, every page reachable
// from the home page and leading back to it; every submenu of the editor's
// main menu, and every item with a shortcut, named in some page.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "MainWindowRows.h"
#include "platform/CodePage.h"

namespace {

const std::string kDir = BQS_HELP_DIR;

std::map<std::string, std::string> Pages() {
  std::map<std::string, std::string> pages;
  if (DIR* d = ::opendir(kDir.c_str())) {
    while (dirent* e = ::readdir(d)) {
      std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0) {
        std::ifstream in(kDir + "/" + name, std::ios::binary);
        pages[name] = std::string(std::istreambuf_iterator<char>(in), {});
      }
    }
    ::closedir(d);
  }
  return pages;
}

// The targets of href="..." and src="..." (either case).
std::vector<std::string> Links(const std::string& page) {
  std::vector<std::string> links;
  for (const char* attr : {"href=\"", "src=\"", "HREF=\"", "SRC=\""})
    for (size_t p = page.find(attr); p != std::string::npos; p = page.find(attr, p + 1)) {
      size_t start = p + std::string(attr).size();
      links.push_back(page.substr(start, page.find('"', start) - start));
    }
  return links;
}

std::string WithoutFragment(const std::string& link) { return link.substr(0, link.find('#')); }

TEST(HelpPagesTest, EveryPageIsWindows1251WithCrLf) {
  const auto pages = Pages();
  for (const char* name : {"Help.htm", "editor.htm", "file.htm", "edit.htm", "insert.htm", "run.htm", "settings.htm",
                           "keys.htm", "norvane.htm", "license.htm"})
    EXPECT_TRUE(pages.count(name)) << name;
  for (const auto& [name, bytes] : pages) {
    EXPECT_NE(bytes.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"),
              std::string::npos)
        << name;
    EXPECT_NE(bytes.find("<link rel=\"stylesheet\" type=\"text/css\" href=\"help.css\">"), std::string::npos)
        << name << ": the shared look";
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << ": a bare LF at " << i;
      }
      if (bytes[i] == '\r') {
        ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << name << ": a bare CR";
      }
      ASSERT_NE(static_cast<unsigned char>(bytes[i]), 0x98) << name << ": no character of the code page";
    }
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes) << name;
  }
  // Russian text in its 8-bit form, not UTF-8.
  EXPECT_NE(pages.at("Help.htm").find("<title>" + Ansi("Справочная система Brindel") + "</title>"), std::string::npos);
  EXPECT_NE(pages.at("keys.htm").find(Ansi("Содержание справки")), std::string::npos);
}

TEST(HelpPagesTest, LinksAreRelativeResolveAndReachEveryPage) {
  const auto pages = Pages();
  for (const auto& [name, bytes] : pages)
    for (const std::string& link : Links(bytes)) {
      EXPECT_EQ(link.find(':'), std::string::npos) << name << ": " << link;
      EXPECT_NE(link.rfind('/', 0), 0u) << name << ": " << link;
      EXPECT_TRUE(pages.count(WithoutFragment(link)) || std::ifstream(kDir + "/" + link).good())
          << name << ": " << link << " does not resolve";
    }
  for (const auto& [name, bytes] : pages) {
    if (name == "Help.htm") continue;
    auto links = Links(bytes);
    EXPECT_NE(std::find(links.begin(), links.end(), "Help.htm"), links.end()) << name << " leads back home";
  }
  std::set<std::string> seen{"Help.htm"};
  std::deque<std::string> queue{"Help.htm"};
  while (!queue.empty()) {
    std::string page = queue.front();
    queue.pop_front();
    for (const std::string& link : Links(pages.at(page))) {
      std::string target = WithoutFragment(link);
      if (pages.count(target) && seen.insert(target).second) queue.push_back(target);
    }
  }
  for (const auto& [name, bytes] : pages) EXPECT_TRUE(seen.count(name)) << name << " is not reachable from Help.htm";
}

// A page's text as a reader sees it: no tags, the few entities the pages
// use read, every run of white space one blank.
std::string ReadableText(const std::string& page) {
  std::string text;
  bool inTag = false;
  for (size_t i = 0; i < page.size(); ++i) {
    const char c = page[i];
    if (inTag) {
      inTag = c != '>';
      continue;
    }
    if (c == '<') {
      inTag = true;
      continue;
    }
    bool entity = false;
    for (const auto& [name, ch] : {std::pair<const char*, char>{"&amp;", '&'},
                                   {"&quot;", '"'},
                                   {"&nbsp;", ' '},
                                   {"&lt;", '<'},
                                   {"&gt;", '>'},
                                   {"&laquo;", '"'},
                                   {"&raquo;", '"'}})
      if (page.compare(i, std::string(name).size(), name) == 0) {
        text += ch;
        i += std::string(name).size() - 1;
        entity = true;
        break;
      }
    if (entity) continue;
    const bool space = c == ' ' || c == '\r' || c == '\n' || c == '\t';
    if (space && (text.empty() || text.back() == ' ')) continue;
    text += space ? ' ' : c;
  }
  return text;
}

TEST(HelpPagesTest, EveryMenuOfTheEditorIsDescribed) {
  std::string help;
  for (const auto& [name, bytes] : Pages()) help += ReadableText(bytes) + " ";
  for (const TMenuRow& row : MainWindowRows()) {
    if (row.Place != TMenuPlace::MainMenu || row.Is(kHidden) || row.IsLine()) continue;
    if (!row.IsSubmenu() && row.ShortCut == 0) continue;
    std::string caption = Ansi(row.Caption);
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    caption.erase(caption.find_last_not_of(' ') + 1);
    EXPECT_NE(help.find(caption), std::string::npos) << Cp1251ToUtf8(row.Where()) << " is in no help page";
  }
}

}  // namespace
