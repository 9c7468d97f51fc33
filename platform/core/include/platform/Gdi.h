// Win32 GDI semantics: device contexts, fonts, pens, brushes, bitmaps,
// regions and the drawing and text calls with their Windows rules.
//
// HDC is a TDeviceContext*. The GDI state (selected objects, colours,
// background mode, character extra, current position, origins, clip region
// and the SaveDC stack) lives in TDeviceContext; the drawing primitives are
// virtual. TRasterDC draws into a 32-bit bitmap with the exact Win32 pixel
// rules (right and bottom edges excluded, LineTo excludes its last point,
// ternary raster operations); the widget sets derive from it and add glyphs.
// Coordinates given to the API are logical; the DC adds the origin offset
// (viewport origin minus window origin) to get device coordinates.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Colors.h"
#include "platform/Messages.h"
#include "platform/Types.h"

using INT = int32_t;

class TDeviceContext;
class TGdiObject;
class TGdiFont;
class TGdiBrush;
class TGdiPen;
class TGdiBitmap;
class TGdiRegion;

using HDC = TDeviceContext*;
using HGDIOBJ = TGdiObject*;
using HFONT = TGdiFont*;
using HBRUSH = TGdiBrush*;
using HPEN = TGdiPen*;
using HBITMAP = TGdiBitmap*;
using HRGN = TGdiRegion*;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
constexpr int GDI_ERROR = -1;

// ---- logical font ----
constexpr int LF_FACESIZE = 32;

struct LOGFONT {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 0;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};
static_assert(sizeof(LOGFONT) == 60, "LOGFONT is the 60-byte Win32 structure");
using LOGFONTA = LOGFONT;
using TLogFont = LOGFONT;

// Copies `name` into lfFaceName (at most 31 bytes, NUL-terminated, the rest
// zero).
void SetLogFontFaceName(LOGFONT& lf, const std::string& name);

// weights
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_EXTRALIGHT = 200;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_REGULAR = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_EXTRABOLD = 800;
constexpr int FW_HEAVY = 900;

// character sets
constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t SYMBOL_CHARSET = 2;
constexpr uint8_t MAC_CHARSET = 77;
constexpr uint8_t SHIFTJIS_CHARSET = 128;
constexpr uint8_t HANGEUL_CHARSET = 129;
constexpr uint8_t HANGUL_CHARSET = 129;
constexpr uint8_t JOHAB_CHARSET = 130;
constexpr uint8_t GB2312_CHARSET = 134;
constexpr uint8_t CHINESEBIG5_CHARSET = 136;
constexpr uint8_t GREEK_CHARSET = 161;
constexpr uint8_t TURKISH_CHARSET = 162;
constexpr uint8_t VIETNAMESE_CHARSET = 163;
constexpr uint8_t HEBREW_CHARSET = 177;
constexpr uint8_t ARABIC_CHARSET = 178;
constexpr uint8_t BALTIC_CHARSET = 186;
constexpr uint8_t RUSSIAN_CHARSET = 204;
constexpr uint8_t THAI_CHARSET = 222;
constexpr uint8_t EASTEUROPE_CHARSET = 238;
constexpr uint8_t OEM_CHARSET = 255;
// True for the double-byte character sets (Shift-JIS, Hangul, Johab, GB2312, Big5).
bool IsDbcsCharset(int charset);

// output precision, clip precision, quality
constexpr uint8_t OUT_DEFAULT_PRECIS = 0;
constexpr uint8_t OUT_STRING_PRECIS = 1;
constexpr uint8_t OUT_CHARACTER_PRECIS = 2;
constexpr uint8_t OUT_STROKE_PRECIS = 3;
constexpr uint8_t OUT_TT_PRECIS = 4;
constexpr uint8_t OUT_DEVICE_PRECIS = 5;
constexpr uint8_t OUT_RASTER_PRECIS = 6;
constexpr uint8_t OUT_TT_ONLY_PRECIS = 7;
constexpr uint8_t CLIP_DEFAULT_PRECIS = 0;
constexpr uint8_t DEFAULT_QUALITY = 0;
constexpr uint8_t DRAFT_QUALITY = 1;
constexpr uint8_t PROOF_QUALITY = 2;
constexpr uint8_t NONANTIALIASED_QUALITY = 3;
constexpr uint8_t ANTIALIASED_QUALITY = 4;
constexpr uint8_t CLEARTYPE_QUALITY = 5;
// pitch and family
constexpr uint8_t DEFAULT_PITCH = 0;
constexpr uint8_t FIXED_PITCH = 1;
constexpr uint8_t VARIABLE_PITCH = 2;
constexpr uint8_t FF_DONTCARE = 0x00;
constexpr uint8_t FF_ROMAN = 0x10;
constexpr uint8_t FF_SWISS = 0x20;
constexpr uint8_t FF_MODERN = 0x30;
constexpr uint8_t FF_SCRIPT = 0x40;
constexpr uint8_t FF_DECORATIVE = 0x50;

