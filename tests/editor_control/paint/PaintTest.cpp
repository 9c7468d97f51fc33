// The paint pass, read back from the fake widget set: gutter numbers, token
// colours and styles per cell, selection in the three modes, the active
// line, special-line colours, special characters, the right edge and the
// overhang of a styled run.
#include <climits>
#include <string>
#include <vector>

#include "PaintFixture.h"
#include "SrcEditMarks.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0x000000;

}  // namespace

// ---------------------------------------------------------------------------
// Gutter

TEST_F(PaintTest, GutterShowsRightAlignedLineNumbers) {
  Edit->Gutter()->SetShowLineNumbers(true);
  SetLines({"a", "b", "c"});
  PaintAll();
  // 16 + 2 + 4 digits of 8 pixels + 2.
  const int gw = Edit->GutterWidth();
  ASSERT_EQ(gw, 52);
  for (int line = 1; line <= 3; ++line) {
    EXPECT_EQ(Fake.RowText(Wnd, Y(line), 0, gw), "   " + std::to_string(line)) << line;
    // The last digit ends 2 pixels plus the right offset left of the gutter's edge.
    const TFakeGlyph* g = Fake.TextAt(Wnd, gw - 2 - 2 - 8 + 1, Y(line) + 1);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Ch, '0' + line);
    EXPECT_EQ(g->BkColor, RGBOf(Edit->Gutter()->Color()));
  }
  EXPECT_EQ(Fake.RowText(Wnd, Y(4), 0, gw), "");
  // Below the last line the gutter is filled in its colour.
  EXPECT_EQ(Fake.PixelAt(Wnd, 5, Y(6) + 3), RGBOf(Edit->Gutter()->Color()));
}

TEST_F(PaintTest, EmptyListPaintsLineOneAndGutterTextEventReplacesNumbers) {
  Edit->Gutter()->SetShowLineNumbers(true);
  Edit->Lines()->Clear();
  PaintAll();
  EXPECT_EQ(Fake.RowText(Wnd, Y(1), 0, Edit->GutterWidth()), "   1");

  SetLines({"a", "b"});
  std::vector<int> asked;
  Edit->OnGutterGetText = [&](TObject*, int line, std::string& text) {
    asked.push_back(line);
    text = line == 2 ? "x" : text;
  };
  PaintAll();
  EXPECT_EQ(asked, (std::vector<int>{1, 2}));
  EXPECT_EQ(Fake.RowText(Wnd, Y(2), 0, Edit->GutterWidth()), "x");
  const TFakeGlyph* g = Fake.TextAt(Wnd, Edit->GutterWidth() - 2 - 2 - 8 + 1, Y(2) + 1);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Ch, 'x');
}

TEST_F(PaintTest, GutterPaintEventGetsEveryPaintedLine) {
  SetLines({"a", "b", "c"});
  std::vector<std::pair<int, int>> seen;
  Edit->OnGutterPaint = [&](TObject*, int line, int x, int y) { seen.push_back({line, y}); };
  PaintAll();
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 0}, {2, 16}, {3, 32}}));
}

TEST_F(PaintTest, GutterBorderStyles) {
  SetLines({"a"});
  Edit->Gutter()->SetBorderColor(clRed);
  Edit->Gutter()->SetColor(clSilver);
  const int gw = Edit->GutterWidth();
  struct {
    TSrcGutterBorderStyle Style;
    COLORREF AtMinus2;
    COLORREF AtMinus1;
  } cases[] = {
      {gbsMiddle, RGBOf(clRed), RGBOf(clSilver)},
      {gbsRight, RGBOf(clSilver), RGBOf(clRed)},
      {gbsNone, RGBOf(clSilver), RGBOf(clSilver)},
  };
  for (const auto& c : cases) {
    Edit->Gutter()->SetBorderStyle(c.Style);
    PaintAll();
    for (int y : {1, Y(5) + 7}) {
      EXPECT_EQ(Fake.PixelAt(Wnd, gw - 2, y), c.AtMinus2) << c.Style << " " << y;
      EXPECT_EQ(Fake.PixelAt(Wnd, gw - 1, y), c.AtMinus1) << c.Style << " " << y;
    }
    EXPECT_EQ(Fake.PixelAt(Wnd, gw - 3, 1), RGBOf(clSilver));
    // The strip between the gutter and column 1 has the editor's colour.
    EXPECT_EQ(Fake.PixelAt(Wnd, gw, 1), kWhite);
    EXPECT_EQ(Fake.PixelAt(Wnd, gw + 1, Y(5)), kWhite);
  }
}

