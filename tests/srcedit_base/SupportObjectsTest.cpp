// The editing control's support objects: option objects, glyphs, image
// strips, handler chains and the named resources behind the bitmaps.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "SrcEditMiscClasses.h"
#include "platform/Resources.h"
#include "platform/testing/FakeWidgetset.h"

namespace {

// Bitmaps draw through memory DCs of the widget set: the fake one here.
class TFakeWidgetsetEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { FScope = std::make_unique<TFakeWidgetsetScope>(); }
  void TearDown() override { FScope.reset(); }

 private:
  std::unique_ptr<TFakeWidgetsetScope> FScope;
};

[[maybe_unused]] ::testing::Environment* const gFakeWidgets =
    ::testing::AddGlobalTestEnvironment(new TFakeWidgetsetEnvironment);

struct TChangeCounter {
  int Count = 0;
  TObject* Last = nullptr;
  TNotifyEvent Handler() {
    return [this](TObject* sender) {
      ++Count;
      Last = sender;
    };
  }
};

// --- selection colours -----------------------------------------------------------
TEST(SelectedColor, DefaultsChangesAndAssign) {
  TSrcSelectedColor c;
  EXPECT_EQ(c.Background(), clHighlight);
  EXPECT_EQ(c.Foreground(), clHighlightText);
  TChangeCounter changes;
  c.OnChange = changes.Handler();
  c.SetBackground(clHighlight);
  EXPECT_EQ(changes.Count, 0);
  c.SetBackground(clRed);
  c.SetForeground(clYellow);
  EXPECT_EQ(changes.Count, 2);
  EXPECT_EQ(changes.Last, &c);
  TSrcSelectedColor d;
  d.OnChange = changes.Handler();
  d.Assign(&c);
  EXPECT_EQ(changes.Count, 3);
  EXPECT_EQ(d.Background(), clRed);
  EXPECT_EQ(d.Foreground(), clYellow);
  TSrcGutter g;
  EXPECT_THROW(d.Assign(&g), EConvertError);
}

// --- gutter ----------------------------------------------------------------------
TEST(Gutter, Defaults) {
  TSrcGutter g;
  EXPECT_FALSE(g.AutoSize());
  EXPECT_EQ(g.BorderStyle(), gbsMiddle);
  EXPECT_EQ(g.Color(), clBtnFace);
  EXPECT_EQ(g.BorderColor(), clWindow);
  EXPECT_EQ(g.Cursor(), 0);
  EXPECT_EQ(g.DigitCount(), 4);
  EXPECT_EQ(g.AutoSizeDigits(), 4);
  EXPECT_EQ(g.Font()->Name(), "Courier New");
  EXPECT_EQ(g.Font()->Size(), 8);
  EXPECT_TRUE(g.Font()->Style().Empty());
  EXPECT_FALSE(g.LeadingZeros());
  EXPECT_EQ(g.LeftOffset(), 16);
  EXPECT_EQ(g.RightOffset(), 2);
  EXPECT_FALSE(g.ShowLineNumbers());
  EXPECT_TRUE(g.UseFontStyle());
  EXPECT_TRUE(g.Visible());
  EXPECT_EQ(g.Width(), 30);
  EXPECT_FALSE(g.ZeroStart());
  EXPECT_EQ(g.LineNumberStart(), 1);
  EXPECT_FALSE(g.Gradient());
  EXPECT_EQ(g.GradientStartColor(), clWindow);
  EXPECT_EQ(g.GradientEndColor(), clBtnFace);
  EXPECT_EQ(g.GradientSteps(), 48);
}

