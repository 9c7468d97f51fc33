#include "Metafiles.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "MetafilePlayers.h"
#include "platform/Modules.h"
#include "platform/PictureDecoder.h"

namespace {

uint32_t Le16(const std::string& d, size_t o) { return uint32_t(uint8_t(d[o])) | (uint32_t(uint8_t(d[o + 1])) << 8); }
uint32_t Le32(const std::string& d, size_t o) { return Le16(d, o) | (Le16(d, o + 2) << 16); }
int32_t I32(const std::string& d, size_t o) { return int32_t(Le32(d, o)); }
int16_t I16(const std::string& d, size_t o) { return int16_t(Le16(d, o)); }

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr uint32_t kEmfSignature = 0x464D4520u;  // " EMF"
constexpr size_t kEmfHeaderMin = 88;

// Pixels at 96 per inch from a length in units of `perInch`, rounded.
int64_t ToPixels(int64_t length, int64_t perInch) { return (length * 96 + perInch / 2) / perInch; }

bool PlainWmfHeaderAt(const std::string& d, size_t o) {
  if (d.size() < o + kWmfHeaderSize) return false;
  const uint32_t type = Le16(d, o), words = Le16(d, o + 2), version = Le16(d, o + 4);
  return (type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300);
}

bool Placeable(const std::string& d) { return d.size() >= 4 && Le32(d, 0) == kPlaceableKey; }

// Calls `each(offset, words, function)` for the records after the header
// until the end-of-file record; false when a record's size breaks the file
// (shorter than a record, or past its end) or the data ends first without
// one.
template <typename F>
bool WalkWmf(const std::string& d, F each) {
  size_t p = (Placeable(d) ? kPlaceableSize : 0) + kWmfHeaderSize;
  while (p + 6 <= d.size()) {
    const uint64_t words = Le32(d, p);
    const uint32_t function = Le16(d, p + 4);
    if (words < 3 || words * 2 > d.size() - p) return false;
    if (function == 0) return true;
    if (!each(p, words, function)) return true;
    p += size_t(words * 2);
  }
  return p == d.size();
}

// Calls `each(offset, type, size)` for the records after the header up to
// the end-of-file record; false when a record's size breaks the file.
template <typename F>
bool WalkEmf(const std::string& d, F each) {
  size_t p = Le32(d, 4);
  while (p + 8 <= d.size()) {
    const uint32_t type = Le32(d, p), size = Le32(d, p + 4);
    if (size < 8 || size % 4 != 0 || size > d.size() - p) return false;
    if (type == 14) return true;  // end of file
    if (type == 1) return false;  // a second header
    if (!each(p, type, size)) return true;
    p += size;
  }
  return false;
}

}  // namespace

bool LooksLikeWmf(const std::string& d) {
  return Placeable(d) ? PlainWmfHeaderAt(d, kPlaceableSize) : PlainWmfHeaderAt(d, 0);
}

bool LooksLikeEmf(const std::string& d) {
  return d.size() >= kEmfHeaderMin && Le32(d, 0) == 1 && Le32(d, 40) == kEmfSignature;
}

bool ReadWmfSize(const std::string& d, int64_t& width, int64_t& height) {
  if (!LooksLikeWmf(d)) return false;
  if (Placeable(d)) {
    const int64_t inch = Le16(d, 14);
    if (inch == 0) return false;
    width = ToPixels(std::abs(int64_t(I16(d, 10)) - I16(d, 6)), inch);
    height = ToPixels(std::abs(int64_t(I16(d, 12)) - I16(d, 8)), inch);
    return width > 0 && height > 0;
  }
  // A plain metafile says its size only by the window extent it sets; the
  // records before it are few and small.
  bool found = false;
  WalkWmf(d, [&](size_t p, uint64_t words, uint32_t function) {
    if (function != 0x020C || words < 5) return true;
    height = std::abs(int64_t(I16(d, p + 6)));
    width = std::abs(int64_t(I16(d, p + 8)));
    found = true;
    return false;
  });
  return found && width > 0 && height > 0;
}

bool ReadEmfSize(const std::string& d, int64_t& width, int64_t& height) {
  if (!LooksLikeEmf(d)) return false;
  // The frame is inclusive, in 0.01 mm.
  width = ToPixels(std::abs(int64_t(I32(d, 32)) - I32(d, 24)), 2540);
  height = ToPixels(std::abs(int64_t(I32(d, 36)) - I32(d, 28)), 2540);
  return width > 0 && height > 0;
}

