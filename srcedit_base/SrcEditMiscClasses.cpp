#include "SrcEditMiscClasses.h"

#include <algorithm>
#include <mutex>

#include "platform/Resources.h"

// --- TSrcSelectedColor ----------------------------------------------------------
void TSrcSelectedColor::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcSelectedColor*>(source);
  if (src == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  FBG = src->FBG;
  FFG = src->FFG;
  if (OnChange) OnChange(this);
}

void TSrcSelectedColor::SetBackground(TColor value) {
  if (FBG != value) {
    FBG = value;
    if (OnChange) OnChange(this);
  }
}

void TSrcSelectedColor::SetForeground(TColor value) {
  if (FFG != value) {
    FFG = value;
    if (OnChange) OnChange(this);
  }
}

// --- TSrcGutter -------------------------------------------------------------------
TSrcGutter::TSrcGutter() : FFont(new TFont()) {
  FFont->SetName("Courier New");
  FFont->SetSize(8);
  FFont->SetStyle(TFontStyles());
  FFont->OnChange = [this](TObject* sender) { FontChanged(sender); };
}

TSrcGutter::~TSrcGutter() { delete FFont; }

void TSrcGutter::Changed() {
  if (OnChange) OnChange(this);
}

void TSrcGutter::FontChanged(TObject*) { Changed(); }

void TSrcGutter::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcGutter*>(source);
  if (src == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  // One change event for the whole copy, the font's included.
  TNotifyEvent fontHandler = std::move(FFont->OnChange);
  FFont->OnChange = nullptr;
  try {
    FFont->Assign(src->FFont);
  } catch (...) {
    FFont->OnChange = std::move(fontHandler);
    throw;
  }
  FFont->OnChange = std::move(fontHandler);
  FUseFontStyle = src->FUseFontStyle;
  FColor = src->FColor;
  FVisible = src->FVisible;
  FWidth = src->FWidth;
  FShowLineNumbers = src->FShowLineNumbers;
  FLeadingZeros = src->FLeadingZeros;
  FZeroStart = src->FZeroStart;
  FLeftOffset = src->FLeftOffset;
  FDigitCount = src->FDigitCount;
  FRightOffset = src->FRightOffset;
  FAutoSize = src->FAutoSize;
  FAutoSizeDigitCount = src->FAutoSizeDigitCount;
  FLineNumberStart = src->FLineNumberStart;
  Changed();
}

