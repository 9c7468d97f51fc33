// A picked picture's size from its header alone and its preview decoded to
// fit: the program's own JPEGs, the small headers of PNG, GIF and BMP, a
// picture past the decoding limit shown scaled, and the bad files a user
// may pick, each with its message and an empty preview.
#include <gtest/gtest.h>

#include <string>

#include "PicturePreview.h"
#include "ProgramPictures.h"
#include "TempDir.h"
#include "TestPictures.h"
#include "UiFixture.h"
#include "platform/CodePage.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

std::string Picture(const char* name) {
  RegisterProgramPictures();
  std::string bytes;
  EXPECT_TRUE(FindResourceData(name, bytes)) << name;
  return bytes;
}

// A JPEG start, one APP0 segment and a baseline frame header of w x h.
std::string JpegHeader(int w, int h) {
  std::string s = "\xFF\xD8\xFF\xE0";
  s += std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
  s += std::string("\xFF\xC0\x00\x11\x08", 5);
  s += char(h >> 8);
  s += char(h & 0xFF);
  s += char(w >> 8);
  s += char(w & 0xFF);
  s += std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
  return s;
}

TEST(PicturePreviewTest, ProgramPicturesFromTheirHeaders) {
  TPictureHeader size;
  ASSERT_TRUE(ReadPictureDimensions(Picture("ABOUTPICTURE"), size));
  EXPECT_EQ(size.Width, 541);
  EXPECT_EQ(size.Height, 385);
  ASSERT_TRUE(ReadPictureDimensions(Picture("ADVERTPICTURE"), size));
  EXPECT_EQ(size.Width, 809);
  EXPECT_EQ(size.Height, 609);
}

TEST(PicturePreviewTest, FormatsAndBadFiles) {
  std::string png("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x01\x2c\x00\x00\x00\xc8\x08\x06\x00\x00\x00", 29);
  std::string gif("GIF89a\x40\x01\xf0\x00\x00\x00\x00", 13);
  std::string bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[14] = 40;          // BITMAPINFOHEADER
  bmp[18] = 10;          // width 10
  bmp[22] = char(0xF6);  // height -10: top-down
  for (int i = 23; i < 26; ++i) bmp[i] = char(0xFF);
  const std::string full = Picture("ABOUTPICTURE");
  // Metafile headers: a placeable WMF's bounds in its units per inch, an
  // EMF's frame in 0.01 mm; both come out in pixels at 96 per inch.
  auto placeable = [](int right, int bottom, int perInch) {
    std::string d("\xD7\xCD\xC6\x9A\0\0\0\0\0\0", 10);
    for (int v : {right, bottom, perInch, 0, 0, 0}) d += char(v & 0xFF), d += char(v >> 8);
    return d + std::string("\1\0\x09\0\0\x03", 6) + std::string(12, '\0');
  };
  auto emf = [](int right, int bottom) {
    std::string d(88, '\0');
    auto put = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) d[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
    };
    put(0, 1), put(4, 88), put(32, uint32_t(right)), put(36, uint32_t(bottom)), put(40, 0x464D4520u);
    return d;
  };
  struct TCase {
    const char* What;
    std::string Bytes;
    bool Ok;
    int Width, Height;
  };
  const TCase cases[] = {
      {"png", png, true, 300, 200},
      {"gif", gif, true, 320, 240},
      {"bmp top-down", bmp, true, 10, 10},
      {"jpeg 60000 x 60000 header", JpegHeader(60000, 60000), true, 60000, 60000},
      {"empty", "", false, 0, 0},
      {"text named .jpg", "<html>not a picture</html>", false, 0, 0},
      {"truncated before the frame", full.substr(0, 10), false, 0, 0},
      {"jpeg start only", "\xFF\xD8", false, 0, 0},
      {"unsupported format", "II*\0\x08\0\0\0junk", false, 0, 0},
      {"zero-length segment", std::string("\xFF\xD8\xFF\xE0\x00\x00", 6), false, 0, 0},
      {"jpeg of width 0", JpegHeader(0, 5), false, 0, 0},
      {"wmf in twips", placeable(1000, 500, 1440), true, 67, 33},
      {"wmf in 0.01 inch", placeable(250, 100, 100), true, 240, 96},
      {"wmf without units per inch", placeable(250, 100, 0), false, 0, 0},
      {"plain wmf: its window extent", MakeWmf(123, 45, clRed, clRed, false), true, 123, 45},
      {"emf", emf(2117, 1058), true, 80, 40},
      {"emf of width 0", emf(0, 1058), false, 0, 0},
  };
  TTempDir dir;
  for (const TCase& c : cases) {
    TPictureHeader size;
    EXPECT_EQ(ReadPictureDimensions(c.Bytes, size), c.Ok) << c.What;
    // From a file the same, whatever the header's place.
    WriteFileBytes(dir.Path("p"), c.Bytes);
    size.Width = size.Height = 7;
    EXPECT_EQ(ReadPictureFileSize(AnsiFileName(dir.Path("p")), size), c.Ok) << c.What;
    EXPECT_EQ(size.Width, c.Width) << c.What;
    EXPECT_EQ(size.Height, c.Height) << c.What;
  }
}

