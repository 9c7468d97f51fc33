// Fonts, pens, brushes, canvas, bitmaps, icons, pictures and image lists.
#include "platform/Graphics.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/Cursors.h"
#include "platform/PictureDecoder.h"
#include "platform/SysUtils.h"
#include "platform/Widgetset.h"
#include "platform/Win32.h"

intptr_t CursorToIdc(TCursor cursor) {
  switch (cursor) {
    case crNone: return 0;
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crDrag: return IDC_DRAG;
    case crNoDrop: return IDC_NODROP;
    case crHSplit: return IDC_HSPLIT;
    case crVSplit: return IDC_VSPLIT;
    case crMultiDrag: return IDC_MULTIDRAG;
    case crSQLWait: return IDC_SQLWAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: {
      // The program's own cursors (Screen->Cursors[n]); an empty slot
      // shows the arrow.
      HCURSOR own = ScreenCursorHandle(cursor);
      return own ? own : IDC_ARROW;
    }
  }
}

int ScreenPixelsPerInch() { return WidgetsetInstalled() ? Widgetset().PixelsPerInch() : DefaultPixelsPerInch; }

namespace {
void SafeDelete(HGDIOBJ obj) {
  if (obj && WidgetsetInstalled()) DeleteObject(obj);
}
}  // namespace

bool GraphicSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= MaxGraphicSide && height <= MaxGraphicSide &&
         width * height <= MaxGraphicPixels;
}

// ---------------------------------------------------------------------------

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont ----
TFont::TFont() = default;
TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() {
  SafeDelete(FHandle);
  FHandle = nullptr;
}

void TFont::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    if (f == this) return;
    FName = f->FName;
    FHeight = FPixelsPerInch == f->FPixelsPerInch ? f->FHeight : -MulDiv(f->Size(), FPixelsPerInch, 72);
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == FName) return;
  FName = name;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  // The colour is not part of the font handle.
  TGraphicsObject::Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FPitch) return;
  FPitch = pitch;
  Changed();
}

LOGFONT TFont::MakeLogFont() const {
  LOGFONT lf;
  lf.lfHeight = FHeight;
  lf.lfWidth = 0;
  lf.lfEscapement = 0;
  lf.lfOrientation = 0;
  lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = FStyle.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
  SetLogFontFaceName(lf, FName);
  return lf;
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONT lf = MakeLogFont();
    FHandle = CreateFontIndirect(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT font) {
  if (!font) return;
  LOGFONT lf;
  if (GetObject(font, sizeof(lf), &lf) != int(sizeof(lf))) return;
  SetLogFont(lf);
}

void TFont::SetLogFont(const LOGFONT& lf) {
  FName = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  FHeight = lf.lfHeight;
  TFontStyles st;
  if (lf.lfWeight >= FW_BOLD) st.Include(fsBold);
  if (lf.lfItalic) st.Include(fsItalic);
  if (lf.lfUnderline) st.Include(fsUnderline);
  if (lf.lfStrikeOut) st.Include(fsStrikeOut);
  FStyle = st;
  FCharset = lf.lfCharSet;
  int pitch = lf.lfPitchAndFamily & 3;
  FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
  Changed();
}

// ---- TBrush ----
TBrush::TBrush() = default;
TBrush::~TBrush() { FreeHandle(); }

void TBrush::FreeHandle() {
  SafeDelete(FHandle);
  FHandle = nullptr;
}

void TBrush::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}

void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    FBitmap = b->FBitmap;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color) {
  if (color == FColor && FStyle != bsClear) return;
  FColor = color;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  FBitmap = bitmap;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!FHandle) {
    if (FBitmap && !FBitmap->Empty()) {
      FHandle = CreatePatternBrush(FBitmap->Handle());
    } else {
      switch (FStyle) {
        case bsSolid: FHandle = CreateSolidBrush(ColorToRGB(FColor)); break;
        case bsClear: {
          LOGBRUSH lb;
          lb.lbStyle = BS_NULL;
          FHandle = CreateBrushIndirect(&lb);
          break;
        }
        default: {
          static const int hatch[] = {0,        0,           HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL,
                                      HS_CROSS, HS_DIAGCROSS};
          FHandle = CreateHatchBrush(hatch[FStyle], ColorToRGB(FColor));
          break;
        }
      }
    }
  }
  return FHandle;
}

// ---- TPen ----
int PenModeToRop2(TPenMode mode) {
  static const int map[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
                            R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
                            R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
  return map[mode];
}

TPen::TPen() = default;
TPen::~TPen() { FreeHandle(); }

void TPen::FreeHandle() {
  SafeDelete(FHandle);
  FHandle = nullptr;
}

void TPen::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}

void TPen::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TPen*>(source)) {
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Changed();
    return;
  }
  TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}
void TPen::SetWidth(int width) {
  if (width < 0 || width == FWidth) return;
  FWidth = width;
  Changed();
}
void TPen::SetStyle(TPenStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}
void TPen::SetMode(TPenMode mode) {
  if (mode == FMode) return;
  FMode = mode;
  // The mode is DC state, not part of the pen handle.
  TGraphicsObject::Changed();
}

HPEN TPen::Handle() {
  if (!FHandle) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle = CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
  }
  return FHandle;
}

// ---- TCanvas ----
TCanvas::TCanvas() : FFont(new TFont), FBrush(new TBrush), FPen(new TPen) {
  FFont->OnChange = [this](TObject* s) { FontChanged(s); };
  FBrush->OnChange = [this](TObject* s) { BrushChanged(s); };
  FPen->OnChange = [this](TObject* s) { PenChanged(s); };
}

TCanvas::~TCanvas() {
  if (FHandle && WidgetsetInstalled()) DeselectHandles();
  FFont->OnChange = nullptr;
  FBrush->OnChange = nullptr;
  FPen->OnChange = nullptr;
}

