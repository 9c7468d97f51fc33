#include "TestPictures.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

#include "platform/Classes.h"
#include "platform/Graphics.h"

namespace {
void U16(std::string& d, unsigned v) {
  d += char(v & 0xFF);
  d += char((v >> 8) & 0xFF);
}
void U32(std::string& d, uint32_t v) {
  U16(d, v & 0xFFFF);
  U16(d, v >> 16);
}
uint32_t ColorRef(TColor c) { return uint32_t(ColorToRGB(c)) & 0xFFFFFF; }
}  // namespace

std::string MakeBmp(int w, int h, TColor fill) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, fill);
  TStringStream s;
  b.SaveToStream(&s);
  return s.DataString();
}

std::string MakeIco(int w, int h, TColor fill) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, fill);
  TIcon icon;
  icon.Image()->Assign(&b);
  icon.Mask()->SetMonochrome(true);
  icon.Mask()->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) icon.Mask()->SetPixel(x, y, clBlack);
  TStringStream s;
  icon.SaveToStream(&s);
  return s.DataString();
}

std::string MakePng(int w, int h, TColor fill) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  img.width = png_uint_32(w);
  img.height = png_uint_32(h);
  img.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> px(size_t(w) * size_t(h) * 3);
  for (size_t i = 0; i < px.size(); i += 3) {
    px[i] = GetRValue(fill);
    px[i + 1] = GetGValue(fill);
    px[i + 2] = GetBValue(fill);
  }
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&img, nullptr, &size, 0, px.data(), 0, nullptr);
  std::string out(size, '\0');
  png_image_write_to_memory(&img, &out[0], &size, 0, px.data(), 0, nullptr);
  out.resize(size);
  return out;
}

std::string MakeJpeg(int w, int h, TColor fill) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &mem, &size);
  c.image_width = JDIMENSION(w);
  c.image_height = JDIMENSION(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(size_t(w) * 3);
  for (size_t i = 0; i < row.size(); i += 3) {
    row[i] = GetRValue(fill);
    row[i + 1] = GetGValue(fill);
    row[i + 2] = GetBValue(fill);
  }
  while (c.next_scanline < c.image_height) {
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<char*>(mem), size);
  jpeg_destroy_compress(&c);
  std::free(mem);
  return out;
}

