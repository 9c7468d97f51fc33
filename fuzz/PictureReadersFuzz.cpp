// The picture readers on any bytes: the toolkit's BMP and ICO readers, the
// header readers, the GIF block walk and the built-in decoders, whole and
// scaled. Every
// failure is EInvalidGraphic (or false); nothing past the pixel limit is
// allocated.
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
  {
    TStringStream s(bytes);
    TBitmap b;
    try {
      b.LoadFromStream(&s);
      if (!GraphicSizeAllowed(b.Width(), b.Height())) std::abort();
    } catch (const EInvalidGraphic&) {}
  }
  {
    TStringStream s(bytes);
    TIcon icon;
    try {
      icon.LoadFromStream(&s);
    } catch (const EInvalidGraphic&) {}
  }
  TPictureHeader h;
  if (ReadPictureHeader(bytes, h) && !GraphicSizeAllowed(h.Width, h.Height)) std::abort();
  for (const TGifImage& img : ScanGifImages(bytes))
    if (img.End > bytes.size() || img.Descriptor < img.Start) std::abort();
  TBitmap out;
  if (DecodePicture(bytes, out) && !GraphicSizeAllowed(out.Width(), out.Height())) std::abort();
  // The stated size, also past the limit, and a scaled decode that never
  // comes out larger than its box.
  if (ReadPictureDimensions(bytes, h) && (h.Width <= 0 || h.Height <= 0)) std::abort();
  TBitmap scaled;
  if (DecodePictureScaled(bytes, 64, 48, scaled) && (scaled.Width() > 64 || scaled.Height() > 48)) std::abort();
  (void)PictureDataComplete(bytes);
  return 0;
}