// ---- text metrics ----
struct TEXTMETRIC {
  int32_t tmHeight = 0;
  int32_t tmAscent = 0;
  int32_t tmDescent = 0;
  int32_t tmInternalLeading = 0;
  int32_t tmExternalLeading = 0;
  int32_t tmAveCharWidth = 0;
  int32_t tmMaxCharWidth = 0;
  int32_t tmWeight = 0;
  int32_t tmOverhang = 0;
  int32_t tmDigitizedAspectX = 96;
  int32_t tmDigitizedAspectY = 96;
  uint8_t tmFirstChar = 0x20;
  uint8_t tmLastChar = 0xFF;
  uint8_t tmDefaultChar = 0x1F;
  uint8_t tmBreakChar = 0x20;
  uint8_t tmItalic = 0;
  uint8_t tmUnderlined = 0;
  uint8_t tmStruckOut = 0;
  uint8_t tmPitchAndFamily = 0;
  uint8_t tmCharSet = 0;
};
using TEXTMETRICA = TEXTMETRIC;
using TTextMetric = TEXTMETRIC;
// tmPitchAndFamily bits; note TMPF_FIXED_PITCH set means a variable pitch.
constexpr uint8_t TMPF_FIXED_PITCH = 0x01;
constexpr uint8_t TMPF_VECTOR = 0x02;
constexpr uint8_t TMPF_TRUETYPE = 0x04;
constexpr uint8_t TMPF_DEVICE = 0x08;

struct ABC {
  int32_t abcA = 0;
  uint32_t abcB = 0;
  int32_t abcC = 0;
};
using TABC = ABC;

struct FONTSIGNATURE {
  uint32_t fsUsb[4] = {};
  uint32_t fsCsb[2] = {};
};

// GetFontLanguageInfo flags
constexpr DWORD GCP_DBCS = 0x0001;
constexpr DWORD GCP_REORDER = 0x0002;
constexpr DWORD GCP_USEKERNING = 0x0008;
constexpr DWORD GCP_GLYPHSHAPE = 0x0010;
constexpr DWORD GCP_LIGATE = 0x0020;
constexpr DWORD FLI_GLYPHS = 0x00040000;

// ---- pens and brushes ----
constexpr UINT PS_SOLID = 0;
constexpr UINT PS_DASH = 1;
constexpr UINT PS_DOT = 2;
constexpr UINT PS_DASHDOT = 3;
constexpr UINT PS_DASHDOTDOT = 4;
constexpr UINT PS_NULL = 5;
constexpr UINT PS_INSIDEFRAME = 6;
constexpr UINT PS_STYLE_MASK = 0x0F;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = 1;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  uintptr_t lbHatch = 0;
};
struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  TPoint lopnWidth;
  COLORREF lopnColor = 0;
};
struct BITMAP {
  int32_t bmType = 0;
  int32_t bmWidth = 0;
  int32_t bmHeight = 0;
  int32_t bmWidthBytes = 0;
  uint16_t bmPlanes = 1;
  uint16_t bmBitsPixel = 32;
  void* bmBits = nullptr;
};

// ---- background modes, text alignment, binary raster operations ----
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// ternary raster operations (BitBlt, PatBlt)
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// ExtTextOut options
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;
constexpr UINT ETO_GLYPH_INDEX = 0x0010;
constexpr UINT ETO_RTLREADING = 0x0080;
constexpr UINT ETO_IGNORELANGUAGE = 0x1000;

