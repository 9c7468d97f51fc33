#include "SrcTextDrawer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Win32.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

const TFontStyles kBold{fsBold};

class TextDrawerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font.SetName("Courier New");
    font.SetHeight(-13);
  }
  void TearDown() override {
    // Every test gives back what it took from the shared manager.
    if (TheFontsInfoManager* m = FontsInfoManagerInstance()) {
      EXPECT_EQ(m->Count(), 0);
    }
  }
  static void ExpectAssertion(const std::function<void()>& f) {
    try {
      f();
      ADD_FAILURE() << "no assertion failure";
    } catch (const EAssertionFailed& e) {
      EXPECT_NE(e.Message().find("SrcTextDrawer"), std::string::npos) << e.Message();
    }
  }
  // A device context to draw on.
  HDC MemoryDC() {
    HDC dc = CreateCompatibleDC(nullptr);
    dcs.push_back(dc);
    return dc;
  }

  TFakeWidgetsetScope ws;
  TFont font;
  std::vector<HDC> dcs;

  ~TextDrawerTest() override {
    for (HDC dc : dcs) DeleteDC(dc);
  }
};

TEST_F(TextDrawerTest, DrawersShareOneRecordPerLogicalFont) {
  auto a = std::make_unique<TheTextDrawer>(kBold, &font);
  auto b = std::make_unique<TheTextDrawer>(kBold, &font);
  TheFontsInfoManager* m = GetFontsInfoManager();
  ASSERT_EQ(m->Count(), 1);
  PSharedFontInfo shared = a->FontStock()->FontsInfo();
  EXPECT_EQ(shared, b->FontStock()->FontsInfo());
  EXPECT_EQ(shared->RefCount, 2);
  EXPECT_EQ(shared->LockCount, 2);

  // Only underline differs: the same record. Bold differs in weight: another.
  TFont underlined;
  underlined.Assign(&font);
  underlined.SetStyle(TFontStyles{fsUnderline, fsItalic});
  TheTextDrawer c(kBold, &underlined);
  EXPECT_EQ(c.FontStock()->FontsInfo(), shared);
  EXPECT_EQ(shared->RefCount, 3);
  TFont bold;
  bold.Assign(&font);
  bold.SetStyle(kBold);
  TheTextDrawer d(kBold, &bold);
  EXPECT_NE(d.FontStock()->FontsInfo(), shared);
  EXPECT_EQ(m->Count(), 2);

  // Changing one drawer's font releases only its reference.
  TFont other;
  other.SetName("Lucida Console");
  b->SetBaseFont(&other);
  EXPECT_EQ(shared->RefCount, 2);
  EXPECT_EQ(m->Count(), 3);
  b.reset();
  EXPECT_EQ(m->Count(), 2);
  a.reset();
  EXPECT_EQ(shared->RefCount, 1);
}

