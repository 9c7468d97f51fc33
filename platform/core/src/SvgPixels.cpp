// SVG drawn by librsvg on cairo into a caller's pixels (both metafile
// player modules; see MetafilePlayers.h).
#include "MetafilePlayers.h"

#include <algorithm>

#include <cairo.h>
#include <librsvg/rsvg.h>

// Cairo's 32-bit pixels are the caller's 0xAARRGGBB words.
bool DrawSvgPixels(const std::string& svg, int width, int height, std::uint32_t* pixels) {
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), gsize(svg.size()), &error);
  if (!handle) {
    if (error) g_error_free(error);
    return false;
  }
  const std::size_t count = std::size_t(width) * std::size_t(height);
  std::fill(pixels, pixels + count, 0xFFFFFFFFu);
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(pixels), CAIRO_FORMAT_RGB24, width, height, width * int(sizeof(std::uint32_t)));
  cairo_t* cr = cairo_create(surface);
  RsvgRectangle viewport{0, 0, double(width), double(height)};
  const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
  if (error) g_error_free(error);
  cairo_destroy(cr);
  g_object_unref(handle);
  cairo_surface_flush(surface);
  const bool ok = drawn && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  if (!ok) return false;
  // Drawn over opaque white: every pixel is opaque.
  for (std::size_t i = 0; i < count; ++i) pixels[i] |= 0xFF000000u;
  return true;
}
