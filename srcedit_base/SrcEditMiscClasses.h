// Support objects of the editing control: the option objects it owns and
// publishes (selection colours, gutter, bookmark options, glyphs), the
// handler chains the highlighters use to tell their editors about attribute
// changes, the shared strips of built-in images and the search-engine base.
//
// Each option object fires OnChange on every real change of a value, and
// Assign from an object of its own class fires it once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

class TImageList;

// --- selection colours --------------------------------------------------------
class TSrcSelectedColor : public TPersistent {
 public:
  TSrcSelectedColor() = default;
  const char* ClassName() const override { return "TSrcSelectedColor"; }
  void Assign(TPersistent* source) override;

  TColor Background() const { return FBG; }
  void SetBackground(TColor value);
  TColor Foreground() const { return FFG; }
  void SetForeground(TColor value);

  TNotifyEvent OnChange;

 private:
  TColor FBG = clHighlight;
  TColor FFG = clHighlightText;
};

// --- gutter ------------------------------------------------------------------
enum TSrcGutterBorderStyle { gbsNone, gbsMiddle, gbsRight };

class TSrcGutter : public TPersistent {
 public:
  TSrcGutter();
  ~TSrcGutter() override;
  const char* ClassName() const override { return "TSrcGutter"; }
  // Copies font, UseFontStyle, Color, Visible, Width, ShowLineNumbers,
  // LeadingZeros, ZeroStart, LeftOffset, DigitCount, RightOffset, AutoSize,
  // the automatic digit count and LineNumberStart (not border or gradient).
  void Assign(TPersistent* source) override;

  // With Visible, AutoSize and ShowLineNumbers: the digit count becomes
  // max(digits of the last shown number, DigitCount) and OnChange fires when
  // it changed; otherwise it goes back to DigitCount silently.
  void AutoSizeDigitCount(int linesCount);
  // The number shown for a line, right-aligned in the automatic digit count.
  std::string FormatLineNumber(int line) const;
  // Gutter width in pixels for text cells `charWidth` wide.
  int RealGutterWidth(int charWidth) const;
  // The digits actually shown.
  int AutoSizeDigits() const { return FAutoSizeDigitCount; }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  TSrcGutterBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TSrcGutterBorderStyle value);  // always fires OnChange
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }
  int DigitCount() const { return FDigitCount; }
  void SetDigitCount(int value);  // clamped to 2..12
  TFont* Font() const { return FFont; }
  void SetFont(TFont* value);  // copies the font
  bool LeadingZeros() const { return FLeadingZeros; }
  void SetLeadingZeros(bool value);
  int LeftOffset() const { return FLeftOffset; }
  void SetLeftOffset(int value);
  int RightOffset() const { return FRightOffset; }
  void SetRightOffset(int value);
  bool ShowLineNumbers() const { return FShowLineNumbers; }
  void SetShowLineNumbers(bool value);
  bool UseFontStyle() const { return FUseFontStyle; }
  void SetUseFontStyle(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  bool ZeroStart() const { return FZeroStart; }
  void SetZeroStart(bool value);
  int LineNumberStart() const { return FLineNumberStart; }
  void SetLineNumberStart(int value);  // negative becomes 0; ZeroStart := (value = 0)
  bool Gradient() const { return FGradient; }
  void SetGradient(bool value);
  TColor GradientStartColor() const { return FGradientStartColor; }
  void SetGradientStartColor(TColor value);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor value);
  int GradientSteps() const { return FGradientSteps; }
  void SetGradientSteps(int value);  // below 2 becomes 2

  TNotifyEvent OnChange;

 private:
  void Changed();
  void FontChanged(TObject* sender);

  TFont* FFont;
  TColor FColor = clBtnFace;
  TColor FBorderColor = clWindow;
  int FWidth = 30;
  bool FShowLineNumbers = false;
  int FDigitCount = 4;
  bool FLeadingZeros = false;
  bool FZeroStart = false;
  int FLeftOffset = 16;
  int FRightOffset = 2;
  TCursor FCursor = 0;
  bool FVisible = true;
  bool FUseFontStyle = true;
  bool FAutoSize = false;
  int FAutoSizeDigitCount = 4;
  TSrcGutterBorderStyle FBorderStyle = gbsMiddle;
  int FLineNumberStart = 1;
  bool FGradient = false;
  TColor FGradientStartColor = clWindow;
  TColor FGradientEndColor = clBtnFace;
  int FGradientSteps = 48;
};

