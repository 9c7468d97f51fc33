#include "SrcTextDrawer.h"

#include <cstdlib>
#include <cstring>

#include "platform/Win32.h"

namespace {

[[noreturn]] void AssertionFailure(const char* message, int line) {
  throw EAssertionFailed(Format("%s (SrcTextDrawer.cpp, line %d)", message, line));
}

#define SRC_DRAWER_ASSERT(cond)                                   \
  do {                                                            \
    if (!(cond)) AssertionFailure("Assertion failure", __LINE__); \
  } while (0)
#define SRC_DRAWER_ASSERT_MSG(cond, msg)          \
  do {                                            \
    if (!(cond)) AssertionFailure(msg, __LINE__); \
  } while (0)

TheFontsInfoManager* gFontsInfoManager = nullptr;

// Unit finalisation: the manager goes at program exit.
struct TFontsInfoManagerFinalizer {
  ~TFontsInfoManagerFinalizer() {
    try {
      FreeFontsInfoManager();
    } catch (...) {}
  }
} gFontsInfoManagerFinalizer;

}  // namespace

// ---------------------------------------------------------------------------
// TheFontsInfoManager

TheFontsInfoManager* GetFontsInfoManager() {
  if (!gFontsInfoManager) gFontsInfoManager = new TheFontsInfoManager();
  return gFontsInfoManager;
}

TheFontsInfoManager* FontsInfoManagerInstance() { return gFontsInfoManager; }

void FreeFontsInfoManager() {
  TheFontsInfoManager* manager = gFontsInfoManager;
  if (!manager) return;
  gFontsInfoManager = nullptr;
  std::unique_ptr<TheFontsInfoManager> owner(manager);
  while (!manager->FFontsInfo.empty()) {
    PSharedFontInfo info = manager->FFontsInfo.back().get();
    SRC_DRAWER_ASSERT(info->RefCount == 1);
    manager->ReleaseFontsInfo(info);
  }
}

TheFontsInfoManager::TheFontsInfoManager() = default;

TheFontsInfoManager::~TheFontsInfoManager() {
  if (gFontsInfoManager == this) gFontsInfoManager = nullptr;
  for (auto& info : FFontsInfo) DestroyFontHandles(info.get());
}

LOGFONT TheFontsInfoManager::MakeSharingKey(TFont* font) {
  LOGFONT key;
  if (GetObject(font->Handle(), static_cast<int>(sizeof(LOGFONT)), &key) != static_cast<int>(sizeof(LOGFONT)))
    key = font->MakeLogFont();
  key.lfItalic = 0;
  key.lfUnderline = 0;
  key.lfStrikeOut = 0;
  std::size_t len = strnlen(key.lfFaceName, LF_FACESIZE);
  if (len < static_cast<std::size_t>(LF_FACESIZE))
    std::memset(key.lfFaceName + len, 0, static_cast<std::size_t>(LF_FACESIZE) - len);
  return key;
}

PSharedFontInfo TheFontsInfoManager::FindFontsInfo(const LOGFONT& key) const {
  for (const auto& info : FFontsInfo)
    if (std::memcmp(&info->BaseLF, &key, sizeof(LOGFONT)) == 0) return info.get();
  return nullptr;
}