TEST_F(PaintTest, GutterGradientRunsFromStartToEndColour) {
  SetLines({"a", "b"});
  Edit->Gutter()->SetBorderStyle(gbsNone);
  Edit->Gutter()->SetGradientStartColor(clRed);
  Edit->Gutter()->SetGradientEndColor(clBlue);
  Edit->Gutter()->SetGradient(true);
  Edit->Gutter()->SetShowLineNumbers(true);
  PaintAll();
  const int gw = Edit->GutterWidth();
  EXPECT_EQ(Fake.PixelAt(Wnd, 0, Y(1) + 1), RGBOf(clRed));
  EXPECT_EQ(Fake.PixelAt(Wnd, gw - 1, Y(7)), RGBOf(clBlue));
  // Numbers are drawn transparently over it.
  const TFakeGlyph* g = Fake.TextAt(Wnd, gw - 2 - 2 - 8 + 1, Y(2) + 1);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Ch, '2');
  EXPECT_FALSE(g->Opaque);
}

TEST_F(PaintTest, MarksAreDrawnOnTheirLineAndOffsetTheGutterPaintEvent) {
  SetLines({"a", "b", "c"});
  auto addMark = [&](int line, int image, int bookmark) {
    auto* m = new TSrcEditMark(Edit.get());
    m->SetLine(line);
    m->SetChar(1);
    m->SetImageIndex(image);
    m->SetBookmarkNumber(bookmark);
    m->SetInternalImage(true);
    m->SetVisible(true);
    Edit->Marks()->Add(m);
  };
  addMark(2, 3, 3);    // a bookmark: drawn first, at the left margin
  addMark(2, 7, -1);   // another mark on the same line: its place is taken
  addMark(3, 12, -1);  // an index outside the built-in images: skipped
  std::vector<std::pair<int, int>> events;
  Edit->OnGutterPaint = [&](TObject*, int line, int x, int) { events.push_back({line, x}); };
  PaintAll();
  std::vector<std::pair<int, int>> blits;
  for (const TFakeDrawCall* c : Fake.CallsOf(TFakeDrawCall::StretchBlt, Wnd))
    blits.push_back({c->Rect.Left, c->Rect.Top});
  const int margin = Edit->BookMarkOptions()->LeftMargin();
  const int step = Edit->BookMarkOptions()->Xoffset();
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].first, margin);
  EXPECT_EQ(blits[0].second, Y(2) + (Edit->LineHeight() - 14) / 2);
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{1, 0}, {2, 2 * step}, {3, 0}}));
}

// ---------------------------------------------------------------------------
// Tokens

TEST_F(PaintTest, HtmlTokensGetTheirAttributeColoursAndStyles) {
  UseHtml();
  SetLines({"<b>x &amp;"});
  PaintAll();
  EXPECT_EQ(RowText(1), "<b>x &amp;");
  const COLORREF key = RGBOf(Html->KeyAttri()->Foreground());
  struct {
    int Col;
    char Ch;
    COLORREF Fg;
    bool Bold;
  } cells[] = {
      {1, '<', kBlack, true},  // symbol: bold, editor colour
      {2, 'b', key, true},     // known tag name
      {3, '>', kBlack, true},
      {4, 'x', kBlack, false},  // text
      {6, '&', RGBOf(Html->AndAttri()->Foreground()), true},
      {10, ';', RGBOf(Html->AndAttri()->Foreground()), true},
  };
  for (const auto& c : cells) {
    EXPECT_EQ(Ch(c.Col, 1), c.Ch) << c.Col;
    EXPECT_EQ(Fg(c.Col, 1), c.Fg) << c.Col;
    EXPECT_EQ(Bold(c.Col, 1), c.Bold) << c.Col;
    EXPECT_EQ(Bg(c.Col, 1), kWhite) << c.Col;
  }
  // The rest of the row is filled in the editor's colour.
  Edit->SetColor(clYellow);
  PaintAll();
  EXPECT_EQ(Bg(4, 1), RGBOf(clYellow));
  EXPECT_EQ(Bg(20, 1), RGBOf(clYellow));
  EXPECT_EQ(Bg(20, 5), RGBOf(clYellow));
}

