// The window messages the control answers: text, dialog code, focus,
// clipboard and undo messages, Alt+Backspace, scroll bars and the scroll
// hint, LeftChar, keeping the caret in view, dropped files, the input method.
#include <cstring>

#include "ExchangeFixture.h"
#include "platform/Forms.h"
#include "platform/Win32.h"

namespace {

// Records every message that reaches the control's Dispatch.
class TDispatchSpy : public TExchangeMemo {
 public:
  explicit TDispatchSpy(TComponent* owner) : TExchangeMemo(owner) {}
  std::vector<TMessage> Seen;

 protected:
  void Dispatch(TMessage& Msg) override {
    Seen.push_back(Msg);
    TExchangeMemo::Dispatch(Msg);
  }
};

std::string Text(TCustomSrcEdit* e) { return static_cast<TControl*>(e)->GetText(); }

// --- text -------------------------------------------------------------------

struct GetTextCase {
  const char* Name;
  WPARAM Size;
  LRESULT Result;
  std::string Buffer;  // the buffer's first bytes afterwards ('#' = untouched)
  friend void PrintTo(const GetTextCase& c, std::ostream* os) { *os << c.Name; }
};

class GetText : public ExchangeTest, public ::testing::WithParamInterface<GetTextCase> {};

TEST_P(GetText, NeverWritesPastTheBuffer) {
  const GetTextCase& c = GetParam();
  SetLines({"ab", "cd"});
  char buffer[16];
  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(Edit->Perform(WM_GETTEXT, c.Size, LPARAM(buffer)), c.Result);
  EXPECT_EQ(std::string(buffer, c.Buffer.size()), c.Buffer);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GetText,
                         ::testing::Values(GetTextCase{"Zero", 0, 0, std::string("##")},
                                           GetTextCase{"One", 1, 0, std::string("\0#", 2)},
                                           GetTextCase{"Three", 3, 2, std::string("ab\0#", 4)},
                                           GetTextCase{"Exact", 7, 6, std::string("ab\r\ncd\0#", 8)},
                                           GetTextCase{"Larger", 16, 6, std::string("ab\r\ncd\0#", 8)}),
                         [](const ::testing::TestParamInfo<GetTextCase>& i) { return std::string(i.param.Name); });

TEST_F(ExchangeTest, TextMessages) {
  SetLines({"ab", "cd", ""});
  EXPECT_EQ(Edit->Perform(WM_GETTEXTLENGTH), 8);
  EXPECT_EQ(Edit->Perform(WM_GETTEXT, 100, 0), 0) << "null buffer";
  EXPECT_EQ(Text(Edit), "ab\r\ncd\r\n");

  EXPECT_EQ(Edit->Perform(WM_SETTEXT, 0, LPARAM("x\r\ny")), -1);
  EXPECT_EQ(Joined(), "x|y");
  EXPECT_EQ(Edit->Perform(WM_SETTEXT, 0, 0), 0) << "null text";
  EXPECT_EQ(Joined(), "x|y");
  static_cast<TControl*>(Edit)->SetText("p");
  EXPECT_EQ(Joined(), "p");
  SetLines({});
  EXPECT_EQ(Edit->Perform(WM_GETTEXTLENGTH), 0);
}

TEST_F(ExchangeTest, DialogCode) {
  const LRESULT code = Edit->Perform(WM_GETDLGCODE);
  EXPECT_EQ(code & (DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS),
            DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS);
  EXPECT_EQ(code & DLGC_WANTTAB, 0);
  Edit->SetWantTabs(true);
  Edit->SetWantReturns(false);
  EXPECT_NE(Edit->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
  EXPECT_EQ(Edit->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
  EXPECT_EQ(Edit->Perform(WM_ERASEBKGND), 1);
}

TEST_F(ExchangeTest, SizeAndCancelMode) {
  Fake.Resize(Wnd, kGutter + 2 + 20 * 8, 5 * 16);
  EXPECT_EQ(Edit->CharsInWindow(), 20);
  EXPECT_EQ(Edit->LinesInWindow(), 5);
  // The cancel-mode message leaves the mouse capture alone.
  Edit->SetMouseCapture(true);
  Edit->Perform(WM_CANCELMODE);
  EXPECT_TRUE(Edit->MouseCapture());
  Edit->SetMouseCapture(false);
}

// --- clipboard and undo messages -------------------------------------------

TEST_F(ExchangeTest, ClipboardMessages) {
  SetLines({"abc"});
  Edit->SelectRange(BC(3, 1), BC(2, 1), BC(3, 1));
  Edit->SetReadOnly(true);
  PutOnBoard({{CF_TEXT, std::string("x") + '\0'}});
  EXPECT_EQ(Edit->Perform(WM_CUT), 1);
  EXPECT_EQ(Edit->Perform(WM_PASTE), 1);
  Edit->Perform(WM_CLEAR);
  EXPECT_EQ(Joined(), "abc") << "read-only";
  EXPECT_EQ(Edit->Perform(WM_COPY), 1);
  EXPECT_EQ(Board(CF_TEXT), std::string("b") + '\0');

  Edit->SetReadOnly(false);
  EXPECT_EQ(Edit->Perform(WM_CUT), 1);
  EXPECT_EQ(Joined(), "ac");
  EXPECT_EQ(Edit->Perform(WM_PASTE), 1);
  EXPECT_EQ(Joined(), "abc");
  Edit->SelectAll();
  Edit->Perform(WM_CLEAR);
  EXPECT_EQ(Joined(), "");
  Edit->Perform(WM_UNDO);
  EXPECT_EQ(Joined(), "abc");
}

TEST_F(ExchangeTest, AltBackspaceUndoesWithoutItsCharacter) {
  auto spy = std::make_unique<TDispatchSpy>(nullptr);
  spy->Lines()->Add("ab");
  spy->SelectRange(BC(3, 1), BC(3, 1), BC(3, 1));
  spy->ReplaceSelection("c");
  Fake.SetKeyDown(VK_MENU, true);
  spy->Perform(WM_SYSKEYDOWN, VK_BACK, 1 | KF_ALTDOWN_BIT);
  spy->Perform(WM_SYSCHAR, VK_BACK, 1 | KF_ALTDOWN_BIT);
  spy->Perform(WM_SYSCHAR, 'x', 1 | KF_ALTDOWN_BIT);
  spy->Perform(WM_SYSCHAR, VK_BACK, 1);
  Fake.SetKeyDown(VK_MENU, false);
  EXPECT_EQ(Joined(spy.get()), "ab");
  std::vector<WPARAM> sysChars;
  for (const TMessage& m : spy->Seen)
    if (m.Msg == WM_SYSCHAR) sysChars.push_back(m.WParam);
  EXPECT_EQ(sysChars, (std::vector<WPARAM>{'x', VK_BACK})) << "only Alt+Backspace's character is dropped";
}

TEST_F(ExchangeTest, FocusMakesAndDestroysTheCaret) {
  std::vector<TSrcEditorCommand> seen;
  Edit->OnProcessCommand = [&](TObject*, TSrcEditorCommand& c, char&, void*) { seen.push_back(c); };
  Edit->SetFocus();
  EXPECT_EQ(Fake.Caret().Owner, Wnd);
  TExchangeMemo* other = MakeEdit(400);
  other->SetFocus();
  EXPECT_NE(Fake.Caret().Owner, Wnd);
  EXPECT_EQ(seen, (std::vector<TSrcEditorCommand>{ecGotFocus, ecLostFocus}));
}

// --- scroll bars --------------------------------------------------------------

struct ScrollCase {
  const char* Name;
  UINT Msg;
  int Code;
  int Pos;
  TSrcEditorOptions Options;
  int Expected;
  friend void PrintTo(const ScrollCase& c, std::ostream* os) { *os << c.Name; }
};

class ScrollBar : public ExchangeTest, public ::testing::WithParamInterface<ScrollCase> {};

TEST_P(ScrollBar, MovesTheView) {
  const ScrollCase& c = GetParam();
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::string(i == 0 ? 100 : 1, 'x') + "\r\n";
  Edit->SetText(text);
  Edit->SetOptions((SRCEDIT_DEFAULT_OPTIONS & ~eoShowScrollHint) | c.Options);
  Edit->SetTopLine(20);
  Edit->SetLeftChar(10);
  std::vector<TScrollBarKind> scrolled;
  Edit->OnScroll = [&](TObject*, TScrollBarKind k) { scrolled.push_back(k); };
  EXPECT_EQ(Edit->Perform(c.Msg, MakeWParam(uint16_t(c.Code), uint16_t(c.Pos))), 0);
  EXPECT_EQ(c.Msg == WM_HSCROLL ? Edit->LeftChar() : Edit->TopLine(), c.Expected);
  EXPECT_EQ(scrolled, (std::vector<TScrollBarKind>{c.Msg == WM_HSCROLL ? sbHorizontal : sbVertical}));
}

constexpr TSrcEditorOptions kNone = 0;
INSTANTIATE_TEST_SUITE_P(
    Codes, ScrollBar,
    ::testing::Values(ScrollCase{"LineLeft", WM_HSCROLL, SB_LINELEFT, 0, kNone, 9},
                      ScrollCase{"LineRight", WM_HSCROLL, SB_LINERIGHT, 0, kNone, 11},
                      ScrollCase{"PageLeft", WM_HSCROLL, SB_PAGELEFT, 0, kNone, 1},
                      ScrollCase{"PageRight", WM_HSCROLL, SB_PAGERIGHT, 0, kNone, 50},
                      ScrollCase{"PageRightByOneLess", WM_HSCROLL, SB_PAGERIGHT, 0, eoScrollByOneLess, 49},
                      ScrollCase{"Left", WM_HSCROLL, SB_LEFT, 0, kNone, 1},
                      ScrollCase{"RightToTheScrollWidth", WM_HSCROLL, SB_RIGHT, 0, kNone, 1024 - 40 + 1},
                      ScrollCase{"HorizontalThumb", WM_HSCROLL, SB_THUMBTRACK, 300, kNone, 300},
                      ScrollCase{"HorizontalEnd", WM_HSCROLL, SB_ENDSCROLL, 0, kNone, 10},
                      ScrollCase{"LineUp", WM_VSCROLL, SB_LINEUP, 0, kNone, 19},
                      ScrollCase{"LineDown", WM_VSCROLL, SB_LINEDOWN, 0, kNone, 21},
                      ScrollCase{"PageUp", WM_VSCROLL, SB_PAGEUP, 0, kNone, 10},
                      ScrollCase{"PageDown", WM_VSCROLL, SB_PAGEDOWN, 0, kNone, 30},
                      ScrollCase{"PageDownByOneLess", WM_VSCROLL, SB_PAGEDOWN, 0, eoScrollByOneLess, 29},
                      ScrollCase{"Top", WM_VSCROLL, SB_TOP, 0, kNone, 1},
                      ScrollCase{"Bottom", WM_VSCROLL, SB_BOTTOM, 0, kNone, 100 - 10 + 1},
                      ScrollCase{"VerticalThumb", WM_VSCROLL, SB_THUMBPOSITION, 50, kNone, 50},
                      ScrollCase{"VerticalEnd", WM_VSCROLL, SB_ENDSCROLL, 0, kNone, 20}),
    [](const ::testing::TestParamInfo<ScrollCase>& i) { return std::string(i.param.Name); });

TEST_F(ExchangeTest, ScrollRangesAboveSixteenBitsAreScaled) {
  Edit->SetOptions(Edit->Options() & ~(eoShowScrollHint | eoScrollPastEol));
  std::string text;
  for (int i = 0; i < 40000; ++i) text += "x\r\n";
  Edit->SetText(text);
  const int rows = Edit->Lines()->GetCount();
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 16384));
  EXPECT_EQ(Edit->TopLine(), MulDiv(rows + kRows - 1, 16384, 32767));
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 32767));
  EXPECT_EQ(Edit->TopLine(), rows - kRows + 1) << "clamped";
  SetLines({});
  text.resize(30000 * 3);
  Edit->SetText(text);
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 16384));
  EXPECT_EQ(Edit->TopLine(), 16384);

  // A line wider than 32767 columns scrolls through its whole width.
  SetLines({std::string(50000, 'y').c_str()});
  Edit->Perform(WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 16384));
  EXPECT_EQ(Edit->LeftChar(), MulDiv(50000, 16384, 32767));
  Edit->Perform(WM_HSCROLL, MakeWParam(SB_RIGHT, 0));
  EXPECT_EQ(Edit->LeftChar(), 50000 - kCols + 1);
}