void TCanvas::FontChanged(TObject*) { FState.Exclude(csFontValid); }
void TCanvas::PenChanged(TObject*) { FState.Exclude(csPenValid); }
void TCanvas::BrushChanged(TObject*) { FState.Exclude(csBrushValid); }

// The handle given out carries the canvas's font, pen and brush (and the
// brush's background mode), so text drawn on it directly, as DrawText does,
// looks like the canvas's own.
HDC TCanvas::Handle() {
  RequiredState({csHandleValid, csFontValid, csPenValid, csBrushValid});
  return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == FHandle) return;
  if (FHandle) DeselectHandles();
  FHandle = dc;
  FState = dc ? TCanvasState{csHandleValid} : TCanvasState{};
}

void TCanvas::DeselectHandles() {
  if (FHandle && FState.Contains(csHandleValid)) {
    ::SelectObject(FHandle, GetStockObject(BLACK_PEN));
    ::SelectObject(FHandle, GetStockObject(WHITE_BRUSH));
    ::SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
  }
  FState -= TCanvasState{csFontValid, csPenValid, csBrushValid};
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(TCanvasState required) {
  TCanvasState need = required - FState;
  if (need.Empty() && FHandle) return;
  if (!FHandle || need.Contains(csHandleValid)) {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    FState.Include(csHandleValid);
  }
  if (need.Contains(csFontValid)) {
    ::SelectObject(FHandle, FFont->Handle());
    ::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    FState.Include(csFontValid);
  }
  if (need.Contains(csPenValid)) {
    ::SelectObject(FHandle, FPen->Handle());
    ::SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
    FState.Include(csPenValid);
  }
  if (need.Contains(csBrushValid)) {
    ::SelectObject(FHandle, FBrush->Handle());
    if (FBrush->Style() == bsSolid) {
      ::SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
      ::SetBkMode(FHandle, OPAQUE);
    } else {
      ::SetBkColor(FHandle, ~ColorToRGB(FBrush->Color()) & 0xFFFFFF);
      ::SetBkMode(FHandle, TRANSPARENT);
    }
    FState.Include(csBrushValid);
  }
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}
void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
  RequiredState({csHandleValid});
  TPoint p;
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState({csHandleValid});
  MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(FHandle, x, y);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(FHandle, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  if (!points.empty()) ::Polyline(FHandle, points.data(), int(points.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  if (!points.empty()) ::Polygon(FHandle, points.data(), int(points.size()));
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(FHandle, &r, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(FHandle, &r, FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(FHandle, &r);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ::ExtTextOut(FHandle, x, y, UINT(FTextFlags), nullptr, text.data(), UINT(text.size()), nullptr);
  TSize sz;
  GetTextExtentPoint32(FHandle, text.data(), int(text.size()), &sz);
  MoveToEx(FHandle, x + sz.cx, y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED | UINT(FTextFlags);
  if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
  ::ExtTextOut(FHandle, x, y, options, &r, text.data(), UINT(text.size()), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& text) {
  RequiredState({csHandleValid, csFontValid});
  TSize sz;
  GetTextExtentPoint32(FHandle, text.data(), int(text.size()), &sz);
  return sz;
}

int TCanvas::DrawText(TRect& r, const std::string& text, UINT format) {
  if (!(format & DT_CALCRECT)) Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  int height = ::DrawText(FHandle, text.data(), int(text.size()), &r, format);
  if (!(format & DT_CALCRECT)) Changed();
  return height;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  graphic->Draw(this, TRect(x, y, x + graphic->Width(), y + graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  graphic->Draw(this, r);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source) {
  if (!canvas) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  canvas->RequiredState({csHandleValid, csBrushValid});
  ::StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), canvas->FHandle, source.Left, source.Top,
               source.Width(), source.Height(), FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
  if (!bitmap || bitmap->Empty()) return;
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  if (FBrush->Style() != bsClear) ::FillRect(FHandle, &dest, FBrush->Handle());
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bmp = bitmap->Handle();
  HGDIOBJ old = ::SelectObject(mem, bmp);
  ::TransparentBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), mem, source.Left, source.Top,
                   source.Width(), source.Height(), ColorToRGB(color));
  ::SelectObject(mem, old);
  DeleteDC(mem);
  Changed();
}

TColor TCanvas::Pixels(int x, int y) {
  RequiredState({csHandleValid});
  return ::GetPixel(FHandle, x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  ::SetPixel(FHandle, x, y, ColorToRGB(color));
  Changed();
}

TRect TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  TRect r;
  GetClipBox(FHandle, &r);
  return r;
}

void TCanvas::Lock() { ++FLockCount; }
void TCanvas::Unlock() {
  if (FLockCount > 0) --FLockCount;
}
bool TCanvas::TryLock() {
  ++FLockCount;
  return true;
}

// ---- TGraphic ----
void TGraphic::SetTransparent(bool t) {
  if (t == FTransparent) return;
  FTransparent = t;
  Changed();
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream s(fileName, fmOpenRead);
  LoadFromStream(&s);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  TReplaceFileStream s(fileName);
  SaveToStream(&s);
  s.Commit();
}

// ---- masked drawing ----
void DrawMaskedImage(HDC dc, int x, int y, int w2, int h2, TGdiBitmap* image, TGdiBitmap* mask) {
  if (!dc || !image) return;
  int w = image->Width(), h = image->Height();
  if (w == 0 || h == 0) return;
  HDC mem = CreateCompatibleDC(nullptr);
  if (!mask) {
    HGDIOBJ old = ::SelectObject(mem, image);
    ::StretchBlt(dc, x, y, w2, h2, mem, 0, 0, w, h, SRCCOPY);
    ::SelectObject(mem, old);
    DeleteDC(mem);
    return;
  }
  // Destination AND mask (white keeps it, black clears it), then OR the
  // image blacked out where transparent.
  COLORREF oldText = ::SetTextColor(dc, 0x000000), oldBk = ::SetBkColor(dc, 0xFFFFFF);
  auto* mono = new TGdiBitmap(mask->Width(), mask->Height(), 1);
  mono->CopyFrom(*mask);
  HGDIOBJ old = ::SelectObject(mem, mono);
  ::StretchBlt(dc, x, y, w2, h2, mem, 0, 0, w, h, SRCAND);
  ::SelectObject(mem, old);
  auto* ink = new TGdiBitmap(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      bool transparent = yy < mask->Height() && xx < mask->Width() && (mask->ScanLine(yy)[xx] & 0xFFFFFF) != 0;
      ink->ScanLine(yy)[xx] = transparent ? 0xFF000000u : image->ScanLine(yy)[xx];
    }
  old = ::SelectObject(mem, ink);
  ::StretchBlt(dc, x, y, w2, h2, mem, 0, 0, w, h, SRCPAINT);
  ::SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(mono);
  DeleteObject(ink);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

// ---- TBitmap ----
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* owner) : FOwner(owner) {}
  ~TBitmapCanvas() override { FreeContext(); }
  const char* ClassName() const override { return "TBitmapCanvas"; }
  void FreeContext() {
    if (!FDC) return;
    HDC dc = FDC;
    SetHandle(nullptr);
    FDC = nullptr;
    if (WidgetsetInstalled()) {
      ::SelectObject(dc, FOld);
      DeleteDC(dc);
    }
  }

 protected:
  void CreateHandle() override {
    FOwner->EnsureImage();
    FDC = CreateCompatibleDC(nullptr);
    FOld = ::SelectObject(FDC, FOwner->FImage);
    SetHandle(FDC);
  }

 private:
  TBitmap* FOwner;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() {
  FCanvas.reset();
  SafeDelete(FImage);
}

void TBitmap::EnsureImage() {
  if (!FImage) FImage = new TGdiBitmap(0, 0);
}

void TBitmap::FreeContext() {
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::Assign(TPersistent* source) {
  if (!source) {
    FreeContext();
    SafeDelete(FImage);
    FImage = nullptr;
    Changed();
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(source)) {
    if (b == this) return;
    FreeContext();
    if (b->FImage) {
      EnsureImage();
      FImage->CopyFrom(*b->FImage);
    } else {
      SafeDelete(FImage);
      FImage = nullptr;
    }
    FTransparent = b->FTransparent;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    FPixelFormat = b->FPixelFormat;
    Changed();
    return;
  }
  if (auto* i = dynamic_cast<TIcon*>(source)) {
    // The icon on the button face.
    SetSize(i->Width(), i->Height());
    TCanvas* c = Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, Width(), Height()));
    c->Draw(0, 0, i);
    return;
  }
  TGraphic::Assign(source);
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (FImage && FImage->Width() == w && FImage->Height() == h) return;
  EnsureImage();
  FImage->Resize(w, h);
  // The canvas DC keeps pointing at the same bitmap object; its clip
  // follows the new size.
  if (FCanvas && FCanvas->HandleAllocated()) {
    static_cast<TBitmapCanvas*>(FCanvas.get())->FreeContext();
  }
  Changed();
}

void TBitmap::SetMonochrome(bool mono) {
  if (mono == Monochrome()) return;
  FreeContext();
  EnsureImage();
  auto* n = new TGdiBitmap(FImage->Width(), FImage->Height(), mono ? 1 : 32);
  for (int y = 0; y < n->Height(); ++y)
    for (int x = 0; x < n->Width(); ++x) n->SetPixel(x, y, FImage->Pixel(x, y));
  SafeDelete(FImage);
  FImage = n;
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat pf) {
  if (pf == FPixelFormat) return;
  FPixelFormat = pf;
  SetMonochrome(pf == pf1bit);
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (!FImage || FImage->Width() == 0 || FImage->Height() == 0) return clDefault;
  return FImage->Pixel(0, FImage->Height() - 1);
}

void TBitmap::SetTransparentColor(TColor c) {
  FTransparentColor = c;
  FTransparentMode = c == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode m) {
  if (m == FTransparentMode) return;
  FTransparentMode = m;
  if (m == tmAuto) FTransparentColor = clDefault;
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas.reset(new TBitmapCanvas(this));
  return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
  FreeContext();
  EnsureImage();
  return FImage;
}

void TBitmap::SetHandle(HBITMAP bmp) {
  if (bmp == FImage) return;
  FreeContext();
  SafeDelete(FImage);
  FImage = bmp;
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  EnsureImage();
  HBITMAP b = FImage;
  FImage = nullptr;
  return b;
}

HBITMAP TBitmap::MakeMask(TColor transparent) {
  EnsureImage();
  auto* m = new TGdiBitmap(FImage->Width(), FImage->Height(), 1);
  COLORREF t = ColorToRGB(transparent) & 0xFFFFFF;
  for (int y = 0; y < m->Height(); ++y)
    for (int x = 0; x < m->Width(); ++x)
      m->ScanLine(y)[x] = PixelToColor(FImage->ScanLine(y)[x]) == t ? 0xFFFFFFFFu : 0xFF000000u;
  return m;
}

TColor TBitmap::Pixel(int x, int y) { return FImage ? FImage->Pixel(x, y) : CLR_INVALID; }

void TBitmap::SetPixel(int x, int y, TColor c) {
  EnsureImage();
  FImage->SetPixel(x, y, ColorToRGB(c));
}

uint32_t* TBitmap::ScanLine(int y) {
  EnsureImage();
  if (y < 0 || y >= FImage->Height()) throw EInvalidGraphicOperation("Scan line index out of range");
  FImage->Touch();
  return FImage->ScanLine(y);
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty()) return;
  FreeContext();
  HDC dst = canvas->Handle();
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(mem, FImage);
  if (FTransparent) {
    ::TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), mem, 0, 0, Width(), Height(),
                     ColorToRGB(TransparentColor()));
  } else {
    ::StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), mem, 0, 0, Width(), Height(), canvas->CopyMode());
  }
  ::SelectObject(mem, old);
  DeleteDC(mem);
}

