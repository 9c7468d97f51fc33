#include "XpGlyphs.h"

#include <algorithm>

namespace {

TXpGlyphC* gCache = nullptr;

TXpGlyphC& Cache() {
  if (!gCache) gCache = new TXpGlyphC;
  return *gCache;
}

}  // namespace

TXpGlyphC* XpGlyphCache() { return gCache; }

// ---- TXpGlyphL ----

TXpGlyphL::TXpGlyphL(int width, int height) : TImageList(nullptr) {
  SetWidth(width);
  SetHeight(height);
}

int TXpGlyphL::AddImage(TBitmap* image, TColor maskColor) {
  TColor transparent = maskColor == clDefault ? image->TransparentColor() : maskColor;
  TBitmap mask;
  mask.SetHandle(image->MakeMask(transparent));
  auto free = std::find(FUsed.begin(), FUsed.end(), false);
  int index;
  if (free == FUsed.end()) {
    index = Add(image, &mask);
    if (index < 0) return -1;
    FUsed.resize(size_t(Count()), false);
  } else {
    index = int(free - FUsed.begin());
    Replace(index, image, &mask);
  }
  FUsed[size_t(index)] = true;
  ++FCount;
  return index;
}

void TXpGlyphL::FreeSlot(int index) {
  if (index < 0 || size_t(index) >= FUsed.size() || !FUsed[size_t(index)]) return;
  FUsed[size_t(index)] = false;
  --FCount;
}

// ---- TXpGlyphC ----

TXpGlyphC::~TXpGlyphC() = default;

TXpGlyphL* TXpGlyphC::ListFor(int width, int height) {
  for (auto it = FLists.rbegin(); it != FLists.rend(); ++it)
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  FLists.push_back(std::make_unique<TXpGlyphL>(width, height));
  return FLists.back().get();
}

void TXpGlyphC::ReleaseList(TXpGlyphL* list) {
  if (!list || list->UsedCount() != 0) return;
  FLists.erase(std::remove_if(FLists.begin(), FLists.end(), [list](const auto& l) { return l.get() == list; }),
               FLists.end());
  if (FLists.empty() && this == gCache) {
    gCache = nullptr;
    delete this;
  }
}

// ---- TXpBGlyph ----

