// Picture files from bytes: the format and size read from the header alone,
// and decoding into a bitmap through the installed backend.
//
// Every decoder refuses a picture past GraphicSizeAllowed (platform/
// Graphics.h) before it allocates pixels, so a header claiming 60000 x 60000
// fails as bad data. A GIF decodes to the part of its first image inside
// the logical screen, at that part's own size (where it sits on the screen
// is the caller's business; see ReadGifFrameRect): never larger than the
// size its header states. Transparent pixels come out over white.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Graphics.h"

enum class TPictureFormat { Unknown, Bmp, Ico, Gif, Jpeg, Png, Wmf, Emf };

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
// The size the header states, also past the decoding limit (a caller that
// only shows the numbers allocates nothing); false for an unknown format,
// a truncated header or a side of 0.
bool ReadPictureDimensions(const std::string& bytes, TPictureHeader& out);
// The same from a file, reading no further than its header (a few KB, the
// segments before a JPEG's frame header included); false also for a file
// that cannot be opened or a folder.
bool ReadPictureFileDimensions(const std::string& fileName, TPictureHeader& out);
// JPEG data cut short lacks its end-of-image marker, and decoders show what
// arrived without a word: false for such data. Other formats say it
// themselves when they are cut: true.
bool PictureDataComplete(const std::string& bytes);
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
  // Straight to width x height (the picture fitted into a smaller box). By
  // default the whole picture is decoded, within the limit, and shrunk.
  virtual bool DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height, TBitmap& out);
};

// The Qt-free decoders: BMP and ICO by the toolkit's own readers, GIF by
// giflib, JPEG by libjpeg, PNG by libpng; WMF played by libwmf, EMF turned
// into SVG by libemf2svg and drawn by librsvg. A metafile is drawn at the
// size asked for, not drawn large and shrunk.
class TBuiltinPictureBackend : public IPictureBackend {
 public:
  bool Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) override;
  // JPEG is decoded at 1/2, 1/4 or 1/8 of its size where that suffices.
  bool DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height, TBitmap& out) override;
};

// A pixel with alpha as it shows over white, as 0xFFRRGGBB.
uint32_t PixelOverWhite(int r, int g, int b, int a);

// Not owned; null puts the built-in decoders back.
void SetPictureBackend(IPictureBackend* backend);
IPictureBackend& PictureBackend();

// Header check, then the installed backend. False for unknown or bad data.
bool DecodePicture(const std::string& bytes, TBitmap& out);

// The size of a w x h picture fitted into maxWidth x maxHeight, its aspect
// kept; a picture already inside keeps its size.
TSize FitPictureSize(int w, int h, int maxWidth, int maxHeight);
// Whether DecodePictureScaled can make a picture with this header: within
// the limit, or a JPEG whose 1/8 size is (JPEG decodes scaled as it reads,
// and nothing larger than the scaled picture is allocated).
bool ScaledDecodeAllowed(const TPictureHeader& header);
// Decodes a picture fitted into maxWidth x maxHeight (FitPictureSize).
// False for unknown or bad data and for what ScaledDecodeAllowed refuses.
bool DecodePictureScaled(const std::string& bytes, int maxWidth, int maxHeight, TBitmap& out);
// `source` shrunk (or grown) to w x h, each pixel the average of the source
// pixels it covers.
void ResampleBitmap(TBitmap& source, int w, int h, TBitmap& out);

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