namespace {

uint16_t Rd16(const std::string& d, size_t o) {
  return o + 2 <= d.size() ? uint16_t(uint8_t(d[o]) | (uint8_t(d[o + 1]) << 8)) : 0;
}
uint32_t Rd32(const std::string& d, size_t o) {
  return o + 4 <= d.size() ? uint32_t(uint8_t(d[o])) | (uint32_t(uint8_t(d[o + 1])) << 8) |
                                 (uint32_t(uint8_t(d[o + 2])) << 16) | (uint32_t(uint8_t(d[o + 3])) << 24)
                           : 0;
}
void Wr16(std::string& d, uint16_t v) {
  d += char(v & 0xFF);
  d += char(v >> 8);
}
void Wr32(std::string& d, uint32_t v) {
  for (int i = 0; i < 4; ++i) d += char((v >> (8 * i)) & 0xFF);
}

std::string ReadAll(TStream* s) {
  std::string data;
  int64_t left = s->Size() - s->Position();
  if (left > 0) {
    data.resize(size_t(left));
    data.resize(size_t(s->Read(&data[0], left)));
  }
  return data;
}

int CountBits(uint32_t m) {
  int n = 0;
  for (; m; m >>= 1) n += int(m & 1);
  return n;
}
int LowBit(uint32_t m) {
  if (!m) return 0;
  int n = 0;
  while (!(m & 1)) {
    m >>= 1;
    ++n;
  }
  return n;
}
uint8_t Channel(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  uint32_t x = (v & mask) >> LowBit(mask);
  int bits = CountBits(mask);
  if (bits >= 8) return uint8_t(x >> (bits - 8));
  return uint8_t((x * 255) / ((1u << bits) - 1));
}

// Decodes a DIB (info header at `hdr`, bits at `bits`); `heightOverride`
// for icon images (whose header height counts the mask too). Returns null
// for bad data; sets `monochrome` for black-and-white 1-bit pictures.
TGdiBitmap* DecodeDib(const std::string& d, size_t hdr, size_t bits, int heightOverride, bool& monochrome,
                      std::vector<uint8_t>* alphaOut) {
  uint32_t hsize = Rd32(d, hdr);
  int w, h, bpp;
  uint32_t comp = 0, clrUsed = 0;
  size_t palOff, palEntry;
  uint32_t rMask = 0, gMask = 0, bMask = 0, aMask = 0;
  if (hsize == 12) {
    w = Rd16(d, hdr + 4);
    h = int16_t(Rd16(d, hdr + 6));
    bpp = Rd16(d, hdr + 10);
    palOff = hdr + 12;
    palEntry = 3;
  } else if (hsize >= 40) {
    w = int32_t(Rd32(d, hdr + 4));
    h = int32_t(Rd32(d, hdr + 8));
    bpp = Rd16(d, hdr + 14);
    comp = Rd32(d, hdr + 16);
    clrUsed = Rd32(d, hdr + 32);
    palOff = hdr + hsize;
    palEntry = 4;
    if (comp == 3 || comp == 6) {
      if (hsize >= 52) {
        rMask = Rd32(d, hdr + 40);
        gMask = Rd32(d, hdr + 44);
        bMask = Rd32(d, hdr + 48);
        if (hsize >= 56) aMask = Rd32(d, hdr + 52);
      } else {
        rMask = Rd32(d, palOff);
        gMask = Rd32(d, palOff + 4);
        bMask = Rd32(d, palOff + 8);
        palOff += 12;
      }
    }
  } else {
    return nullptr;
  }
  if (heightOverride) h = heightOverride;
  bool topDown = h < 0;
  // In 64 bits: the negation of INT32_MIN does not fit an int.
  int64_t rows = topDown ? -int64_t(h) : int64_t(h);
  if (!GraphicSizeAllowed(w, rows)) return nullptr;
  h = int(rows);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
  // RLE8 only with 8 bits, RLE4 with 4, bit fields with 16 or 32.
  if ((comp == 1 && bpp != 8) || (comp == 2 && bpp != 4) || ((comp == 3 || comp == 6) && bpp != 16 && bpp != 32))
    return nullptr;
  if (comp > 3 && comp != 6) return nullptr;
  if (bits > d.size()) return nullptr;
  size_t stride = ((size_t(w) * size_t(bpp) + 31) / 32) * 4;
  // Uncompressed rows must all be there before the pixels are allocated;
  // RLE data needs at least its end code.
  if ((comp == 1 || comp == 2) ? d.size() - bits < 2 : stride * size_t(h) > d.size() - bits) return nullptr;
  std::vector<uint32_t> pal;
  if (bpp <= 8) {
    size_t n = clrUsed ? clrUsed : (1u << bpp);
    if (n > 256) return nullptr;
    for (size_t i = 0; i < n; ++i) {
      size_t o = palOff + i * palEntry;
      if (o + 3 > d.size()) return nullptr;
      pal.push_back(0xFF000000u | (uint32_t(uint8_t(d[o + 2])) << 16) | (uint32_t(uint8_t(d[o + 1])) << 8) |
                    uint8_t(d[o]));
    }
  }
  if (bpp == 16 && comp == 0) {
    rMask = 0x7C00;
    gMask = 0x03E0;
    bMask = 0x001F;
  }
  monochrome = bpp == 1 && pal.size() == 2 && (pal[0] & 0xFFFFFF) == 0 && (pal[1] & 0xFFFFFF) == 0xFFFFFF;
  auto* b = new TGdiBitmap(w, h, monochrome ? 1 : 32);
  auto palColor = [&](size_t i) { return i < pal.size() ? pal[i] : 0xFF000000u; };
  if (alphaOut) alphaOut->assign(size_t(w) * size_t(h), 255);
  if (comp == 1 || comp == 2) {
    // RLE8 / RLE4
    std::fill(b->Bits(), b->Bits() + size_t(w) * size_t(h), palColor(0));
    size_t p = bits;
    int x = 0, y = 0;
    auto put = [&](int idx) {
      if (x < w && y < h) b->ScanLine(topDown ? y : h - 1 - y)[x] = palColor(size_t(idx));
      ++x;
    };
    while (p + 1 < d.size() && y < h) {
      uint8_t n = uint8_t(d[p]), v = uint8_t(d[p + 1]);
      p += 2;
      if (n) {
        for (int i = 0; i < n; ++i) put(comp == 1 ? v : (i % 2 == 0 ? v >> 4 : v & 15));
      } else if (v == 0) {
        x = 0;
        ++y;
      } else if (v == 1) {
        break;
      } else if (v == 2) {
        if (p + 1 >= d.size()) break;
        x += uint8_t(d[p]);
        y += uint8_t(d[p + 1]);
        p += 2;
      } else {
        for (int i = 0; i < v; ++i) {
          size_t q = comp == 1 ? p + size_t(i) : p + size_t(i / 2);
          if (q >= d.size()) break;
          uint8_t c = uint8_t(d[q]);
          put(comp == 1 ? c : (i % 2 == 0 ? c >> 4 : c & 15));
        }
        size_t used = comp == 1 ? v : (v + 1) / 2;
        p += (used + 1) & ~size_t(1);
      }
    }
    return b;
  }
  for (int row = 0; row < h; ++row) {
    const uint8_t* src = reinterpret_cast<const uint8_t*>(d.data()) + bits + stride * size_t(row);
    int y = topDown ? row : h - 1 - row;
    uint32_t* dst = b->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      uint32_t px;
      switch (bpp) {
        case 1: px = palColor((src[x / 8] >> (7 - x % 8)) & 1); break;
        case 4: px = palColor((x % 2 == 0) ? src[x / 2] >> 4 : src[x / 2] & 15); break;
        case 8: px = palColor(src[x]); break;
        case 16: {
          uint32_t v = uint32_t(src[2 * x]) | (uint32_t(src[2 * x + 1]) << 8);
          px = 0xFF000000u | (uint32_t(Channel(v, rMask)) << 16) | (uint32_t(Channel(v, gMask)) << 8) |
               Channel(v, bMask);
          break;
        }
        case 24:
          px = 0xFF000000u | (uint32_t(src[3 * x + 2]) << 16) | (uint32_t(src[3 * x + 1]) << 8) | src[3 * x];
          break;
        default: {
          uint32_t v = uint32_t(src[4 * x]) | (uint32_t(src[4 * x + 1]) << 8) | (uint32_t(src[4 * x + 2]) << 16) |
                       (uint32_t(src[4 * x + 3]) << 24);
          if (comp == 3 || comp == 6)
            px = 0xFF000000u | (uint32_t(Channel(v, rMask)) << 16) | (uint32_t(Channel(v, gMask)) << 8) |
                 Channel(v, bMask);
          else
            px = 0xFF000000u | (v & 0xFFFFFF);
          if (alphaOut) (*alphaOut)[size_t(y) * w + x] = aMask ? Channel(v, aMask) : uint8_t(v >> 24);
          break;
        }
      }
      dst[x] = px;
    }
  }
  return b;
}

