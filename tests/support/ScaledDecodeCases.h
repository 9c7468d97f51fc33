// One table for DecodePictureScaled, whatever backend is installed: every
// format fitted into a box with its aspect kept, a JPEG past the decoding
// limit decoded scaled, a picture inside the box at its own size, and the
// data that must fail.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestPictures.h"
#include "platform/PictureDecoder.h"

inline void ExpectScaledDecodes() {
  struct TCase {
    const char* What;
    std::string Bytes;
    int MaxWidth, MaxHeight;
    int Width, Height;  // 0: the decode fails
    TColor Fill;
  };
  std::string huge = MakeJpeg(16, 16, clRed);
  const std::size_t frame = huge.find("\xFF\xC0");
  huge[frame + 5] = char(0xEA), huge[frame + 6] = char(0x60), huge[frame + 7] = char(0xEA),
               huge[frame + 8] = char(0x60);
  std::string wideIcon = MakeIco(100, 16, clBlue);
  wideIcon[6] = 16;  // the directory says 16 x 16
  const std::vector<TCase> cases = {
      {"jpeg past the limit", MakeJpeg(8192, 4400, clBlue), 1024, 1024, 1024, 550, clBlue},
      {"jpeg by a quarter and a bit", MakeJpeg(2000, 1000, clLime), 450, 450, 450, 225, clLime},
      {"png by its height", MakePng(600, 300, clRed), 1000, 100, 200, 100, clRed},
      {"gif", MakeGif(300, 3000, {{0, 0, 300, 3000, 1}}), 1024, 1024, 102, 1024, clLime},
      {"gif frame wider than its screen", MakeGif(4, 3, {{1, 0, 60, 2, 2}}), 64, 48, 3, 2, clBlue},
      {"gif frame taller than its screen", MakeGif(2, 1, {{0, 0, 4, 91, 1}}), 64, 48, 2, 1, clLime},
      {"gif frame beside its screen", MakeGif(2, 1, {{5, 0, 4, 4, 1}}), 64, 48, 0, 0, clNone},
      {"icon wider than its directory says", wideIcon, 64, 48, 64, 10, clBlue},
      {"bmp", MakeBmp(400, 200, clBlue), 100, 100, 100, 50, clBlue},
      {"inside the box", MakePng(30, 20, clRed), 100, 100, 30, 20, clRed},
      {"a side of one", MakePng(4000, 2, clRed), 100, 100, 100, 1, clRed},
      {"jpeg header of 60000 x 60000", huge, 100, 100, 0, 0, clNone},
      {"png cut short", MakePng(600, 300, clRed).substr(0, 100), 100, 100, 0, 0, clNone},
      {"no picture", "not a picture", 100, 100, 0, 0, clNone},
      {"an empty box", MakePng(30, 20, clRed), 0, 10, 0, 0, clNone},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TBitmap b(3, 3);
    const bool ok = DecodePictureScaled(c.Bytes, c.MaxWidth, c.MaxHeight, b);
    EXPECT_EQ(ok, c.Width != 0);
    if (!ok) {
      EXPECT_EQ(b.Width(), 3);  // left alone
      continue;
    }
    EXPECT_EQ(b.Width(), c.Width);
    EXPECT_EQ(b.Height(), c.Height);
    const TColor p = b.Pixel(c.Width / 2, c.Height / 2), want = ColorToRGB(c.Fill);
    EXPECT_NEAR(GetRValue(p), GetRValue(want), 16);
    EXPECT_NEAR(GetGValue(p), GetGValue(want), 16);
    EXPECT_NEAR(GetBValue(p), GetBValue(want), 16);
  }
}

// Metafiles are drawn at the size their headers state (pixels at 96 per
// inch), or straight at the box's size: the left half of each picture
// blue, the right half red, the right way round and up.
// `metafile` with `count` more records that change nothing (WMF: SetBkMode;
// EMF: SetBkMode) before its end-of-file record.
inline std::string WithIdleRecords(std::string metafile, int count) {
  const bool emf = SniffPictureFormat(metafile) == TPictureFormat::Emf;
  const std::string idle =
      emf ? std::string("\x12\0\0\0\x0C\0\0\0\x01\0\0\0", 12) : std::string("\x04\0\0\0\x02\x01\x01\0", 8);
  std::string more;
  for (int i = 0; i < count; ++i) more += idle;
  metafile.insert(metafile.size() - (emf ? 20 : 6), more);
  return metafile;
}

inline void ExpectMetafilesDrawn() {
  struct TCase {
    const char* What;
    std::string Bytes;
    int MaxWidth, MaxHeight;
    int Width, Height;
  };
  const std::vector<TCase> cases = {
      {"placeable wmf", MakeWmf(40, 30, clBlue, clRed), 1000, 1000, 40, 30},
      {"plain wmf", MakeWmf(40, 30, clBlue, clRed, false), 1000, 1000, 40, 30},
      {"emf", MakeEmf(40, 30, clBlue, clRed), 1000, 1000, 40, 30},
      {"wmf in a smaller box", MakeWmf(400, 300, clBlue, clRed), 100, 100, 100, 75},
      {"emf in a smaller box", MakeEmf(300, 400, clBlue, clRed), 100, 100, 75, 100},
      // Too many records for that many pixels: drawn smaller, stretched.
      {"wmf of many records", WithIdleRecords(MakeWmf(2000, 1500, clBlue, clRed), 2000), 5000, 5000, 2000, 1500},
      {"emf of many records", WithIdleRecords(MakeEmf(2000, 1500, clBlue, clRed), 2000), 5000, 5000, 2000, 1500},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TPictureHeader h;
    ASSERT_TRUE(ReadPictureHeader(c.Bytes, h));
    TBitmap b;
    ASSERT_TRUE(DecodePictureScaled(c.Bytes, c.MaxWidth, c.MaxHeight, b));
    ASSERT_EQ(b.Width(), c.Width);
    ASSERT_EQ(b.Height(), c.Height);
    for (int y : {c.Height / 4, c.Height * 3 / 4}) {
      EXPECT_EQ(b.Pixel(c.Width / 4, y) & 0xFFFFFF, ColorToRGB(clBlue)) << y;
      EXPECT_EQ(b.Pixel(c.Width * 3 / 4, y) & 0xFFFFFF, ColorToRGB(clRed)) << y;
    }
  }
  // Cut inside its records, or with a header whose description runs past
  // its end, a metafile is no picture.
  const std::string wmf = MakeWmf(40, 30, clBlue, clRed), emf = MakeEmf(40, 30, clBlue, clRed);
  std::string longDescription = emf;
  longDescription[60] = char(0xE8), longDescription[61] = 3;  // 1000 characters
  longDescription[64] = 88;                                   // from the header's end
  for (const std::string& d : {wmf.substr(0, wmf.size() - 10), emf.substr(0, emf.size() - 10), longDescription}) {
    TBitmap b(3, 3);
    EXPECT_FALSE(DecodePictureScaled(d, 20, 20, b));
    EXPECT_FALSE(DecodePicture(d, b));
    EXPECT_EQ(b.Width(), 3);
  }
}
