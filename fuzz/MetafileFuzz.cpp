// A Windows metafile reader on any bytes: the header's size, the record
// check and the player, whole and fitted into a box. Built twice, as
// fuzz_wmf and fuzz_emf, with BQS_METAFILE_FORMAT the one format the
// target plays: other inputs are passed over, so each target's time goes
// to its own reader. Every failure is false; nothing past the pixel limit
// is allocated and nothing larger than the box comes out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/PictureDecoder.h"
#include "platform/testing/FakeWidgetset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFakeWidgetsetScope* ws = new TFakeWidgetsetScope;
  (void)ws;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TPictureFormat format = SniffPictureFormat(bytes);
  if (format != BQS_METAFILE_FORMAT) return 0;
  TPictureHeader h;
  if (ReadPictureHeader(bytes, h) && !GraphicSizeAllowed(h.Width, h.Height)) std::abort();
  if (ReadPictureDimensions(bytes, h) && (h.Width <= 0 || h.Height <= 0)) std::abort();
  TBitmap out;
  if (DecodePicture(bytes, out) && (out.Width() != h.Width || out.Height() != h.Height)) std::abort();
  TBitmap scaled;
  if (DecodePictureScaled(bytes, 64, 48, scaled) && (scaled.Width() > 64 || scaled.Height() > 48)) std::abort();
  return 0;
}