std::string EncodeBmp(const TGdiBitmap& b, int bpp) {
  int w = b.Width(), h = b.Height();
  size_t stride = ((size_t(w) * size_t(bpp) + 31) / 32) * 4;
  uint32_t palSize = bpp == 1 ? 8 : 0;
  uint32_t offset = 14 + 40 + palSize;
  std::string out;
  out += "BM";
  Wr32(out, uint32_t(offset + stride * size_t(h)));
  Wr32(out, 0);
  Wr32(out, offset);
  Wr32(out, 40);
  Wr32(out, uint32_t(w));
  Wr32(out, uint32_t(h));
  Wr16(out, 1);
  Wr16(out, uint16_t(bpp));
  Wr32(out, 0);
  Wr32(out, uint32_t(stride * size_t(h)));
  Wr32(out, 3780);
  Wr32(out, 3780);
  Wr32(out, bpp == 1 ? 2 : 0);
  Wr32(out, 0);
  if (bpp == 1) {
    Wr32(out, 0x00000000);
    Wr32(out, 0x00FFFFFF);
  }
  for (int row = h - 1; row >= 0; --row) {
    std::string line(stride, '\0');
    const uint32_t* src = b.ScanLine(row);
    for (int x = 0; x < w; ++x) {
      uint32_t p = src[x];
      if (bpp == 1) {
        if (p & 0xFFFFFF) line[size_t(x / 8)] = char(uint8_t(line[size_t(x / 8)]) | (0x80 >> (x % 8)));
      } else if (bpp == 24) {
        line[size_t(3 * x)] = char(p & 0xFF);
        line[size_t(3 * x + 1)] = char((p >> 8) & 0xFF);
        line[size_t(3 * x + 2)] = char((p >> 16) & 0xFF);
      } else {
        line[size_t(4 * x)] = char(p & 0xFF);
        line[size_t(4 * x + 1)] = char((p >> 8) & 0xFF);
        line[size_t(4 * x + 2)] = char((p >> 16) & 0xFF);
        line[size_t(4 * x + 3)] = char((p >> 24) & 0xFF);
      }
    }
    out += line;
  }
  return out;
}

}  // namespace