// ---- Drawing: the record check, the cost of drawing, the players ----
namespace {

// The players' entry points, from their module (null when it is missing:
// then no metafile passes the check or draws).
template <typename T>
T Player(const char* module, const char* name) {
  return reinterpret_cast<T>(ModuleSymbol(module, name));
}

bool EmfRecordSafe(const char* record) {
  static const TBqsEmfRecordSafe safe = Player<TBqsEmfRecordSafe>(kEmfModule, "BqsEmfRecordSafe");
  return safe && safe(record) != 0;
}

// What drawing a metafile may cost, in records: every record counts once,
// and a text record once more for each of its characters. A record can
// cover the whole picture, so drawing costs up to this many times its
// pixels; -1 for records that break the file's structure (the players are
// handed only files whose records all check out).
int64_t WmfDrawingUnits(const std::string& d) {
  if (!LooksLikeWmf(d)) return -1;
  int64_t units = 0;
  const bool ok = WalkWmf(d, [&](size_t p, uint64_t words, uint32_t function) {
    ++units;
    if (function == 0x0521 && words >= 4) units += Le16(d, p + 6);   // TextOut: its count
    if (function == 0x0A32 && words >= 7) units += Le16(d, p + 10);  // ExtTextOut: its count
    return true;
  });
  return ok ? units : -1;
}

// Whether the header's own parts (its description, its pixel format) lie
// inside it, and the record is one libUEMF finds safe to read.
bool EmfHeaderSafe(const std::string& d) {
  const uint64_t size = Le32(d, 4);
  if (size < kEmfHeaderMin || size % 4 != 0 || size > d.size()) return false;
  const uint64_t chars = Le32(d, 60), description = Le32(d, 64);
  if (chars != 0 && (description < kEmfHeaderMin || description + chars * 2 > size)) return false;
  if (size >= 100) {
    const uint64_t formatSize = Le32(d, 88), format = Le32(d, 92);
    if (formatSize != 0 && (format < kEmfHeaderMin || format + formatSize > size)) return false;
  }
  return EmfRecordSafe(d.data());
}

int64_t EmfDrawingUnits(const std::string& d) {
  if (!LooksLikeEmf(d) || !EmfHeaderSafe(d)) return -1;
  int64_t units = 0;
  bool safe = true;
  const bool ok = WalkEmf(d, [&](size_t p, uint32_t type, uint32_t size) {
    // Every record's counts and offsets stay inside it.
    if (!EmfRecordSafe(d.data() + p)) return safe = false;
    ++units;
    if ((type == 83 || type == 84) && size >= 48) units += Le32(d, p + 44);  // ExtTextOut A and W: characters
    if (type == 70) units += size / 12;  // a comment may hold EMF+ records of 12 bytes and more
    return true;
  });
  return ok && safe ? units : -1;
}

// Pixel-records a metafile may take to draw: about a second's filling.
constexpr double kDrawingBudget = double(int64_t(1) << 31);

// The size to draw at: the size asked for, or a smaller one of the same
// shape when drawing that many records over that many pixels would take
// too long; the caller then stretches the picture to the size asked for.
TSize DrawingSize(int width, int height, int64_t units) {
  const double cost = double(units) * double(width) * double(height);
  if (cost <= kDrawingBudget) return TSize(width, height);
  const double scale = std::sqrt(kDrawingBudget / cost);
  return TSize(std::max(1, int(width * scale)), std::max(1, int(height * scale)));
}

// Draws through `draw` at DrawingSize and stretches the result to
// width x height where it was drawn smaller.
template <typename F>
bool DrawWithinBudget(int width, int height, int64_t units, TBitmap& out, F draw) {
  if (units < 0 || width < 1 || height < 1 || !GraphicSizeAllowed(width, height)) return false;
  const TSize size = DrawingSize(width, height, units);
  TBitmap drawn;
  if (!draw(size.cx, size.cy, drawn) || drawn.Width() != size.cx || drawn.Height() != size.cy) return false;
  if (size.cx == width && size.cy == height)
    out.SetHandle(drawn.ReleaseHandle());
  else
    ResampleBitmap(drawn, width, height, out);
  return true;
}

// The player's drawing into a bitmap of its own.
bool Draw(const char* module, const char* player, std::string& data, int width, int height, TBitmap& out) {
  const auto draw = Player<TBqsDrawMetafile>(module, player);
  if (!draw) return false;
  TBitmap b(width, height);
  if (!draw(&data[0], data.size(), width, height, b.ScanLine(0))) return false;
  out.SetHandle(b.ReleaseHandle());
  return true;
}

// ---- WMF: libwmf's player, writing SVG ----
bool PlayWmf(const std::string& bytes, int width, int height, TBitmap& out) {
  std::string data = bytes;  // the player reads from writable memory
  // The player takes a buffer of the header's largest record size before
  // reading a record: the header is made to say the largest there is.
  uint64_t largest = 3;
  WalkWmf(data, [&](size_t, uint64_t words, uint32_t) {
    largest = std::max(largest, words);
    return true;
  });
  const size_t header = Placeable(data) ? kPlaceableSize : 0;
  for (int i = 0; i < 4; ++i) data[header + 12 + size_t(i)] = char((largest >> (8 * i)) & 0xFF);
  return Draw(kWmfModule, "BqsDrawWmf", data, width, height, out);
}

// ---- EMF: libemf2svg's SVG ----
bool DrawEmf(const std::string& bytes, int width, int height, TBitmap& out) {
  std::string data = bytes;
  // The converter reads a description of no characters from its offset up
  // to a NUL, past the end of the file if need be: the copy has none.
  if (Le32(data, 60) == 0) std::memset(&data[64], 0, 4);
  return Draw(kEmfModule, "BqsDrawEmf", data, width, height, out);
}

}  // namespace

bool RenderWmf(const std::string& bytes, int width, int height, TBitmap& out) {
  return DrawWithinBudget(width, height, WmfDrawingUnits(bytes), out,
                          [&](int w, int h, TBitmap& drawn) { return PlayWmf(bytes, w, h, drawn); });
}

bool RenderEmf(const std::string& bytes, int width, int height, TBitmap& out) {
  return DrawWithinBudget(width, height, EmfDrawingUnits(bytes), out,
                          [&](int w, int h, TBitmap& drawn) { return DrawEmf(bytes, w, h, drawn); });
}