TEST(Gutter, SettersClampAndFireOnRealChange) {
  TSrcGutter g;
  TChangeCounter changes;
  g.OnChange = changes.Handler();
  g.SetDigitCount(1);
  EXPECT_EQ(g.DigitCount(), 2);
  g.SetDigitCount(20);
  EXPECT_EQ(g.DigitCount(), 12);
  EXPECT_EQ(g.AutoSizeDigits(), 12);
  EXPECT_EQ(changes.Count, 2);
  g.SetDigitCount(15);  // clamps to the same 12
  EXPECT_EQ(changes.Count, 2);
  g.SetLeftOffset(-3);
  g.SetRightOffset(-1);
  g.SetWidth(-10);
  EXPECT_EQ(g.LeftOffset(), 0);
  EXPECT_EQ(g.RightOffset(), 0);
  EXPECT_EQ(g.Width(), 0);
  g.SetGradientSteps(1);
  EXPECT_EQ(g.GradientSteps(), 2);
  EXPECT_EQ(changes.Count, 6);
  g.SetBorderStyle(gbsMiddle);  // the one setter that always fires
  g.SetBorderStyle(gbsMiddle);
  EXPECT_EQ(changes.Count, 8);
  g.SetCursor(-4);  // a plain field
  EXPECT_EQ(changes.Count, 8);
  g.Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(changes.Count, 9);
  TFont other;
  other.SetName("Arial");
  g.SetFont(&other);
  EXPECT_EQ(g.Font()->Name(), "Arial");
  EXPECT_NE(g.Font(), &other);
  EXPECT_GE(changes.Count, 10);
}

TEST(Gutter, LineNumberStart) {
  TSrcGutter g;
  g.SetLineNumberStart(0);
  EXPECT_TRUE(g.ZeroStart());
  EXPECT_EQ(g.FormatLineNumber(1), "   0");
  g.SetLineNumberStart(-5);
  EXPECT_EQ(g.LineNumberStart(), 0);
  g.SetLineNumberStart(10);
  EXPECT_FALSE(g.ZeroStart());
  EXPECT_EQ(g.FormatLineNumber(1), "  10");
  g.SetLineNumberStart(1);
  EXPECT_EQ(g.FormatLineNumber(12), "  12");
}

TEST(Gutter, AutoSizedDigitsAndLeadingZeros) {
  TSrcGutter g;
  g.SetShowLineNumbers(true);
  TChangeCounter changes;
  g.OnChange = changes.Handler();
  g.AutoSizeDigitCount(12345);  // AutoSize off: back to DigitCount, silently
  EXPECT_EQ(g.AutoSizeDigits(), 4);
  EXPECT_EQ(changes.Count, 0);
  g.SetAutoSize(true);
  g.AutoSizeDigitCount(12345);
  EXPECT_EQ(g.AutoSizeDigits(), 5);
  EXPECT_EQ(changes.Count, 2);
  g.AutoSizeDigitCount(12345);
  EXPECT_EQ(changes.Count, 2);
  EXPECT_EQ(g.FormatLineNumber(7), "    7");
  g.SetLeadingZeros(true);
  EXPECT_EQ(g.FormatLineNumber(7), "00007");
  EXPECT_EQ(g.FormatLineNumber(12345), "12345");
  g.AutoSizeDigitCount(10);  // never below DigitCount
  EXPECT_EQ(g.AutoSizeDigits(), 4);
  // The last shown number counts: 100 lines from 0 show 99 at most.
  g.SetZeroStart(true);
  g.SetDigitCount(2);
  g.AutoSizeDigitCount(100);
  EXPECT_EQ(g.AutoSizeDigits(), 2);
  g.SetZeroStart(false);
  g.SetLineNumberStart(901);
  g.AutoSizeDigitCount(100);  // 1000 is shown last
  EXPECT_EQ(g.AutoSizeDigits(), 4);
  g.SetVisible(false);
  g.AutoSizeDigitCount(100);
  EXPECT_EQ(g.AutoSizeDigits(), 2);
}

TEST(Gutter, RealWidth) {
  TSrcGutter g;
  EXPECT_EQ(g.RealGutterWidth(8), 30);
  g.SetShowLineNumbers(true);
  EXPECT_EQ(g.RealGutterWidth(8), 16 + 2 + 8 * 4 + 2);
  g.SetVisible(false);
  EXPECT_EQ(g.RealGutterWidth(8), 0);
}