PSharedFontInfo TheFontsInfoManager::CreateFontsInfo(TFont* font, const LOGFONT& key) {
  auto info = std::make_unique<SharedFontInfo>();
  info->BaseFont = std::make_unique<TFont>();
  info->BaseFont->Assign(font);
  info->BaseLF = key;
  // Double-byte glyphs: ask the screen with the font selected.
  HDC dc = GetDC(nullptr);
  if (dc) {
    HGDIOBJ old = SelectObject(dc, info->BaseFont->Handle());
    info->IsDBCSFont = (GetFontLanguageInfo(dc) & GCP_DBCS) != 0;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  FFontsInfo.push_back(std::move(info));
  return FFontsInfo.back().get();
}

PSharedFontInfo TheFontsInfoManager::AcquireFontsInfo(TFont* font) {
  SRC_DRAWER_ASSERT(font != nullptr);
  LOGFONT key = MakeSharingKey(font);
  PSharedFontInfo info = FindFontsInfo(key);
  if (!info) info = CreateFontsInfo(font, key);
  ++info->RefCount;
  return info;
}

void TheFontsInfoManager::ReleaseFontsInfo(PSharedFontInfo info) {
  SRC_DRAWER_ASSERT(info != nullptr);
  SRC_DRAWER_ASSERT_MSG(info->LockCount < info->RefCount, "Call DeactivateFontsInfo before calling this.");
  if (info->RefCount < 2) {
    for (auto it = FFontsInfo.begin(); it != FFontsInfo.end(); ++it) {
      if (it->get() == info) {
        DestroyFontHandles(info);
        FFontsInfo.erase(it);
        return;
      }
    }
  } else {
    --info->RefCount;
  }
}

void TheFontsInfoManager::ActivateFontsInfo(PSharedFontInfo info) {
  SRC_DRAWER_ASSERT(info != nullptr);
  ++info->LockCount;
}

void TheFontsInfoManager::DeactivateFontsInfo(PSharedFontInfo info) {
  SRC_DRAWER_ASSERT(info != nullptr);
  SRC_DRAWER_ASSERT(info->LockCount > 0);
  --info->LockCount;
  if (info->LockCount == 0) DestroyFontHandles(info);
}

void TheFontsInfoManager::DestroyFontHandles(PSharedFontInfo info) {
  for (TheFontData& data : info->FontsData) {
    if (data.Handle) {
      DeleteObject(data.Handle);
      data.Handle = nullptr;
    }
  }
}

// ---------------------------------------------------------------------------
// TheFontStock

TheFontStock::TheFontStock(TFont* initialFont) { SetBaseFont(initialFont); }

TheFontStock::~TheFontStock() {
  try {
    ReleaseFontsInfo();
  } catch (...) {}
  // A screen context still held (a measurement that failed half-way) goes
  // back to the system.
  if (FDCRefCount > 0 && FDC) ReleaseDC(nullptr, FDC);
}

TFont* TheFontStock::BaseFont() const { return FpInfo ? FpInfo->BaseFont.get() : nullptr; }

HDC TheFontStock::InternalGetDC() {
  if (FDCRefCount == 0) {
    SRC_DRAWER_ASSERT(FDC == nullptr);
    FDC = GetDC(nullptr);
  }
  ++FDCRefCount;
  return FDC;
}

void TheFontStock::InternalReleaseDC(HDC value) {
  --FDCRefCount;
  if (FDCRefCount <= 0) {
    SRC_DRAWER_ASSERT(FDC != nullptr && FDC == value);
    ReleaseDC(nullptr, FDC);
    FDC = nullptr;
    FDCRefCount = 0;
  }
}

HFONT TheFontStock::InternalCreateFont(int style) {
  LOGFONT lf = FBaseLF;
  lf.lfWeight = (style & 1) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style & 2) ? 1 : 0;
  lf.lfUnderline = (style & 4) ? 1 : 0;
  lf.lfStrikeOut = (style & 8) ? 1 : 0;
  return CreateFontIndirect(&lf);
}

void TheFontStock::CalcFontAdvance(HDC dc, TheFontData* fontData) {
  TEXTMETRIC tm;
  if (!GetTextMetrics(dc, &tm)) tm = TEXTMETRIC();
  ABC abc;
  bool hasABC = GetCharABCWidths(dc, 0x4D, 0x4D, &abc);
  if (!hasABC) {
    // Without the widths only the average width counts, without overhang.
    abc.abcA = 0;
    abc.abcB = static_cast<std::uint32_t>(tm.tmAveCharWidth);
    abc.abcC = 0;
    tm.tmOverhang = 0;
  }
  int advance = abc.abcA + static_cast<int>(abc.abcB) + abc.abcC + tm.tmOverhang;
  int height = std::abs(tm.tmHeight);
  int dbAdvance = TheNoDBCharAdvance;
  if (FpInfo->IsDBCSFont && tm.tmCharSet == SHIFTJIS_CHARSET && hasABC) {
    ABC a1;
    ABC a2;
    if (GetCharABCWidths(dc, 0x8201, 0x8201, &a1) && GetCharABCWidths(dc, 0x82A0, 0x82A0, &a2)) {
      int w = a1.abcA + static_cast<int>(a1.abcB) + a1.abcC;
      int w2 = a2.abcA + static_cast<int>(a2.abcB) + a2.abcC;
      if (w * 2 > advance * 3 && w == w2) dbAdvance = w;
    }
  }
  fontData->CharAdv = advance;
  fontData->CharHeight = height;
  if (FpInfo->IsDBCSFont) fontData->DBCharAdv = dbAdvance;
}

