// A hint picture from any bytes: load, count the frames, show frames 1 to
// 3 and draw; failures are exceptions of the picture, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "PictureStore.h"
#include "platform/SysUtils.h"
#include "platform/testing/FakeWidgetset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TFakeWidgetsetScope* ws = new TFakeWidgetsetScope;
  static TBitmap* canvas = new TBitmap(64, 64);
  THintPicture p;
  TStringStream s(std::string(reinterpret_cast<const char*>(data), size));
  try {
    p.LoadFromStream(&s);
  } catch (const Exception&) {}
  p.CountFrames();
  for (int frame = 1; frame <= 3; ++frame) {
    try {
      p.SetFrame(frame);
    } catch (const Exception&) {}
    canvas->Canvas()->Draw(p.FrameX(), p.FrameY(), &p);
  }
  (*ws)->ClearCalls();
  return 0;
}
