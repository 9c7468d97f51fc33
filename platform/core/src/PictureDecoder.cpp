#include "platform/PictureDecoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include "Metafiles.h"
#include "platform/Classes.h"

namespace {

uint32_t Le16(const std::string& d, size_t o) { return uint32_t(uint8_t(d[o])) | (uint32_t(uint8_t(d[o + 1])) << 8); }
uint32_t Be16(const std::string& d, size_t o) { return (uint32_t(uint8_t(d[o])) << 8) | uint32_t(uint8_t(d[o + 1])); }
uint32_t Le32(const std::string& d, size_t o) { return Le16(d, o) | (Le16(d, o + 2) << 16); }
uint32_t Be32(const std::string& d, size_t o) { return (Be16(d, o) << 16) | Be16(d, o + 2); }

// What the walk to a JPEG's frame header found: the size, data that is no
// JPEG, or the end of the data before the frame header.
enum class TJpegScan { Found, Bad, Short };

TJpegScan JpegFrame(const std::string& d, int& w, int& h) {
  size_t p = 2;
  while (p + 4 <= d.size()) {
    if (uint8_t(d[p]) != 0xFF) return TJpegScan::Bad;
    uint8_t m = uint8_t(d[p + 1]);
    if (m == 0xFF) {
      ++p;
      continue;
    }
    if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
      p += 2;
      continue;
    }
    if (m == 0xD9 || m == 0xDA) return TJpegScan::Bad;  // no frame header before the scan
    size_t len = Be16(d, p + 2);
    if (len < 2) return TJpegScan::Bad;
    bool sof = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
    if (sof) {
      if (len < 7) return TJpegScan::Bad;
      if (p + 9 > d.size()) return TJpegScan::Short;
      h = int(Be16(d, p + 5));
      w = int(Be16(d, p + 7));
      return TJpegScan::Found;
    }
    p += 2 + len;
  }
  return TJpegScan::Short;
}

bool JpegSize(const std::string& d, int& w, int& h) { return JpegFrame(d, w, h) == TJpegScan::Found; }

// ---- giflib ----
struct TGifSource {
  const std::string* Data;
  size_t Pos;
};
int GifRead(GifFileType* g, GifByteType* buf, int n) {
  auto* s = static_cast<TGifSource*>(g->UserData);
  size_t k = std::min(size_t(n > 0 ? n : 0), s->Data->size() - s->Pos);
  std::memcpy(buf, s->Data->data() + s->Pos, k);
  s->Pos += k;
  return int(k);
}

bool DecodeGif(const std::string& bytes, TBitmap& out) {
  TGifSource src{&bytes, 0};
  int err = 0;
  GifFileType* g = DGifOpen(&src, GifRead, &err);
  if (!g) return false;
  struct TCloser {
    GifFileType* G;
    ~TCloser() {
      int e = 0;
      DGifCloseFile(G, &e);
    }
  } closer{g};
  int transparent = -1;
  for (;;) {
    GifRecordType rt;
    if (DGifGetRecordType(g, &rt) == GIF_ERROR) return false;
    if (rt == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(g, &code, &ext) == GIF_ERROR) return false;
      if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) transparent = (ext[1] & 1) ? ext[4] : -1;
      while (ext)
        if (DGifGetExtensionNext(g, &ext) == GIF_ERROR) return false;
      continue;
    }
    if (rt != IMAGE_DESC_RECORD_TYPE) return false;
    if (DGifGetImageDesc(g) == GIF_ERROR) return false;
    int w = g->Image.Width, h = g->Image.Height;
    if (!GraphicSizeAllowed(w, h)) return false;
    // What lies outside the logical screen is never shown: only the part
    // of the image inside it gets pixels, and the rows past the screen's
    // foot are not decoded at all.
    const int64_t left = g->Image.Left, top = g->Image.Top;
    const int shownW = int(std::max<int64_t>(0, std::min<int64_t>(left + w, g->SWidth) - left));
    const int shownH = int(std::max<int64_t>(0, std::min<int64_t>(top + h, g->SHeight) - top));
    if (shownW <= 0 || shownH <= 0) return false;
    ColorMapObject* map = g->Image.ColorMap ? g->Image.ColorMap : g->SColorMap;
    if (!map || !map->Colors) return false;
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    TBitmap b(shownW, shownH);
    auto row = [&](int y) -> bool {
      if (DGifGetLine(g, line.data(), w) == GIF_ERROR) return false;
      if (y >= shownH) return true;
      uint32_t* dst = b.ScanLine(y);
      for (int x = 0; x < shownW; ++x) {
        int i = line[size_t(x)];
        if (i == transparent || i >= map->ColorCount) {
          dst[x] = 0xFFFFFFFFu;
        } else {
          const GifColorType& c = map->Colors[i];
          dst[x] = 0xFF000000u | (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | c.Blue;
        }
      }
      return true;
    };
    if (g->Image.Interlace) {
      static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < h; y += step[pass])
          if (!row(y)) return false;
    } else {
      for (int y = 0; y < shownH; ++y)
        if (!row(y)) return false;
    }
    out.Assign(&b);
    return true;
  }
}