class ScrollHint : public ExchangeTest {
 protected:
  void SetUp() override {
    InitApplication();
    Application->SetHintWindowClass([this](TComponent* owner) {
      Made = new THintWindow(owner);
      return Made;
    });
    ExchangeTest::SetUp();
    std::string text;
    for (int i = 0; i < 100; ++i) text += "x\r\n";
    Edit->SetText(text);
  }
  void TearDown() override {
    // The hint window goes with the application, while its window set is
    // still installed.
    DoneApplication();
    ExchangeTest::TearDown();
  }
  THintWindow* Made = nullptr;
};

TEST_F(ScrollHint, ShowsTheTopLineWhileTheThumbIsDragged) {
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 1));
  ASSERT_NE(Made, nullptr);
  EXPECT_EQ(Made->Owner(), Application);
  EXPECT_TRUE(Made->IsShowing());
  EXPECT_EQ(Made->Caption(), "Top Line: 1");
  EXPECT_EQ(Made->Color(), Edit->ScrollHintColor());
  const TRect r = Made->BoundsRect();
  EXPECT_EQ(r.Top, Edit->ClientToScreen(TPoint(0, 10)).Y);
  EXPECT_EQ(r.Right, Edit->ClientToScreen(TPoint(Edit->ClientWidth() - 4, 0)).X);

  Edit->SetScrollHintFormat(shfTopToBottom);
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 31));
  EXPECT_EQ(Made->Caption(), "31 - 41");
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_ENDSCROLL, 0));
  EXPECT_FALSE(Made->IsShowing());

  // Following the thumb over a bar without a range stays at its top.
  Edit->SetOptions(Edit->Options() | eoScrollHintFollows);
  Edit->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 5));
  const TRect need = Made->CalcHintRect(200, Made->Caption());
  EXPECT_EQ(Made->BoundsRect().Top,
            Edit->ClientToScreen(TPoint(0, GetSystemMetrics(SM_CYVSCROLL) + need.Height() / 2)).Y);
}

