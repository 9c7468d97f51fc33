// The markup renderer on any text: never a crash, a hang or an error. The
// first byte picks WordWrap, Selected, BlinkOn and MeasureOnly; the rest is
// the markup, drawn into 300 x 200 with an image list of five, a picture
// store, a picture cache and two resources (a valid BMP, a broken GIF).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "MarkupHints.h"
#include "PictureStore.h"
#include "platform/Resources.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// A 4 x 4 24-bit BMP, and the start of a GIF.
std::string SmallBmp() {
  TBitmap b(4, 4);
  TStringStream s;
  b.SaveToStream(&s);
  return s.DataString();
}

struct TWorld {
  TFakeWidgetsetScope ws;
  TBitmap canvas{300, 200};
  TImageList images{nullptr};
  TPictureStore store{nullptr};
  TWorld() {
    TBitmap img(16, 16);
    for (int i = 0; i < 5; ++i) images.Add(&img, nullptr);
    RegisterResourceData("GOOD", SmallBmp());
    RegisterResourceData("BROKEN", std::string("GIF89a\x04\0\x04\0\x80\0\0", 13));
    TPictureItem* item = store.Items()->Add();
    item->SetName("logo");
    TStringStream s(SmallBmp());
    item->Picture()->LoadFromStream(&s);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TWorld* world = new TWorld;
  if (size == 0) return 0;
  THintPictureCache cache;
  TMarkupRequest q;
  q.Canvas = world->canvas.Canvas();
  q.Text.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  q.Rect = TRect(0, 0, 300, 200);
  q.WordWrap = data[0] & 1;
  q.Selected = data[0] & 2;
  q.BlinkOn = data[0] & 4;
  q.MeasureOnly = data[0] & 8;
  q.Images = &world->images;
  q.PictureStore = &world->store;
  q.PictureCache = &cache;
  q.FocusAnchor = 0;
  q.HitX = 20;
  q.HitY = 10;
  TMarkupResult r;
  RenderMarkup(q, r);
  world->ws->ClearCalls();
  if (r.YSize < 0 || r.XSize < 0) std::abort();
  return 0;
}
