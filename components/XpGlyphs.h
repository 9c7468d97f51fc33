// The speed button's glyph: its source picture, the image made from it per
// button state, and the image lists those images share across all buttons
// (one list per picture size, slots reused through a used-slot bit set).
//
// The process keeps one cache of lists. It is made on first use and freed
// with its last list, never at static destruction: image lists hold GDI
// objects, which must die under the widget set that made them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"

enum TButtonState : uint8_t { StateUp = 0, StateDisabled = 1, StateDown = 2, StateExclusive = 3 };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// An image list for one picture size with a bit set of used slots.
class TXpGlyphL : public TImageList {
 public:
  TXpGlyphL(int width, int height);
  const char* ClassName() const override { return "TXpGlyphL"; }
  // Puts the image (masked by the colour; clDefault: its bottom-left pixel)
  // into the first free slot, appending one when none is free.
  int AddImage(TBitmap* image, TColor maskColor);
  // Frees a used slot; its image stays in the list for reuse.
  void FreeSlot(int index);
  int UsedCount() const { return FCount; }

 private:
  std::vector<bool> FUsed;
  int FCount = 0;
};

// The process-wide list of shared image lists.
class TXpGlyphC {
 public:
  ~TXpGlyphC();
  // The list of that picture size, made when there is none yet.
  TXpGlyphL* ListFor(int width, int height);
  // Destroys a list none of whose slots is used (the cache itself goes
  // with its last list).
  void ReleaseList(TXpGlyphL* list);
  bool Empty() const { return FLists.empty(); }
  int ListCount() const { return int(FLists.size()); }

 private:
  std::vector<std::unique_ptr<TXpGlyphL>> FLists;
};

// The cache; null while no list exists.
TXpGlyphC* XpGlyphCache();

// Where the layout puts the glyph and the caption.
struct TXpGlyphLayout {
  TPoint GlyphPos;
  TRect TextBounds;
};

// One button's glyph.
class TXpBGlyph : public TObject {
 public:
  TXpBGlyph();
  ~TXpBGlyph() override;
  const char* ClassName() const override { return "TXpBGlyph"; }

  TBitmap* Glyph() const { return FOriginal.get(); }
  // Copies the bitmap; a bitmap whose width is a multiple of its height
  // holds width div height pictures (1 when that exceeds 4).
  void SetGlyph(TBitmap* bitmap);
  int NumGlyphs() const { return FNumGlyphs; }
  // 0 and below are ignored; above 4 becomes 4.
  void SetNumGlyphs(int n);
  TColor TransparentColor() const { return FTransparentColor; }
  // The picture size of one state (zero without a picture).
  TSize GlyphSize() const;

  // Gives back the four image slots and the list.
  void ReleaseImages();
  // The image of a state in the shared list, made on first need; -1
  // without a picture.
  int StateImageIndex(TButtonState state);
  TXpGlyphL* List() const { return FList; }

  TXpGlyphLayout LayoutGlyphAndText(TCanvas* canvas, const TRect& client, TPoint offset, const std::string& caption,
                                    TButtonLayout layout, int margin, int spacing, UINT biDiFlags);
  void PaintGlyph(TCanvas* canvas, TPoint pos, TButtonState state);
  void PaintCaption(TCanvas* canvas, const std::string& caption, TRect bounds, TButtonState state, UINT biDiFlags);
  // Layout, glyph, caption.
  TRect Draw(TCanvas* canvas, const TRect& client, TPoint offset, const std::string& caption, TButtonLayout layout,
             int margin, int spacing, TButtonState state, UINT biDiFlags);

  // Fired when the picture or NumGlyphs changed.
  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* sender);
  std::unique_ptr<TBitmap> FOriginal;
  TXpGlyphL* FList = nullptr;
  int FIndexes[4] = {-1, -1, -1, -1};
  TColor FTransparentColor = clOlive;
  int FNumGlyphs = 1;
};
