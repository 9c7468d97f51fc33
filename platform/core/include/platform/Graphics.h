// The toolkit's graphics classes: fonts, pens, brushes, the canvas over an
// HDC, bitmaps (pixels kept in a TGdiBitmap), icons, pictures, image lists,
// cursor numbers and the small sets the toolkit uses (TSet).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Gdi.h"
#include "platform/Types.h"

// A set of a small enumeration (values 0..63): bit (1 << value).
template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr uint64_t Bits() const { return FBits; }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  TSet& Include(E e) {
    FBits |= Bit(e);
    return *this;
  }
  TSet& Exclude(E e) {
    FBits &= ~Bit(e);
    return *this;
  }
  TSet& operator+=(const TSet& o) {
    FBits |= o.FBits;
    return *this;
  }
  TSet& operator-=(const TSet& o) {
    FBits &= ~o.FBits;
    return *this;
  }
  TSet& operator*=(const TSet& o) {
    FBits &= o.FBits;
    return *this;
  }
  friend constexpr TSet operator+(TSet a, const TSet& b) { return FromBits(a.FBits | b.FBits); }
  friend constexpr TSet operator-(TSet a, const TSet& b) { return FromBits(a.FBits & ~b.FBits); }
  friend constexpr TSet operator*(TSet a, const TSet& b) { return FromBits(a.FBits & b.FBits); }
  friend constexpr bool operator==(const TSet& a, const TSet& b) { return a.FBits == b.FBits; }
  friend constexpr bool operator!=(const TSet& a, const TSet& b) { return a.FBits != b.FBits; }

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t(1) << static_cast<unsigned>(e); }
  uint64_t FBits = 0;
};

// ---- cursors ----
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;
// The widget-set cursor shape (IDC_*) of a toolkit cursor, or the program
// cursor a number was given (platform/Cursors.h); crDefault and unknown
// numbers give IDC_ARROW.
intptr_t CursorToIdc(TCursor cursor);

// Screen resolution the toolkit assumes for font sizes.
constexpr int DefaultPixelsPerInch = 96;
int ScreenPixelsPerInch();

// ---- fonts ----
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
using TFontName = std::string;

class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;
  const char* ClassName() const override { return "TGraphicsObject"; }

 protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;
  const char* ClassName() const override { return "TFont"; }

  // Copies name, height, style, colour, charset and pitch from another
  // TFont; raises for anything else.
  void Assign(TPersistent* source) override;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Points: -Height * 72 / PixelsPerInch (rounded).
  int Size() const;
  void SetSize(int points);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return FHeight; }
  void SetHeight(int height);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch pitch);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi; }

  // The logical font these properties describe.
  LOGFONT MakeLogFont() const;
  // A font handle made from MakeLogFont (owned by the TFont, remade after
  // every change).
  HFONT Handle();
  // Takes the properties from a font handle's LOGFONT (the TFont makes its
  // own handle from them).
  void SetHandle(HFONT font);
  // Takes name, height, style, charset and pitch from a logical font.
  void SetLogFont(const LOGFONT& lf);
  bool HandleAllocated() const { return FHandle != nullptr; }

 protected:
  void Changed() override;

 private:
  void FreeHandle();
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch = DefaultPixelsPerInch;
  HFONT FHandle = nullptr;
};

// ---- brushes and pens ----
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
class TBitmap;

class TBrush : public TGraphicsObject {
 public:
  TBrush();
  ~TBrush() override;
  const char* ClassName() const override { return "TBrush"; }
  void Assign(TPersistent* source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  // A pattern bitmap (not owned; the brush copies its pixels).
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* bitmap);
  HBRUSH Handle();

 protected:
  void Changed() override;

 private:
  void FreeHandle();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
// The ROP2 code of a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
 public:
  TPen();
  ~TPen() override;
  const char* ClassName() const override { return "TPen"; }
  void Assign(TPersistent* source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode mode);
  HPEN Handle();

 protected:
  void Changed() override;

 private:
  void FreeHandle();
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  HPEN FHandle = nullptr;
};