// --- LeftChar and keeping the caret in view ------------------------------------

TEST_F(ExchangeTest, LeftCharBounds) {
  SetLines({std::string(30, 'a').c_str()});
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  Edit->SetLeftChar(500);
  EXPECT_EQ(Edit->LeftChar(), 1) << "everything fits";
  SetLines({std::string(100, 'a').c_str()});
  Edit->SetLeftChar(500);
  EXPECT_EQ(Edit->LeftChar(), 100 - kCols + 1);

  Edit->SetOptions(Edit->Options() | eoScrollPastEol);
  Edit->SetLeftChar(5000);
  EXPECT_EQ(Edit->LeftChar(), 1024 - kCols + 1);
  // The view reaches a caret on a line longer than the scroll width.
  SetLines({std::string(2000, 'a').c_str()});
  Edit->SetCaret(BC(2001, 1));
  Edit->SetLeftChar(5000);
  EXPECT_EQ(Edit->LeftChar(), 2001 - kCols + 1) << "the caret at the end of the line is in view";
  EXPECT_EQ(Edit->TextOffset(), kGutter + 2 - (Edit->LeftChar() - 1) * Edit->CharWidth());

  TSrcStatusChanges changes = 0;
  Edit->OnStatusChange = [&](TObject*, TSrcStatusChanges c) { changes |= c; };
  Edit->SetLeftChar(7);
  EXPECT_NE(changes & scLeftChar, 0);

  // With automatic scroll width the width follows the view.
  Edit->SetOptions(Edit->Options() | eoAutoSizeMaxScrollWidth);
  Edit->SetLeftChar(3000);
  EXPECT_EQ(Edit->LeftChar(), 3000);
  EXPECT_EQ(Edit->MaxScrollWidth(), 3000 + kCols);
}

