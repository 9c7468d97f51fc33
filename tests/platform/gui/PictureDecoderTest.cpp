// Picture formats by their headers and the built-in decoders.
#include <gtest/gtest.h>

#include "ScaledDecodeCases.h"
#include "TestPictures.h"
#include "platform/PictureDecoder.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

class PictureDecoderTest : public ::testing::Test {
 protected:
  TFakeWidgetsetScope ws;
};

// The same picture with its size fields patched to 60000 x 60000.
std::string Huge(std::string d, TPictureFormat f) {
  auto le16 = [&](size_t o) { d[o] = char(0x60), d[o + 1] = char(0xEA); };
  auto be32 = [&](size_t o) { d[o] = 0, d[o + 1] = 0, d[o + 2] = char(0xEA), d[o + 3] = char(0x60); };
  switch (f) {
    case TPictureFormat::Bmp:
      d[18] = char(0x60), d[19] = char(0xEA), d[20] = 0, d[21] = 0;
      d[22] = char(0x60), d[23] = char(0xEA), d[24] = 0, d[25] = 0;
      break;
    case TPictureFormat::Gif: le16(6), le16(8); break;
    case TPictureFormat::Png: be32(16), be32(20); break;
    case TPictureFormat::Wmf: d[14] = 1, d[15] = 0; break;                    // one unit per inch
    case TPictureFormat::Emf: d[34] = char(0x60), d[38] = char(0x60); break;  // a frame of 63 m
    case TPictureFormat::Jpeg: {
      size_t p = d.find("\xFF\xC0");
      d[p + 5] = char(0xEA), d[p + 6] = char(0x60), d[p + 7] = char(0xEA), d[p + 8] = char(0x60);
      break;
    }
    default: break;
  }
  return d;
}

TEST_F(PictureDecoderTest, EveryFormatBySizeAndPixelsAndRefusedPastTheLimit) {
  struct Case {
    const char* name;
    std::string bytes;
    TPictureFormat format;
  };
  const Case cases[] = {
      {"bmp", MakeBmp(7, 5, clRed), TPictureFormat::Bmp},
      {"ico", MakeIco(7, 5, clRed), TPictureFormat::Ico},
      {"gif", MakeGif(7, 5, {{0, 0, 7, 5, 0}}), TPictureFormat::Gif},
      {"png", MakePng(7, 5, clRed), TPictureFormat::Png},
      {"jpeg", MakeJpeg(7, 5, clRed), TPictureFormat::Jpeg},
      {"wmf", MakeWmf(7, 5, clRed, clRed), TPictureFormat::Wmf},
      {"plain wmf", MakeWmf(7, 5, clRed, clRed, false), TPictureFormat::Wmf},
      {"emf", MakeEmf(7, 5, clRed, clRed), TPictureFormat::Emf},
  };
  for (const Case& c : cases) {
    TPictureHeader h;
    ASSERT_TRUE(ReadPictureHeader(c.bytes, h)) << c.name;
    EXPECT_EQ(h.Format, c.format) << c.name;
    EXPECT_EQ(h.Width, 7) << c.name;
    EXPECT_EQ(h.Height, 5) << c.name;
    TBitmap b;
    ASSERT_TRUE(DecodePicture(c.bytes, b)) << c.name;
    EXPECT_EQ(b.Width(), 7) << c.name;
    EXPECT_EQ(b.Height(), 5) << c.name;
    TColor p = b.Pixel(3, 2);
    EXPECT_GT(GetRValue(p), 240) << c.name;
    EXPECT_LT(GetGValue(p), 16) << c.name;
    // A header claiming 60000 x 60000 is refused before any pixel exists.
    if (c.format != TPictureFormat::Ico && c.name != std::string("plain wmf")) {
      std::string huge = Huge(c.bytes, c.format);
      EXPECT_FALSE(ReadPictureHeader(huge, h)) << c.name;
      EXPECT_FALSE(DecodePicture(huge, b)) << c.name;
    }
    // Truncated data decodes to nothing and leaves the bitmap alone.
    TBitmap t(1, 1);
    EXPECT_FALSE(DecodePicture(c.bytes.substr(0, c.bytes.size() / 2), t)) << c.name;
  }
  // Without a widget set's decoder a bitmap still reads every format.
  TStringStream png(MakePng(4, 3, clBlue));
  TBitmap fromStream;
  fromStream.LoadFromStream(&png);
  EXPECT_EQ(fromStream.Width(), 4);
  EXPECT_EQ(fromStream.Pixel(1, 1) & 0xFFFFFF, ColorToRGB(clBlue));
  TBitmap b;
  EXPECT_FALSE(DecodePicture("not a picture", b));
  EXPECT_FALSE(DecodePicture("", b));
}

