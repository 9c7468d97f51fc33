// Small helpers of the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// A property failed: stop as a crash, so that the input is kept.
inline void Require(bool ok) {
  if (!ok) std::abort();
}

// Reads the input from the front: small numbers first, the rest as bytes.
class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
  // A number in [0, n); 0 when the input is used up.
  int Pick(int n) {
    if (FPos >= FSize || n <= 1) return 0;
    return FData[FPos++] % n;
  }
  // At most `max` bytes, as long as the next byte says.
  std::string Bytes(std::size_t max) {
    std::size_t n = static_cast<std::size_t>(Pick(static_cast<int>(max) + 1));
    n = std::min(n, FSize - FPos);
    std::string s(reinterpret_cast<const char*>(FData + FPos), n);
    FPos += n;
    return s;
  }
  // Every byte used.
  bool Empty() const { return FPos >= FSize; }
  std::string Rest() {
    std::string s(reinterpret_cast<const char*>(FData + FPos), FSize - FPos);
    FPos = FSize;
    return s;
  }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};