void TBitmap::LoadFromStream(TStream* stream) {
  std::string d = ReadAll(stream);
  FreeContext();
  if (d.size() >= 14 && d[0] == 'B' && d[1] == 'M') {
    bool mono = false;
    TGdiBitmap* b = DecodeDib(d, 14, Rd32(d, 10), 0, mono, nullptr);
    if (!b) throw EInvalidGraphic("Bitmap image is not valid");
    SafeDelete(FImage);
    FImage = b;
    FPixelFormat = mono ? pf1bit : pfDevice;
    Changed();
    return;
  }
  TBitmap tmp;
  if (SniffPictureFormat(d) != TPictureFormat::Bmp && DecodePicture(d, tmp) && !tmp.Empty()) {
    Assign(&tmp);
    return;
  }
  throw EInvalidGraphic("Bitmap image is not valid");
}

void TBitmap::SaveToStream(TStream* stream) {
  EnsureImage();
  int bpp = Monochrome() ? 1 : FPixelFormat == pf32bit ? 32 : 24;
  std::string out = EncodeBmp(*FImage, bpp);
  stream->WriteBuffer(out.data(), int64_t(out.size()));
}

// ---- TIcon ----
TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::Assign(TPersistent* source) {
  if (auto* i = dynamic_cast<TIcon*>(source)) {
    if (i == this) return;
    FImage.Assign(&i->FImage);
    FMask.Assign(&i->FMask);
    Changed();
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(source)) {
    AssignBitmap(b);
    return;
  }
  TGraphic::Assign(source);
}

