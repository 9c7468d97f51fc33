// The installed font names as Screen->Fonts() lists them.
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/FontList.h"

namespace {

TEST(FontNamesTest, SortedOnceInTheCodePage) {
  const std::vector<std::string> names =
      InstalledFontNames({"Verdana", "arial", "Arial", "", "Ёлка Sans", "Noto Sans CJK 日本", "Courier New"});
  const std::vector<std::string> expected = {"arial", "Courier New", "Verdana", Ansi("Ёлка Sans")};
  EXPECT_EQ(names, expected);
}

}  // namespace
