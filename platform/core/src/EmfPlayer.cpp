// The EMF player's module: libemf2svg writes the metafile as SVG, its
// records checked by libUEMF first (see MetafilePlayers.h).
#include <cstdlib>
#include <cstring>
#include <string>

#include <emf2svg.h>
#include <uemf_safe.h>

#include "MetafilePlayers.h"

extern "C" {

__attribute__((visibility("default"))) int BqsEmfRecordSafe(const char* record) {
  return U_emf_record_safe(record) != 0;
}

__attribute__((visibility("default"))) int BqsDrawEmf(char* data, std::size_t size, int width, int height,
                                                      std::uint32_t* pixels) {
  generatorOptions options;
  std::memset(&options, 0, sizeof options);
  char prefix[] = "";
  options.nameSpace = prefix;
  options.svgDelimiter = true;
  options.emfplus = true;
  options.imgWidth = width;
  options.imgHeight = height;
  char* svg = nullptr;
  std::size_t svgLength = 0;
  const int ok = emf2svg(data, size, &svg, &svgLength, &options);
  const std::string text = svg ? std::string(svg, svgLength) : std::string();
  std::free(svg);
  return ok && !text.empty() && DrawSvgPixels(text, width, height, pixels);
}

}  // extern "C"