TEST_F(PaintTest, SameColouredTokensAreMergedIntoOneOutput) {
  UseCounting();
  // Words and blanks alternate; blanks merge into the words' runs (their
  // text colour does not matter), so the row is one output plus the fill.
  SetLines({"aa bb cc dd"});
  PaintAll();
  int texts = 0;
  for (const TFakeDrawCall* c : Fake.CallsOf(TFakeDrawCall::ExtTextOut, Wnd))
    if (!c->Text.empty() && c->Y == Y(1)) ++texts;
  EXPECT_EQ(texts, 1);
  EXPECT_EQ(RowText(1), "aa bb cc dd");
}

TEST_F(PaintTest, TokenLoopStopsAtTheLastVisibleColumn) {
  UseCounting();
  std::string line;
  for (int i = 0; i < 50000; ++i) line += "w ";
  SetLines({line.c_str()});
  Counting->ResetCounts();
  PaintAll();
  EXPECT_EQ(RowText(1), line.substr(0, kCols));
  EXPECT_LT(Counting->Tokens, 100);
}

TEST_F(PaintTest, OnlyRowsInsideTheClipAreScanned) {
  UseCounting();
  SetLines({"a", "b", "c", "d", "e", "f"});
  PaintAll();
  Counting->ResetCounts();
  TRect row3(0, Y(3), Edit->ClientWidth(), Y(4));
  ::InvalidateRect(Wnd, &row3, false);
  Fake.ProcessMessages();
  // The row of the clip, and the one below its bottom edge that the row
  // range always takes in.
  EXPECT_EQ(Counting->StartLines, 2);
}

// ---------------------------------------------------------------------------
// Selection

class PaintSelectionTest : public PaintTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    if (GetParam()) UseHtml();
    SetLines({"abcdefgh", "ijklmnop", "qrstuvwx"});
    Focus();
  }
  // Selected cells of a row as 'x' and '.', columns 1 to n.
  std::string Marks(int row, int n = 12) {
    std::string s;
    for (int c = 1; c <= n; ++c) s += Bg(c, row) == RGBOf(clHighlight) ? 'x' : '.';
    return s;
  }
};

TEST_P(PaintSelectionTest, NormalModeRunsFromStartToEndAcrossLines) {
  Edit->SelectRange(BufferCoord(3, 2), BufferCoord(4, 1), BufferCoord(3, 2));
  PaintAll();
  EXPECT_EQ(Marks(1), "...xxxxxxxxx");  // to the end of the row, past the text
  EXPECT_EQ(Bg(kCols, 1), RGBOf(clHighlight));
  EXPECT_EQ(Marks(2), "xx..........");
  EXPECT_EQ(Marks(3), "............");
  // Selected text is drawn in the selection's text colour.
  EXPECT_EQ(Fg(4, 1), RGBOf(clHighlightText));
  EXPECT_EQ(Fg(3, 1), kBlack);
  EXPECT_EQ(RowText(1), "abcdefgh");
}

TEST_P(PaintSelectionTest, NormalModeInsideOneLine) {
  Edit->SelectRange(BufferCoord(6, 2), BufferCoord(3, 2), BufferCoord(6, 2));
  PaintAll();
  EXPECT_EQ(Marks(1), "............");
  EXPECT_EQ(Marks(2), "..xxx.......");
}

TEST_P(PaintSelectionTest, ColumnModeBlockIsTheSameWhicheverWayItWasMade) {
  Edit->SetSelectionMode(smColumn);
  Edit->SelectRange(BufferCoord(2, 3), BufferCoord(5, 1), BufferCoord(2, 3));
  PaintAll();
  const std::vector<std::string> reversed = {Marks(1), Marks(2), Marks(3), Marks(4)};
  Edit->SelectRange(BufferCoord(5, 3), BufferCoord(2, 1), BufferCoord(5, 3));
  PaintAll();
  const std::vector<std::string> forward = {Marks(1), Marks(2), Marks(3), Marks(4)};
  EXPECT_EQ(forward, reversed);
  EXPECT_EQ(forward, (std::vector<std::string>{".xxx........", ".xxx........", ".xxx........", "............"}));
}