// ---- canvas ----
class TGraphic;
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// Draws on an HDC. Before each operation the canvas selects its font, pen
// and brush into the DC (brush: bsSolid -> OPAQUE background in the brush
// colour, other styles TRANSPARENT) and the font colour as text colour.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  const char* ClassName() const override { return "TCanvas"; }

  // The DC with the canvas's font, pen and brush selected, for direct GDI
  // calls (DrawText, ExtTextOut); a canvas without one asks CreateHandle (a
  // control canvas gets its window's DC). Raises EInvalidOperation "Canvas
  // does not allow drawing" when none can be had.
  HDC Handle();
  // Takes a DC (null lets it go: the canvas deselects its objects first).
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* font) { FFont->Assign(font); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* brush) { FBrush->Assign(brush); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* pen) { FPen->Assign(pen); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }
  TPoint PenPos();
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
  // ExtTextOut options used by TextOut and TextRect (ETO_*).
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int flags) { FTextFlags = flags; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void DrawFocusRect(const TRect& r);
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to the rectangle (ETO_CLIPPED, plus ETO_OPAQUE for a
  // solid brush).
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  // DrawText (DT_*) in the canvas's font and brush; with DT_CALCRECT it
  // measures into `r` and draws nothing. Returns the text height.
  int DrawText(TRect& r, const std::string& text, UINT format);
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // StretchBlt with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
  // Copies a bitmap part, the pixels of `color` replaced by the canvas's
  // brush (a bsClear brush lets the destination show through).
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);
  // The clip box in logical coordinates.
  TRect ClipRect();

  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount; }
  // Deselects the objects so they are selected again before the next
  // operation.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  // csHandleValid, csFontValid, csPenValid, csBrushValid
  enum TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
  using TCanvasState = TSet<TCanvasStateFlag>;
  void RequiredState(TCanvasState required);
  void DeselectHandles();

 private:
  void FontChanged(TObject*);
  void PenChanged(TObject*);
  void BrushChanged(TObject*);

  HDC FHandle = nullptr;
  TCanvasState FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  int FLockCount = 0;
};

// ---- graphics ----
class TGraphic : public TPersistent {
 public:
  const char* ClassName() const override { return "TGraphic"; }
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int w) = 0;
  virtual void SetHeight(int h) = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool t);
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName);
  virtual void LoadFromStream(TStream* stream) = 0;
  virtual void SaveToStream(TStream* stream) = 0;
  bool Modified() const { return FModified; }
  void SetModified(bool m) { FModified = m; }
  TNotifyEvent OnChange;

 protected:
  friend class TCanvas;
  friend class TPicture;
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
  virtual void Changed();
  bool FTransparent = false;
  bool FModified = false;
};

enum TTransparentMode { tmAuto, tmFixed };
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// A bitmap: pixels in a TGdiBitmap (32-bit 0xAARRGGBB words) that a memory
// DC draws into through Canvas().
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;
  const char* ClassName() const override { return "TBitmap"; }

  void Assign(TPersistent* source) override;
  bool Empty() const override { return FImage == nullptr || FImage->Width() == 0 || FImage->Height() == 0; }
  int Width() const override { return FImage ? FImage->Width() : 0; }
  int Height() const override { return FImage ? FImage->Height() : 0; }
  void SetWidth(int w) override { SetSize(w, Height()); }
  void SetHeight(int h) override { SetSize(Width(), h); }
  // Keeps the top-left pixels; new ones are white.
  void SetSize(int w, int h);
  bool Monochrome() const { return FImage && FImage->Monochrome(); }
  void SetMonochrome(bool mono);
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat pf);

  // The colour treated as transparent: with tmAuto the bottom-left pixel,
  // with tmFixed the given one.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor c);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode m);

  TCanvas* Canvas();
  // The bitmap object (owned by the TBitmap).
  HBITMAP Handle();
  // Takes ownership of a bitmap object.
  void SetHandle(HBITMAP bmp);
  // Gives the bitmap object up (the caller owns it).
  HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return FImage != nullptr; }

  // A monochrome mask: white where the pixel is `transparent`, black
  // elsewhere (owned by the caller).
  HBITMAP MakeMask(TColor transparent);

  // Pixel access (COLORREF) for drawing code and tests.
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor c);
  uint32_t* ScanLine(int y);

  // BMP (1, 4, 8, 16, 24, 32 bits, uncompressed or RLE); other formats go
  // through the picture decoders (platform/PictureDecoder.h). Raises EInvalidGraphic
  // "Bitmap image is not valid" on bad data.
  void LoadFromStream(TStream* stream) override;
  // Writes a 24-bit (32-bit with PixelFormat pf32bit, 1-bit for
  // monochrome) BMP.
  void SaveToStream(TStream* stream) override;

  void Dormant() {}
  void FreeImage() {}

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;
  void Changed() override;

 private:
  void EnsureImage();
  void FreeContext();
  HBITMAP FImage = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  TPixelFormat FPixelFormat = pfDevice;
  friend class TBitmapCanvas;
};

