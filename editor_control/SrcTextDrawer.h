// Fixed-cell text drawing for the editing control.
//
// Every character of every style advances by one cell width and every line
// is one cell high, whatever font the control is given:
// - TheFontsInfoManager shares, per distinct logical font, one record with
//   up to 16 styled font handles and their metrics between all drawers;
// - TheFontStock (one per drawer) binds to a record, creates the styled
//   handles lazily and measures them;
// - TheTextDrawer (one per control) holds the cell size, attaches to a
//   device context for a paint pass and draws text with a spacing array
//   that puts every character on the grid.
//
// Misuse (unbalanced attach/detach, a style above 15, releasing a record
// still locked, ...) raises EAssertionFailed with a message naming
// "SrcTextDrawer".
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Colors.h"
#include "platform/Gdi.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

BQS_DECLARE_EXCEPTION(EheFontStockException, Exception);
BQS_DECLARE_EXCEPTION(EheTextDrawerException, Exception);

// Style index 0..15: 1 bold, 2 italic, 4 underline, 8 strike-out.
constexpr int TheStyleCount = 16;
inline int FontStyleIndex(TFontStyles style) { return static_cast<int>(style.Bits() & 0x0F); }

// One style slot of a shared record.
struct TheFontData {
  HFONT Handle = nullptr;
  int CharAdv = 0;    // advance of a character
  int DBCharAdv = 0;  // advance of a double-byte character (0x7FFFFFFF: none)
  int CharHeight = 0;
};
using TheFontsData = std::array<TheFontData, TheStyleCount>;

// The record shared by every stock bound to one logical font.
struct SharedFontInfo {
  int RefCount = 0;   // stocks using the record
  int LockCount = 0;  // stocks holding its font handles
  std::unique_ptr<TFont> BaseFont;
  LOGFONT BaseLF;  // the sharing key
  bool IsDBCSFont = false;
  TheFontsData FontsData;
};
using PSharedFontInfo = SharedFontInfo*;

constexpr int TheNoDBCharAdvance = 0x7FFFFFFF;

class TheFontsInfoManager : public TObject {
 public:
  TheFontsInfoManager();
  // Frees whatever records remain (the checked destruction is
  // FreeFontsInfoManager) and clears the global reference.
  ~TheFontsInfoManager() override;
  const char* ClassName() const override { return "TheFontsInfoManager"; }

  // The record of the font (created on first use), its reference count
  // raised by one.
  PSharedFontInfo AcquireFontsInfo(TFont* font);
  // Lowers the reference count; the last reference frees the record.
  void ReleaseFontsInfo(PSharedFontInfo info);
  // Handle lock: the font handles live while the lock count is above 0.
  void ActivateFontsInfo(PSharedFontInfo info);
  void DeactivateFontsInfo(PSharedFontInfo info);

  int Count() const { return static_cast<int>(FFontsInfo.size()); }
  PSharedFontInfo Items(int index) const { return FFontsInfo[static_cast<std::size_t>(index)].get(); }

  // The sharing key of a font: its logical font with italic, underline and
  // strike-out cleared and the face name zero-padded after its NUL.
  static LOGFONT MakeSharingKey(TFont* font);

 private:
  PSharedFontInfo FindFontsInfo(const LOGFONT& key) const;
  PSharedFontInfo CreateFontsInfo(TFont* font, const LOGFONT& key);
  void DestroyFontHandles(PSharedFontInfo info);

  std::vector<std::unique_ptr<SharedFontInfo>> FFontsInfo;

  friend void FreeFontsInfoManager();
};

// The one manager, created on first use.
TheFontsInfoManager* GetFontsInfoManager();
// The existing manager or nullptr (does not create one).
TheFontsInfoManager* FontsInfoManagerInstance();
// Destroys the manager the checked way: every remaining record must have
// exactly one reference (an assertion otherwise). Runs at program exit.
void FreeFontsInfoManager();

class TheFontStock : public TObject {
 public:
  explicit TheFontStock(TFont* initialFont);
  ~TheFontStock() override;
  const char* ClassName() const override { return "TheFontStock"; }

  virtual void SetBaseFont(TFont* value);
  // Selects a style 0..15 (an assertion above 15).
  virtual void SetStyle(int style);
  void SetStyle(TFontStyles style) { SetStyle(FontStyleIndex(style)); }
  // Gives up the handle lock; the handles go when no stock holds it.
  virtual void ReleaseFontHandles();