TEST_P(PaintSelectionTest, LineModeSelectsWholeRows) {
  Edit->SetSelectionMode(smLine);
  Edit->SelectRange(BufferCoord(2, 2), BufferCoord(5, 1), BufferCoord(2, 2));
  PaintAll();
  EXPECT_EQ(Marks(1), "xxxxxxxxxxxx");
  EXPECT_EQ(Marks(2), "xxxxxxxxxxxx");
  EXPECT_EQ(Marks(3), "............");
}

TEST_P(PaintSelectionTest, HideSelectionHidesItOnlyWithoutFocus) {
  Edit->SetHideSelection(true);
  Edit->SelectRange(BufferCoord(5, 1), BufferCoord(2, 1), BufferCoord(5, 1));
  PaintAll();
  EXPECT_EQ(Marks(1), ".xxx........");
  ::SetFocus(nullptr);
  Fake.ProcessMessages();
  ASSERT_FALSE(Edit->Focused());
  PaintAll();
  EXPECT_EQ(Marks(1), "............");
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutHighlighter, PaintSelectionTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Html" : "Plain"; });

// ---------------------------------------------------------------------------
// Line colours

TEST_F(PaintTest, ActiveLineColourCoversEveryTokenOfTheCaretLine) {
  UseHtml();
  Html->KeyAttri()->SetBackground(clAqua);
  SetLines({"<b>x", "<b>y"});
  Edit->SetActiveLineColor(clYellow);
  Edit->SetCaret(BufferCoord(1, 1));
  PaintAll();
  for (int col : {1, 2, 4, 20}) {
    EXPECT_EQ(Bg(col, 1), RGBOf(clYellow)) << col;
  }
  EXPECT_EQ(Bg(2, 2), RGBOf(clAqua));
  EXPECT_EQ(Bg(4, 2), kWhite);

  Edit->SetCaret(BufferCoord(1, 2));
  PaintAll();
  EXPECT_EQ(Bg(2, 1), RGBOf(clAqua));
  EXPECT_EQ(Bg(20, 1), kWhite);
  EXPECT_EQ(Bg(2, 2), RGBOf(clYellow));
}

TEST_F(PaintTest, SpecialLineColoursAndTheirInverseForTheSelection) {
  SetLines({"abcdef", "ghijkl"});
  Edit->OnSpecialLineColors = [](TObject*, int line, bool& special, TColor& fg, TColor& bg) {
    if (line != 2) return;
    special = true;
    fg = clWhite;
    bg = clBlue;
  };
  Focus();
  Edit->SelectRange(BufferCoord(5, 2), BufferCoord(3, 2), BufferCoord(5, 2));
  PaintAll();
  EXPECT_EQ(Bg(1, 2), RGBOf(clBlue));
  EXPECT_EQ(Fg(1, 2), RGBOf(clWhite));
  EXPECT_EQ(Bg(20, 2), RGBOf(clBlue));
  EXPECT_EQ(Bg(3, 2), RGBOf(clWhite));  // selected: the special colours swapped
  EXPECT_EQ(Fg(3, 2), RGBOf(clBlue));
  EXPECT_EQ(Bg(1, 1), kWhite);
}

// ---------------------------------------------------------------------------
// Special characters

TEST_F(PaintTest, SpecialCharactersWithoutHighlighter) {
  Edit->SetTabWidth(4);
  Edit->SetOptions(Edit->Options() | eoShowSpecialChars);
  SetLines({"a b\t\tc", "x"});
  PaintAll();
  // a, dot, b, one-column tab, four-column tab, c, pilcrow.
  EXPECT_EQ(Ch(1, 1), 'a');
  EXPECT_EQ(Ch(2, 1), '\xB7');
  EXPECT_EQ(Ch(3, 1), 'b');
  EXPECT_EQ(Ch(4, 1), '\xBB');  // a tab of one column: its mark fills it
  // A tab of four columns (5-8): the mark sits between columns 6 and 7.
  const TFakeGlyph* mark = Fake.TextAt(Wnd, X(6) + 4 + 1, Y(1) + 1);
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->Ch, '\xBB');
  EXPECT_EQ(mark->Cell.Left, X(6) + 4);
  EXPECT_EQ(Ch(9, 1), 'c');
  EXPECT_EQ(Ch(10, 1), '\xB6');
  EXPECT_EQ(Ch(2, 2), '\xB6');
  EXPECT_EQ(Ch(3, 2), '\0');
}

