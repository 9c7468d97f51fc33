// Picture sizes from the file header: the program's own JPEGs, the small
// headers of PNG, GIF and BMP, and the bad files a user may pick.
#include <gtest/gtest.h>

#include <string>

#include "PictureSize.h"
#include "ProgramPictures.h"
#include "TempDir.h"
#include "platform/Resources.h"
#include "platform/SysUtils.h"

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

TEST(PictureSizeTest, ProgramPicturesFromTheirHeaders) {
  TPictureSize size;
  ASSERT_TRUE(ReadPictureSizeFromBytes(Picture("ABOUTPICTURE"), size));
  EXPECT_EQ(size.Width, 541);
  EXPECT_EQ(size.Height, 385);
  ASSERT_TRUE(ReadPictureSizeFromBytes(Picture("ADVERTPICTURE"), size));
  EXPECT_EQ(size.Width, 809);
  EXPECT_EQ(size.Height, 609);
}

TEST(PictureSizeTest, FormatsAndBadFiles) {
  std::string png("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x01\x2c\x00\x00\x00\xc8\x08\x06\x00\x00\x00", 29);
  std::string gif("GIF89a\x40\x01\xf0\x00\x00\x00\x00", 13);
  std::string bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[18] = 10;                          // width 10
  bmp[22] = char(0xF6);                  // height -10: top-down
  for (int i = 23; i < 26; ++i) bmp[i] = char(0xFF);
  const std::string full = Picture("ABOUTPICTURE");
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
  };
  for (const TCase& c : cases) {
    TPictureSize size{7, 7};
    EXPECT_EQ(ReadPictureSizeFromBytes(c.Bytes, size), c.Ok) << c.What;
    EXPECT_EQ(size.Width, c.Width) << c.What;
    EXPECT_EQ(size.Height, c.Height) << c.What;
  }
}

TEST(PictureSizeTest, FromAFileAndAMissingOne) {
  TTempDir dir;
  WriteFileBytes(dir.Path("a.jpg"), Picture("ADVERTPICTURE"));
  TPictureSize size;
  ASSERT_TRUE(ReadPictureSize(AnsiFileName(dir.Path("a.jpg")), size));
  EXPECT_EQ(size.Width, 809);
  EXPECT_FALSE(ReadPictureSize(AnsiFileName(dir.Path("none.jpg")), size));
  EXPECT_FALSE(ReadPictureSize(AnsiFileName(dir.Path("")), size));  // a folder
  EXPECT_EQ(size.Width, 0);
}

}  // namespace