// ---- libpng ----
bool DecodePng(const std::string& bytes, TBitmap& out) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size())) return false;
  if (!GraphicSizeAllowed(img.width, img.height)) {
    png_image_free(&img);
    return false;
  }
  img.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> buf(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) {
    png_image_free(&img);
    return false;
  }
  int w = int(img.width), h = int(img.height);
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = buf.data() + size_t(y) * size_t(w) * 4;
    uint32_t* dst = b.ScanLine(y);
    for (int x = 0; x < w; ++x, s += 4) dst[x] = PixelOverWhite(s[0], s[1], s[2], s[3]);
  }
  out.Assign(&b);
  return true;
}

// ---- libjpeg ----
struct TJpegError {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
};
void JpegFail(j_common_ptr c) { std::longjmp(reinterpret_cast<TJpegError*>(c->err)->Jump, 1); }
void JpegQuiet(j_common_ptr, int) {}

// Pixels go into a vector first: nothing with a destructor may live across
// the longjmp of a decoding error.
// `denominator` 1, 2, 4 or 8 decodes at that fraction of the size; the
// limit applies to what is decoded.
bool DecodeJpegPixels(const std::string& bytes, std::vector<uint8_t>& rgb, int& w, int& h, unsigned denominator = 1) {
  jpeg_decompress_struct cinfo;
  TJpegError jerr;
  cinfo.err = jpeg_std_error(&jerr.Mgr);
  jerr.Mgr.error_exit = JpegFail;
  jerr.Mgr.emit_message = JpegQuiet;
  jpeg_create_decompress(&cinfo);
  if (setjmp(jerr.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.out_color_space = JCS_RGB;
  cinfo.scale_num = 1;
  cinfo.scale_denom = denominator;
  jpeg_calc_output_dimensions(&cinfo);
  if (!GraphicSizeAllowed(cinfo.output_width, cinfo.output_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  w = int(cinfo.output_width);
  h = int(cinfo.output_height);
  rgb.resize(size_t(w) * size_t(h) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW rowp = rgb.data() + size_t(cinfo.output_scanline) * size_t(w) * 3;
    jpeg_read_scanlines(&cinfo, &rowp, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool DecodeJpeg(const std::string& bytes, TBitmap& out, unsigned denominator = 1) {
  std::vector<uint8_t> rgb;
  int w = 0, h = 0;
  if (!DecodeJpegPixels(bytes, rgb, w, h, denominator) || !GraphicSizeAllowed(w, h)) return false;
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    const uint8_t* s = rgb.data() + size_t(y) * size_t(w) * 3;
    uint32_t* dst = b.ScanLine(y);
    for (int x = 0; x < w; ++x, s += 3) dst[x] = 0xFF000000u | (uint32_t(s[0]) << 16) | (uint32_t(s[1]) << 8) | s[2];
  }
  out.Assign(&b);
  return true;
}

TBuiltinPictureBackend& Builtin() {
  static TBuiltinPictureBackend b;
  return b;
}
IPictureBackend*& Installed() {
  static IPictureBackend* b = nullptr;
  return b;
}

}  // namespace

TPictureFormat SniffPictureFormat(const std::string& d) {
  if (d.size() >= 2 && d[0] == 'B' && d[1] == 'M') return TPictureFormat::Bmp;
  if (d.size() >= 6 && d.compare(0, 4, std::string("\0\0\1\0", 4)) == 0) return TPictureFormat::Ico;
  if (d.size() >= 6 && (d.compare(0, 6, "GIF87a") == 0 || d.compare(0, 6, "GIF89a") == 0)) return TPictureFormat::Gif;
  if (d.size() >= 3 && uint8_t(d[0]) == 0xFF && uint8_t(d[1]) == 0xD8 && uint8_t(d[2]) == 0xFF)
    return TPictureFormat::Jpeg;
  if (d.size() >= 8 && d.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) return TPictureFormat::Png;
  if (LooksLikeEmf(d)) return TPictureFormat::Emf;
  if (LooksLikeWmf(d)) return TPictureFormat::Wmf;
  return TPictureFormat::Unknown;
}

namespace {

// The format and the sides as the header states them, unchecked.
bool ParseHeader(const std::string& d, TPictureFormat& format, int64_t& w, int64_t& ht) {
  format = SniffPictureFormat(d);
  w = 0;
  ht = 0;
  switch (format) {
    case TPictureFormat::Bmp: {
      if (d.size() < 26) return false;
      uint32_t hsize = Le32(d, 14);
      if (hsize == 12) {
        w = Le16(d, 18);
        ht = int16_t(Le16(d, 20));
      } else {
        w = int32_t(Le32(d, 18));
        ht = int32_t(Le32(d, 22));
      }
      if (ht < 0) ht = -ht;
      break;
    }
    case TPictureFormat::Ico:
      if (d.size() < 22 || Le16(d, 4) == 0) return false;
      w = uint8_t(d[6]) ? uint8_t(d[6]) : 256;
      ht = uint8_t(d[7]) ? uint8_t(d[7]) : 256;
      break;
    case TPictureFormat::Gif:
      if (d.size() < 10) return false;
      w = Le16(d, 6);
      ht = Le16(d, 8);
      break;
    case TPictureFormat::Png:
      if (d.size() < 24 || d.compare(12, 4, "IHDR") != 0) return false;
      w = Be32(d, 16);
      ht = Be32(d, 20);
      break;
    case TPictureFormat::Jpeg: {
      int jw = 0, jh = 0;
      if (!JpegSize(d, jw, jh)) return false;
      w = jw;
      ht = jh;
      break;
    }
    case TPictureFormat::Wmf: return ReadWmfSize(d, w, ht);
    case TPictureFormat::Emf: return ReadEmfSize(d, w, ht);
    case TPictureFormat::Unknown: return false;
  }
  return true;
}

bool StoreHeader(TPictureFormat format, int64_t w, int64_t h, TPictureHeader& out) {
  out.Format = format;
  out.Width = int(w);
  out.Height = int(h);
  return true;
}

}  // namespace

bool ReadPictureHeader(const std::string& d, TPictureHeader& out) {
  TPictureFormat format;
  int64_t w, h;
  return ParseHeader(d, format, w, h) && GraphicSizeAllowed(w, h) && StoreHeader(format, w, h, out);
}

bool ReadPictureDimensions(const std::string& d, TPictureHeader& out) {
  TPictureFormat format;
  int64_t w, h;
  return ParseHeader(d, format, w, h) && w > 0 && h > 0 && w <= INT32_MAX && h <= INT32_MAX &&
         StoreHeader(format, w, h, out);
}

bool ReadPictureFileDimensions(const std::string& fileName, TPictureHeader& out) {
  try {
    TFileStream file(fileName, fmOpenRead);
    // The header is near the start; a JPEG may put segments of up to 64 KB
    // each before its frame header, so the piece read grows until the
    // header is whole or the file ends.
    std::string head;
    for (int64_t want = 64 * 1024;; want *= 4) {
      const int64_t more = want - int64_t(head.size());
      const size_t had = head.size();
      head.resize(size_t(want));
      const int64_t got = file.Read(&head[had], more);
      head.resize(had + size_t(got > 0 ? got : 0));
      if (ReadPictureDimensions(head, out)) return true;
      // Only a JPEG's header may lie further on.
      int w = 0, h = 0;
      if (got < more || SniffPictureFormat(head) != TPictureFormat::Jpeg || JpegFrame(head, w, h) != TJpegScan::Short)
        return false;
    }
  } catch (const Exception&) {
    return false;
  }
}

bool PictureDataComplete(const std::string& d) {
  if (SniffPictureFormat(d) != TPictureFormat::Jpeg) return true;
  // The end-of-image marker, allowing for padding some writers add after it.
  const size_t tail = std::min<size_t>(d.size(), 4096);
  return d.find("\xFF\xD9", d.size() - tail) != std::string::npos;
}

std::vector<TGifImage> ScanGifImages(const std::string& d) {
  std::vector<TGifImage> images;
  if (SniffPictureFormat(d) != TPictureFormat::Gif || d.size() < 13) return images;
  size_t p = 13;
  uint8_t flags = uint8_t(d[10]);
  if (flags & 0x80) p += size_t(3) << ((flags & 7) + 1);
  // Skips the data sub-blocks at p; false when they run past the end.
  auto skipSubBlocks = [&](size_t& q) {
    for (;;) {
      if (q >= d.size()) return false;
      size_t n = uint8_t(d[q]);
      ++q;
      if (n == 0) return true;
      if (n > d.size() - q) return false;
      q += n;
    }
  };
  size_t control = 0;
  bool haveControl = false;
  while (p < d.size()) {
    uint8_t b = uint8_t(d[p]);
    if (b == 0x3B) break;
    if (b == 0x21) {
      if (p + 2 > d.size()) break;
      size_t start = p;
      bool isControl = uint8_t(d[p + 1]) == 0xF9;
      size_t q = p + 2;
      if (!skipSubBlocks(q)) break;
      if (isControl) {
        control = start;
        haveControl = true;
      } else {
        haveControl = false;
      }
      p = q;
      continue;
    }
    if (b != 0x2C || p + 10 > d.size()) break;
    TGifImage img;
    img.Descriptor = p;
    img.HasControl = haveControl;
    img.Start = haveControl ? control : p;
    img.Left = int(Le16(d, p + 1));
    img.Top = int(Le16(d, p + 3));
    img.Width = int(Le16(d, p + 5));
    img.Height = int(Le16(d, p + 7));
    uint8_t f = uint8_t(d[p + 9]);
    size_t q = p + 10;
    if (f & 0x80) q += size_t(3) << ((f & 7) + 1);
    if (q >= d.size()) break;
    ++q;  // LZW minimum code size
    if (!skipSubBlocks(q)) break;
    img.End = q;
    images.push_back(img);
    haveControl = false;
    p = q;
  }
  return images;
}

bool ReadGifFrameRect(const std::string& bytes, TRect& out) {
  std::vector<TGifImage> images = ScanGifImages(bytes);
  if (images.empty()) return false;
  const TGifImage& i = images.front();
  out = TRect(i.Left, i.Top, i.Left + i.Width, i.Top + i.Height);
  return true;
}

bool TBuiltinPictureBackend::Decode(const std::string& bytes, TPictureFormat format, TBitmap& out) {
  TStringStream s(bytes);
  switch (format) {
    case TPictureFormat::Bmp: {
      TBitmap b;
      b.LoadFromStream(&s);
      out.Assign(&b);
      return true;
    }
    case TPictureFormat::Ico: {
      TIcon icon;
      icon.LoadFromStream(&s);
      out.Assign(icon.Image());
      return true;
    }
    case TPictureFormat::Gif: return DecodeGif(bytes, out);
    case TPictureFormat::Jpeg: return DecodeJpeg(bytes, out);
    case TPictureFormat::Png: return DecodePng(bytes, out);
    case TPictureFormat::Wmf:
    case TPictureFormat::Emf: {
      TPictureHeader h;
      return ReadPictureHeader(bytes, h) && h.Format == format &&
             (format == TPictureFormat::Wmf ? RenderWmf : RenderEmf)(bytes, h.Width, h.Height, out);
    }
    case TPictureFormat::Unknown: return false;
  }
  return false;
}

bool IPictureBackend::DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height,
                                   TBitmap& out) {
  TBitmap full;
  if (!Decode(bytes, format, full) || full.Empty()) return false;
  ResampleBitmap(full, width, height, out);
  return true;
}

bool TBuiltinPictureBackend::DecodeScaled(const std::string& bytes, TPictureFormat format, int width, int height,
                                          TBitmap& out) {
  if (format == TPictureFormat::Wmf) return RenderWmf(bytes, width, height, out);
  if (format == TPictureFormat::Emf) return RenderEmf(bytes, width, height, out);
  TPictureHeader h;
  if (format != TPictureFormat::Jpeg || !ReadPictureDimensions(bytes, h))
    return IPictureBackend::DecodeScaled(bytes, format, width, height, out);
  // The smallest fraction that still gives at least the size wanted, or
  // failing that the one that fits the limit.
  auto side = [](int64_t n, unsigned d) { return (n + d - 1) / d; };
  unsigned d = 1;
  while (d < 8 && side(h.Width, d * 2) >= width && side(h.Height, d * 2) >= height) d *= 2;
  while (d < 8 && !GraphicSizeAllowed(side(h.Width, d), side(h.Height, d))) d *= 2;
  TBitmap decoded;
  if (!DecodeJpeg(bytes, decoded, d)) return false;
  if (decoded.Width() == width && decoded.Height() == height)
    out.Assign(&decoded);
  else
    ResampleBitmap(decoded, width, height, out);
  return true;
}

TSize FitPictureSize(int w, int h, int maxWidth, int maxHeight) {
  if (w <= maxWidth && h <= maxHeight) return TSize(w, h);
  // Whichever side is tighter sets the scale.
  if (int64_t(w) * maxHeight >= int64_t(h) * maxWidth)
    return TSize(maxWidth, int(std::max<int64_t>(1, (int64_t(h) * maxWidth + w / 2) / w)));
  return TSize(int(std::max<int64_t>(1, (int64_t(w) * maxHeight + h / 2) / h)), maxHeight);
}

bool ScaledDecodeAllowed(const TPictureHeader& h) {
  if (GraphicSizeAllowed(h.Width, h.Height)) return true;
  return h.Format == TPictureFormat::Jpeg &&
         GraphicSizeAllowed((int64_t(h.Width) + 7) / 8, (int64_t(h.Height) + 7) / 8);
}

bool DecodePictureScaled(const std::string& bytes, int maxWidth, int maxHeight, TBitmap& out) {
  TPictureHeader h;
  if (maxWidth < 1 || maxHeight < 1 || !ReadPictureDimensions(bytes, h)) return false;
  const TSize fit = FitPictureSize(h.Width, h.Height, maxWidth, maxHeight);
  if (fit.cx == h.Width && fit.cy == h.Height) {
    // The pixels may say another size than the header (an icon's directory
    // entry, say): what does not fit the box is shrunk into it.
    TBitmap own;
    if (!DecodePicture(bytes, own)) return false;
    const TSize inside = FitPictureSize(own.Width(), own.Height(), maxWidth, maxHeight);
    if (inside.cx == own.Width() && inside.cy == own.Height())
      out.SetHandle(own.ReleaseHandle());
    else
      ResampleBitmap(own, inside.cx, inside.cy, out);
    return true;
  }
  if (!ScaledDecodeAllowed(h)) return false;
  try {
    return PictureBackend().DecodeScaled(bytes, h.Format, fit.cx, fit.cy, out);
  } catch (const EInvalidGraphic&) {
    return false;
  }
}

void ResampleBitmap(TBitmap& source, int w, int h, TBitmap& out) {
  const int sw = source.Width(), sh = source.Height();
  TBitmap b(w, h);
  std::vector<uint64_t> sum(size_t(w) * 3);
  std::vector<uint32_t> count(static_cast<size_t>(w));
  // The source columns each target column covers: [x0[x], x0[x + 1]), at
  // least one.
  std::vector<int> x0(size_t(w) + 1);
  for (int x = 0; x <= w; ++x) x0[size_t(x)] = int(int64_t(x) * sw / w);
  for (int y = 0; y < h; ++y) {
    const int ya = int(int64_t(y) * sh / h);
    const int yb = std::max(ya + 1, int(int64_t(y + 1) * sh / h));
    std::fill(sum.begin(), sum.end(), 0);
    std::fill(count.begin(), count.end(), 0);
    for (int sy = ya; sy < yb; ++sy) {
      const uint32_t* row = source.ScanLine(sy);
      for (int x = 0; x < w; ++x) {
        const int xa = x0[size_t(x)], xb = std::max(xa + 1, x0[size_t(x) + 1]);
        for (int sx = xa; sx < xb; ++sx) {
          const uint32_t p = row[sx];
          sum[size_t(x) * 3] += (p >> 16) & 0xFF;
          sum[size_t(x) * 3 + 1] += (p >> 8) & 0xFF;
          sum[size_t(x) * 3 + 2] += p & 0xFF;
        }
        count[size_t(x)] += uint32_t(xb - xa);
      }
    }
    uint32_t* dst = b.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const uint64_t n = count[size_t(x)];
      auto avg = [&](int c) { return uint32_t((sum[size_t(x) * 3 + size_t(c)] + n / 2) / n); };
      dst[x] = 0xFF000000u | (avg(0) << 16) | (avg(1) << 8) | avg(2);
    }
  }
  out.Assign(&b);
}

uint32_t PixelOverWhite(int r, int g, int b, int a) {
  auto mix = [a](int c) { return uint32_t((c * a + 255 * (255 - a)) / 255); };
  return 0xFF000000u | (mix(r) << 16) | (mix(g) << 8) | mix(b);
}

void SetPictureBackend(IPictureBackend* backend) { Installed() = backend; }
IPictureBackend& PictureBackend() { return Installed() ? *Installed() : Builtin(); }

bool DecodePicture(const std::string& bytes, TBitmap& out) {
  TPictureHeader h;
  if (!ReadPictureHeader(bytes, h)) return false;
  try {
    return PictureBackend().Decode(bytes, h.Format, out);
  } catch (const EInvalidGraphic&) {
    return false;
  }
}