TheFontData* TheFontStock::GetFontData(int style) { return &FpInfo->FontsData[static_cast<std::size_t>(style)]; }

int TheFontStock::CharAdvance() const { return FpCrntFontData ? FpCrntFontData->CharAdv : 0; }
int TheFontStock::CharHeight() const { return FpCrntFontData ? FpCrntFontData->CharHeight : 0; }
int TheFontStock::DBCharAdvance() const { return FpCrntFontData ? FpCrntFontData->DBCharAdv : 0; }

void TheFontStock::ReleaseFontsInfo() {
  if (!FpInfo) return;
  TheFontsInfoManager* manager = GetFontsInfoManager();
  if (FUsingFontHandles) {
    FUsingFontHandles = false;
    manager->DeactivateFontsInfo(FpInfo);
  }
  PSharedFontInfo info = FpInfo;
  FpInfo = nullptr;
  FpCrntFontData = nullptr;
  FCrntFont = nullptr;
  manager->ReleaseFontsInfo(info);
}

void TheFontStock::SetBaseFont(TFont* value) {
  if (!value) throw EheFontStockException("SetBaseFont: 'Value' must be specified.");
  TheFontsInfoManager* manager = GetFontsInfoManager();
  PSharedFontInfo info = manager->AcquireFontsInfo(value);
  if (info == FpInfo) {
    manager->ReleaseFontsInfo(info);
    return;
  }
  ReleaseFontsInfo();
  FpInfo = info;
  FBaseLF = info->BaseLF;
  SetStyle(value->Style());
}

void TheFontStock::SetStyle(int style) {
  SRC_DRAWER_ASSERT(style >= 0 && style < TheStyleCount);
  SRC_DRAWER_ASSERT(FpInfo != nullptr);
  if (!FUsingFontHandles) {
    GetFontsInfoManager()->ActivateFontsInfo(FpInfo);
    FUsingFontHandles = true;
  }
  TheFontData* data = GetFontData(style);
  // FCrntFont is cleared when the handles were given up, so the slot is
  // made again (or taken from another stock's lock) after a release.
  if (data == FpCrntFontData && FCrntFont) return;
  FpCrntFontData = data;
  FCrntStyle = style;
  if (data->Handle) {
    FCrntFont = data->Handle;
    return;
  }
  HFONT font = InternalCreateFont(style);
  data->Handle = font;
  FCrntFont = font;
  HDC dc = InternalGetDC();
  HGDIOBJ old = SelectObject(dc, font);
  try {
    CalcFontAdvance(dc, data);
  } catch (...) {
    SelectObject(dc, old);
    InternalReleaseDC(dc);
    throw;
  }
  SelectObject(dc, old);
  InternalReleaseDC(dc);
}

void TheFontStock::ReleaseFontHandles() {
  if (!FUsingFontHandles) return;
  FUsingFontHandles = false;
  FCrntFont = nullptr;
  GetFontsInfoManager()->DeactivateFontsInfo(FpInfo);
}

// ---------------------------------------------------------------------------
// TheTextDrawer

TheTextDrawer::TheTextDrawer(TFontStyles measureStyle, TFont* baseFont)
    : FFontStock(std::make_unique<TheFontStock>(baseFont)), FCalcExtentBaseStyle(FontStyleIndex(measureStyle)) {
  SetBaseFont(baseFont);
}

TheTextDrawer::~TheTextDrawer() {
  FFontStock.reset();
  ReleaseETODist();
}

int TheTextDrawer::CharWidth() const {
  int w = FBaseCharWidth + FCharExtra;
  return w < 1 ? 1 : w;
}