// DrawText formats
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// DrawEdge
constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT BDR_OUTER = 0x0003;
constexpr UINT BDR_INNER = 0x000C;
constexpr UINT BDR_RAISED = 0x0005;
constexpr UINT BDR_SUNKEN = 0x000A;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr UINT BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr UINT BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr UINT BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x0800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;

// stock objects
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;
constexpr int STOCK_LAST = 19;

// GetCurrentObject
constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
constexpr UINT OBJ_REGION = 4;

// GetDeviceCaps
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// region kinds and CombineRgn modes
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// ---- GDI objects ----
enum class TGdiObjectKind { Font, Brush, Pen, Bitmap, Region };

// A GDI object. DeleteObject frees it, unless it is still selected into a
// device context: then it goes when the last context lets it go. Stock
// objects are never freed by DeleteObject.
class TGdiObject {
 public:
  explicit TGdiObject(TGdiObjectKind kind);
  virtual ~TGdiObject();
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  TGdiObjectKind Kind() const { return FKind; }
  bool IsStock() const { return FStock; }
  void MakeStock() { FStock = true; }
  // Selection references held by device contexts.
  void AddSelection() { ++FSelections; }
  void ReleaseSelection();
  // Deletes now, or marks for deletion while selected. False for stock
  // objects.
  bool Delete();
  bool DeletePending() const { return FDeleted; }
  // Number of live (undeleted) GDI objects, for leak checks in tests.
  static int LiveCount();

 private:
  TGdiObjectKind FKind;
  bool FStock = false;
  bool FDeleted = false;
  int FSelections = 0;
};

// A font. The widget set creates it from a LOGFONT (and may derive from it
// to keep its own font object beside the logical font).
class TGdiFont : public TGdiObject {
 public:
  explicit TGdiFont(const LOGFONT& lf);
  ~TGdiFont() override;
  const LOGFONT& LogFont() const { return FLogFont; }

 private:
  LOGFONT FLogFont;
};

class TGdiBrush : public TGdiObject {
 public:
  explicit TGdiBrush(const LOGBRUSH& lb, HBITMAP pattern = nullptr);
  ~TGdiBrush() override;
  UINT Style() const { return FLogBrush.lbStyle; }
  COLORREF Color() const { return FLogBrush.lbColor; }
  int Hatch() const { return int(FLogBrush.lbHatch); }
  const LOGBRUSH& LogBrush() const { return FLogBrush; }
  // The pattern of a BS_PATTERN brush (a private copy).
  TGdiBitmap* Pattern() const { return FPattern.get(); }

 private:
  LOGBRUSH FLogBrush;
  std::unique_ptr<TGdiBitmap> FPattern;
};

class TGdiPen : public TGdiObject {
 public:
  TGdiPen(UINT style, int width, COLORREF color);
  ~TGdiPen() override;
  UINT Style() const { return FStyle & PS_STYLE_MASK; }
  int Width() const { return FWidth; }
  COLORREF Color() const { return FColor; }

 private:
  UINT FStyle;
  int FWidth;
  COLORREF FColor;
};

// Pixels in memory: 32-bit words 0xAARRGGBB, rows top to bottom, no
// padding. A monochrome bitmap (BitsPerPixel 1) keeps the same layout with
// only black (0xFF000000) and white (0xFFFFFFFF) words.
class TGdiBitmap : public TGdiObject {
 public:
  TGdiBitmap(int width, int height, int bitsPerPixel = 32);
  ~TGdiBitmap() override;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int BitsPerPixel() const { return FBitsPerPixel; }
  bool Monochrome() const { return FBitsPerPixel == 1; }
  uint32_t* Bits() { return FBits.data(); }
  const uint32_t* Bits() const { return FBits.data(); }
  uint32_t* ScanLine(int y) { return FBits.data() + size_t(y) * size_t(FWidth); }
  const uint32_t* ScanLine(int y) const { return FBits.data() + size_t(y) * size_t(FWidth); }
  // Keeps the top-left part of the old pixels; new pixels are white.
  void Resize(int width, int height);
  // A colour (COLORREF) at a pixel; CLR_INVALID outside.
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF c);
  // Copies size and pixels of another bitmap.
  void CopyFrom(const TGdiBitmap& other);
  // Incremented on every change made through a device context; widget
  // sets use it to refresh what they cache.
  uint64_t Generation() const { return FGeneration; }
  void Touch() { ++FGeneration; }
  // Device context this bitmap is selected into (a bitmap is in at most one).
  TDeviceContext* SelectedInto() const { return FSelectedInto; }
  void SetSelectedInto(TDeviceContext* dc) { FSelectedInto = dc; }

 private:
  int FWidth;
  int FHeight;
  int FBitsPerPixel;
  std::vector<uint32_t> FBits;
  uint64_t FGeneration = 0;
  TDeviceContext* FSelectedInto = nullptr;
};