TEST_F(PaintTest, PilcrowTakesTheCommentColoursWhenTheLineEndsInAComment) {
  UseHtml();
  Html->CommentAttri()->SetForeground(clGreen);
  Html->SpaceAttri()->SetForeground(clMaroon);
  Edit->SetOptions(Edit->Options() | eoShowSpecialChars);
  SetLines({"<!-- a", "b --> c", "c d"});
  PaintAll();
  EXPECT_EQ(Ch(7, 1), '\xB6');
  EXPECT_EQ(Fg(7, 1), RGBOf(clGreen));
  EXPECT_EQ(Ch(8, 2), '\xB6');  // after the comment closed: the whitespace colours
  EXPECT_EQ(Fg(8, 2), RGBOf(clMaroon));
  EXPECT_EQ(Ch(2, 3), '\xB7');  // a blank inside a text token keeps the text's colour
  EXPECT_EQ(Fg(2, 3), kBlack);
  EXPECT_EQ(Ch(4, 3), '\xB6');
  EXPECT_EQ(Fg(4, 3), RGBOf(clMaroon));
}

// ---------------------------------------------------------------------------
// Right edge, overhang, geometry limits

TEST_F(PaintTest, RightEdgeOnTextRowsAndBelowTheText) {
  SetLines({"0123456789abcdef", "x"});
  Edit->SetRightEdge(10);
  Edit->SetRightEdgeColor(clRed);
  PaintAll();
  const int x = Edit->TextOffset() + 10 * Edit->CharWidth();
  for (int y : {Y(1) + 1, Y(2) + 8, Y(7) + 3, Y(kRows) + 15}) {
    EXPECT_EQ(Fake.PixelAt(Wnd, x, y), RGBOf(clRed)) << y;
    EXPECT_NE(Fake.PixelAt(Wnd, x + 1, y), RGBOf(clRed)) << y;
  }
  Edit->SetRightEdge(0);
  PaintAll();
  EXPECT_NE(Fake.PixelAt(Wnd, x, Y(7) + 3), RGBOf(clRed));
}

TEST_F(PaintTest, FillAfterAStyledRunStartsPastItsOverhang) {
  FakeWidgetset::TFontConfig config;
  config.Widths['W'] = 12;  // 4 pixels wider than the cell
  Fake.SetFontMetrics("Courier New", config);
  Create();
  UseCounting();
  SetLines({"aW", "aa", "W  "});
  PaintAll();
  ASSERT_EQ(Edit->CharWidth(), 8);
  auto fillLeft = [&](int row) {
    int left = INT_MIN;
    for (const TFakeDrawCall* c : Fake.CallsOf(TFakeDrawCall::ExtTextOut, Wnd))
      if (c->Text.empty() && (c->Options & ETO_OPAQUE) != 0 && c->Rect.Top == Y(row) && c->Rect.Left >= X(1))
        left = c->Rect.Left;
    return left;
  };
  EXPECT_EQ(fillLeft(1), X(3) + 4);  // bold word ending in W
  EXPECT_EQ(fillLeft(2), X(3));      // bold word ending in a normal letter
  EXPECT_EQ(fillLeft(3), X(4));      // blanks joined the bold run: it ends in a normal blank
}

TEST_F(PaintTest, NonPositiveLineSpacingKeepsCellsAtLeastOnePixel) {
  SetLines({"abc", "def"});
  Edit->SetExtraLineSpacing(-100);
  EXPECT_GE(Edit->LineHeight(), 1);
  EXPECT_GE(Edit->CharWidth(), 1);
  PaintAll();
  Edit->SetTopLine(2);
  PaintAll();
  SUCCEED();
}

