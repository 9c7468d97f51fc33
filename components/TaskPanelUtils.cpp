#include "TaskPanelUtils.h"

int LargerOf(int a, int b) { return a > b ? a : b; }

std::unique_ptr<TBitmap> InvertedGlyphCopy(TBitmap* bitmap) {
  auto copy = std::make_unique<TBitmap>();
  if (bitmap && !bitmap->Empty()) {
    copy->SetSize(bitmap->Width(), bitmap->Height());
    for (int y = 0; y < bitmap->Height(); ++y) {
      const uint32_t* from = bitmap->ScanLine(y);
      uint32_t* to = copy->ScanLine(y);
      for (int x = 0; x < bitmap->Width(); ++x) to[x] = (from[x] & 0xFF000000u) | (~from[x] & 0x00FFFFFFu);
    }
  }
  copy->SetTransparent(true);
  return copy;
}
