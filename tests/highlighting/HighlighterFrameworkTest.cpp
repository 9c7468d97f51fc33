// The highlighter base: attributes, change hooks, loading, the class list,
// Assign, abstract operations and the registry storage of attributes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SrcEditHighlighter.h"
#include "SrcHighlighterHtml.h"

namespace {

// A highlighter that cuts a line into one-character tokens and counts calls.
class TCountingHighlighter : public TSrcCustomHighlighter {
 public:
  explicit TCountingHighlighter(TComponent* owner) : TSrcCustomHighlighter(owner) {
    FFirst = new TSrcHighlighterAttributes("Zeta");
    FSecond = new TSrcHighlighterAttributes("alpha");
    FThird = new TSrcHighlighterAttributes("Mid");
    FFirst->SetForeground(clRed);
    FSecond->SetStyle(TFontStyles{fsBold, fsUnderline});
    AddAttribute(FFirst);
    AddAttribute(FSecond);
    AddAttribute(FThird);
    SetAttributesOnChange(AttributeChangeHandler());
  }
  const char* ClassName() const override { return "TCountingHighlighter"; }
  TSrcHighlighterAttributes* DefaultAttribute(int) const override { return nullptr; }
  bool AtLineEnd() const override { return FPos >= static_cast<int>(FLine->size()); }
  std::string TokenText() const override { return FLine->substr(static_cast<std::size_t>(FPos), 1); }
  TSrcHighlighterAttributes* TokenAttribute() const override { return FFirst; }
  int TokenKind() const override { return 0; }
  int TokenStart() const override { return FPos; }
  void NextToken() override {
    ++NextTokenCalls;
    ++FPos;
  }
  void StartLine(const std::string& line, int) override {
    FLine = &line;
    FPos = 0;
  }
  void BeginLoading() { SetComponentState(ComponentState() | csLoading); }

  TSrcHighlighterAttributes* FFirst;
  TSrcHighlighterAttributes* FSecond;
  TSrcHighlighterAttributes* FThird;
  int NextTokenCalls = 0;