std::string MakeGif(int screenW, int screenH, const std::vector<TGifFrameSpec>& frames, const std::string& comment) {
  std::string d = "GIF89a";
  U16(d, unsigned(screenW));
  U16(d, unsigned(screenH));
  d += char(0x81);  // global table of 4 colours
  d += char(0);
  d += char(0);
  d += std::string("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12);
  if (!comment.empty()) {
    d += "\x21\xFE";
    for (size_t i = 0; i < comment.size(); i += 255) {
      std::string part = comment.substr(i, 255);
      d += char(part.size());
      d += part;
    }
    d += char(0);
  }
  for (const TGifFrameSpec& f : frames) {
    d += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
    d += char(0x2C);
    U16(d, unsigned(f.Left));
    U16(d, unsigned(f.Top));
    U16(d, unsigned(f.Width));
    U16(d, unsigned(f.Height));
    d += char(0);
    // LZW with minimum code size 2 and 3-bit codes, a clear code before
    // every two pixels so the code size never grows.
    d += char(2);
    std::string bytes;
    uint32_t acc = 0;
    int bits = 0;
    auto put = [&](unsigned code) {
      acc |= code << bits;
      bits += 3;
      while (bits >= 8) {
        bytes += char(acc & 0xFF);
        acc >>= 8;
        bits -= 8;
      }
    };
    int n = f.Width * f.Height;
    for (int i = 0; i < n; ++i) {
      if (i % 2 == 0) put(4);
      put(unsigned(f.ColorIndex));
    }
    put(5);
    if (bits) bytes += char(acc & 0xFF);
    for (size_t i = 0; i < bytes.size(); i += 255) {
      std::string part = bytes.substr(i, 255);
      d += char(part.size());
      d += part;
    }
    d += char(0);
  }
  d += char(0x3B);
  return d;
}

std::string MakeWmf(int w, int h, TColor left, TColor right, bool placeable) {
  // Logical units: twips for the placeable file, pixels for the plain one.
  const int unit = placeable ? 15 : 1;
  const int lw = w * unit, lh = h * unit;
  std::string records;
  auto record = [&](unsigned function, std::initializer_list<unsigned> words) {
    U32(records, uint32_t(3 + words.size()));
    U16(records, function);
    for (unsigned v : words) U16(records, v);
  };
  record(0x020B, {0, 0});                        // SetWindowOrg
  record(0x020C, {unsigned(lh), unsigned(lw)});  // SetWindowExt
  record(0x02FA, {5, 0, 0, 0, 0});               // CreatePenIndirect, null pen
  record(0x012D, {0});                           // SelectObject
  const TColor colors[] = {left, right};
  for (int i = 0; i < 2; ++i) {
    const uint32_t c = ColorRef(colors[i]);
    record(0x02FC, {0, c & 0xFFFF, c >> 16, 0});  // CreateBrushIndirect, solid
    record(0x012D, {unsigned(1 + i)});            // SelectObject
    // Rectangle: bottom, right, top, left (one past the edges: no pen).
    record(0x041B, {unsigned(lh + unit), unsigned(lw + unit), 0, i ? unsigned(lw / 2) : 0u});
  }
  record(0x0000, {});  // end of file
  std::string d;
  if (placeable) {
    U32(d, 0x9AC6CDD7u);
    U16(d, 0);
    for (unsigned v : {0u, 0u, unsigned(lw), unsigned(lh)}) U16(d, v);
    U16(d, 1440);
    U32(d, 0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(uint8_t(d[i]) | (uint8_t(d[i + 1]) << 8));
    U16(d, sum);
  }
  U16(d, 1);       // in memory
  U16(d, 9);       // header words
  U16(d, 0x0300);  // version
  U32(d, uint32_t((18 + records.size()) / 2));
  U16(d, 3);  // objects
  U32(d, 8);  // largest record
  U16(d, 0);
  return d + records;
}

std::string MakeEmf(int w, int h, TColor left, TColor right) {
  std::string records;
  int count = 1;
  auto record = [&](uint32_t type, std::initializer_list<uint32_t> values) {
    U32(records, type);
    U32(records, uint32_t(8 + 4 * values.size()));
    for (uint32_t v : values) U32(records, v);
    ++count;
  };
  record(37, {0x80000008u});  // SelectObject: the stock null pen
  const TColor colors[] = {left, right};
  for (uint32_t i = 0; i < 2; ++i) {
    record(39, {1 + i, 0, ColorRef(colors[i]), 0});                               // CreateBrushIndirect
    record(37, {1 + i});                                                          // SelectObject
    record(43, {i ? uint32_t(w / 2) : 0u, 0, uint32_t(w + 1), uint32_t(h + 1)});  // Rectangle
  }
  record(14, {0, 16, 20});  // end of file
  std::string d;
  U32(d, 1);                                                                // header
  U32(d, 108);                                                              // its size
  for (uint32_t v : {0u, 0u, uint32_t(w - 1), uint32_t(h - 1)}) U32(d, v);  // bounds, pixels
  // The frame in 0.01 mm at 96 pixels per inch.
  for (uint32_t v : {0u, 0u, uint32_t((w * 2540 + 48) / 96), uint32_t((h * 2540 + 48) / 96)}) U32(d, v);
  U32(d, 0x464D4520u);  // " EMF"
  U32(d, 0x10000);
  U32(d, uint32_t(108 + records.size()));
  U32(d, uint32_t(count));
  U16(d, 3);  // handles
  U16(d, 0);
  for (uint32_t v : {0u, 0u, 0u}) U32(d, v);                    // description, palette
  for (uint32_t v : {960u, 960u, 254u, 254u}) U32(d, v);        // device: pixels and millimetres, 96 dpi
  for (uint32_t v : {0u, 0u, 0u, 254000u, 254000u}) U32(d, v);  // no pixel format, no OpenGL; micrometres
  return d + records;
}
