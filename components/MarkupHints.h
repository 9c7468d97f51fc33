// The mini-HTML renderer of the hint window: draws (or only measures) a
// string in a small line-oriented HTML dialect on a canvas inside a
// rectangle. See docs/COMPONENTS.md for the dialect and its invariants.
//
// Every call leaves the canvas's font and brush colour as it found them;
// the text background mode is left transparent. Malformed markup degrades
// and never raises: unknown tags are ignored, an unclosed tag ends the text,
// bad colours are black, numbers without digits 0, pictures that fail to
// load are not drawn.
#pragma once

#include <string>

#include "platform/Graphics.h"

class THintPictureCache;
class TPictureStore;

// What a render call is asked to do (the hint window's values in brackets).
struct TMarkupRequest {
  TCanvas* Canvas = nullptr;
  std::string Text;
  TRect Rect;
  TImageList* Images = nullptr;  // "IDX:" pictures
  int HitX = 0, HitY = 0;        // point for anchor hit testing (0, 0)
  int FocusAnchor = -1;          // 0-based anchor with a focus rectangle (-1)
  int HoverAnchor = -1;          // 1-based hovered anchor (-1)
  int ShadowOffset = 1;
  bool CheckHotSpot = false;  // second pass measures instead of painting
  bool MeasureOnly = false;
  bool ScaleImages = false;
  bool Selected = false;  // text colours of A and FONT and BODY painting off
  bool BlinkOn = true;    // BL text hidden when false
  bool HoverOnlyActive = false;
  bool WordWrap = false;  // false: runs that do not fit end with "..."
  double ScaleFactor = 1.0;
  TColor URLColor = clBlue;
  TColor HoverBackColor = clNone;
  TColor HoverFontColor = clNone;
  TColor ShadowColor = clGray;
  THintPictureCache* PictureCache = nullptr;  // "://" sources
  TPictureStore* PictureStore = nullptr;      // named pictures
  int LineSpacing = 0;
};

struct TMarkupResult {
  bool Hit = false;  // the anchor-hit result
  std::string AnchorValue;
  std::string StrippedText;  // text runs without tags, CR for each BR
  std::string FocusAnchorValue;
  int XSize = 0, YSize = 0;
  int AnchorCount = 0;
  int HitAnchorIndex = -1;
  TRect AnchorRect;
};

bool RenderMarkup(const TMarkupRequest& request, TMarkupResult& result);

// The same with the renderer's 32 arguments in their order.
bool RenderHtmlText(TCanvas* canvas, const std::string& text, const TRect& rect, TImageList* images, int hitX, int hitY,
                    int focusAnchor, int hoverAnchor, int shadowOffset, bool checkHotSpot, bool measureOnly,
                    bool scaleImages, bool selected, bool blinkOn, bool hoverOnlyActive, bool wordWrap,
                    double scaleFactor, TColor urlColor, TColor hoverBackColor, TColor hoverFontColor,
                    TColor shadowColor, std::string& anchorValue, std::string& strippedText,
                    std::string& focusAnchorValue, int& xSize, int& ySize, int& anchorCount, int& hitAnchorIndex,
                    TRect& anchorRect, THintPictureCache* pictureCache, TPictureStore* pictureStore, int lineSpacing);

// ---- supporting routines ----
// A colour name in lower case ("clred", "clbtnface" ...); unknown names 0.
TColor ColorFromName(const std::string& name);
// "#RRGGBB" exactly (hexadecimal digits in either case); anything else 0.
TColor ColorFromHex(const std::string& value);
// 1-based position of `sub` in `s` without regard to case; 0 when absent.
size_t PosNoCase(const std::string& sub, const std::string& s);
// Replaces the first case-insensitive occurrence; true when it replaced.
bool ReplaceFirstNoCase(std::string& s, const std::string& from, const std::string& to);
// Line feeds removed, every carriage return made "<BR>".
std::string LineBreaksToBR(const std::string& s);
// At the first "<" followed by "#": that bracket and the first ">" after it
// removed.
std::string UnwrapHashTag(const std::string& s);
// The entities of the whole text ("&amp;", "&quot;", "&sect;", "&permil;",
// "&reg;", "&copy;", "&para;", "&trade;", "&euro;", any case) until none is
// left; "&amp;" makes two ampersands, which may start another entity.
std::string ReplaceMarkupEntities(const std::string& s);
// The lower-case entities of a text run ("&nbsp;", "&lt;", "&gt;",
// "&#124;"); their brackets never start or end a tag.
std::string ReplaceRunEntities(const std::string& run);
// User text (file names, paths) as markup that shows exactly that text in
// one line: "&", "<", ">" and "|" escaped, CR and LF made blanks.
std::string EscapeHintText(const std::string& s);
// Bands from one colour to another (steps 0 counts as 1; band i has
// start + round(i x (end - start) / steps) of each channel); a border
// colour other than clNone frames the rectangle.
void FillGradientRect(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps,
                      TColor border = clNone);
// The banding both gradients share: band i of `steps` has
// start + round(i x (end - start) / d) of each channel, d = steps - 1 with
// `lastIsEnd` (the last band exactly the end colour), else steps.
void FillColorBands(TCanvas* canvas, TColor from, TColor to, bool horizontal, const TRect& r, int steps,
                    bool lastIsEnd);
// A copy of the canvas font rotated by `angle` degrees selected into the
// canvas's DC; RestoreRotatedFont selects the previous font back and
// deletes the copy.
HFONT SelectRotatedFont(TCanvas* canvas, int angle, HFONT& previous);
void RestoreRotatedFont(TCanvas* canvas, HFONT rotated, HFONT previous);
// A shell icon by path or index (a number); `size` gets the icon size.
void DrawShellIcon(TCanvas* canvas, int x, int y, int& size, double scale, bool scaled, bool draw, bool large,
                   const std::string& name);
// The bitmap stretched into the rectangle (source copy).
void StretchBitmapTo(TCanvas* canvas, const TRect& r, TBitmap* bitmap);
bool IsDirectory(const std::string& path);