 private:
  const std::string* FLine = nullptr;
  int FPos = 0;
};

struct THookLog {
  std::vector<TObject*> Senders;
  void Changed(TObject* sender) { Senders.push_back(sender); }
};

TSrcMethod Hook(THookLog& log) { return SrcNotifyMethod<THookLog, &THookLog::Changed>(&log); }

TEST(HighlighterFramework, BaseDefaults) {
  TSrcCustomHighlighter h(nullptr);
  EXPECT_TRUE(h.Enabled());
  EXPECT_EQ(h.AttributeCount(), 0);
  EXPECT_EQ(h.AttributeAt(0), nullptr);
  EXPECT_EQ(h.DefaultFilter(), "");
  EXPECT_TRUE(h.IsDefaultFilterStored());
  EXPECT_EQ(h.SampleText(), "");
  EXPECT_EQ(h.LanguageName(), "<Unknown>");
  EXPECT_EQ(h.GetScanState(), 0);
  EXPECT_EQ(h.Capabilities(), 2u);
  EXPECT_EQ(h.IdentifierCharSet(), TSysCharSet::Range(33, 255));
  std::string breaks;
  for (int c = 0; c < 256; ++c)
    if (h.WordBreakChars().Contains(c)) breaks += static_cast<char>(c);
  EXPECT_EQ(breaks, "!\"'()*+,-./:;=?[\\]^{|}");
}

TEST(HighlighterFramework, AbstractOperationsRaise) {
  TSrcCustomHighlighter h(nullptr);
  const std::string line = "x";
  EXPECT_THROW(h.DefaultAttribute(0), EAbstractError);
  EXPECT_THROW(h.AtLineEnd(), EAbstractError);
  EXPECT_THROW(h.TokenText(), EAbstractError);
  EXPECT_THROW(h.TokenAttribute(), EAbstractError);
  EXPECT_THROW(h.TokenKind(), EAbstractError);
  EXPECT_THROW(h.TokenStart(), EAbstractError);
  EXPECT_THROW(h.NextToken(), EAbstractError);
  EXPECT_THROW(h.StartLine(line, 0), EAbstractError);
  try {
    h.NextToken();
  } catch (const EAbstractError& e) {
    EXPECT_EQ(e.Message(), "Abstract Error");
  }
  h.SetScanState(5);
  h.ResetScanState();
  EXPECT_EQ(h.GetScanState(), 0);
}

TEST(HighlighterFramework, AttributesSortedAndDuplicatesRejected) {
  TCountingHighlighter h(nullptr);
  ASSERT_EQ(h.AttributeCount(), 3);
  EXPECT_EQ(h.AttributeAt(0)->Name(), "alpha");
  EXPECT_EQ(h.AttributeAt(1)->Name(), "Mid");
  EXPECT_EQ(h.AttributeAt(2)->Name(), "Zeta");
  auto* twin = new TSrcHighlighterAttributes("ZETA");
  EXPECT_THROW(h.AddAttribute(twin), EStringListError);
  delete twin;
  EXPECT_EQ(h.AttributeCount(), 3);
}

TEST(HighlighterFramework, AttributeInitialValuesAndDefaults) {
  TSrcHighlighterAttributes a("Name");
  EXPECT_EQ(a.Background(), clNone);
  EXPECT_EQ(a.Foreground(), clNone);
  EXPECT_TRUE(a.Style().Empty());
  EXPECT_EQ(a.BackgroundDefault(), 0u);
  EXPECT_EQ(a.ForegroundDefault(), 0u);
  EXPECT_TRUE(a.IsBackgroundStored());
  TCountingHighlighter h(nullptr);
  EXPECT_EQ(h.FFirst->ForegroundDefault(), clRed);
  EXPECT_EQ(h.FSecond->StyleDefault(), (TFontStyles{fsBold, fsUnderline}));
  h.FFirst->SetForeground(clBlue);
  EXPECT_TRUE(h.FFirst->IsForegroundStored());
}

TEST(HighlighterFramework, ChangesReachTheHooksOnlyOnRealChange) {
  TCountingHighlighter h(nullptr);
  THookLog log;
  h.AddAttributeChangeHook(Hook(log));
  h.FFirst->SetForeground(clRed);  // same value
  h.FFirst->SetBackground(clNone);
  h.FSecond->SetStyle(TFontStyles{fsBold, fsUnderline});
  EXPECT_TRUE(log.Senders.empty());
  h.FFirst->SetForeground(clGreen);
  h.FThird->SetStyle(TFontStyles{fsStrikeOut});
  h.SetEnabled(true);  // unchanged
  h.SetEnabled(false);
  const std::vector<TObject*> expected = {h.FFirst, h.FThird, nullptr};
  EXPECT_EQ(log.Senders, expected);
}

TEST(HighlighterFramework, NothingFiresWhileLoadingThenLoadedFiresOnce) {
  TCountingHighlighter h(nullptr);
  THookLog log;
  h.AddAttributeChangeHook(Hook(log));
  h.BeginLoading();
  h.FFirst->SetForeground(clGreen);
  h.SetEnabled(false);
  EXPECT_TRUE(log.Senders.empty());
  h.Loaded();
  EXPECT_EQ(log.Senders, std::vector<TObject*>{nullptr});
  EXPECT_EQ(h.ComponentState() & csLoading, 0u);
}

TEST(HighlighterFramework, HookAddedTwiceIsRemovedTwice) {
  TCountingHighlighter h(nullptr);
  THookLog log;
  THookLog other;
  h.AddAttributeChangeHook(Hook(log));
  h.AddAttributeChangeHook(Hook(other));
  h.AddAttributeChangeHook(Hook(log));
  h.NotifyAttributeChange(&h);
  EXPECT_EQ(log.Senders.size(), 2u);
  h.RemoveAttributeChangeHook(Hook(log));
  h.NotifyAttributeChange(&h);
  EXPECT_EQ(log.Senders.size(), 2u);
  EXPECT_EQ(other.Senders.size(), 2u);
}

// An editor-like user: it hooks the attribute changes and unhooks itself
// when told that the highlighter goes.
class THookingUser : public TComponent {
 public:
  explicit THookingUser(TComponent* owner) : TComponent(owner) {}
  void Attach(TSrcCustomHighlighter* h) {
    FHighlighter = h;
    h->AddAttributeChangeHook(SrcNotifyMethod<THookingUser, &THookingUser::Changed>(this));
    h->FreeNotification(this);
  }
  void Changed(TObject*) { ++Changes; }
  TSrcCustomHighlighter* FHighlighter = nullptr;
  int Changes = 0;
  int Dropped = 0;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FHighlighter) {
      FHighlighter->RemoveAttributeChangeHook(SrcNotifyMethod<THookingUser, &THookingUser::Changed>(this));
      FHighlighter = nullptr;
      ++Dropped;
    }
  }
};

