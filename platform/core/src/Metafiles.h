// The two Windows metafile formats inside the picture decoder: the size
// from the header, a check of the record structure, and drawing at a given
// size. Qt-free, so that every picture backend shows the same pixels.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Graphics.h"

// Whether the bytes start like a placeable or a plain WMF, or an EMF.
bool LooksLikeWmf(const std::string& bytes);
bool LooksLikeEmf(const std::string& bytes);
// The size in pixels at 96 per inch the header states: the placeable
// header's bounds in its units per inch, a plain WMF's window extent (its
// logical units taken as pixels, the default mapping), an EMF's frame in
// 0.01 mm. False for a cut header or a side of 0.
bool ReadWmfSize(const std::string& bytes, int64_t& width, int64_t& height);
bool ReadEmfSize(const std::string& bytes, int64_t& width, int64_t& height);
// The picture drawn into a width x height bitmap over white; false for
// records that break the file's structure or that the player refuses.
// The caller keeps the size within GraphicSizeAllowed.
bool RenderWmf(const std::string& bytes, int width, int height, TBitmap& out);
bool RenderEmf(const std::string& bytes, int width, int height, TBitmap& out);