  int Style() const { return FCrntStyle; }
  // Metrics and handle of the current style.
  virtual int CharAdvance() const;
  virtual int CharHeight() const;
  virtual int DBCharAdvance() const;
  HFONT FontHandle() const { return FCrntFont; }
  TFont* BaseFont() const;
  const LOGFONT& BaseLogFont() const { return FBaseLF; }
  PSharedFontInfo FontsInfo() const { return FpInfo; }
  bool UsingFontHandles() const { return FUsingFontHandles; }

 protected:
  virtual HDC InternalGetDC();
  virtual void InternalReleaseDC(HDC value);
  virtual HFONT InternalCreateFont(int style);
  virtual void CalcFontAdvance(HDC dc, TheFontData* fontData);
  virtual TheFontData* GetFontData(int style);

 private:
  void ReleaseFontsInfo();

  HDC FDC = nullptr;
  int FDCRefCount = 0;
  PSharedFontInfo FpInfo = nullptr;
  bool FUsingFontHandles = false;
  LOGFONT FBaseLF;
  HFONT FCrntFont = nullptr;
  TheFontData* FpCrntFontData = nullptr;
  int FCrntStyle = 0;
};

class TheTextDrawer : public TObject {
 public:
  // measureStyle: the style whose advance makes the cell width (the control
  // passes bold).
  TheTextDrawer(TFontStyles measureStyle, TFont* baseFont);
  ~TheTextDrawer() override;
  const char* ClassName() const override { return "TheTextDrawer"; }

  // Cell width (advance of the measuring style plus the character extra)
  // and height; both at least 1.
  virtual int CharWidth() const;
  virtual int CharHeight() const;

  // Attach to a device context for a paint pass (nestable for the same one).
  virtual void BeginDrawing(HDC dc);
  virtual void EndDrawing();

  virtual void TextOut(int x, int y, const char* text, int length);
  void TextOut(int x, int y, const std::string& text) { TextOut(x, y, text.data(), static_cast<int>(text.size())); }
  // Extended output with the spacing array: one cell per character.
  virtual void ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int length);
  void ExtTextOut(int x, int y, UINT options, const TRect& rect, const std::string& text) {
    ExtTextOut(x, y, options, &rect, text.data(), static_cast<int>(text.size()));
  }

  virtual void SetBaseFont(TFont* value);
  // The measuring style.
  virtual void SetBaseStyle(int style);
  void SetBaseStyle(TFontStyles style) { SetBaseStyle(FontStyleIndex(style)); }
  int BaseStyle() const { return FCalcExtentBaseStyle; }
  // The drawing style.
  virtual void SetStyle(int style);
  void SetStyle(TFontStyles style) { SetStyle(FontStyleIndex(style)); }
  int Style() const { return FCrntStyle; }
  virtual void SetForeColor(TColor value);
  virtual void SetBackColor(TColor value);
  virtual void SetCharExtra(int value);
  TColor ForeColor() const { return FColor; }
  TColor BackColor() const { return FBkColor; }
  int CharExtra() const { return FCharExtra; }
  virtual void ReleaseTemporaryResources();

  HDC DC() const { return FDC; }
  int DrawingCount() const { return FDrawingCount; }
  HFONT CurrentFont() const { return FCrntFont; }
  TheFontStock* FontStock() const { return FFontStock.get(); }
  // Entries of the spacing array now allocated.
  int SpacingCapacity() const { return static_cast<int>(FETODist.size()); }
  const int* SpacingArray() const { return FETODist.data(); }

 protected:
  virtual void ReleaseETODist();
  virtual void AfterStyleSet();
  virtual void DoSetCharExtra(int value);

 private:
  std::unique_ptr<TheFontStock> FFontStock;
  HDC FDC = nullptr;
  int FSaveDC = 0;
  int FDrawingCount = 0;
  int FCalcExtentBaseStyle = 0;
  int FBaseCharWidth = 0;
  int FBaseCharHeight = 0;
  HFONT FCrntFont = nullptr;
  int FCrntStyle = 0;
  std::vector<int> FETODist;
  TColor FColor = clWindowText;
  TColor FBkColor = clWindow;
  int FCharExtra = 0;
};