struct VisibleCase {
  const char* Name;
  bool Middle;
  int Top;  // TopLine before
  TBufferCoord Caret;
  int ExpectTop;
  int ExpectLeft;
  friend void PrintTo(const VisibleCase& c, std::ostream* os) { *os << c.Name; }
};

class CaretVisible : public ExchangeTest, public ::testing::WithParamInterface<VisibleCase> {};

TEST_P(CaretVisible, BringsTheCaretIntoView) {
  const VisibleCase& c = GetParam();
  std::string text;
  for (int i = 0; i < 100; ++i) text += std::string(200, 'x') + "\r\n";
  Edit->SetText(text);
  Edit->SetTopLine(c.Top);
  Edit->PlaceCaret(false, c.Caret);
  ASSERT_EQ(Edit->TopLine(), c.Top);
  Edit->EnsureCaretVisibleEx(c.Middle);
  EXPECT_EQ(Edit->TopLine(), c.ExpectTop);
  EXPECT_EQ(Edit->LeftChar(), c.ExpectLeft);
  EXPECT_GE(c.Caret.Line, Edit->TopLine());
  EXPECT_LT(c.Caret.Line, Edit->TopLine() + kRows);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaretVisible,
                         ::testing::Values(VisibleCase{"Below", false, 1, BC(1, 50), 41, 1},
                                           VisibleCase{"Above", false, 41, BC(1, 5), 5, 1},
                                           VisibleCase{"Inside", false, 41, BC(1, 45), 41, 1},
                                           VisibleCase{"Right", false, 1, BC(100, 1), 1, 61},
                                           VisibleCase{"MiddleJustAbove", true, 41, BC(1, 40), 36, 1},
                                           VisibleCase{"MiddleFarAbove", true, 41, BC(1, 3), 1, 1},
                                           VisibleCase{"MiddleOnTheLastRow", true, 41, BC(1, 50), 46, 1},
                                           VisibleCase{"MiddleInside", true, 41, BC(1, 45), 41, 1},
                                           VisibleCase{"MiddleBelow", true, 1, BC(1, 80), 76, 1}),
                         [](const ::testing::TestParamInfo<VisibleCase>& i) { return std::string(i.param.Name); });

