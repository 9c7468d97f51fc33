// Every button picture is registered at its size, is transparent at its
// bottom-left pixel and draws something.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "ProgramGlyphs.h"
#include "platform/Resources.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

void CheckGlyphs(const std::vector<TGlyphName>& glyphs, size_t count, int size) {
  ASSERT_EQ(glyphs.size(), count);
  std::set<std::string> names;
  for (const TGlyphName& g : glyphs) {
    SCOPED_TRACE(g.Name);
    EXPECT_TRUE(names.insert(g.Name).second);
    EXPECT_EQ(g.Size, size);
    TBitmap b;
    LoadBitmapResource(b, g.Name);
    ASSERT_EQ(b.Width(), size);
    ASSERT_EQ(b.Height(), size);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    std::set<TColor> colours;
    int ink = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        colours.insert(b.Pixel(x, y));
        ink += b.Pixel(x, y) != clFuchsia;
      }
    EXPECT_GE(colours.size(), 3u);
    EXPECT_GT(ink, size * size / 8);
    // BQS_GLYPH_DIR=<folder> writes the pictures out to look at them.
    if (const char* dir = std::getenv("BQS_GLYPH_DIR")) b.SaveToFile(std::string(dir) + "/" + g.Name + ".bmp");
  }
}

TEST(ProgramGlyphsTest, ToolBarAndViewerPictures) {
  TFakeWidgetsetScope ws;
  RegisterToolBarGlyphs();
  RegisterViewerGlyphs();
  CheckGlyphs(ToolBarGlyphs(), 19, 24);
  CheckGlyphs(ViewerGlyphs(), 7, 32);
}

}  // namespace
