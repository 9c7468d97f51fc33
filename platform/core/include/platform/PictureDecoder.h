// Picture files from bytes: the format and size read from the header alone,
// and decoding into a bitmap through the installed backend.
//
// Every decoder refuses a picture past GraphicSizeAllowed (platform/
// Graphics.h) before it allocates pixels, so a header claiming 60000 x 60000
// fails as bad data. A GIF decodes to its first image at that image's own
// size (the logical screen around it is the caller's business); see
// ReadGifFrameRect. Transparent pixels come out over white.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Graphics.h"

enum class TPictureFormat { Unknown, Bmp, Ico, Gif, Jpeg, Png };

struct TPictureHeader {
  TPictureFormat Format = TPictureFormat::Unknown;
  int Width = 0;
  int Height = 0;
};

// The format by the first bytes.
TPictureFormat SniffPictureFormat(const std::string& bytes);
// Format and size without decoding; false for an unknown format, a
// truncated header or a size past the limit.
bool ReadPictureHeader(const std::string& bytes, TPictureHeader& out);
// The first image descriptor's rectangle inside a GIF's logical screen;
// false when the block structure breaks before one.
bool ReadGifFrameRect(const std::string& bytes, TRect& out);

// Turns picture bytes into pixels. The widget set installs its own (Qt:
// the QImage readers); without one the built-in decoders work.
class IPictureBackend {
 public:
  virtual ~IPictureBackend() = default;
  // False for data the backend cannot read; `out` is then unchanged.
  virtual bool Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) = 0;
};

// The Qt-free decoders: BMP and ICO by the toolkit's own readers, GIF by
// giflib, JPEG by libjpeg, PNG by libpng.
class TBuiltinPictureBackend : public IPictureBackend {
 public:
  bool Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) override;
};

// A pixel with alpha as it shows over white, as 0xFFRRGGBB.
uint32_t PixelOverWhite(int r, int g, int b, int a);

// Not owned; null puts the built-in decoders back.
void SetPictureBackend(IPictureBackend* backend);
IPictureBackend& PictureBackend();

// Header check, then the installed backend. False for unknown or bad data.
bool DecodePicture(const std::string& bytes, TBitmap& out);

// One image of a GIF, found by walking its block structure.
struct TGifImage {
  size_t Start = 0;         // its graphic control extension, else its descriptor
  size_t Descriptor = 0;    // the image separator byte
  size_t End = 0;           // one past its last data sub-block
  bool HasControl = false;  // a graphic control extension comes right before it
  int Left = 0, Top = 0, Width = 0, Height = 0;
};
// The complete images of a GIF in file order; the walk stops at the first
// malformed or truncated block (the images before it stay).
std::vector<TGifImage> ScanGifImages(const std::string& bytes);