TEST(HighlighterFramework, UsersUnhookWhileTheHighlighterIsWhole) {
  TComponent form(nullptr);
  auto* user = new THookingUser(&form);
  auto* owned = new TSrcHTMLHighlighter(&form);
  user->Attach(owned);
  owned->KeyAttri()->SetForeground(clBlue);
  EXPECT_EQ(user->Changes, 1);
  delete owned;  // the user is told and unhooks through the live chain
  EXPECT_EQ(user->Dropped, 1);
  EXPECT_EQ(form.ComponentCount(), 1);
  THookingUser free(nullptr);
  auto* loose = new TSrcHTMLHighlighter(nullptr);
  free.Attach(loose);
  delete loose;
  EXPECT_EQ(free.Dropped, 1);
  EXPECT_EQ(free.FHighlighter, nullptr);
}

TEST(HighlighterFramework, ScanToLineEnd) {
  TCountingHighlighter h(nullptr);
  const std::string empty;
  h.StartLine(empty, 0);
  h.ScanToLineEnd();
  EXPECT_EQ(h.NextTokenCalls, 0);
  const std::string line = "abc";
  h.StartLine(line, 1);
  h.ScanToLineEnd();
  EXPECT_EQ(h.NextTokenCalls, 3);
  EXPECT_TRUE(h.AtLineEnd());
  EXPECT_EQ(h.TokenLength(), 0);
}

TEST(HighlighterFramework, ClassListKeepsOneEntryPerClass) {
  TSrcHighlighterList list;
  list.RegisterHighlighter(TSrcCustomHighlighter::ClassInfo());
  list.RegisterHighlighter(TSrcHTMLHighlighter::ClassInfo());
  list.RegisterHighlighter(TSrcCustomHighlighter::ClassInfo());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0), TSrcCustomHighlighter::ClassInfo());
  EXPECT_EQ(list.Items(2), nullptr);
  EXPECT_EQ(list.FindByName("tsrchtmlhighlighter"), 1);
  EXPECT_EQ(list.FindByName("TNone"), -1);
}

TEST(HighlighterFramework, AssignMatchesAttributesByExactName) {
  TSrcHTMLHighlighter html(nullptr);
  html.CommentAttri()->SetForeground(clPurple);
  TCountingHighlighter exact(nullptr);
  auto* comment = new TSrcHighlighterAttributes("Comment");
  exact.AddAttribute(comment);
  TCountingHighlighter other(nullptr);
  auto* lower = new TSrcHighlighterAttributes("comment");
  other.AddAttribute(lower);
  exact.Assign(&html);
  other.Assign(&html);
  EXPECT_EQ(comment->Foreground(), clPurple);
  EXPECT_EQ(lower->Foreground(), clNone);
  EXPECT_EQ(exact.DefaultFilter(), html.DefaultFilter());
  // Anything that is no highlighter goes to the base.
  TSrcHighlighterAttributes attr("x");
  EXPECT_THROW(exact.Assign(&attr), EConvertError);
}

