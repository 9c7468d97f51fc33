// The flat menu painter: a coloured gutter for marks and images, a light
// background, a black-framed selection bar and drawn check and radio marks,
// for any menu or item it is attached to, through the items' owner-draw
// events.
//
// A painter unhooks the items it hooked when it is destroyed, so a menu
// that outlives its painter goes back to the system's drawing instead of
// calling into freed memory; items destroyed first are forgotten. The mark
// bitmaps and the work bitmap for disabled images are shared by every
// painter: made on first use and freed with the last painter.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>

#include "platform/Graphics.h"
#include "platform/Menus.h"

class TFlatMenuItemWatch;

// The colour as RGB, each channel c moved towards white:
// round(c + (255 - c) * percent / 100), halves to even, in integers. A
// colour that is neither RGB nor a system colour counts by its low 24 bits;
// percentages outside 0..100 are held to it so no channel leaves 0..255.
TColor LightenColor(TColor color, int percent);
// The three bytes of an RGB colour (its low 24 bits).
void SplitColorRGB(TColor color, uint8_t& r, uint8_t& g, uint8_t& b);
int MaxOf(int a, int b);

// Sets the points to black on a white 12 x 12 monochrome bitmap whose
// white is transparent.
struct TMarkPoint {
  int X;
  int Y;
};
void BuildMarkGlyph(TBitmap* bitmap, const TMarkPoint* points, int count);
// The check (18 points) and radio (24 points) marks.
extern const TMarkPoint CheckMarkPoints[18];
extern const TMarkPoint RadioMarkPoints[24];
// Sizes the monochrome work bitmap to the list's images, fills it white and
// draws the image into it with the list's default drawing.
void ImageToMonoBitmap(TBitmap* work, TImageList* images, int index);
// Copies the monochrome bitmap to (x, y) so that its dark pixels come out
// in clBtnShadow and the rest of the destination stays (ROP 0xE20746 with
// the brush clBtnShadow, white text and a black background).
void DrawMonoBitmap(TCanvas* canvas, int x, int y, TBitmap* bitmap);

class TFlatMenu : public TObject {
 public:
  TFlatMenu();
  ~TFlatMenu() override;
  TFlatMenu(const TFlatMenu&) = delete;
  TFlatMenu& operator=(const TFlatMenu&) = delete;
  const char* ClassName() const override { return "TFlatMenu"; }

  // The items' font (a copy of the system menu font at first).
  TFont* ItemFont;
  TColor GutterColor = clBtnFace;
  TColor BackgroundColor;
  TColor SelectColor;
  TColor CheckColor;
  int MinItemWidth = 0;
  int MinItemHeight = 18;

  // With a menu: hooks every item below its root, recursively, and turns
  // its owner drawing on; with an item: the item and every item below it.
  // Items added later are not hooked.
  void AttachMenu(TMenu* menu, TMenuItem* item);
  // SelectColor := color, CheckColor := LightenColor(color, 75).
  void SetSelectColor(TColor color);
  void SetItemFont(TFont* font);

  // The advanced draw-item and measure-item handlers.
  void PaintItem(TObject* sender, TCanvas* canvas, TRect rect, TOwnerDrawState state);
  void MeasureMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height);

  // Menu-bar items keep the system's measuring.
  void HookMenuItem(TMenuItem* item);
  void HookSubItems(TMenuItem* item);

  // The items hooked now (tests).
  const std::set<TMenuItem*>& HookedItems() const;

 private:
  std::unique_ptr<TFont> FItemFont;
  std::set<TMenuItem*> FHooked;
  std::map<TMenuItem*, std::unique_ptr<TFlatMenuItemWatch>> FWatches;
};

// A painter in the button face for both the gutter and the selection, as
// the browser windows draw their menus, attached to each of `menus`.
std::unique_ptr<TFlatMenu> PlainFlatMenu(std::initializer_list<TMenu*> menus);