TEST_F(TextDrawerTest, StyleSlotsAreMadeOnceAndShared) {
  TheTextDrawer a(kBold, &font);
  PSharedFontInfo info = a.FontStock()->FontsInfo();
  // The measuring style (bold) and the font's own style (normal) exist.
  EXPECT_NE(info->FontsData[1].Handle, nullptr);
  EXPECT_NE(info->FontsData[0].Handle, nullptr);
  EXPECT_EQ(info->FontsData[2].Handle, nullptr);
  EXPECT_EQ(a.CurrentFont(), info->FontsData[0].Handle);

  a.SetStyle(TFontStyles{fsItalic});
  HFONT italic = a.CurrentFont();
  EXPECT_EQ(italic, info->FontsData[2].Handle);
  int afterFirst = TGdiObject::LiveCount();
  a.SetStyle(TFontStyles{fsItalic});
  EXPECT_EQ(TGdiObject::LiveCount(), afterFirst);
  EXPECT_EQ(a.CurrentFont(), italic);

  LOGFONT lf;
  ASSERT_EQ(GetObject(italic, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_STREQ(lf.lfFaceName, "Courier New");
  a.SetStyle(15);
  ASSERT_EQ(GetObject(a.CurrentFont(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfStrikeOut, 1);

  {
    TheTextDrawer b(kBold, &font);
    b.SetStyle(TFontStyles{fsItalic});
    EXPECT_EQ(b.CurrentFont(), italic);                  // no second handle
    EXPECT_EQ(TGdiObject::LiveCount(), afterFirst + 1);  // style 15, made by a
  }
  ExpectAssertion([&] { a.SetStyle(16); });
  ExpectAssertion([&] { a.FontStock()->SetStyle(-1); });

  // Handles go with the last lock; drawing later makes them again.
  a.ReleaseTemporaryResources();
  EXPECT_EQ(info->FontsData[2].Handle, nullptr);
  HDC dc = MemoryDC();
  a.BeginDrawing(dc);
  EXPECT_NE(a.CurrentFont(), nullptr);
  a.ExtTextOut(0, 0, 0, nullptr, "x", 1);
  a.EndDrawing();
}

TEST_F(TextDrawerTest, SpacingArrayGrowsInSteps) {
  TheTextDrawer d(kBold, &font);
  HDC dc = MemoryDC();
  d.BeginDrawing(dc);
  EXPECT_EQ(d.SpacingCapacity(), 0);
  d.ExtTextOut(0, 0, 0, nullptr, "", 0);
  EXPECT_EQ(d.SpacingCapacity(), 0);
  std::string s63(63, 'a');
  d.ExtTextOut(0, 0, 0, nullptr, s63.data(), 63);
  EXPECT_EQ(d.SpacingCapacity(), 64);
  d.ExtTextOut(0, 0, 0, nullptr, s63.data(), 10);
  EXPECT_EQ(d.SpacingCapacity(), 64);
  std::string s65(65, 'b');
  TRect r(0, 0, 100, 20);
  ws->ClearCalls();
  d.ExtTextOut(5, 6, ETO_OPAQUE | ETO_CLIPPED, r, s65);
  EXPECT_EQ(d.SpacingCapacity(), 128);
  for (int i = 0; i < d.SpacingCapacity(); ++i) ASSERT_EQ(d.SpacingArray()[i], d.CharWidth()) << i;
  auto calls = ws->CallsOf(TFakeDrawCall::ExtTextOut);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0]->Text, s65);
  EXPECT_EQ(calls[0]->X, 5);
  EXPECT_EQ(calls[0]->Y, 6);
  EXPECT_EQ(calls[0]->Options, ETO_OPAQUE | ETO_CLIPPED);
  EXPECT_EQ(calls[0]->Rect, r);
  ASSERT_EQ(calls[0]->Dx.size(), 65u);
  EXPECT_EQ(calls[0]->Dx[64], d.CharWidth());

  // From an empty array, 64 characters take 128 entries.
  TheTextDrawer fresh(kBold, &font);
  std::string s64(64, 'c');
  fresh.ExtTextOut(0, 0, 0, nullptr, s64.data(), 64);
  EXPECT_EQ(fresh.SpacingCapacity(), 128);

  // The character extra widens the cells; the array follows.
  d.SetCharExtra(3);
  EXPECT_EQ(d.CharWidth(), 8 + 3);
  EXPECT_EQ(GetTextCharacterExtra(dc), 3);
  d.ExtTextOut(0, 0, 0, nullptr, "abc", 3);
  EXPECT_EQ(d.SpacingArray()[0], 11);
  // So does a new measuring style or font.
  d.SetBaseStyle(0);
  EXPECT_EQ(d.SpacingCapacity(), 0);
  d.EndDrawing();
}

TEST_F(TextDrawerTest, CellSizeComesFromTheMeasuringStyle) {
  FakeWidgetset::TFontConfig cfg;
  cfg.CharWidth = 7;
  cfg.CharHeight = 15;
  cfg.BoldExtra = 2;
  ws->SetFontMetrics("Courier New", cfg);
  TheTextDrawer bold(kBold, &font);
  TheTextDrawer normal(TFontStyles(), &font);
  EXPECT_GT(bold.CharWidth(), normal.CharWidth());
  EXPECT_EQ(normal.CharWidth(), 7);
  EXPECT_EQ(normal.CharHeight(), 15);
  normal.SetBaseStyle(kBold);
  EXPECT_EQ(normal.CharWidth(), bold.CharWidth());
}

TEST_F(TextDrawerTest, FailedWidthQueryGivesTheAverageWidthWithoutOverhang) {
  FakeWidgetset::TFontConfig cfg;
  cfg.CharWidth = 9;
  cfg.Overhang = 3;
  cfg.ABCFails = true;
  ws->SetFontMetrics("Courier New", cfg);
  TheTextDrawer d(TFontStyles(), &font);
  HDC dc = MemoryDC();
  SelectObject(dc, d.CurrentFont());
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(dc, &tm));
  EXPECT_EQ(tm.tmOverhang, 3);
  EXPECT_EQ(d.CharWidth(), tm.tmAveCharWidth);
  EXPECT_EQ(d.FontStock()->CharAdvance(), tm.tmAveCharWidth);

  TFont other;
  other.SetName("Fixedsys");
  cfg.ABCFails = false;
  ws->SetFontMetrics("Fixedsys", cfg);
  d.SetBaseFont(&other);
  ABC abc;
  SelectObject(dc, d.CurrentFont());
  ASSERT_TRUE(GetCharABCWidths(dc, 'M', 'M', &abc));
  ASSERT_TRUE(GetTextMetrics(dc, &tm));
  EXPECT_EQ(d.CharWidth(), abc.abcA + static_cast<int>(abc.abcB) + abc.abcC + tm.tmOverhang);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
}

TEST_F(TextDrawerTest, ZeroMetricsStillGiveOnePixelCells) {
  FakeWidgetset::TFontConfig cfg;
  cfg.CharWidth = 0;
  cfg.CharHeight = 0;
  cfg.Ascent = 0;
  ws->SetFontMetrics("Courier New", cfg);
  TheTextDrawer d(kBold, &font);
  EXPECT_EQ(d.CharWidth(), 1);
  EXPECT_EQ(d.CharHeight(), 1);
  d.SetCharExtra(-5);
  EXPECT_EQ(d.CharWidth(), 1);
}

TEST_F(TextDrawerTest, AttachSavesAndRestoresTheContext) {
  TheTextDrawer d(kBold, &font);
  HDC dc = MemoryDC();
  HFONT before = dc->Font();
  SetTextColor(dc, RGB(1, 2, 3));
  d.SetForeColor(clRed);
  d.BeginDrawing(dc);
  EXPECT_EQ(dc->Font(), d.CurrentFont());
  EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(ColorToRGB(clRed)));
  EXPECT_EQ(GetBkColor(dc), static_cast<COLORREF>(ColorToRGB(clWindow)));
  d.BeginDrawing(dc);  // nested on the same context
  EXPECT_EQ(d.DrawingCount(), 2);
  d.SetBackColor(clBlue);  // applied at once while attached
  EXPECT_EQ(GetBkColor(dc), static_cast<COLORREF>(ColorToRGB(clBlue)));
  d.SetStyle(TFontStyles{fsItalic});
  EXPECT_EQ(dc->Font(), d.CurrentFont());
  d.EndDrawing();
  EXPECT_EQ(d.DC(), dc);
  d.EndDrawing();
  EXPECT_EQ(d.DC(), nullptr);
  EXPECT_EQ(dc->Font(), before);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
}