TXpBGlyph::TXpBGlyph() : FOriginal(new TBitmap) {
  FOriginal->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

TXpBGlyph::~TXpBGlyph() {
  FOriginal->OnChange = nullptr;
  ReleaseImages();
}

void TXpBGlyph::GlyphChanged(TObject* sender) {
  if (sender == FOriginal.get()) FTransparentColor = FOriginal->TransparentColor();
  ReleaseImages();
  if (OnChange) OnChange(this);
}

void TXpBGlyph::SetGlyph(TBitmap* bitmap) {
  ReleaseImages();
  FOriginal->Assign(bitmap);
  if (bitmap && bitmap->Height() > 0) {
    FTransparentColor = bitmap->TransparentColor();
    if (bitmap->Width() % bitmap->Height() == 0) {
      int n = bitmap->Width() / bitmap->Height();
      SetNumGlyphs(n > 4 ? 1 : n);
    }
  }
}

void TXpBGlyph::SetNumGlyphs(int n) {
  if (n <= 0) return;
  n = std::min(n, 4);
  if (n == FNumGlyphs) return;
  ReleaseImages();
  FNumGlyphs = n;
  GlyphChanged(this);
}

TSize TXpBGlyph::GlyphSize() const {
  if (FOriginal->Empty()) return TSize(0, 0);
  return TSize(FOriginal->Width() / FNumGlyphs, FOriginal->Height());
}

void TXpBGlyph::ReleaseImages() {
  for (int& index : FIndexes) {
    if (index >= 0 && FList) FList->FreeSlot(index);
    index = -1;
  }
  if (FList) {
    TXpGlyphL* list = FList;
    FList = nullptr;
    if (gCache) gCache->ReleaseList(list);
  }
}

int TXpBGlyph::StateImageIndex(TButtonState state) {
  if (state == StateDown && FNumGlyphs < 3) state = StateUp;
  int& slot = FIndexes[state];
  if (slot >= 0) return slot;
  TSize size = GlyphSize();
  if (size.cx <= 0 || size.cy <= 0) return -1;
  if (!FList) FList = Cache().ListFor(size.cx, size.cy);
  // Every state shows the first picture; the states differ by the face,
  // the offset and the disabled drawing.
  TBitmap image(size.cx, size.cy);
  TCanvas* c = image.Canvas();
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(TRect(0, 0, size.cx, size.cy));
  c->CopyRect(TRect(0, 0, size.cx, size.cy), FOriginal->Canvas(), TRect(0, 0, size.cx, size.cy));
  slot = FList->AddImage(&image, FOriginal->TransparentMode() == tmFixed ? FTransparentColor : clDefault);
  FOriginal->Dormant();
  return slot;
}

TXpGlyphLayout TXpBGlyph::LayoutGlyphAndText(TCanvas* canvas, const TRect& client, TPoint offset,
                                             const std::string& caption, TButtonLayout layout, int margin, int spacing,
                                             UINT biDiFlags) {
  if (biDiFlags & DT_RIGHT) {
    if (layout == blGlyphLeft)
      layout = blGlyphRight;
    else if (layout == blGlyphRight)
      layout = blGlyphLeft;
  }
  TPoint s(client.Width(), client.Height());
  TSize gs = GlyphSize();
  TPoint g(gs.cx, gs.cy);
  TPoint t(0, 0);
  if (!caption.empty()) {
    TRect bounds(0, 0, client.Width(), 0);
    canvas->DrawText(bounds, caption, DT_CALCRECT | biDiFlags);
    t = TPoint(bounds.Width(), bounds.Height());
  }
  bool across = layout == blGlyphLeft || layout == blGlyphRight;
  // The axis the layout runs along (a) and the one it centres on (c).
  auto along = [across](TPoint& p) -> int& { return across ? p.X : p.Y; };
  auto centre = [across](TPoint& p) -> int& { return across ? p.Y : p.X; };
  TPoint glyphPos, textPos;
  centre(glyphPos) = (centre(s) - centre(g) + 1) / 2;
  centre(textPos) = (centre(s) - centre(t) + 1) / 2;
  if (t.X == 0 || g.X == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (along(s) - (along(g) + along(t))) / 3;
      spacing = margin;
    } else {
      margin = (along(s) - (along(g) + spacing + along(t)) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = ((along(s) - (margin + along(g))) - along(t)) / 2;
  }
  if (layout == blGlyphLeft || layout == blGlyphTop) {
    along(glyphPos) = margin;
    along(textPos) = along(glyphPos) + along(g) + spacing;
  } else {
    along(glyphPos) = along(s) - margin - along(g);
    along(textPos) = along(glyphPos) - spacing - along(t);
  }
  TXpGlyphLayout out;
  out.GlyphPos = TPoint(glyphPos.X + client.Left + offset.X, glyphPos.Y + client.Top + offset.Y);
  // The caption stays in place when the button is pressed; the glyph moves.
  int tx = textPos.X + client.Left, ty = textPos.Y + client.Top;
  out.TextBounds = TRect(tx, ty, tx + t.X, ty + t.Y);
  return out;
}

void TXpBGlyph::PaintGlyph(TCanvas* canvas, TPoint pos, TButtonState state) {
  TSize size = GlyphSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  int index = StateImageIndex(state);
  if (index < 0 || !FList) return;
  FList->Draw(canvas, pos.X, pos.Y, index, state != StateDisabled);
}

void TXpBGlyph::PaintCaption(TCanvas* canvas, const std::string& caption, TRect bounds, TButtonState state,
                             UINT biDiFlags) {
  if (caption.empty()) return;
  canvas->Brush()->SetStyle(bsClear);
  UINT flags = DT_CENTER | DT_VCENTER | biDiFlags;
  if (state == StateDisabled) {
    TRect raised = bounds;
    OffsetRect(raised, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(raised, caption, flags);
    canvas->Font()->SetColor(clBtnShadow);
  }
  canvas->DrawText(bounds, caption, flags);
}

TRect TXpBGlyph::Draw(TCanvas* canvas, const TRect& client, TPoint offset, const std::string& caption,
                      TButtonLayout layout, int margin, int spacing, TButtonState state, UINT biDiFlags) {
  TXpGlyphLayout at = LayoutGlyphAndText(canvas, client, offset, caption, layout, margin, spacing, biDiFlags);
  PaintGlyph(canvas, at.GlyphPos, state);
  PaintCaption(canvas, caption, at.TextBounds, state, biDiFlags);
  return at.TextBounds;
}