void TIcon::SetWidth(int w) {
  FImage.SetWidth(w);
  FMask.SetWidth(w);
}
void TIcon::SetHeight(int h) {
  FImage.SetHeight(h);
  FMask.SetHeight(h);
}

void TIcon::AssignBitmap(TBitmap* bitmap) {
  FImage.Assign(bitmap);
  HBITMAP m = bitmap->MakeMask(bitmap->TransparentColor());
  FMask.SetHandle(m);
  Changed();
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty()) return;
  DrawMaskedImage(canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), FImage.Handle(),
                  FMask.Empty() ? nullptr : FMask.Handle());
}

void TIcon::LoadFromStream(TStream* stream) {
  std::string d = ReadAll(stream);
  if (d.size() >= 6 && Rd16(d, 0) == 0 && (Rd16(d, 2) == 1 || Rd16(d, 2) == 2) && Rd16(d, 4) > 0) {
    int count = Rd16(d, 4);
    // The largest image up to 32 pixels, else the first.
    int best = -1, bestW = -1;
    for (int i = 0; i < count; ++i) {
      size_t e = 6 + size_t(i) * 16;
      if (e + 16 > d.size()) break;
      int w = uint8_t(d[e]) ? uint8_t(d[e]) : 256;
      if ((w <= 32 && w > bestW) || best < 0) {
        if (best < 0 || w <= 32) {
          best = i;
          bestW = w;
        }
      }
    }
    if (best >= 0) {
      size_t e = 6 + size_t(best) * 16;
      size_t size = Rd32(d, e + 8), off = Rd32(d, e + 12);
      if (off <= d.size() && size <= d.size() - off && size >= 8) {
        std::string img = d.substr(off, size);
        if (img.compare(0, 4, "\x89PNG") == 0) {
          TBitmap tmp;
          if (SniffPictureFormat(img) == TPictureFormat::Png && DecodePicture(img, tmp) && !tmp.Empty()) {
            FImage.Assign(&tmp);
            FMask.SetHandle(new TGdiBitmap(tmp.Width(), tmp.Height(), 1));
            Changed();
            return;
          }
        } else {
          int hh = int(int64_t(int32_t(Rd32(img, 8))) / 2);
          int w = int32_t(Rd32(img, 4));
          int bpp = Rd16(img, 14);
          bool mono = false;
          std::vector<uint8_t> alpha;
          uint32_t hsize = Rd32(img, 0);
          uint32_t clr = Rd32(img, 32);
          size_t pal = bpp <= 8 ? (clr ? clr : (1u << bpp)) * 4 : 0;
          size_t bits = hsize + pal;
          // The header height counts the colour rows and the mask rows.
          TGdiBitmap* color = hh > 0 ? DecodeDib(img, 0, bits, hh, mono, bpp == 32 ? &alpha : nullptr) : nullptr;
          if (color) {
            // The AND mask follows the colour bits.
            size_t stride = ((size_t(w) * size_t(bpp) + 31) / 32) * 4;
            size_t maskOff = bits + stride * size_t(hh);
            size_t mstride = ((size_t(w) + 31) / 32) * 4;
            auto* mask = new TGdiBitmap(w, hh, 1);
            bool anyAlpha = false;
            for (uint8_t a : alpha)
              if (a != 255 && a != 0) anyAlpha = true;
            for (int y = 0; y < hh; ++y)
              for (int x = 0; x < w; ++x) {
                bool t = false;
                size_t o = maskOff + mstride * size_t(hh - 1 - y) + size_t(x / 8);
                if (o < img.size()) t = (uint8_t(img[o]) >> (7 - x % 8)) & 1;
                if (bpp == 32 && (anyAlpha || !alpha.empty())) {
                  uint8_t a = alpha[size_t(y) * w + x];
                  if (anyAlpha) t = a < 128;
                }
                mask->ScanLine(y)[x] = t ? 0xFFFFFFFFu : 0xFF000000u;
              }
            FImage.SetHandle(color);
            FMask.SetHandle(mask);
            Changed();
            return;
          }
        }
      }
    }
  }
  TBitmap tmp;
  if (SniffPictureFormat(d) != TPictureFormat::Ico && DecodePicture(d, tmp) && !tmp.Empty()) {
    FImage.Assign(&tmp);
    FMask.SetHandle(new TGdiBitmap(tmp.Width(), tmp.Height(), 1));
    Changed();
    return;
  }
  throw EInvalidGraphic("Icon image is not valid");
}