TEST_F(TextDrawerTest, MisuseIsAnAssertionOfTheUnit) {
  TheTextDrawer d(kBold, &font);
  HDC a = MemoryDC();
  HDC b = MemoryDC();
  ExpectAssertion([&] { d.EndDrawing(); });
  ExpectAssertion([&] { d.BeginDrawing(nullptr); });
  d.BeginDrawing(a);
  ExpectAssertion([&] { d.BeginDrawing(b); });
  d.EndDrawing();

  TheFontsInfoManager* m = GetFontsInfoManager();
  PSharedFontInfo info = m->AcquireFontsInfo(&font);
  EXPECT_EQ(info, d.FontStock()->FontsInfo());
  EXPECT_EQ(info->RefCount, 2);
  m->ActivateFontsInfo(info);  // lock count 2 = references: cannot release
  try {
    m->ReleaseFontsInfo(info);
    ADD_FAILURE() << "no assertion failure";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(e.Message().find("Call DeactivateFontsInfo before calling this."), std::string::npos);
    EXPECT_NE(e.Message().find("SrcTextDrawer"), std::string::npos);
  }
  m->DeactivateFontsInfo(info);
  m->ReleaseFontsInfo(info);
  EXPECT_EQ(info->RefCount, 1);
  ExpectAssertion([&] { m->AcquireFontsInfo(nullptr); });
}

TEST_F(TextDrawerTest, AbsentFontsRaiseTheirExceptions) {
  try {
    TheTextDrawer d(kBold, nullptr);
    ADD_FAILURE();
  } catch (const EheFontStockException& e) {
    EXPECT_EQ(e.Message(), "SetBaseFont: 'Value' must be specified.");
  }
  TheTextDrawer d(kBold, &font);
  try {
    d.SetBaseFont(nullptr);
    ADD_FAILURE();
  } catch (const EheTextDrawerException& e) {
    EXPECT_EQ(e.Message(), "SetBaseFont: 'Value' must be specified.");
  }
  EXPECT_THROW(d.FontStock()->SetBaseFont(nullptr), EheFontStockException);
  EXPECT_GE(d.CharWidth(), 1);  // still usable
}

TEST_F(TextDrawerTest, ManagerDestructionChecksReferences) {
  TheFontsInfoManager* m = GetFontsInfoManager();
  m->AcquireFontsInfo(&font);
  m->AcquireFontsInfo(&font);
  ExpectAssertion([] { FreeFontsInfoManager(); });
  EXPECT_EQ(FontsInfoManagerInstance(), nullptr);
  // A new one comes on the next request.
  m = GetFontsInfoManager();
  PSharedFontInfo info = m->AcquireFontsInfo(&font);
  EXPECT_EQ(info->RefCount, 1);
  FreeFontsInfoManager();  // one reference each: fine
  EXPECT_EQ(FontsInfoManagerInstance(), nullptr);
}

}  // namespace