namespace {

// Stores a property value; true when it differs from the one held.
template <typename T>
bool StoreChanged(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

int DecimalDigits(std::int64_t n) {
  int digits = 1;
  if (n < 0) n = -n;
  while (n >= 10) {
    n /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

void TSrcGutter::AutoSizeDigitCount(int linesCount) {
  if (FVisible && FAutoSize && FShowLineNumbers) {
    std::int64_t last = linesCount;
    if (FZeroStart)
      last = static_cast<std::int64_t>(linesCount) - 1;
    else if (FLineNumberStart > 1)
      last = static_cast<std::int64_t>(linesCount) + FLineNumberStart - 1;
    const int digits = std::max(DecimalDigits(last), FDigitCount);
    if (digits != FAutoSizeDigitCount) {
      FAutoSizeDigitCount = digits;
      Changed();
    }
  } else {
    FAutoSizeDigitCount = FDigitCount;
  }
}

std::string TSrcGutter::FormatLineNumber(int line) const {
  std::int64_t shown = line;
  if (FZeroStart)
    shown = static_cast<std::int64_t>(line) - 1;
  else if (FLineNumberStart > 1)
    shown = static_cast<std::int64_t>(line) + FLineNumberStart - 1;
  std::string s = IntToStr(shown);
  const int pad = FAutoSizeDigitCount - static_cast<int>(s.size());
  if (pad > 0) s.insert(0, static_cast<std::size_t>(pad), FLeadingZeros ? '0' : ' ');
  return s;
}

int TSrcGutter::RealGutterWidth(int charWidth) const {
  if (!FVisible) return 0;
  if (FShowLineNumbers) return FLeftOffset + FRightOffset + charWidth * FAutoSizeDigitCount + 2;
  return FWidth;
}

void TSrcGutter::SetAutoSize(bool value) {
  if (StoreChanged(FAutoSize, value)) Changed();
}

void TSrcGutter::SetBorderStyle(TSrcGutterBorderStyle value) {
  FBorderStyle = value;
  Changed();
}

void TSrcGutter::SetColor(TColor value) {
  if (StoreChanged(FColor, value)) Changed();
}

void TSrcGutter::SetBorderColor(TColor value) {
  if (StoreChanged(FBorderColor, value)) Changed();
}

void TSrcGutter::SetDigitCount(int value) {
  value = std::min(std::max(value, 2), 12);
  if (FDigitCount != value) {
    FDigitCount = value;
    FAutoSizeDigitCount = FDigitCount;
    Changed();
  }
}

void TSrcGutter::SetFont(TFont* value) { FFont->Assign(value); }

void TSrcGutter::SetLeadingZeros(bool value) {
  if (StoreChanged(FLeadingZeros, value)) Changed();
}

void TSrcGutter::SetLeftOffset(int value) {
  value = std::max(value, 0);
  if (StoreChanged(FLeftOffset, value)) Changed();
}

void TSrcGutter::SetRightOffset(int value) {
  value = std::max(value, 0);
  if (StoreChanged(FRightOffset, value)) Changed();
}

void TSrcGutter::SetShowLineNumbers(bool value) {
  if (StoreChanged(FShowLineNumbers, value)) Changed();
}

void TSrcGutter::SetUseFontStyle(bool value) {
  if (StoreChanged(FUseFontStyle, value)) Changed();
}

void TSrcGutter::SetVisible(bool value) {
  if (StoreChanged(FVisible, value)) Changed();
}

void TSrcGutter::SetWidth(int value) {
  value = std::max(value, 0);
  if (StoreChanged(FWidth, value)) Changed();
}

void TSrcGutter::SetZeroStart(bool value) {
  if (StoreChanged(FZeroStart, value)) Changed();
}

void TSrcGutter::SetLineNumberStart(int value) {
  value = std::max(value, 0);
  if (FLineNumberStart != value) {
    FLineNumberStart = value;
    FZeroStart = value == 0;
    Changed();
  }
}

void TSrcGutter::SetGradient(bool value) {
  if (StoreChanged(FGradient, value)) Changed();
}

void TSrcGutter::SetGradientStartColor(TColor value) {
  if (StoreChanged(FGradientStartColor, value)) Changed();
}

void TSrcGutter::SetGradientEndColor(TColor value) {
  if (StoreChanged(FGradientEndColor, value)) Changed();
}

void TSrcGutter::SetGradientSteps(int value) {
  value = std::max(value, 2);
  if (StoreChanged(FGradientSteps, value)) Changed();
}

// --- TSrcBookMarkOpt --------------------------------------------------------------
TSrcBookMarkOpt::TSrcBookMarkOpt(TComponent* owner) : FOwner(owner) {}

void TSrcBookMarkOpt::Changed() {
  if (OnChange) OnChange(this);
}

void TSrcBookMarkOpt::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcBookMarkOpt*>(source);
  if (src == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  FBookmarkImages = src->FBookmarkImages;
  if (FBookmarkImages != nullptr && FOwner != nullptr) FBookmarkImages->FreeNotification(FOwner);
  FDrawBookmarksFirst = src->FDrawBookmarksFirst;
  FEnableKeys = src->FEnableKeys;
  FGlyphsVisible = src->FGlyphsVisible;
  FLeftMargin = src->FLeftMargin;
  FXoffset = src->FXoffset;
  Changed();
}

void TSrcBookMarkOpt::SetBookmarkImages(TImageList* value) {
  if (FBookmarkImages != value) {
    FBookmarkImages = value;
    if (FBookmarkImages != nullptr && FOwner != nullptr) FBookmarkImages->FreeNotification(FOwner);
    Changed();
  }
}

void TSrcBookMarkOpt::SetDrawBookmarksFirst(bool value) {
  if (StoreChanged(FDrawBookmarksFirst, value)) Changed();
}

void TSrcBookMarkOpt::SetGlyphsVisible(bool value) {
  if (StoreChanged(FGlyphsVisible, value)) Changed();
}

void TSrcBookMarkOpt::SetLeftMargin(int value) {
  if (StoreChanged(FLeftMargin, value)) Changed();
}

void TSrcBookMarkOpt::SetXoffset(int value) {
  if (StoreChanged(FXoffset, value)) Changed();
}

// --- fitting a picture into a line ---------------------------------------------------
namespace {

// Where a picture `height` tall goes in a line `lineHeight` tall drawn at
// `y`: the middle slice of the line's height when the line is lower,
// otherwise the whole picture centred.
void FitToLine(int height, int y, int lineHeight, int& srcTop, int& drawHeight, int& destY) {
  if (lineHeight < height) {
    srcTop = (height - lineHeight) / 2;
    drawHeight = lineHeight;
    destY = y;
  } else {
    srcTop = 0;
    drawHeight = height;
    destY = y + (lineHeight - height) / 2;
  }
}

void DrawMasked(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& src, TColor maskColor) {
  if (maskColor == clNone)
    canvas->CopyRect(dest, bitmap->Canvas(), src);
  else
    canvas->BrushCopy(dest, bitmap, src, maskColor);
}

}  // namespace

// --- TSrcGlyph -------------------------------------------------------------------
TSrcGlyph::TSrcGlyph(const std::string& resourceName, TColor internalMaskColor)
    : FInternalGlyph(new TBitmap()), FGlyph(new TBitmap()), FInternalMaskColor(clNone) {
  try {
    if (!resourceName.empty()) {
      RegisterSrcEditResources();
      LoadBitmapResource(*FInternalGlyph, resourceName);
      FInternalMaskColor = internalMaskColor;
    }
  } catch (...) {
    delete FInternalGlyph;
    delete FGlyph;
    throw;
  }
  FGlyph->OnChange = [this](TObject*) { Changed(); };
}

TSrcGlyph::~TSrcGlyph() {
  delete FInternalGlyph;
  delete FGlyph;
}

void TSrcGlyph::Changed() {
  if (OnChange) OnChange(this);
}

void TSrcGlyph::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcGlyph*>(source);
  if (src == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  // One change event for the whole copy.
  TNotifyEvent glyphHandler = std::move(FGlyph->OnChange);
  FGlyph->OnChange = nullptr;
  try {
    FInternalGlyph->Assign(src->FInternalGlyph);
    FGlyph->Assign(src->FGlyph);
  } catch (...) {
    FGlyph->OnChange = std::move(glyphHandler);
    throw;
  }
  FGlyph->OnChange = std::move(glyphHandler);
  FInternalMaskColor = src->FInternalMaskColor;
  FVisible = src->FVisible;
  FMaskColor = src->FMaskColor;
  Changed();
}

void TSrcGlyph::SetGlyph(TBitmap* value) {
  TNotifyEvent glyphHandler = std::move(FGlyph->OnChange);
  FGlyph->OnChange = nullptr;
  try {
    if (value != nullptr)
      FGlyph->Assign(value);
    else
      FGlyph->SetSize(0, 0);
  } catch (...) {
    FGlyph->OnChange = std::move(glyphHandler);
    throw;
  }
  FGlyph->OnChange = std::move(glyphHandler);
  Changed();
}

void TSrcGlyph::SetMaskColor(TColor value) {
  if (StoreChanged(FMaskColor, value)) Changed();
}

void TSrcGlyph::SetVisible(bool value) {
  if (StoreChanged(FVisible, value)) Changed();
}

int TSrcGlyph::Width() const {
  if (!FGlyph->Empty()) return FGlyph->Width();
  if (!FInternalGlyph->Empty()) return FInternalGlyph->Width();
  return 0;
}

void TSrcGlyph::Draw(TCanvas* canvas, int x, int y, int lineHeight) const {
  TBitmap* bitmap;
  TColor mask;
  if (!FGlyph->Empty()) {
    bitmap = FGlyph;
    mask = FMaskColor;
  } else if (!FInternalGlyph->Empty()) {
    bitmap = FInternalGlyph;
    mask = FInternalMaskColor;
  } else {
    return;
  }
  int srcTop, height, destY;
  FitToLine(bitmap->Height(), y, lineHeight, srcTop, height, destY);
  if (height <= 0) return;
  const int w = bitmap->Width();
  DrawMasked(canvas, bitmap, Rect(x, destY, x + w, destY + height), Rect(0, srcTop, w, srcTop + height), mask);
}

// --- method chains -------------------------------------------------------------------
TSrcMethod SrcNotifyMethod(TSrcNotifyProc fn, void* data) {
  TSrcMethod m;
  m.Code = reinterpret_cast<void (*)()>(fn);
  m.Data = data;
  return m;
}

void TSrcMethodChain::Add(const TSrcMethod& method) { FMethods.push_back(method); }

void TSrcMethodChain::Remove(const TSrcMethod& method) {
  for (std::size_t i = FMethods.size(); i-- > 0;)
    if (FMethods[i] == method) FMethods.erase(FMethods.begin() + static_cast<std::ptrdiff_t>(i));
}

bool TSrcMethodChain::DoHandleException(Exception& e) {
  if (!OnException) throw;  // the exception being handled leaves the fire unchanged
  bool doContinue = true;
  try {
    OnException(this, e, doContinue);
  } catch (...) {
    throw ESrcMethodChain(
        Format("%s.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler", ClassName()));
  }
  return doContinue;
}

void TSrcMethodChain::Fire() {
  // A handler may add or remove handlers while it runs: work on the list as
  // it stood when the fire began.
  const std::vector<TSrcMethod> methods = FMethods;
  for (const TSrcMethod& m : methods) {
    try {
      DoFire(m);
    } catch (Exception& e) {
      if (!DoHandleException(e)) return;
    }
  }
}

void TSrcNotifyEventChain::DoFire(const TSrcMethod& method) {
  reinterpret_cast<TSrcNotifyProc>(method.Code)(method.Data, FSender);
}

// --- shared image strips ----------------------------------------------------------------
namespace {

struct TInternalResource {
  int UsageCount;
  std::string Name;  // upper case
  TBitmap* Bitmap;
};

std::vector<TInternalResource*>* gInternalResources = nullptr;

TBitmap* AcquireSharedBitmap(const std::string& name) {
  const std::string key = UpperCase(name);
  if (gInternalResources != nullptr) {
    for (TInternalResource* r : *gInternalResources) {
      if (r->Name == key) {
        ++r->UsageCount;
        return r->Bitmap;
      }
    }
  }
  auto bitmap = std::make_unique<TBitmap>();
  LoadBitmapResource(*bitmap, name);
  if (gInternalResources == nullptr) gInternalResources = new std::vector<TInternalResource*>();
  gInternalResources->push_back(new TInternalResource{1, key, bitmap.get()});
  return bitmap.release();
}

void ReleaseSharedBitmap(TBitmap* bitmap) {
  if (gInternalResources == nullptr) return;
  for (std::size_t i = 0; i < gInternalResources->size(); ++i) {
    TInternalResource* r = (*gInternalResources)[i];
    if (r->Bitmap != bitmap) continue;
    if (--r->UsageCount == 0) {
      delete r->Bitmap;
      delete r;
      gInternalResources->erase(gInternalResources->begin() + static_cast<std::ptrdiff_t>(i));
    }
    break;
  }
  if (gInternalResources->empty()) {
    delete gInternalResources;
    gInternalResources = nullptr;
  }
}

}  // namespace

TSrcInternalImage::TSrcInternalImage(void*, const std::string& name, int count) {
  RegisterSrcEditResources();
  FImages = AcquireSharedBitmap(name);
  FCount = count;
  // A strip of no images has no cells to measure.
  FWidth = count > 0 ? (FImages->Width() + count / 2) / count : 0;
  FHeight = FImages->Height();
}

TSrcInternalImage::~TSrcInternalImage() { ReleaseSharedBitmap(FImages); }

int TSrcInternalImage::SharedBitmapCount() {
  return gInternalResources == nullptr ? 0 : static_cast<int>(gInternalResources->size());
}

void TSrcInternalImage::Draw(TCanvas* canvas, int number, int x, int y, int lineHeight) const {
  if (number < 0 || number >= FCount) return;
  int srcTop, height, destY;
  FitToLine(FHeight, y, lineHeight, srcTop, height, destY);
  if (height <= 0) return;
  const int left = number * FWidth;
  canvas->CopyRect(Rect(x, destY, x + FWidth, destY + height), FImages->Canvas(),
                   Rect(left, srcTop, left + FWidth, srcTop + height));
}

void TSrcInternalImage::DrawTransparent(TCanvas* canvas, int number, int x, int y, int lineHeight,
                                        TColor transparentColor) const {
  if (number < 0 || number >= FCount) return;
  int srcTop, height, destY;
  FitToLine(FHeight, y, lineHeight, srcTop, height, destY);
  if (height <= 0) return;
  const int left = number * FWidth;
  DrawMasked(canvas, FImages, Rect(x, destY, x + FWidth, destY + height),
             Rect(left, srcTop, left + FWidth, srcTop + height), transparentColor);
}

// --- the control's bitmaps ----------------------------------------------------------------
namespace {

// The wrap arrow: a hook from the upper right down to an arrow head that
// points left, in navy on the lime mask colour.
void PaintWrappedGlyph(TBitmap& b) {
  b.SetSize(15, 14);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 15; ++x) b.SetPixel(x, y, SrcEditWrappedMaskColor);
  const TColor ink = clNavy;
  for (int y = 2; y <= 9; ++y) {  // the stem, two pixels wide
    b.SetPixel(11, y, ink);
    b.SetPixel(12, y, ink);
  }
  for (int x = 5; x <= 12; ++x) {  // the bottom stroke
    b.SetPixel(x, 8, ink);
    b.SetPixel(x, 9, ink);
  }
  for (int i = 0; i <= 3; ++i)  // the arrow head, its tip at the left
    for (int y = 8 - i; y <= 9 + i; ++y) b.SetPixel(1 + i, y, ink);
}

// Ten bookmark tabs with the digits 0 to 9, 11 x 14 each.
void PaintInternalImages(TBitmap& b) {
  static const char* const kDigits[10][5] = {
      {"111", "101", "101", "101", "111"}, {"010", "110", "010", "010", "111"}, {"111", "001", "111", "100", "111"},
      {"111", "001", "111", "001", "111"}, {"101", "101", "111", "001", "001"}, {"111", "100", "111", "001", "111"},
      {"111", "100", "111", "101", "111"}, {"111", "001", "010", "010", "010"}, {"111", "101", "111", "101", "111"},
      {"111", "101", "111", "001", "111"},
  };
  const TColor border = RGB(64, 64, 64);
  const TColor fill = RGB(255, 255, 192);
  const TColor ink = clBlack;
  b.SetSize(110, 14);
  for (int n = 0; n < 10; ++n) {
    const int left = n * 11;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 11; ++x) {
        const bool edge = x == 0 || x == 10 || y == 0 || y == 13;
        b.SetPixel(left + x, y, edge ? border : fill);
      }
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (kDigits[n][row][col] == '1')
          for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) b.SetPixel(left + 3 + col * 2 + dx, 2 + row * 2 + dy, ink);
  }
}

}  // namespace

void RegisterSrcEditResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (!BitmapResourceExists(SrcEditWrappedResource))
      RegisterBitmapResource(SrcEditWrappedResource, &PaintWrappedGlyph);
    if (!BitmapResourceExists(SrcEditInternalImagesResource))
      RegisterBitmapResource(SrcEditInternalImagesResource, &PaintInternalImages);
  });
}