TEST(HighlighterFramework, AttributeAssign) {
  TSrcHighlighterAttributes a("A");
  TSrcHighlighterAttributes b("B");
  int changes = 0;
  a.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++changes;
  };
  a.Assign(&b);  // same colours and style
  EXPECT_EQ(a.Name(), "B");
  EXPECT_EQ(changes, 0);
  b.SetForeground(clRed);
  b.SetBackground(clYellow);
  b.SetStyle(TFontStyles{fsItalic});
  a.Assign(&b);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(a.Foreground(), clRed);
  EXPECT_EQ(a.Background(), clYellow);
  EXPECT_EQ(a.Style(), TFontStyles{fsItalic});
}

TEST(HighlighterFramework, StyleBits) {
  EXPECT_EQ(SrcFontStyleToBits(TFontStyles{fsBold, fsStrikeOut}), 9);
  EXPECT_EQ(SrcBitsToFontStyle(0xF6), (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_EQ(SrcBitsToFontStyle(15), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
}

// --- registry storage ------------------------------------------------------------
class HighlighterRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FStore = std::make_shared<TMemorySettingsStore>();
    SetDefaultSettingsStore(FStore);
  }
  void TearDown() override { SetDefaultSettingsStore(nullptr); }
  std::shared_ptr<TMemorySettingsStore> FStore;
};

TEST_F(HighlighterRegistryTest, SaveThenLoad) {
  TSrcHTMLHighlighter a(nullptr);
  a.KeyAttri()->SetForeground(clTeal);
  a.KeyAttri()->SetStyle(TFontStyles{fsItalic, fsStrikeOut});
  a.CommentAttri()->SetBackground(clYellow);
  ASSERT_TRUE(a.SaveToRegistry(HKEY_CURRENT_USER, "Software\\Test\\Html"));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Test\\Html\\Reserved Word"));
  EXPECT_EQ(reg.ReadInteger("Foreground"), static_cast<int>(clTeal));
  EXPECT_EQ(reg.ReadInteger("Style"), 10);
  EXPECT_EQ(reg.ReadInteger("Background"), static_cast<int>(clNone));
  reg.CloseKey();

  TSrcHTMLHighlighter b(nullptr);
  THookLog log;
  b.AddAttributeChangeHook(Hook(log));
  ASSERT_TRUE(b.LoadFromRegistry(HKEY_CURRENT_USER, "Software\\Test\\Html"));
  EXPECT_EQ(b.KeyAttri()->Foreground(), clTeal);
  EXPECT_EQ(b.KeyAttri()->Style(), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(b.CommentAttri()->Background(), clYellow);
  EXPECT_EQ(b.ValueAttri()->Foreground(), 16744448u);
  EXPECT_EQ(log.Senders.size(), 3u);
}

TEST_F(HighlighterRegistryTest, LoadFailures) {
  TSrcHTMLHighlighter h(nullptr);
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, "Software\\Missing"));
  // One attribute key present: it loads, the result is still false.
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Partial\\Value", true));
  reg.WriteInteger("Foreground", static_cast<int>(clMaroon));
  reg.CloseKey();
  EXPECT_FALSE(h.LoadFromRegistry(HKEY_CURRENT_USER, "Software\\Partial"));
  EXPECT_EQ(h.ValueAttri()->Foreground(), clMaroon);
  EXPECT_EQ(h.KeyAttri()->Foreground(), 16711808u);
  // A value of the wrong type is an error that reaches the caller.
  ASSERT_TRUE(reg.OpenKey("Software\\Partial\\Value", false));
  reg.WriteString("Style", "bold");
  reg.CloseKey();
  EXPECT_THROW(h.LoadFromRegistry(HKEY_CURRENT_USER, "Software\\Partial"), ERegistryException);
}

