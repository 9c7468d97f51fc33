#include "platform/Cursors.h"

#include <algorithm>
#include <map>

#include "platform/SysUtils.h"

namespace {

struct TCursorResource {
  TBitmapResourcePainter Painter;
  TPoint HotSpot;
  HCURSOR Loaded = 0;
};

struct TCursorTables {
  std::map<std::string, TCursorResource> Resources;  // by upper-case name
  std::vector<TCursorImage> Images;                  // handle - kFirstProgramCursor
  std::map<TCursor, HCURSOR> Screen;
};

TCursorTables& Tables() {
  static TCursorTables* t = new TCursorTables();  // lives as long as the program
  return *t;
}

TCursorImage ImageOf(TBitmap& picture, TPoint hotSpot) {
  TCursorImage image;
  if (picture.Empty()) return image;
  image.Width = picture.Width();
  image.Height = picture.Height();
  image.HotSpot = hotSpot;
  const TColor clear = ColorToRGB(picture.Pixel(0, image.Height - 1));
  image.Pixels.reserve(size_t(image.Width) * size_t(image.Height));
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      TColor c = picture.Pixel(x, y);
      uint32_t rgb = (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
      image.Pixels.push_back(c == clear ? 0u : 0xFF000000u | rgb);
    }
  return image;
}

}  // namespace

void RegisterCursorResource(const std::string& name, TBitmapResourcePainter painter, TPoint hotSpot) {
  TCursorResource& r = Tables().Resources[UpperCase(name)];
  r.Painter = std::move(painter);
  r.HotSpot = hotSpot;
  r.Loaded = 0;
}

bool CursorResourceExists(const std::string& name) { return Tables().Resources.count(UpperCase(name)) != 0; }

HCURSOR LoadCursorResource(const std::string& name) {
  auto it = Tables().Resources.find(UpperCase(name));
  if (it == Tables().Resources.end() || !it->second.Painter) return 0;
  TCursorResource& r = it->second;
  if (r.Loaded) return r.Loaded;
  TBitmap picture;
  r.Painter(picture);
  r.Loaded = CreateProgramCursor(ImageOf(picture, r.HotSpot));
  return r.Loaded;
}

HCURSOR CreateProgramCursor(TCursorImage image) {
  if (image.Width <= 0 || image.Height <= 0 || image.Pixels.size() != size_t(image.Width) * size_t(image.Height))
    return 0;
  image.HotSpot.X = std::clamp(image.HotSpot.X, 0, image.Width - 1);
  image.HotSpot.Y = std::clamp(image.HotSpot.Y, 0, image.Height - 1);
  std::vector<TCursorImage>& images = Tables().Images;
  images.push_back(std::move(image));
  return kFirstProgramCursor + HCURSOR(images.size() - 1);
}

bool IsProgramCursor(HCURSOR cursor) { return ProgramCursorImage(cursor) != nullptr; }

const TCursorImage* ProgramCursorImage(HCURSOR cursor) {
  const std::vector<TCursorImage>& images = Tables().Images;
  if (cursor < kFirstProgramCursor || cursor - kFirstProgramCursor >= HCURSOR(images.size())) return nullptr;
  return &images[size_t(cursor - kFirstProgramCursor)];
}

HCURSOR ScreenCursorHandle(TCursor index) {
  const std::map<TCursor, HCURSOR>& screen = Tables().Screen;
  auto it = screen.find(index);
  return it == screen.end() ? 0 : it->second;
}

void SetScreenCursorHandle(TCursor index, HCURSOR cursor) {
  if (cursor)
    Tables().Screen[index] = cursor;
  else
    Tables().Screen.erase(index);
}
