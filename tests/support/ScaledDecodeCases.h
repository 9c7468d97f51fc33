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
  const std::vector<TCase> cases = {
      {"jpeg past the limit", MakeJpeg(8192, 4400, clBlue), 1024, 1024, 1024, 550, clBlue},
      {"jpeg by a quarter and a bit", MakeJpeg(2000, 1000, clLime), 450, 450, 450, 225, clLime},
      {"png by its height", MakePng(600, 300, clRed), 1000, 100, 200, 100, clRed},
      {"gif", MakeGif(300, 3000, {{0, 0, 300, 3000, 1}}), 1024, 1024, 102, 1024, clLime},
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