TEST(PicturePreviewTest, FromAFileAndAMissingOne) {
  TTempDir dir;
  WriteFileBytes(dir.Path("a.jpg"), Picture("ADVERTPICTURE"));
  TPictureHeader size;
  ASSERT_TRUE(ReadPictureFileSize(AnsiFileName(dir.Path("a.jpg")), size));
  EXPECT_EQ(size.Width, 809);
  EXPECT_EQ(size.Height, 609);
  EXPECT_FALSE(ReadPictureFileSize(AnsiFileName(dir.Path("none.jpg")), size));
  EXPECT_FALSE(ReadPictureFileSize(AnsiFileName(dir.Path("")), size));  // a folder
  EXPECT_EQ(size.Width, 0);
  // Segments of 64 KB each before the frame header: the header is found
  // past the first piece read.
  std::string jpeg = JpegHeader(640, 480);
  std::string segments;
  for (int i = 0; i < 3; ++i) segments += std::string("\xFF\xE1\xFF\xFF", 4) + std::string(0xFFFF - 2, 'e');
  jpeg.insert(20, segments);
  WriteFileBytes(dir.Path("exif.jpg"), jpeg);
  ASSERT_TRUE(ReadPictureFileSize(AnsiFileName(dir.Path("exif.jpg")), size));
  EXPECT_EQ(size.Width, 640);
  EXPECT_EQ(size.Height, 480);
}

class PicturePreviewShowTest : public ::testing::Test {
 protected:
  TFakeWidgetsetScope FWidgets;
  TUiScriptScope FUi;
  TTempDir FDir;
};

TEST_F(PicturePreviewShowTest, PicturesShowAtTheirSizeOrScaledAndBadOnesSayWhy) {
  const std::string about = Picture("ABOUTPICTURE");
  struct TCase {
    const char* Name;
    std::string Bytes;
    int Width, Height;                // the header's, 0: unknown
    int PreviewWidth, PreviewHeight;  // 0: nothing shown
    const char* Message;              // nullptr: no box
    TUiIcon Icon;
  };
  const TCase cases[] = {
      {"about.jpg", about, 541, 385, 541, 385, nullptr, TUiIcon::None},
      {"wide.png", MakePng(2048, 512, clRed), 2048, 512, 1024, 256, nullptr, TUiIcon::None},
      {"tall.gif", MakeGif(300, 3000, {{0, 0, 300, 3000, 1}}), 300, 3000, 102, 1024, nullptr, TUiIcon::None},
      // Past the limit of what is decoded whole: a JPEG decodes scaled.
      {"big.jpg", MakeJpeg(8192, 4400, clBlue), 8192, 4400, 1024, 550, nullptr, TUiIcon::None},
      {"huge.jpg", JpegHeader(60000, 60000) + "\xFF\xD9", 60000, 60000, 0, 0,
       "Рисунок слишком велик для предварительного просмотра:\r\r", TUiIcon::Information},
      {"huge.png", MakePng(16, 16, clRed).replace(16, 8, std::string("\x00\x00\xEA\x60\x00\x00\xEA\x60", 8)), 60000,
       60000, 0, 0, "Рисунок слишком велик для предварительного просмотра:\r\r", TUiIcon::Information},
      {"cut.jpg", about.substr(0, about.size() / 2), 541, 385, 0, 0, "Не удалось показать рисунок:\r\r",
       TUiIcon::Warning},
      {"damaged.png", MakePng(40, 30, clRed).substr(0, 60), 40, 30, 0, 0, "Не удалось показать рисунок:\r\r",
       TUiIcon::Warning},
      {"empty.jpg", "", 0, 0, 0, 0, "Не удалось прочитать рисунок:\r\r", TUiIcon::Warning},
      {"text.jpg", "<html>not a picture</html>", 0, 0, 0, 0, "Не удалось прочитать рисунок:\r\r", TUiIcon::Warning},
      {"tiff.jpg", "II*\0\x08\0\0\0junk", 0, 0, 0, 0, "Не удалось прочитать рисунок:\r\r", TUiIcon::Warning},
  };
  TImage image(nullptr);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // Each after a good picture: nothing of the last one stays.
    WriteFileBytes(FDir.Path("good.jpg"), about);
    TPictureHeader header;
    ASSERT_TRUE(ShowPicturePreview(&image, AnsiFileName(FDir.Path("good.jpg")), nullptr, header));
    ASSERT_EQ(image.Picture()->Width(), 541);
    WriteFileBytes(FDir.Path(c.Name), c.Bytes);
    const std::string path = AnsiFileName(FDir.Path(c.Name));
    const std::size_t boxes = (*FUi).History().size();
    if (c.Message) (*FUi).ExpectMessage(IDOK, Ansi(c.Message) + path, "Brindel Quillet Studio");
    EXPECT_EQ(ShowPicturePreview(&image, path, nullptr, header), c.Message == nullptr);
    EXPECT_EQ(header.Width, c.Width);
    EXPECT_EQ(header.Height, c.Height);
    EXPECT_EQ(image.Picture()->Width(), c.PreviewWidth);
    EXPECT_EQ(image.Picture()->Height(), c.PreviewHeight);
    ASSERT_EQ((*FUi).History().size(), boxes + (c.Message ? 1 : 0));
    if (c.Message) {
      EXPECT_EQ((*FUi).History().back().Icon, c.Icon);
    }
  }
}

}  // namespace