TEST(Gutter, AssignCopiesAllButBorderAndGradient) {
  TSrcGutter src;
  src.Font()->SetName("Arial");
  src.SetUseFontStyle(false);
  src.SetColor(clRed);
  src.SetVisible(false);
  src.SetWidth(50);
  src.SetShowLineNumbers(true);
  src.SetLeadingZeros(true);
  src.SetLeftOffset(3);
  src.SetDigitCount(6);
  src.SetRightOffset(7);
  src.SetAutoSize(true);
  src.SetLineNumberStart(5);
  src.SetBorderStyle(gbsRight);
  src.SetBorderColor(clBlue);
  src.SetGradient(true);
  src.SetGradientSteps(9);
  src.SetGradientStartColor(clLime);
  src.SetGradientEndColor(clAqua);
  src.SetZeroStart(true);
  TSrcGutter dst;
  TChangeCounter changes;
  dst.OnChange = changes.Handler();
  dst.Assign(&src);
  EXPECT_EQ(changes.Count, 1);
  EXPECT_EQ(dst.Font()->Name(), "Arial");
  EXPECT_FALSE(dst.UseFontStyle());
  EXPECT_EQ(dst.Color(), clRed);
  EXPECT_FALSE(dst.Visible());
  EXPECT_EQ(dst.Width(), 50);
  EXPECT_TRUE(dst.ShowLineNumbers());
  EXPECT_TRUE(dst.LeadingZeros());
  EXPECT_TRUE(dst.ZeroStart());
  EXPECT_EQ(dst.LeftOffset(), 3);
  EXPECT_EQ(dst.DigitCount(), 6);
  EXPECT_EQ(dst.AutoSizeDigits(), src.AutoSizeDigits());
  EXPECT_EQ(dst.RightOffset(), 7);
  EXPECT_TRUE(dst.AutoSize());
  EXPECT_EQ(dst.LineNumberStart(), 5);
  EXPECT_EQ(dst.BorderStyle(), gbsMiddle);
  EXPECT_EQ(dst.BorderColor(), clWindow);
  EXPECT_FALSE(dst.Gradient());
  EXPECT_EQ(dst.GradientSteps(), 48);
  EXPECT_EQ(dst.GradientStartColor(), clWindow);
  EXPECT_EQ(dst.GradientEndColor(), clBtnFace);
  // The font stays the gutter's own and keeps reporting changes.
  dst.Font()->SetName("Tahoma");
  EXPECT_EQ(changes.Count, 2);
  EXPECT_EQ(src.Font()->Name(), "Arial");
}

// --- bookmark options ------------------------------------------------------------
class TNotifiedOwner : public TComponent {
 public:
  TNotifiedOwner() : TComponent(nullptr) {}
  std::vector<TComponent*> Removed;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) Removed.push_back(component);
  }
};

TEST(BookMarkOpt, DefaultsAssignAndImageListNotification) {
  TNotifiedOwner owner;
  TSrcBookMarkOpt o(&owner);
  EXPECT_EQ(o.BookmarkImages(), nullptr);
  EXPECT_TRUE(o.DrawBookmarksFirst());
  EXPECT_TRUE(o.EnableKeys());
  EXPECT_TRUE(o.GlyphsVisible());
  EXPECT_EQ(o.LeftMargin(), 2);
  EXPECT_EQ(o.Xoffset(), 12);
  TChangeCounter changes;
  o.OnChange = changes.Handler();
  o.SetEnableKeys(false);
  o.SetLeftMargin(2);
  EXPECT_EQ(changes.Count, 0);
  o.SetXoffset(20);
  o.SetGlyphsVisible(false);
  o.SetDrawBookmarksFirst(false);
  EXPECT_EQ(changes.Count, 3);

  auto* images = new TImageList(nullptr);
  o.SetBookmarkImages(images);
  EXPECT_EQ(changes.Count, 4);
  TSrcBookMarkOpt copy(&owner);
  copy.OnChange = changes.Handler();
  copy.Assign(&o);
  EXPECT_EQ(changes.Count, 5);
  EXPECT_EQ(copy.BookmarkImages(), images);
  EXPECT_FALSE(copy.EnableKeys());
  EXPECT_FALSE(copy.GlyphsVisible());
  EXPECT_FALSE(copy.DrawBookmarksFirst());
  EXPECT_EQ(copy.Xoffset(), 20);
  EXPECT_EQ(copy.LeftMargin(), 2);
  delete images;
  ASSERT_FALSE(owner.Removed.empty());
  EXPECT_EQ(owner.Removed.front(), images);
}