// --- bookmark display options ---------------------------------------------------
class TSrcBookMarkOpt : public TPersistent {
 public:
  // `owner` (the control) gets the free notification of the image list.
  explicit TSrcBookMarkOpt(TComponent* owner);
  const char* ClassName() const override { return "TSrcBookMarkOpt"; }
  void Assign(TPersistent* source) override;

  TImageList* BookmarkImages() const { return FBookmarkImages; }
  void SetBookmarkImages(TImageList* value);
  bool DrawBookmarksFirst() const { return FDrawBookmarksFirst; }
  void SetDrawBookmarksFirst(bool value);
  bool EnableKeys() const { return FEnableKeys; }
  void SetEnableKeys(bool value) { FEnableKeys = value; }
  bool GlyphsVisible() const { return FGlyphsVisible; }
  void SetGlyphsVisible(bool value);
  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int value);
  int Xoffset() const { return FXoffset; }
  void SetXoffset(int value);

  TNotifyEvent OnChange;

 private:
  void Changed();

  TComponent* FOwner;
  TImageList* FBookmarkImages = nullptr;
  bool FDrawBookmarksFirst = true;
  bool FEnableKeys = true;
  bool FGlyphsVisible = true;
  int FLeftMargin = 2;
  int FXoffset = 12;
};

// --- glyphs ---------------------------------------------------------------------
class TSrcGlyph : public TPersistent {
 public:
  // The built-in bitmap comes from the named bitmap resource; without a
  // name it stays empty (and its mask colour is clNone).
  TSrcGlyph(const std::string& resourceName, TColor internalMaskColor);
  ~TSrcGlyph() override;
  const char* ClassName() const override { return "TSrcGlyph"; }
  // Copies the built-in picture and its mask colour, Visible, the picture of
  // Glyph and MaskColor.
  void Assign(TPersistent* source) override;

  // Glyph if not empty, else the built-in bitmap, with its mask colour
  // transparent; cut to the middle slice when the line is lower than the
  // bitmap, centred in the line otherwise.
  void Draw(TCanvas* canvas, int x, int y, int lineHeight) const;
  int Width() const;

  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* value);  // copies the picture
  TColor MaskColor() const { return FMaskColor; }
  void SetMaskColor(TColor value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  TBitmap* InternalGlyph() const { return FInternalGlyph; }
  TColor InternalMaskColor() const { return FInternalMaskColor; }

  TNotifyEvent OnChange;

 private:
  void Changed();

  bool FVisible = true;
  TBitmap* FInternalGlyph;
  TBitmap* FGlyph;
  TColor FInternalMaskColor;
  TColor FMaskColor = clNone;
};

// --- method chains ------------------------------------------------------------------
// A method as the chains keep it: the code and the object it runs on. Two
// entries are the same handler exactly when both parts are equal.
struct TSrcMethod {
  void (*Code)() = nullptr;
  void* Data = nullptr;
  friend bool operator==(const TSrcMethod& a, const TSrcMethod& b) { return a.Code == b.Code && a.Data == b.Data; }
  friend bool operator!=(const TSrcMethod& a, const TSrcMethod& b) { return !(a == b); }
};

// A notify method: `fn(data, sender)`.
using TSrcNotifyProc = void (*)(void* data, TObject* sender);
TSrcMethod SrcNotifyMethod(TSrcNotifyProc fn, void* data);