// --- dropped files, capture, input method ------------------------------------------

TEST_F(ExchangeTest, DroppedFiles) {
  std::vector<std::string> got;
  TPoint at;
  Edit->OnDropFiles = [&](TObject*, int x, int y, TStrings* files) {
    at = TPoint(x, y);
    for (int i = 0; i < files->GetCount(); ++i) got.push_back(files->Get(i));
  };
  const std::string longName = "/" + std::string(300, 'n') + ".htm";
  HDROP drop = Fake.NewDrop({"/a/b.htm", longName}, TPoint(5, 6));
  EXPECT_EQ(Edit->Perform(WM_DROPFILES, WPARAM(drop)), 0);
  EXPECT_EQ(got, (std::vector<std::string>{"/a/b.htm", longName}));
  EXPECT_EQ(at, TPoint(5, 6));
  EXPECT_FALSE(Fake.IsDrop(drop)) << "released";

  Edit->OnDropFiles = [](TObject*, int, int, TStrings*) { throw Exception("handler failed"); };
  drop = Fake.NewDrop({"/c"}, TPoint(1, 1));
  EXPECT_THROW(Edit->Perform(WM_DROPFILES, WPARAM(drop)), Exception);
  EXPECT_FALSE(Fake.IsDrop(drop)) << "released when the handler fails";

  Edit->OnDropFiles = nullptr;
  drop = Fake.NewDrop({"/c"}, TPoint(1, 1));
  Edit->Perform(WM_DROPFILES, WPARAM(drop));
  EXPECT_FALSE(Fake.IsDrop(drop));

  // Through the window: only while the option is set.
  got.clear();
  Edit->OnDropFiles = [&](TObject*, int, int, TStrings* files) { got.push_back(files->Get(0)); };
  Fake.DropFiles(Wnd, {"/d"}, 2, 2);
  EXPECT_TRUE(got.empty());
  Edit->SetOptions(Edit->Options() | eoDropFiles);
  Fake.DropFiles(Wnd, {"/d"}, 2, 2);
  EXPECT_EQ(got, (std::vector<std::string>{"/d"}));
}

TEST_F(ExchangeTest, CaptureLossStopsTheDragScrollTimer) {
  Edit->FScrollTimer->SetEnabled(true);
  Edit->Perform(WM_CAPTURECHANGED);
  EXPECT_FALSE(Edit->FScrollTimer->Enabled());
}

TEST_F(ExchangeTest, InputMethodStringGoesInOnce) {
  Edit->SetFocus();
  Fake.ImeCommit(Wnd, "ab");
  EXPECT_EQ(Edit->ImeStrings, (std::vector<std::string>{"ab"}));
  EXPECT_EQ(Edit->Executed, (std::vector<TSrcEditorCommand>{ecImeStr})) << "its characters are skipped";
  EXPECT_EQ(Edit->FImeCount, 0);
  EXPECT_EQ(Joined(), "ab");

  Edit->Perform(WM_IME_NOTIFY, IMN_SETOPENSTATUS);
  TImeContext& ime = Wnd->Ime();
  EXPECT_TRUE(ime.HasFont);
  EXPECT_EQ(std::string(ime.Font.lfFaceName), Edit->Font()->Name());
}

}  // namespace