TEST_F(PaintTest, HugeLeftCharPaintsWithoutOverflow) {
  FakeWidgetset::TFontConfig wide;
  wide.CharWidth = 1000;
  Fake.SetFontMetrics("Courier New", wide);
  Create(30 + 2 + 4 * 1000, kRows * 16);
  ASSERT_EQ(Edit->CharWidth(), 1000);
  SetLines({"abc"});
  Edit->SetMaxScrollWidth(0x7FFFFFFE);
  Edit->SetRightEdge(0x7FFFFFFF);
  Edit->SetOptions(Edit->Options() | eoShowSpecialChars);
  Focus();
  Edit->SelectRange(BufferCoord(3, 1), BufferCoord(1, 1), BufferCoord(0x7FFFFFF8, 1));
  Edit->SetLeftChar(0x7FFFFFF0);
  ASSERT_GT(Edit->LeftChar(), 0x10000000);
  PaintAll();
  // Nothing of the text is in view.
  EXPECT_EQ(RowText(1), "");
  Edit->SetLeftChar(1);
  PaintAll();
  EXPECT_EQ(Ch(1, 1), 'a');
}

// ---------------------------------------------------------------------------
// Word wrap

TEST_F(PaintTest, WrappedRowsShowTheirPartOfTheLineAndTheGutterGlyph) {
  UseCounting();
  Edit->Gutter()->SetShowLineNumbers(true);
  Create(52 + 2 + kCols * 8, kRows * 16);  // room for 40 columns beside the numbers
  UseCounting();
  Edit->Gutter()->SetShowLineNumbers(true);
  const std::string first(40, 'a');
  SetLines({(first + " bbbbbbbbbb").c_str(), "second"});
  Edit->SetWordWrap(true);
  ASSERT_EQ(Edit->CharsInWindow(), kCols);
  ASSERT_EQ(Edit->DisplayRowCount(), 3);
  Focus();
  Edit->SelectRange(BufferCoord(45, 1), BufferCoord(38, 1), BufferCoord(45, 1));
  PaintAll();
  EXPECT_EQ(RowText(1), first);
  EXPECT_EQ(RowText(2), "bbbbbbbbbb");
  EXPECT_EQ(RowText(3), "second");
  // The second row's word keeps its attribute.
  EXPECT_EQ(Fg(5, 2), RGBOf(clNavy));
  EXPECT_TRUE(Bold(5, 2));
  // The selection runs from column 38 of the first row to column 4 of the
  // second (character 45 is the fourth b).
  EXPECT_EQ(Bg(37, 1), kWhite);
  EXPECT_EQ(Bg(38, 1), RGBOf(clHighlight));
  EXPECT_EQ(Bg(40, 1), RGBOf(clHighlight));
  EXPECT_EQ(Bg(3, 2), RGBOf(clHighlight));
  EXPECT_EQ(Bg(4, 2), kWhite);
  // Gutter: numbers on the first row of each line, the glyph on the
  // continuation row.
  const int gw = Edit->GutterWidth();
  EXPECT_EQ(Fake.RowText(Wnd, Y(1), 0, gw), "   1");
  EXPECT_EQ(Fake.RowText(Wnd, Y(2), 0, gw), "");
  EXPECT_EQ(Fake.RowText(Wnd, Y(3), 0, gw), "   2");
  int glyphs = 0;
  for (const TFakeDrawCall& c : Fake.Calls)
    if ((c.Kind == TFakeDrawCall::TransparentBlt || c.Kind == TFakeDrawCall::StretchBlt) && c.Window == Wnd &&
        c.Rect.Left == gw - Edit->Gutter()->RightOffset() - Edit->WordWrapGlyph()->Width() - 2 && c.Rect.Top >= Y(2) &&
        c.Rect.Top < Y(3))
      ++glyphs;
  EXPECT_GE(glyphs, 1);
}

TEST_F(PaintTest, WrappedRowsWithoutHighlighter) {
  Edit->SetOptions(Edit->Options() | eoShowSpecialChars);
  const std::string first(40, 'a');
  SetLines({(first + " bbbb").c_str(), "c"});
  Edit->SetWordWrap(true);
  ASSERT_EQ(Edit->DisplayRowCount(), 3);
  PaintAll();
  EXPECT_EQ(RowText(1), first);
  EXPECT_EQ(RowText(2), "bbbb\xB6");  // the line's end is on its last row only
  EXPECT_EQ(RowText(3), "c\xB6");
}