TEST_F(PictureDecoderTest, GifImagesFollowTheBlockStructure) {
  // A comment that holds the byte pattern of a frame start is no frame.
  std::string fake("\x21\xF9\x04\0\0\0\0\0\x2C\0\0\0\0", 13);
  std::string gif = MakeGif(10, 8, {{0, 0, 4, 4, 0}, {2, 3, 5, 4, 1}, {9, 7, 1, 1, 2}}, fake + fake);
  std::vector<TGifImage> images = ScanGifImages(gif);
  ASSERT_EQ(images.size(), 3u);
  EXPECT_TRUE(images[1].HasControl);
  EXPECT_EQ(images[1].Left, 2);
  EXPECT_EQ(images[1].Top, 3);
  EXPECT_EQ(images[1].Width, 5);
  EXPECT_EQ(gif[images[1].Start], '\x21');
  EXPECT_EQ(gif[images[1].Descriptor], '\x2C');
  // A truncated last frame is not counted; the walk keeps what came before.
  EXPECT_EQ(ScanGifImages(gif.substr(0, images[2].End - 2)).size(), 2u);
  TRect r;
  ASSERT_TRUE(ReadGifFrameRect(gif, r));
  EXPECT_EQ(r, TRect(0, 0, 4, 4));
  TBitmap b;
  ASSERT_TRUE(DecodePicture(gif, b));
  EXPECT_EQ(b.Width(), 4);
}

TEST_F(PictureDecoderTest, MetafilesDrawnAtTheirHeaderSizeOrTheBox) { ExpectMetafilesDrawn(); }

TEST_F(PictureDecoderTest, ScaledDecodesFitTheBox) {
  ExpectScaledDecodes();
  EXPECT_EQ(FitPictureSize(8192, 4400, 1024, 1024), TSize(1024, 550));
  EXPECT_EQ(FitPictureSize(10, 10, 10, 10), TSize(10, 10));
  TPictureHeader jpeg{TPictureFormat::Jpeg, 7300, 5480};
  TPictureHeader png{TPictureFormat::Png, 7300, 5480};
  EXPECT_TRUE(ScaledDecodeAllowed(jpeg));
  EXPECT_FALSE(ScaledDecodeAllowed(png));
  jpeg.Width = jpeg.Height = 60000;
  EXPECT_FALSE(ScaledDecodeAllowed(jpeg));
}

TEST_F(PictureDecoderTest, ResamplingAveragesWhatEachPixelCovers) {
  TBitmap source(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) source.SetPixel(x, y, x < 2 ? clBlack : clWhite);
  TBitmap half;
  ResampleBitmap(source, 2, 1, half);
  EXPECT_EQ(half.Pixel(0, 0), clBlack);
  EXPECT_EQ(half.Pixel(1, 0), clWhite);
  TBitmap one;
  ResampleBitmap(source, 1, 1, one);
  EXPECT_EQ(one.Pixel(0, 0), TColor(0x808080));
  TBitmap grown;
  ResampleBitmap(source, 8, 3, grown);
  EXPECT_EQ(grown.Pixel(3, 2), clBlack);
  EXPECT_EQ(grown.Pixel(4, 0), clWhite);
}

TEST_F(PictureDecoderTest, DimensionsPastTheLimitAndCompleteness) {
  std::string jpeg = MakeJpeg(7, 5, clRed);
  TPictureHeader h;
  ASSERT_TRUE(ReadPictureDimensions(Huge(jpeg, TPictureFormat::Jpeg), h));
  EXPECT_EQ(h.Width, 60000);
  EXPECT_EQ(h.Format, TPictureFormat::Jpeg);
  EXPECT_FALSE(ReadPictureHeader(Huge(jpeg, TPictureFormat::Jpeg), h));
  EXPECT_TRUE(PictureDataComplete(jpeg));
  EXPECT_TRUE(PictureDataComplete(jpeg + std::string(100, '\0')));  // padding after the end
  EXPECT_FALSE(PictureDataComplete(jpeg.substr(0, jpeg.size() - 2)));
  EXPECT_TRUE(PictureDataComplete(MakePng(7, 5, clRed)));
}

}  // namespace