int TheTextDrawer::CharHeight() const { return FBaseCharHeight < 1 ? 1 : FBaseCharHeight; }

void TheTextDrawer::ReleaseETODist() {
  FETODist.clear();
  FETODist.shrink_to_fit();
}

void TheTextDrawer::AfterStyleSet() {
  if (FDC) SelectObject(FDC, FCrntFont);
}

void TheTextDrawer::DoSetCharExtra(int value) {
  if (FDC) SetTextCharacterExtra(FDC, value);
}

void TheTextDrawer::BeginDrawing(HDC dc) {
  if (FDC && FDC == dc) {
    ++FDrawingCount;
    return;
  }
  SRC_DRAWER_ASSERT(FDC == nullptr && dc != nullptr && FDrawingCount == 0);
  // The handles were given up since the last pass: take them again.
  if (!FCrntFont) {
    FFontStock->SetStyle(FCrntStyle);
    FCrntFont = FFontStock->FontHandle();
  }
  FDC = dc;
  FSaveDC = SaveDC(dc);
  SelectObject(dc, FCrntFont);
  ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FColor)));
  ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(FBkColor)));
  DoSetCharExtra(FCharExtra);
  ++FDrawingCount;
}

void TheTextDrawer::EndDrawing() {
  SRC_DRAWER_ASSERT(FDrawingCount >= 1);
  --FDrawingCount;
  if (FDrawingCount <= 0) {
    if (FDC) RestoreDC(FDC, FSaveDC);
    FSaveDC = 0;
    FDC = nullptr;
    FDrawingCount = 0;
  }
}

void TheTextDrawer::TextOut(int x, int y, const char* text, int length) {
  if (FDC) ::TextOut(FDC, x, y, text, length < 0 ? 0 : length);
}

void TheTextDrawer::ExtTextOut(int x, int y, UINT options, const TRect* rect, const char* text, int length) {
  if (length < 0) length = 0;
  if (static_cast<int>(FETODist.size()) < length) {
    std::size_t size = (static_cast<std::size_t>(length) & ~static_cast<std::size_t>(63)) + 64;
    FETODist.resize(size, CharWidth());
  }
  if (FDC) ::ExtTextOut(FDC, x, y, options, rect, text, static_cast<UINT>(length), FETODist.data());
}

void TheTextDrawer::SetBaseFont(TFont* value) {
  if (!value) throw EheTextDrawerException("SetBaseFont: 'Value' must be specified.");
  ReleaseETODist();
  FFontStock->SetBaseFont(value);
  FFontStock->SetStyle(FCalcExtentBaseStyle);
  FBaseCharWidth = FFontStock->CharAdvance();
  FBaseCharHeight = FFontStock->CharHeight();
  SetStyle(value->Style());
}

void TheTextDrawer::SetBaseStyle(int style) {
  if (FCalcExtentBaseStyle == style) return;
  SRC_DRAWER_ASSERT(style >= 0 && style < TheStyleCount);
  FCalcExtentBaseStyle = style;
  ReleaseETODist();
  FFontStock->SetStyle(style);
  FBaseCharWidth = FFontStock->CharAdvance();
  FBaseCharHeight = FFontStock->CharHeight();
}

void TheTextDrawer::SetStyle(int style) {
  FFontStock->SetStyle(style);
  FCrntStyle = style;
  FCrntFont = FFontStock->FontHandle();
  AfterStyleSet();
}

void TheTextDrawer::SetForeColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  if (FDC) ::SetTextColor(FDC, static_cast<COLORREF>(ColorToRGB(value)));
}

void TheTextDrawer::SetBackColor(TColor value) {
  if (FBkColor == value) return;
  FBkColor = value;
  if (FDC) ::SetBkColor(FDC, static_cast<COLORREF>(ColorToRGB(value)));
}

void TheTextDrawer::SetCharExtra(int value) {
  if (FCharExtra == value) return;
  FCharExtra = value;
  // The cell width changed: the spacing array is refilled on next use.
  ReleaseETODist();
  DoSetCharExtra(value);
}

void TheTextDrawer::ReleaseTemporaryResources() {
  FFontStock->ReleaseFontHandles();
  FCrntFont = nullptr;
}