TEST_F(HighlighterRegistryTest, PaletteNewStyle) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Scheme\\Keys", true));
  reg.WriteInteger("Foreground Color", 12);
  reg.WriteString("Background Color New", "clSilver");
  reg.WriteString("Bold", "True");
  reg.WriteString("Italic", "false");
  reg.WriteString("Underline", "1");
  reg.WriteString("Default Foreground", "0");
  reg.WriteString("Default Background", "FALSE");
  reg.CloseKey();
  TSrcHighlighterAttributes a("A");
  EXPECT_TRUE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Scheme", "Keys", false));
  EXPECT_EQ(a.Foreground(), RGB(0, 0, 255));
  EXPECT_EQ(a.Background(), clSilver);
  EXPECT_EQ(a.Style(), (TFontStyles{fsBold, fsUnderline}));

  ASSERT_TRUE(reg.OpenKey("Software\\Scheme\\Keys", false));
  reg.WriteString("Default Foreground", "yes");
  reg.CloseKey();
  EXPECT_TRUE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Scheme", "Keys", false));
  EXPECT_EQ(a.Foreground(), clWindowText);

  // A missing flag: false, nothing changed.
  ASSERT_TRUE(reg.OpenKey("Software\\Scheme\\Keys", false));
  reg.DeleteValue("Italic");
  reg.WriteInteger("Foreground Color", 9);
  reg.CloseKey();
  EXPECT_FALSE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Scheme", "Keys", false));
  EXPECT_EQ(a.Foreground(), clWindowText);
  // A palette index outside 0-15 fails without reading outside the table.
  ASSERT_TRUE(reg.OpenKey("Software\\Scheme\\Keys", false));
  reg.WriteString("Italic", "0");
  reg.WriteInteger("Foreground Color", 16);
  reg.CloseKey();
  EXPECT_FALSE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Scheme", "Keys", false));
  EXPECT_FALSE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Scheme", "Absent", false));
}

TEST_F(HighlighterRegistryTest, PaletteOldStyle) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Old", true));
  reg.WriteString("Keys", "x,y,BU,0,1,4,7");
  reg.WriteString("Plain", "x,y,,1,0,4,13");
  reg.WriteString("Short", "x,y,I");
  reg.CloseKey();
  TSrcHighlighterAttributes a("A");
  EXPECT_TRUE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Old", "Keys", true));
  EXPECT_EQ(a.Background(), clWindow);
  EXPECT_EQ(a.Foreground(), RGB(0, 0, 128));
  EXPECT_EQ(a.Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_TRUE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Old", "Plain", true));
  EXPECT_EQ(a.Background(), RGB(255, 0, 255));
  EXPECT_EQ(a.Foreground(), clWindowText);
  EXPECT_TRUE(a.Style().Empty());
  // Fields 4 to 7 missing: the background index is no number.
  EXPECT_FALSE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Old", "Short", true));
  EXPECT_FALSE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Old", "None", true));
  EXPECT_FALSE(a.LoadFromPaletteRegistry(HKEY_CURRENT_USER, "Software\\Nothing", "Keys", true));
}

TEST(HighlighterFramework, StringToColor) {
  EXPECT_EQ(SrcStringToColor("clRed"), clRed);
  EXPECT_EQ(SrcStringToColor("CLWINDOW"), clWindow);
  EXPECT_EQ(SrcStringToColor("$FF00"), 0xFF00u);
  EXPECT_EQ(SrcStringToColor("255"), 255u);
  EXPECT_THROW(SrcStringToColor("reddish"), EConvertError);
  EXPECT_EQ(SrcPaletteColor(0), clBlack);
  EXPECT_EQ(SrcPaletteColor(15), clWhite);
  EXPECT_EQ(SrcPaletteColor(1), clMaroon);
}

}  // namespace