void TIcon::SaveToStream(TStream* stream) {
  int w = FImage.Width(), h = FImage.Height();
  TGdiBitmap* img = FImage.Handle();
  TGdiBitmap* mask = FMask.Empty() ? nullptr : FMask.Handle();
  size_t stride = size_t(w) * 4, mstride = ((size_t(w) + 31) / 32) * 4;
  uint32_t dataSize = uint32_t(40 + stride * size_t(h) + mstride * size_t(h));
  std::string out;
  Wr16(out, 0);
  Wr16(out, 1);
  Wr16(out, 1);
  out += char(w >= 256 ? 0 : w);
  out += char(h >= 256 ? 0 : h);
  out += char(0);
  out += char(0);
  Wr16(out, 1);
  Wr16(out, 32);
  Wr32(out, dataSize);
  Wr32(out, 22);
  Wr32(out, 40);
  Wr32(out, uint32_t(w));
  Wr32(out, uint32_t(h * 2));
  Wr16(out, 1);
  Wr16(out, 32);
  Wr32(out, 0);
  Wr32(out, uint32_t(stride * size_t(h) + mstride * size_t(h)));
  Wr32(out, 0);
  Wr32(out, 0);
  Wr32(out, 0);
  Wr32(out, 0);
  auto transparent = [&](int x, int y) {
    return mask && y < mask->Height() && x < mask->Width() && (mask->ScanLine(y)[x] & 0xFFFFFF) != 0;
  };
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = img->ScanLine(y)[x];
      if (transparent(x, y))
        p = 0;
      else
        p |= 0xFF000000u;
      Wr32(out, p);
    }
  for (int y = h - 1; y >= 0; --y) {
    std::string line(mstride, '\0');
    for (int x = 0; x < w; ++x)
      if (transparent(x, y)) line[size_t(x / 8)] = char(uint8_t(line[size_t(x / 8)]) | (0x80 >> (x % 8)));
    out += line;
  }
  stream->WriteBuffer(out.data(), int64_t(out.size()));
}

// ---- TPicture ----
TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::GraphicChanged(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Assign(TPersistent* source) {
  if (!source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto* p = dynamic_cast<TPicture*>(source)) {
    SetGraphic(p->Graphic());
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(g);
    return;
  }
  TPersistent::Assign(source);
}

void TPicture::SetGraphic(TGraphic* graphic) {
  std::unique_ptr<TGraphic> n;
  if (graphic) {
    if (dynamic_cast<TBitmap*>(graphic))
      n.reset(new TBitmap);
    else if (dynamic_cast<TIcon*>(graphic))
      n.reset(new TIcon);
    else
      throw EInvalidGraphic("Unsupported graphic class");
    n->Assign(graphic);
    n->OnChange = [this](TObject* s) { GraphicChanged(s); };
  }
  FGraphic = std::move(n);
  GraphicChanged(this);
}

TBitmap* TPicture::Bitmap() {
  auto* b = dynamic_cast<TBitmap*>(FGraphic.get());
  if (!b) {
    b = new TBitmap;
    b->OnChange = [this](TObject* s) { GraphicChanged(s); };
    FGraphic.reset(b);
  }
  return b;
}

TIcon* TPicture::Icon() {
  auto* i = dynamic_cast<TIcon*>(FGraphic.get());
  if (!i) {
    i = new TIcon;
    i->OnChange = [this](TObject* s) { GraphicChanged(s); };
    FGraphic.reset(i);
  }
  return i;
}

void TPicture::LoadFromStream(TStream* stream) {
  int64_t start = stream->Position();
  char head[4] = {};
  int64_t n = stream->Read(head, 4);
  stream->SetPosition(start);
  std::unique_ptr<TGraphic> g;
  if (n >= 2 && head[0] == 'B' && head[1] == 'M')
    g.reset(new TBitmap);
  else if (n >= 4 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0)
    g.reset(new TIcon);
  else
    g.reset(new TBitmap);  // through the picture decoders
  g->LoadFromStream(stream);
  g->OnChange = [this](TObject* s) { GraphicChanged(s); };
  FGraphic = std::move(g);
  GraphicChanged(this);
}

void TPicture::LoadFromFile(const std::string& fileName) {
  TFileStream s(fileName, fmOpenRead);
  try {
    LoadFromStream(&s);
  } catch (const EInvalidGraphic&) {
    std::string ext = ExtractFileExt(fileName);
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    std::string lower = AnsiLowerCase(ext);
    if (lower == "bmp" || lower == "ico") throw;
    throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", ext.c_str()));
  }
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

// ---- TImageList ----
TImageList::TImageList(TComponent* owner) : TComponent(owner) {}
TImageList::~TImageList() = default;

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TImageList::Assign(TPersistent* source) {
  if (auto* l = dynamic_cast<TImageList*>(source)) {
    if (l == this) return;
    FWidth = l->FWidth;
    FHeight = l->FHeight;
    FMasked = l->FMasked;
    FBkColor = l->FBkColor;
    FDrawingStyle = l->FDrawingStyle;
    FImages.clear();
    for (const TEntry& e : l->FImages) {
      TEntry n;
      n.Image.reset(new TGdiBitmap(0, 0));
      n.Image->CopyFrom(*e.Image);
      n.Mask.reset(new TGdiBitmap(0, 0, 1));
      n.Mask->CopyFrom(*e.Mask);
      FImages.push_back(std::move(n));
    }
    Changed();
    return;
  }
  TComponent::Assign(source);
}

void TImageList::SetWidth(int w) {
  if (w == FWidth || w <= 0) return;
  FWidth = w;
  FImages.clear();
  Changed();
}

void TImageList::SetHeight(int h) {
  if (h == FHeight || h <= 0) return;
  FHeight = h;
  FImages.clear();
  Changed();
}

int TImageList::AddPieces(const TGdiBitmap& image, const TGdiBitmap* mask) {
  int first = Count();
  int pieces = std::max(1, image.Width() / FWidth);
  for (int p = 0; p < pieces; ++p) {
    TEntry e;
    e.Image.reset(new TGdiBitmap(FWidth, FHeight));
    e.Mask.reset(new TGdiBitmap(FWidth, FHeight, 1));
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) {
        int sx = p * FWidth + x;
        bool inside = sx < image.Width() && y < image.Height();
        e.Image->ScanLine(y)[x] = inside ? image.ScanLine(y)[sx] : 0xFF000000u;
        bool transparent = !inside;
        if (inside && mask && sx < mask->Width() && y < mask->Height())
          transparent = (mask->ScanLine(y)[sx] & 0xFFFFFF) != 0;
        e.Mask->ScanLine(y)[x] = transparent ? 0xFFFFFFFFu : 0xFF000000u;
      }
    FImages.push_back(std::move(e));
  }
  Changed();
  return first;
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  return AddPieces(*image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  // clNone: no colour is transparent.
  if (maskColor == clNone) return AddPieces(*image->Handle(), nullptr);
  TColor c = maskColor == clDefault ? image->Pixel(0, image->Height() - 1) : ColorToRGB(maskColor);
  std::unique_ptr<TGdiBitmap> mask(image->MakeMask(c));
  return AddPieces(*image->Handle(), mask.get());
}

int TImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  TGdiBitmap* img = icon->Image()->Handle();
  TGdiBitmap* mask = icon->Mask()->Empty() ? nullptr : icon->Mask()->Handle();
  // An icon is one image, scaled to the list's size.
  TGdiBitmap scaled(FWidth, FHeight), smask(FWidth, FHeight, 1);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      int sx = x * img->Width() / FWidth, sy = y * img->Height() / FHeight;
      scaled.ScanLine(y)[x] = img->ScanLine(sy)[sx];
      smask.ScanLine(y)[x] = mask ? mask->ScanLine(sy)[sx] : 0xFF000000u;
    }
  int saveW = FWidth;
  int r = AddPieces(scaled, &smask);
  FWidth = saveW;
  return r;
}

void TImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index >= Count() || !image) return;
  int at = AddPieces(*image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
  FImages[size_t(index)] = std::move(FImages[size_t(at)]);
  FImages.resize(size_t(at));
  Changed();
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  FImages.erase(FImages.begin() + index);
  Changed();
}

void TImageList::Clear() {
  FImages.clear();
  Changed();
}

void TImageList::Move(int curIndex, int newIndex) {
  if (curIndex < 0 || curIndex >= Count() || newIndex < 0 || newIndex >= Count() || curIndex == newIndex) return;
  TEntry e = std::move(FImages[size_t(curIndex)]);
  FImages.erase(FImages.begin() + curIndex);
  FImages.insert(FImages.begin() + newIndex, std::move(e));
  Changed();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  Draw(canvas, x, y, index, FDrawingStyle, itImage, enabled);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle, TImageType type, bool enabled) {
  if (!canvas || index < 0 || index >= Count()) return;
  const TEntry& e = FImages[size_t(index)];
  HDC dc = canvas->Handle();
  if (type == itMask) {
    DrawMaskedImage(dc, x, y, FWidth, FHeight, e.Mask.get(), nullptr);
    return;
  }
  if (enabled) {
    DrawMaskedImage(dc, x, y, FWidth, FHeight, e.Image.get(), FMasked ? e.Mask.get() : nullptr);
    return;
  }
  // Disabled: the dark pixels embossed, highlight one pixel down-right
  // under the shadow.
  COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
  auto ink = [&](int px, int py) {
    if ((e.Mask->ScanLine(py)[px] & 0xFFFFFF) != 0) return false;
    uint32_t p = e.Image->ScanLine(py)[px];
    int lum = int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
    return lum < 3 * 0xC0;
  };
  for (int py = 0; py < FHeight; ++py)
    for (int px = 0; px < FWidth; ++px)
      if (ink(px, py)) ::SetPixel(dc, x + px + 1, y + py + 1, hi);
  for (int py = 0; py < FHeight; ++py)
    for (int px = 0; px < FWidth; ++px)
      if (ink(px, py)) ::SetPixel(dc, x + px, y + py, sh);
}

void TImageList::GetBitmap(int index, TBitmap* image) {
  if (!image || index < 0 || index >= Count()) return;
  image->SetSize(FWidth, FHeight);
  TCanvas* c = image->Canvas();
  c->Brush()->SetColor(FBkColor == clNone ? clBtnFace : FBkColor);
  c->FillRect(TRect(0, 0, FWidth, FHeight));
  Draw(c, 0, 0, index, true);
}

void TImageList::GetIcon(int index, TIcon* icon) {
  if (!icon || index < 0 || index >= Count()) return;
  const TEntry& e = FImages[size_t(index)];
  auto* img = new TGdiBitmap(0, 0);
  img->CopyFrom(*e.Image);
  auto* mask = new TGdiBitmap(0, 0, 1);
  mask->CopyFrom(*e.Mask);
  icon->Image()->SetHandle(img);
  icon->Mask()->SetHandle(mask);
}