// Pixel word <-> COLORREF.
constexpr uint32_t ColorToPixel(COLORREF c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF PixelToColor(uint32_t p) { return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16); }

// A region: a set of non-overlapping rectangles.
class TGdiRegion : public TGdiObject {
 public:
  TGdiRegion() : TGdiObject(TGdiObjectKind::Region) {}
  explicit TGdiRegion(const TRect& r);
  std::vector<TRect> Rects;
  int Complexity() const { return Rects.empty() ? NULLREGION : Rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION; }
  TRect Box() const;
};

// Rectangle-list region arithmetic (results are non-overlapping lists).
namespace RegionOps {
std::vector<TRect> Intersect(const std::vector<TRect>& a, const std::vector<TRect>& b);
std::vector<TRect> Subtract(const std::vector<TRect>& a, const std::vector<TRect>& b);
std::vector<TRect> Union(const std::vector<TRect>& a, const std::vector<TRect>& b);
std::vector<TRect> Xor(const std::vector<TRect>& a, const std::vector<TRect>& b);
TRect Bounds(const std::vector<TRect>& rects);
bool Contains(const std::vector<TRect>& rects, const TPoint& p);
void Offset(std::vector<TRect>& rects, int dx, int dy);
}  // namespace RegionOps

// ---- the device context ----
class TDeviceContext {
 public:
  // What the DC draws on.
  enum class TKind { Screen, Window, Memory, Printer, Other };

  explicit TDeviceContext(TKind kind);
  virtual ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  TKind Kind() const { return FKind; }

  // -- state --
  // The selected objects are never null: a new DC has the system font, the
  // black pen, the white brush and (memory DC) a 1x1 monochrome bitmap.
  HFONT Font() const { return FState.Font; }
  HPEN Pen() const { return FState.Pen; }
  HBRUSH Brush() const { return FState.Brush; }
  HBITMAP Bitmap() const { return FState.Bitmap; }
  // Selects an object of its kind; returns the previous one (null on error).
  // Selecting a region sets the clip region to a copy of it and returns
  // its complexity cast to a pointer as Win32 does (use SelectClipRgn).
  virtual HGDIOBJ SelectObject(HGDIOBJ obj);