// Draws `image` (w x h from its top-left) at (x, y) stretched to (w2, h2)
// where the mask is black; white mask pixels leave the destination.
void DrawMaskedImage(HDC dc, int x, int y, int w2, int h2, TGdiBitmap* image, TGdiBitmap* mask);

// An icon: a picture with a transparency mask.
class TIcon : public TGraphic {
 public:
  TIcon();
  ~TIcon() override;
  const char* ClassName() const override { return "TIcon"; }
  void Assign(TPersistent* source) override;
  bool Empty() const override { return FImage.Empty(); }
  int Width() const override { return FImage.Width(); }
  int Height() const override { return FImage.Height(); }
  void SetWidth(int w) override;
  void SetHeight(int h) override;
  // The colour image and its mask (white = transparent).
  TBitmap* Image() { return &FImage; }
  TBitmap* Mask() { return &FMask; }
  // From a bitmap: the mask is made from its transparent colour.
  void AssignBitmap(TBitmap* bitmap);
  // ICO data (and any format of the picture decoders).
  void LoadFromStream(TStream* stream) override;
  // Writes a 32-bit ICO.
  void SaveToStream(TStream* stream) override;

 protected:
  void Draw(TCanvas* canvas, const TRect& r) override;

 private:
  TBitmap FImage;
  TBitmap FMask;
};

// Holds one graphic of any class.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  const char* ClassName() const override { return "TPicture"; }
  void Assign(TPersistent* source) override;
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Copies the graphic (null clears).
  void SetGraphic(TGraphic* graphic);
  // The graphic as a bitmap, replacing any other kind.
  TBitmap* Bitmap();
  TIcon* Icon();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }
  // By content: BMP, ICO, otherwise the picture decoders (PNG, JPEG,
  // GIF ...) into a bitmap. Raises EInvalidGraphic "Unknown picture file
  // extension (.%s)" or "Bitmap image is not valid".
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  void LoadFromStream(TStream* stream);
  TNotifyEvent OnChange;

 private:
  void GraphicChanged(TObject*);
  std::unique_ptr<TGraphic> FGraphic;
};

// The largest picture any decoder makes: a header claiming more fails as
// bad data before anything is allocated.
constexpr int64_t MaxGraphicSide = 16384;
constexpr int64_t MaxGraphicPixels = int64_t(1) << 25;
bool GraphicSizeAllowed(int64_t width, int64_t height);

// ---- image lists ----
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;
  const char* ClassName() const override { return "TImageList"; }
  void Assign(TPersistent* source) override;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Changing the size clears the list.
  void SetWidth(int w);
  void SetHeight(int h);
  int Count() const { return int(FImages.size()); }
  bool Masked() const { return FMasked; }
  void SetMasked(bool m) { FMasked = m; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor c) { FBkColor = c; }
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle s) { FDrawingStyle = s; }

  // Splits the image into Width-wide pieces (a narrower image gives one);
  // the mask's white pixels are transparent (no mask: opaque). Returns the
  // index of the first added image.
  int Add(TBitmap* image, TBitmap* mask);
  // The mask is made from the colour (clDefault: the bottom-left pixel).
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Delete(int index);
  void Clear();
  void Move(int curIndex, int newIndex);
  // Draws one image; disabled images are drawn embossed in the button
  // highlight and shadow colours.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type, bool enabled);
  // The image on its mask colour background (clBtnFace unless BkColor is set).
  void GetBitmap(int index, TBitmap* image);
  void GetIcon(int index, TIcon* icon);
  TNotifyEvent OnChange;

 private:
  struct TEntry {
    std::unique_ptr<TGdiBitmap> Image;
    std::unique_ptr<TGdiBitmap> Mask;  // white transparent, black opaque
  };
  void Changed();
  int AddPieces(const TGdiBitmap& image, const TGdiBitmap* mask);
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  std::vector<TEntry> FImages;
};

// Errors of a graphic's data and of canvas use.
BQS_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
BQS_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
