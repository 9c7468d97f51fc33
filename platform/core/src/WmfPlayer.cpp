// The WMF player's module: libwmf writes the metafile as SVG (see
// MetafilePlayers.h).
#include <cstring>
#include <string>

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include "MetafilePlayers.h"

namespace {

struct TWmfApi {
  wmfAPI* Api = nullptr;
  ~TWmfApi() {
    if (Api) wmf_api_destroy(Api);
  }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int BqsDrawWmf(char* data, std::size_t size, int width, int height,
                                                                 std::uint32_t* pixels) {
  wmfAPI_Options options;
  std::memset(&options, 0, sizeof options);
  options.function = wmf_svg_function;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
  TWmfApi api;
  if (wmf_api_create(&api.Api, flags, &options) != wmf_E_None) return 0;
  if (wmf_mem_open(api.Api, reinterpret_cast<unsigned char*>(data), long(size)) != wmf_E_None) return 0;
  wmfD_Rect bbox;
  if (wmf_scan(api.Api, 0, &bbox) != wmf_E_None) return 0;
  wmf_svg_t* device = WMF_SVG_GetData(api.Api);
  device->out = wmf_stream_create(api.Api, nullptr);  // into memory
  if (!device->out) return 0;
  device->width = unsigned(width);
  device->height = unsigned(height);
  device->bbox = bbox;
  device->flags |= WMF_SVG_INLINE_IMAGES;
  const bool played = wmf_play(api.Api, 0, &bbox) == wmf_E_None;
  char* svg = nullptr;
  unsigned long length = 0;
  wmf_stream_destroy(api.Api, device->out, &svg, &length);
  device->out = nullptr;
  // The buffer belongs to the player and goes with it.
  const std::string text = svg ? std::string(svg, length) : std::string();
  return played && !text.empty() && DrawSvgPixels(text, width, height, pixels);
}