  COLORREF TextColor() const { return FState.TextColor; }
  COLORREF SetTextColor(COLORREF c);
  COLORREF BkColor() const { return FState.BkColor; }
  COLORREF SetBkColor(COLORREF c);
  int BkMode() const { return FState.BkMode; }
  int SetBkMode(int mode);
  int CharExtra() const { return FState.CharExtra; }
  int SetCharExtra(int extra);
  UINT TextAlign() const { return FState.TextAlign; }
  UINT SetTextAlign(UINT align);
  int Rop2() const { return FState.Rop2; }
  int SetRop2(int rop);
  TPoint CurrentPos() const { return FState.Pos; }
  void MoveTo(int x, int y) { FState.Pos = TPoint(x, y); }
  TPoint BrushOrg() const { return FState.BrushOrg; }
  void SetBrushOrg(TPoint p) { FState.BrushOrg = p; }
  TPoint WindowOrg() const { return FState.WindowOrg; }
  void SetWindowOrg(TPoint p) { FState.WindowOrg = p; }
  TPoint ViewportOrg() const { return FState.ViewportOrg; }
  void SetViewportOrg(TPoint p) { FState.ViewportOrg = p; }
  // Logical -> device offset.
  TPoint Offset() const {
    return TPoint(FState.ViewportOrg.X - FState.WindowOrg.X, FState.ViewportOrg.Y - FState.WindowOrg.Y);
  }
  TPoint ToDevice(TPoint p) const {
    TPoint o = Offset();
    return TPoint(p.X + o.X, p.Y + o.Y);
  }
  TRect ToDevice(const TRect& r) const {
    TPoint o = Offset();
    return TRect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y);
  }
  TRect ToLogical(const TRect& r) const {
    TPoint o = Offset();
    return TRect(r.Left - o.X, r.Top - o.Y, r.Right - o.X, r.Bottom - o.Y);
  }

  // SaveDC returns the new stack depth (>= 1); RestoreDC(n) with n > 0
  // goes back to that saved level, with n < 0 relative (-1 = the last).
  int SaveDC();
  bool RestoreDC(int level);
  int SavedDepth() const { return int(FSaved.size()); }

  // -- clipping (device coordinates) --
  // The visible area given by the surface (window bounds, paint update
  // region); the application's clip region is on top of it.
  void SetVisibleRegion(const std::vector<TRect>& rects);
  const std::vector<TRect>& VisibleRegion() const { return FVisible; }
  bool HasClipRegion() const { return FState.HasClip; }
  const std::vector<TRect>& ClipRegion() const { return FState.Clip; }
  // The effective clip: visible region intersected with the clip region.
  const std::vector<TRect>& EffectiveClip() const;
  int IntersectClipRect(const TRect& logical);
  int ExcludeClipRect(const TRect& logical);
  // Null resets the clip region; otherwise a copy (device coordinates).
  int SelectClipRgn(const TGdiRegion* rgn, int mode = RGN_COPY);
  int OffsetClipRgn(int dx, int dy);
  // Bounding box of the effective clip in logical coordinates.
  int GetClipBox(TRect& logical) const;
  bool PtVisible(int x, int y) const;
  bool RectVisible(const TRect& logical) const;

  // -- surface --
  virtual TSize SurfaceSize() const = 0;
  virtual int DeviceCaps(int index) const;

  // -- text metrics of the selected font (include nothing for the extra) --
  virtual bool GetTextMetrics(TEXTMETRIC& tm);
  virtual bool GetCharABCWidths(UINT first, UINT last, ABC* abc);
  // Advances of single characters (without the character extra).
  virtual bool GetCharWidths(UINT first, UINT last, int* widths);
  // Extent of a string: sum of the advances plus the character extra per
  // character, height tmHeight.
  virtual bool GetTextExtent(const char* text, int count, TSize& size);
  virtual DWORD FontLanguageInfo();
  virtual int TextCharset();

  // -- drawing (logical coordinates) --
  virtual bool ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int count, const int* dx);
  virtual int FillRect(const TRect& r, HBRUSH brush);
  virtual int FrameRect(const TRect& r, HBRUSH brush);
  virtual bool InvertRect(const TRect& r);
  virtual bool DrawFocusRect(const TRect& r);
  virtual bool PatBlt(int x, int y, int w, int h, DWORD rop);
  virtual bool Rectangle(int left, int top, int right, int bottom);
  virtual bool RoundRect(int left, int top, int right, int bottom, int w, int h);
  virtual bool Ellipse(int left, int top, int right, int bottom);
  virtual bool LineTo(int x, int y);
  virtual bool Polyline(const TPoint* pts, int count);
  virtual bool Polygon(const TPoint* pts, int count);
  virtual COLORREF SetPixel(int x, int y, COLORREF c);
  virtual COLORREF GetPixel(int x, int y);
  virtual bool StretchBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh, DWORD rop);
  // Copies the source except pixels of the transparent colour.
  virtual bool TransparentBlt(int x, int y, int w, int h, TDeviceContext* src, int sx, int sy, int sw, int sh,
                              COLORREF transparent);
  // Moves pixels of the surface (ScrollDC); device coordinates.
  virtual bool ScrollSurface(int dx, int dy, const TRect& area, const TRect& clip);

 protected:
  struct TState {
    HFONT Font = nullptr;
    HPEN Pen = nullptr;
    HBRUSH Brush = nullptr;
    HBITMAP Bitmap = nullptr;
    COLORREF TextColor = 0x000000;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    int CharExtra = 0;
    UINT TextAlign = TA_LEFT | TA_TOP;
    int Rop2 = R2_COPYPEN;
    TPoint Pos;
    TPoint BrushOrg;
    TPoint WindowOrg;
    TPoint ViewportOrg;
    bool HasClip = false;
    std::vector<TRect> Clip;
  };

  const TState& State() const { return FState; }
  // Called after a bitmap is selected (memory DCs resize their surface).
  virtual void BitmapSelected() {}
  void InvalidateClipCache() { FClipValid = false; }
  // Default visible region: the whole surface.
  void ResetVisibleRegion();

  // Raw primitives in device coordinates, on the effective clip. ExtTextOut
  // resolves alignment, the current position, the opaque rectangle or the
  // opaque cell background and the per-character advances, then calls
  // DrawGlyphs with the top-left of the character cells and one advance per
  // character (never null).
  virtual void DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) = 0;
  virtual void DevFillRect(const TRect& r, HBRUSH brush, DWORD rop) = 0;
  virtual void DevSolidFill(const TRect& r, COLORREF c) = 0;
  virtual void DevPolyline(const TPoint* pts, int count, bool closed) = 0;
  virtual void DevPolygonFill(const TPoint* pts, int count) = 0;
  virtual void DevEllipse(const TRect& r) = 0;
  virtual void DevRoundRect(const TRect& r, int w, int h) = 0;
  virtual COLORREF DevSetPixel(int x, int y, COLORREF c) = 0;
  virtual COLORREF DevGetPixel(int x, int y) = 0;
  virtual void DevBlt(const TRect& dst, TDeviceContext* src, const TRect& srcRect, DWORD rop,
                      const COLORREF* transparent) = 0;

  // Helpers for implementations.
  static void ReleaseObject(HGDIOBJ obj);

 private:
  void ReplaceSelection(HGDIOBJ& slot, HGDIOBJ obj);
  void RetainState(const TState& s);
  void ReleaseState(const TState& s);

  TKind FKind;
  TState FState;
  std::vector<TState> FSaved;
  std::vector<TRect> FVisible;
  bool FVisibleSet = false;
  mutable std::vector<TRect> FClipCache;
  mutable bool FClipValid = false;
};

