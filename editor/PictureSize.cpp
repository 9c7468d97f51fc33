#include "PictureSize.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <fstream>

#include "platform/SysUtils.h"

namespace {

// Reads the file piece by piece: only the headers are ever read.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // `count` bytes at `offset`, or false past the end.
  virtual bool Read(std::uint64_t offset, void* out, std::size_t count) = 0;
};

class TFileSource : public TByteSource {
 public:
  explicit TFileSource(const std::string& name) : FStream(SysFileName(name), std::ios::binary) {}
  bool Open() const { return FStream.is_open(); }
  bool Read(std::uint64_t offset, void* out, std::size_t count) override {
    FStream.clear();
    FStream.seekg(static_cast<std::streamoff>(offset));
    FStream.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
    return FStream.gcount() == static_cast<std::streamsize>(count);
  }

 private:
  std::ifstream FStream;
};

class TMemorySource : public TByteSource {
 public:
  explicit TMemorySource(const std::string& bytes) : FBytes(bytes) {}
  bool Read(std::uint64_t offset, void* out, std::size_t count) override {
    if (offset > FBytes.size() || FBytes.size() - offset < count) return false;
    std::memcpy(out, FBytes.data() + offset, count);
    return true;
  }

 private:
  const std::string& FBytes;
};

unsigned Be16(const unsigned char* p) { return unsigned(p[0]) << 8 | p[1]; }
std::uint32_t Be32(const unsigned char* p) { return std::uint32_t(Be16(p)) << 16 | Be16(p + 2); }
unsigned Le16(const unsigned char* p) { return unsigned(p[1]) << 8 | p[0]; }
std::int32_t Le32(const unsigned char* p) { return std::int32_t(std::uint32_t(Le16(p + 2)) << 16 | Le16(p)); }

bool Jpeg(TByteSource& in, TPictureSize& size) {
  // Segments after the start marker, up to the first frame header.
  std::uint64_t at = 2;
  for (;;) {
    unsigned char m[4];
    if (!in.Read(at, m, 4) || m[0] != 0xFF) return false;
    const unsigned marker = m[1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;
      continue;
    }
    const unsigned length = Be16(m + 2);
    if (length < 2) return false;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      unsigned char f[5];
      if (!in.Read(at + 4, f, 5)) return false;
      size.Height = static_cast<int>(Be16(f + 1));
      size.Width = static_cast<int>(Be16(f + 3));
      return size.Width > 0 && size.Height > 0;
    }
    if (marker == 0xD9 || marker == 0xDA) return false;  // no frame before the data
    at += 2 + length;
  }
}

bool ReadSize(TByteSource& in, TPictureSize& size) {
  size = TPictureSize();
  unsigned char h[26];
  if (!in.Read(0, h, 2)) return false;
  if (h[0] == 0xFF && h[1] == 0xD8) return Jpeg(in, size);
  if (in.Read(0, h, 10) && (std::memcmp(h, "GIF87a", 6) == 0 || std::memcmp(h, "GIF89a", 6) == 0)) {
    size.Width = static_cast<int>(Le16(h + 6));
    size.Height = static_cast<int>(Le16(h + 8));
    return size.Width > 0 && size.Height > 0;
  }
  if (!in.Read(0, h, sizeof h)) return false;
  if (std::memcmp(h, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(h + 12, "IHDR", 4) == 0) {
    const std::uint32_t w = Be32(h + 16), hh = Be32(h + 20);
    if (w == 0 || hh == 0 || w > 0x7FFFFFFF || hh > 0x7FFFFFFF) return false;
    size.Width = static_cast<int>(w);
    size.Height = static_cast<int>(hh);
    return true;
  }
  if (h[0] == 'B' && h[1] == 'M') {
    const std::int32_t w = Le32(h + 18), hh = Le32(h + 22);
    if (w <= 0 || hh == 0 || hh == INT32_MIN) return false;
    size.Width = w;
    size.Height = hh < 0 ? -hh : hh;  // negative: stored top-down
    return true;
  }
  return false;
}

}  // namespace

bool ReadPictureSize(const std::string& fileName, TPictureSize& size) {
  TFileSource in(fileName);
  size = TPictureSize();
  return in.Open() && ReadSize(in, size);
}

bool ReadPictureSizeFromBytes(const std::string& bytes, TPictureSize& size) {
  TMemorySource in(bytes);
  return ReadSize(in, size);
}

bool PictureLooksComplete(const std::string& fileName) {
  std::ifstream in(SysFileName(fileName), std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff length = in.tellg();
  char start[2] = {};
  in.seekg(0);
  if (!in.read(start, 2) || start[0] != '\xFF' || start[1] != '\xD8') return true;
  // The end-of-image marker, allowing for padding some writers add after it.
  const std::streamoff tail = std::min<std::streamoff>(length, 4096);
  std::string bytes(static_cast<std::size_t>(tail), '\0');
  in.seekg(length - tail);
  in.read(&bytes[0], tail);
  return bytes.find("\xFF\xD9") != std::string::npos;
}
