// The metafile players' modules, each beside the executables and loaded
// when Metafiles.cpp first needs it: libbqs-wmf.so (WmfPlayer.cpp, libwmf)
// and libbqs-emf.so (EmfPlayer.cpp, libemf2svg and libUEMF), both drawing
// their SVG with librsvg (SvgPixels.cpp). Two modules, because libwmf and
// libUEMF export functions of the same names: each module's libraries see
// only their own. Plain C entry points, so that a module carries none of
// the toolkit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" {
// Whether libUEMF finds the EMF record at `record` safe to read (its counts
// and offsets inside it). BqsEmfRecordSafe in libbqs-emf.so.
using TBqsEmfRecordSafe = int (*)(const char* record);
// The metafile in `data` (a writable copy the player may change) drawn
// into `pixels`, width x height words 0xAARRGGBB, rows one after another,
// over opaque white; 0 when the player refuses the records. BqsDrawWmf in
// libbqs-wmf.so, BqsDrawEmf in libbqs-emf.so.
using TBqsDrawMetafile = int (*)(char* data, std::size_t size, int width, int height, std::uint32_t* pixels);
}

inline constexpr const char* kWmfModule = "libbqs-wmf.so";
inline constexpr const char* kEmfModule = "libbqs-emf.so";

// Inside the modules: the SVG drawn by librsvg into the pixels as above;
// false when librsvg refuses it.
bool DrawSvgPixels(const std::string& svg, int width, int height, std::uint32_t* pixels);