// A device context drawing into a TGdiBitmap with Win32 pixel rules. Glyph
// ink is left to the derived class (the base draws none).
class TRasterDC : public TDeviceContext {
 public:
  // `surface` null: a memory DC drawing into its selected bitmap.
  TRasterDC(TKind kind, TGdiBitmap* surface);
  ~TRasterDC() override;
  TGdiBitmap* Surface() const;
  void SetSurface(TGdiBitmap* surface);
  TSize SurfaceSize() const override;

 protected:
  void DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) override;
  void DevFillRect(const TRect& r, HBRUSH brush, DWORD rop) override;
  void DevSolidFill(const TRect& r, COLORREF c) override;
  void DevPolyline(const TPoint* pts, int count, bool closed) override;
  void DevPolygonFill(const TPoint* pts, int count) override;
  void DevEllipse(const TRect& r) override;
  void DevRoundRect(const TRect& r, int w, int h) override;
  COLORREF DevSetPixel(int x, int y, COLORREF c) override;
  COLORREF DevGetPixel(int x, int y) override;
  void DevBlt(const TRect& dst, TDeviceContext* src, const TRect& srcRect, DWORD rop,
              const COLORREF* transparent) override;
  void BitmapSelected() override;
  // DevBlt's row-by-row cases (false: take the general path).
  bool BlitRows(const TRect& dst, const TGdiBitmap* source, const TRect& srcRect, uint8_t code);

  // Pixel plotting with the pen's ROP2 on the effective clip.
  void PlotPen(int x, int y, uint32_t penPixel);
  // Fills one horizontal span [x0, x1) of row y with the brush.
  void FillSpan(int y, int x0, int x1, HBRUSH brush, DWORD rop);
  uint32_t BrushPixel(HBRUSH brush, int x, int y) const;
  bool Visible(int x, int y) const;

 private:
  TGdiBitmap* FSurface;
};