// --- glyphs ------------------------------------------------------------------------
// A bitmap whose row r is coloured RGB(r * 10 + 10, column, 0).
std::unique_ptr<TBitmap> Rows(int width, int height) {
  auto b = std::make_unique<TBitmap>(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b->SetPixel(x, y, RGB(y * 10 + 10, x, 0));
  return b;
}

std::unique_ptr<TBitmap> White(int width, int height) {
  auto b = std::make_unique<TBitmap>(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b->SetPixel(x, y, clWhite);
  return b;
}

TEST(Glyph, WordWrapGlyphFromResource) {
  TSrcGlyph g(SrcEditWrappedResource, SrcEditWrappedMaskColor);
  EXPECT_EQ(g.InternalGlyph()->Width(), 15);
  EXPECT_EQ(g.InternalGlyph()->Height(), 14);
  EXPECT_EQ(g.InternalMaskColor(), 0x00FF00u);
  EXPECT_EQ(g.MaskColor(), clNone);
  EXPECT_TRUE(g.Visible());
  EXPECT_TRUE(g.Glyph()->Empty());
  EXPECT_EQ(g.Width(), 15);
  // The mask colour is the background: the corners show through.
  EXPECT_EQ(g.InternalGlyph()->Pixel(0, 0), 0x00FF00u);
  auto target = White(20, 20);
  g.Draw(target->Canvas(), 2, 3, 14);
  EXPECT_EQ(target->Pixel(2, 3), clWhite);
  int inked = 0;
  for (int y = 3; y < 17; ++y)
    for (int x = 2; x < 17; ++x) inked += target->Pixel(x, y) != clWhite;
  EXPECT_GT(inked, 10);

  TSrcGlyph none("", clRed);
  EXPECT_EQ(none.InternalMaskColor(), clNone);
  EXPECT_EQ(none.Width(), 0);
  none.Draw(target->Canvas(), 0, 0, 10);  // nothing to draw
}

TEST(Glyph, FitsTheLineHeight) {
  TSrcGlyph g("", clNone);
  auto picture = Rows(4, 6);
  TChangeCounter changes;
  g.OnChange = changes.Handler();
  g.SetGlyph(picture.get());
  EXPECT_EQ(changes.Count, 1);
  EXPECT_EQ(g.Width(), 4);
  // Lower line: the middle slice (rows 2 and 3) at y itself.
  auto low = White(10, 10);
  g.Draw(low->Canvas(), 1, 0, 2);
  EXPECT_EQ(low->Pixel(1, 0), RGB(30, 0, 0));
  EXPECT_EQ(low->Pixel(4, 1), RGB(40, 3, 0));
  EXPECT_EQ(low->Pixel(1, 2), clWhite);
  EXPECT_EQ(low->Pixel(0, 0), clWhite);
  // Higher line: the whole picture centred.
  auto high = White(10, 12);
  g.Draw(high->Canvas(), 0, 1, 10);
  EXPECT_EQ(high->Pixel(0, 2), clWhite);
  EXPECT_EQ(high->Pixel(0, 3), RGB(10, 0, 0));
  EXPECT_EQ(high->Pixel(3, 8), RGB(60, 3, 0));
  EXPECT_EQ(high->Pixel(0, 9), clWhite);
  // With a mask colour those pixels leave the canvas as it was.
  g.SetMaskColor(RGB(30, 1, 0));
  auto masked = White(10, 10);
  g.Draw(masked->Canvas(), 0, 0, 6);
  EXPECT_EQ(masked->Pixel(1, 2), clWhite);
  EXPECT_EQ(masked->Pixel(0, 2), RGB(30, 0, 0));
}

TEST(Glyph, AssignCopiesPicturesNotObjects) {
  TSrcGlyph a(SrcEditWrappedResource, SrcEditWrappedMaskColor);
  auto picture = Rows(3, 3);
  a.SetGlyph(picture.get());
  a.SetMaskColor(clBlue);
  a.SetVisible(false);
  TSrcGlyph b("", clNone);
  TChangeCounter changes;
  b.OnChange = changes.Handler();
  b.Assign(&a);
  EXPECT_EQ(changes.Count, 1);
  EXPECT_NE(b.Glyph(), a.Glyph());
  EXPECT_NE(b.InternalGlyph(), a.InternalGlyph());
  EXPECT_EQ(b.Glyph()->Width(), 3);
  EXPECT_EQ(b.Glyph()->Pixel(2, 2), RGB(30, 2, 0));
  EXPECT_EQ(b.InternalGlyph()->Width(), 15);
  EXPECT_EQ(b.InternalMaskColor(), 0x00FF00u);
  EXPECT_EQ(b.MaskColor(), clBlue);
  EXPECT_FALSE(b.Visible());
}

// --- image strips ------------------------------------------------------------------
TEST(InternalImage, SharedStripOfTenMarks) {
  ASSERT_EQ(TSrcInternalImage::SharedBitmapCount(), 0);
  auto first = std::make_unique<TSrcInternalImage>(nullptr, SrcEditInternalImagesResource, 10);
  EXPECT_EQ(first->Width(), 11);
  EXPECT_EQ(first->Height(), 14);
  EXPECT_EQ(first->Count(), 10);
  EXPECT_EQ(first->Images()->Width(), 110);
  auto second = std::make_unique<TSrcInternalImage>(nullptr, "srcedITinternalimages", 10);
  EXPECT_EQ(second->Images(), first->Images());
  EXPECT_EQ(TSrcInternalImage::SharedBitmapCount(), 1);
  first.reset();
  EXPECT_EQ(TSrcInternalImage::SharedBitmapCount(), 1);
  EXPECT_EQ(second->Images()->Width(), 110);

  // Cell 3 copied opaquely, centred in a higher line.
  auto target = White(30, 20);
  second->Draw(target->Canvas(), 3, 5, 1, 18);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 11; ++x)
      ASSERT_EQ(target->Pixel(5 + x, 3 + y), second->Images()->Pixel(33 + x, y)) << x << "," << y;
  EXPECT_EQ(target->Pixel(5, 2), clWhite);
  // Numbers outside the strip draw nothing.
  auto untouched = White(30, 20);
  second->Draw(untouched->Canvas(), 10, 0, 0, 14);
  second->Draw(untouched->Canvas(), -1, 0, 0, 14);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(untouched->Pixel(x, y), clWhite);
  second.reset();
  EXPECT_EQ(TSrcInternalImage::SharedBitmapCount(), 0);
}

TEST(InternalImage, CellWidthRoundsAndSurvivesNoCount) {
  RegisterBitmapResource("TestStrip", [](TBitmap& b) { b.SetSize(25, 7); });
  TSrcInternalImage three(nullptr, "TestStrip", 3);
  EXPECT_EQ(three.Width(), 8);  // (25 + 1) div 3
  EXPECT_EQ(three.Height(), 7);
  TSrcInternalImage none(nullptr, "TestStrip", 0);
  EXPECT_EQ(none.Width(), 0);
  EXPECT_THROW(TSrcInternalImage(nullptr, "NoSuchStrip", 2), EResNotFound);
  UnregisterResource("TestStrip");
}

// --- method chains -------------------------------------------------------------------
struct TCallLog {
  std::vector<std::string>* Out;
  std::string Name;
  int Throw = 0;  // 1 Exception, 2 std::runtime_error
  void Called(TObject* sender) {
    Out->push_back(Name);
    if (Throw == 1) throw Exception("from " + Name);
    if (Throw == 2) throw std::runtime_error("plain");
  }
};

TSrcMethod M(TCallLog& log) { return SrcNotifyMethod<TCallLog, &TCallLog::Called>(&log); }

TEST(MethodChain, FiresInOrderAndRemovesEveryCopy) {
  std::vector<std::string> out;
  TCallLog a{&out, "a"}, b{&out, "b"};
  TObject sender;
  TSrcNotifyEventChain chain(&sender);
  chain.Add(M(a));
  chain.Add(M(b));
  chain.Add(M(a));
  chain.Fire();
  EXPECT_EQ(out, (std::vector<std::string>{"a", "b", "a"}));
  chain.Remove(M(a));
  EXPECT_EQ(chain.Count(), 1);
  out.clear();
  chain.Fire();
  EXPECT_EQ(out, std::vector<std::string>{"b"});
  // Same code, other object: a different handler.
  TCallLog c{&out, "c"};
  chain.Remove(M(c));
  EXPECT_EQ(chain.Count(), 1);
}

TEST(MethodChain, SenderIsPassed) {
  TObject first, second;
  std::vector<TObject*> senders;
  TSrcNotifyEventChain chain(&first);
  chain.Add(SrcNotifyMethod([](void* data, TObject* s) { static_cast<std::vector<TObject*>*>(data)->push_back(s); },
                            &senders));
  chain.Fire();
  chain.SetSender(&second);
  chain.Fire();
  EXPECT_EQ(senders, (std::vector<TObject*>{&first, &second}));
}

TEST(MethodChain, ExceptionHandling) {
  std::vector<std::string> out;
  TCallLog a{&out, "a", 1}, b{&out, "b"}, c{&out, "c", 2};
  TSrcNotifyEventChain chain(nullptr);
  chain.Add(M(a));
  chain.Add(M(b));
  // No handler: the exception leaves the fire.
  EXPECT_THROW(chain.Fire(), Exception);
  EXPECT_EQ(out, std::vector<std::string>{"a"});
  // The handler answers true: the others still run.
  std::vector<std::string> seen;
  chain.OnException = [&](TObject* sender, Exception& e, bool& doContinue) {
    EXPECT_EQ(sender, &chain);
    EXPECT_TRUE(doContinue);
    seen.push_back(e.Message());
  };
  out.clear();
  chain.Fire();
  EXPECT_EQ(out, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(seen, std::vector<std::string>{"from a"});
  // False ends the fire.
  chain.OnException = [](TObject*, Exception&, bool& doContinue) { doContinue = false; };
  out.clear();
  chain.Fire();
  EXPECT_EQ(out, std::vector<std::string>{"a"});
  // An exception inside the handler is replaced.
  chain.OnException = [](TObject*, Exception&, bool&) { throw std::runtime_error("oops"); };
  try {
    chain.Fire();
    ADD_FAILURE();
  } catch (const ESrcMethodChain& e) {
    EXPECT_EQ(e.Message(),
              "TSrcNotifyEventChain.DoHandleException : MUST NOT occur any kind of exception in ExceptionHandler");
  }
  // Other kinds of exception pass through untouched.
  TSrcNotifyEventChain plain(nullptr);
  plain.OnException = [](TObject*, Exception&, bool&) {};
  plain.Add(M(c));
  plain.Add(M(b));
  out.clear();
  EXPECT_THROW(plain.Fire(), std::runtime_error);
  EXPECT_EQ(out, std::vector<std::string>{"c"});
}

// --- named resources -------------------------------------------------------------------
TEST(Resources, BitmapsByNameWithoutCase) {
  RegisterBitmapResource("Test.Dot", [](TBitmap& b) {
    b.SetSize(2, 1);
    b.SetPixel(1, 0, clRed);
  });
  EXPECT_TRUE(BitmapResourceExists("TEST.DOT"));
  TBitmap b;
  LoadBitmapResource(b, "test.dot");
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Pixel(1, 0), clRed);
  UnregisterResource("Test.Dot");
  EXPECT_FALSE(BitmapResourceExists("Test.Dot"));
  try {
    LoadBitmapResource(b, "Test.Dot");
    ADD_FAILURE();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource Test.Dot not found");
  }
  EXPECT_EQ(b.Width(), 2);  // a failed load leaves the bitmap
}

TEST(Resources, DataAndBmpBytes) {
  TBitmap source(3, 2);
  source.SetPixel(2, 1, clBlue);
  TMemoryStream bmp;
  source.SaveToStream(&bmp);
  RegisterResourceData("Test.Bmp", std::string(bmp.Memory(), static_cast<std::size_t>(bmp.Size())));
  std::string bytes;
  ASSERT_TRUE(FindResourceData("TEST.BMP", bytes));
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  TBitmap loaded;
  LoadBitmapResource(loaded, "Test.Bmp");
  EXPECT_EQ(loaded.Width(), 3);
  EXPECT_EQ(loaded.Height(), 2);
  EXPECT_EQ(loaded.Pixel(2, 1), clBlue);
  UnregisterResource("Test.Bmp");
  EXPECT_FALSE(FindResourceData("Test.Bmp", bytes));
}

}  // namespace