template <class T, void (T::*Method)(TObject*)>
void SrcNotifyThunk(void* data, TObject* sender) {
  (static_cast<T*>(data)->*Method)(sender);
}

// The notify method `object->Method`:
//   SrcNotifyMethod<TMyEdit, &TMyEdit::Changed>(this)
template <class T, void (T::*Method)(TObject*)>
TSrcMethod SrcNotifyMethod(T* object) {
  return SrcNotifyMethod(&SrcNotifyThunk<T, Method>, static_cast<void*>(object));
}

BQS_DECLARE_EXCEPTION(ESrcMethodChain, Exception);

// (sender: the chain, the exception a handler raised, continue: preset true).
using TSrcExceptionEvent = std::function<void(TObject* sender, Exception& e, bool& doContinue)>;

class TSrcMethodChain : public TObject {
 public:
  TSrcMethodChain() = default;
  const char* ClassName() const override { return "TSrcMethodChain"; }

  // Appends; the same handler may be added more than once.
  void Add(const TSrcMethod& method);
  // Removes every entry equal to `method`.
  void Remove(const TSrcMethod& method);
  // Calls the handlers in order. A handler raising an Exception goes to the
  // exception handling: without OnException it leaves Fire; otherwise
  // OnException decides whether the rest are called. Other exceptions pass.
  void Fire();
  int Count() const { return static_cast<int>(FMethods.size()); }

  TSrcExceptionEvent OnException;

 protected:
  virtual void DoFire(const TSrcMethod& method) = 0;
  // True to go on with the next handler.
  virtual bool DoHandleException(Exception& e);

 private:
  std::vector<TSrcMethod> FMethods;
};

class TSrcNotifyEventChain : public TSrcMethodChain {
 public:
  explicit TSrcNotifyEventChain(TObject* sender) : FSender(sender) {}
  const char* ClassName() const override { return "TSrcNotifyEventChain"; }
  TObject* Sender() const { return FSender; }
  void SetSender(TObject* sender) { FSender = sender; }

 protected:
  void DoFire(const TSrcMethod& method) override;

 private:
  TObject* FSender;
};

// --- built-in image strips ----------------------------------------------------------
// A strip of equally wide images in one bitmap, shared by every strip made
// from the same resource name.
class TSrcInternalImage : public TObject {
 public:
  // `module` is unused (resources are the program's own); the bitmap comes
  // from the named bitmap resource (case-insensitive name).
  TSrcInternalImage(void* module, const std::string& name, int count);
  ~TSrcInternalImage() override;
  const char* ClassName() const override { return "TSrcInternalImage"; }

  // Copies cell `number` opaquely to (x, y), fitted to the line height like
  // a glyph; numbers outside 0..count-1 draw nothing.
  void Draw(TCanvas* canvas, int number, int x, int y, int lineHeight) const;
  // The same with `transparentColor` left out.
  void DrawTransparent(TCanvas* canvas, int number, int x, int y, int lineHeight, TColor transparentColor) const;

  TBitmap* Images() const { return FImages; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const { return FCount; }

  // Number of shared bitmaps alive (for tests).
  static int SharedBitmapCount();

 private:
  TBitmap* FImages;
  int FWidth;
  int FHeight;
  int FCount;
};

// --- search engine ----------------------------------------------------------
// The base of search engines; the control only keeps a reference to one.
class TSrcEditSearchCustom : public TComponent {
 public:
  explicit TSrcEditSearchCustom(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TSrcEditSearchCustom"; }
};

// The names of the control's two bitmap resources, registered with the
// resource registry on first use: a 15 x 14 wrap arrow on a lime mask, and
// ten 11 x 14 bookmark images (digits 0 to 9) in one 110 x 14 strip.
constexpr const char* SrcEditWrappedResource = "SrcEditWrapped";
constexpr TColor SrcEditWrappedMaskColor = 0x00FF00;
constexpr const char* SrcEditInternalImagesResource = "SrcEditInternalImages";
void RegisterSrcEditResources();