// ---- the API ----
// Objects
HFONT CreateFontIndirect(const LOGFONT* lf);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charset, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, const char* face);
HBRUSH CreateSolidBrush(COLORREF c);
HBRUSH CreateHatchBrush(int hatch, COLORREF c);
HBRUSH CreatePatternBrush(HBITMAP bmp);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HBRUSH GetSysColorBrush(int index);
HPEN CreatePen(int style, int width, COLORREF c);
HPEN CreatePenIndirect(const LOGPEN* lp);
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HGDIOBJ GetStockObject(int index);
bool DeleteObject(HGDIOBJ obj);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
// Copies the object's description (LOGFONT, LOGBRUSH, LOGPEN or BITMAP)
// into `buffer` (at most `size` bytes); returns the bytes written, or the
// size needed when buffer is null; 0 on failure.
int GetObject(HGDIOBJ obj, int size, void* buffer);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect* r);
bool SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// A rectangle with corners rounded by ellipses w x h, as rows of pixels.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h);
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, TRect* r);
bool PtInRegion(HRGN rgn, int x, int y);
bool RectInRegion(HRGN rgn, const TRect* r);
bool EqualRgn(HRGN a, HRGN b);
bool FillRgn(HDC dc, HRGN rgn, HBRUSH brush);

// Device contexts
// A window's DC drawing on its client area (null: the screen DC, which
// only measures); give it back with ReleaseDC.
HDC GetDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
HDC CreateCompatibleDC(HDC dc);
bool DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);
// The colour the device shows for `c` (a monochrome surface: black or
// white); CLR_INVALID without a DC.
COLORREF GetNearestColor(HDC dc, COLORREF c);
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);
COLORREF SetTextColor(HDC dc, COLORREF c);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF c);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetROP2(HDC dc, int rop);
int GetROP2(HDC dc);
bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old);
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetWindowOrgEx(HDC dc, TPoint* p);
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old);
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetViewportOrgEx(HDC dc, TPoint* p);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old);
bool MoveToEx(HDC dc, int x, int y, TPoint* old);
bool GetCurrentPositionEx(HDC dc, TPoint* p);

// Clipping
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int OffsetClipRgn(HDC dc, int dx, int dy);
int GetClipBox(HDC dc, TRect* r);
// 1 and a copy in `rgn` when the DC has a clip region, 0 when none.
int GetClipRgn(HDC dc, HRGN rgn);
bool PtVisible(HDC dc, int x, int y);
bool RectVisible(HDC dc, const TRect* r);

// Text
bool GetTextMetrics(HDC dc, TEXTMETRIC* tm);
bool GetCharABCWidths(HDC dc, UINT first, UINT last, ABC* abc);
bool GetCharWidth32(HDC dc, UINT first, UINT last, int* widths);
bool GetCharWidth(HDC dc, UINT first, UINT last, int* widths);
bool GetTextExtentPoint32(HDC dc, const char* text, int count, TSize* size);
bool GetTextExtentPoint(HDC dc, const char* text, int count, TSize* size);
// The face name of the selected font; returns its length.
int GetTextFace(HDC dc, int size, char* face);
int GetTextCharset(HDC dc);
int GetTextCharsetInfo(HDC dc, FONTSIGNATURE* sig, DWORD flags);
DWORD GetFontLanguageInfo(HDC dc);
bool TextOut(HDC dc, int x, int y, const char* text, int count);
bool ExtTextOut(HDC dc, int x, int y, UINT options, const TRect* rect, const char* text, UINT count, const INT* dx);
// count -1: NUL-terminated. Returns the height of the text drawn (or
// measured with DT_CALCRECT, which also sets the rectangle's right and
// bottom and draws nothing).
int DrawText(HDC dc, const char* text, int count, TRect* rect, UINT format);

// Drawing
int FillRect(HDC dc, const TRect* r, HBRUSH brush);
int FrameRect(HDC dc, const TRect* r, HBRUSH brush);
bool InvertRect(HDC dc, const TRect* r);
bool DrawFocusRect(HDC dc, const TRect* r);
bool DrawEdge(HDC dc, TRect* r, UINT edge, UINT flags);
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int w, int h);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const TPoint* pts, int count);
bool Polygon(HDC dc, const TPoint* pts, int count);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF c);
bool SetPixelV(HDC dc, int x, int y, COLORREF c);
COLORREF GetPixel(HDC dc, int x, int y);
bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop);
bool PatBlt(HDC dc, int x, int y, int w, int h, DWORD rop);
bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, UINT transparent);
// Scrolls pixels of a DC's surface; returns false for a DC without one.
bool ScrollDC(HDC dc, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect);
