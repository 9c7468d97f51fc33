// The word-wrap plug-in on its own: where rows end, the conversions between
// buffer points and display points, rows per line, line changes, and the
// bookkeeping checked against a plain recomputation after random edits.
#include <random>
#include <string>
#include <vector>

#include "LayoutFixture.h"
#include "platform/CodePage.h"
#include "platform/SysUtils.h"

namespace {

// The break characters of a control without a highlighter: 0..32.
TSysCharSet DefaultBreaks() { return TSysCharSet::Range(0, 32); }

std::vector<int> RowLengths(const std::string& text, int maxLen, const TSysCharSet& breaks = DefaultBreaks(),
                            int tabWidth = 8) {
  std::vector<std::int32_t> starts;
  const int rows =
      TSrcWordWrapPlugin::WrapText(text, maxLen, std::max(1, maxLen - maxLen / 3), tabWidth, breaks, starts);
  EXPECT_EQ(rows, static_cast<int>(starts.size()) + 1);
  std::vector<int> lengths;
  std::int32_t from = 0;
  for (std::int32_t s : starts) {
    lengths.push_back(s - from);
    from = s;
  }
  lengths.push_back(static_cast<int>(text.size()) - from);
  return lengths;
}

std::string Rep(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

// Rows advance, cover the text, stay within their bounds.
void ExpectSoundRows(const std::vector<int>& rows, const std::string& text, int maxLen) {
  long sum = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i + 1 < rows.size()) {
      EXPECT_GE(rows[i], 1) << "row " << i;
      EXPECT_LE(rows[i], std::max(255, maxLen) + 1) << "row " << i;
    } else {
      // The last row holds the rest, or a run of blanks that ends the text.
      EXPECT_LE(rows[i], TSrcWordWrapPlugin::BlankRunLimit(maxLen)) << "last row";
    }
    sum += rows[i];
  }
  EXPECT_EQ(sum, static_cast<long>(text.size()));
}

struct TWrapCase {
  const char* Name;
  std::string Text;
  int Max;
  std::vector<int> Rows;
};

}  // namespace

TEST(WordWrapText, RowsEndAfterBlanksBreaksOrAtTheMaximum) {
  const std::vector<TWrapCase> cases = {
      {"empty line", "", 40, {0}},
      {"exactly the maximum", Rep('a', 40), 40, {40}},
      {"one more", Rep('a', 41), 40, {40, 1}},
      {"long word cut hard", Rep('a', 100), 40, {40, 40, 20}},
      {"after the last blank", Rep('a', 35) + " " + Rep('b', 10), 40, {36, 10}},
      {"blank run stays on the row", Rep('a', 38) + Rep(' ', 10) + "bb", 40, {48, 2}},
      {"blank run up to the end", Rep('a', 38) + Rep(' ', 10), 40, {48}},
      {"blank run capped at 255", Rep('a', 38) + Rep(' ', 300) + "b", 40, {255, 83, 1}},
      {"tab columns count", "a\t\t\t\t\tb", 40, {40, 1}},
      {"wider than 255 columns", Rep('a', 600), 300, {300, 300}},
      {"256 columns is one row", Rep('a', 256), 256, {256}},
      {"blank run in a wide window", Rep('a', 290) + Rep(' ', 100) + "b", 300, {300, 91}},
  };
  for (const TWrapCase& c : cases) {
    std::string text = c.Text;
    if (c.Name == std::string("tab columns count")) {
      bool tabs = false;
      text = ExpandTabs(text, 8, tabs);  // a, 7 + 8 + 8 + 8 + 8 tab columns, b
    }
    EXPECT_EQ(RowLengths(text, c.Max), c.Rows) << c.Name;
  }
}

TEST(WordWrapText, BreakCharactersCountOnlyBeyondTheMinimumRowLength) {
  // Maximum 40, minimum 27; the comma is a break character here.
  TSysCharSet breaks = DefaultBreaks();
  breaks.Include(',');
  EXPECT_EQ(RowLengths(Rep('a', 9) + "," + Rep('a', 40), 40, breaks), (std::vector<int>{40, 10}));
  EXPECT_EQ(RowLengths(Rep('a', 27) + "," + Rep('a', 21), 40, breaks), (std::vector<int>{40, 9}));
  EXPECT_EQ(RowLengths(Rep('a', 28) + "," + Rep('a', 20), 40, breaks), (std::vector<int>{29, 20}));
  // Without the comma among the break characters it is an ordinary letter.
  EXPECT_EQ(RowLengths(Rep('a', 28) + "," + Rep('a', 20), 40), (std::vector<int>{40, 9}));
}

TEST(WordWrapText, EveryRowAdvancesWithTheWidestTabs) {
  // Tab width 256: a tab covers more than a row may hold.
  bool tabs = false;
  const std::string text = ExpandTabs("\t\tX\t", 256, tabs);
  for (int maxLen : {1, 2, 40, 255, 256, 300}) {
    SCOPED_TRACE(maxLen);
    ExpectSoundRows(RowLengths(text, maxLen, DefaultBreaks(), 256), text, maxLen);
  }
  EXPECT_EQ(RowLengths(ExpandTabs("\t\tX", 256, tabs), 40, DefaultBreaks(), 256), (std::vector<int>{255, 1, 255, 2}));
}

TEST(WordWrapText, DoubleByteCharactersAreNeverSplit) {
  TSysCharSet leads = TSysCharSet::Range(0x81, 0xFE);
  SetSysLocaleForTesting(true, leads);
  // A row one column wide takes a double-byte character whole.
  EXPECT_EQ(RowLengths("\x81\x40\x82\x41", 1), (std::vector<int>{2, 2}));
  EXPECT_EQ(RowLengths("ab\x81\x40", 3), (std::vector<int>{2, 2}));
  EXPECT_EQ(RowLengths("a\x81\x40"
                       "b",
                       3),
            (std::vector<int>{3, 1}));

  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int len = static_cast<int>(rng() % 120);
    while (static_cast<int>(text.size()) < len) {
      const unsigned r = rng() % 10;
      if (r < 3) {
        text += static_cast<char>(0x81 + rng() % 20);
        text += static_cast<char>(0x40 + rng() % 60);
      } else if (r < 5) {
        text += ' ';
      } else {
        text += static_cast<char>('a' + rng() % 26);
      }
    }
    const int maxLen = 1 + static_cast<int>(rng() % 12);
    const std::vector<int> rows = RowLengths(text, maxLen);
    // Every row starts on a character boundary.
    std::size_t at = 0, boundary = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      while (boundary < at) boundary += IsAnsiLeadByte(static_cast<unsigned char>(text[boundary])) ? 2 : 1;
      EXPECT_EQ(boundary, at) << "round " << round;
      if (r + 1 < rows.size()) {
        EXPECT_GE(rows[r], 1);
      }
      at += static_cast<std::size_t>(rows[r]);
    }
    EXPECT_EQ(at, text.size());
  }
  ResetSysLocale();
}

// ---------------------------------------------------------------------------
// The plug-in over the lines of a control (told of changes by hand here).

class WordWrapPluginTest : public LayoutTest {};

TEST_F(WordWrapPluginTest, NeedsAnEditor) {
  try {
    TSrcWordWrapPlugin plugin(nullptr);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TSrcWordWrapPlugin must be owned by TCustomSrcEdit");
  }
}

TEST_F(WordWrapPluginTest, ConvertsBothWaysAndAnswersRowLengths) {
  // 50 digits (no break character: cut hard at 40), an empty line, "short".
  SetLines({Rep('7', 50), "", "short"});
  TSrcWordWrapPlugin plugin(Edit.get());
  EXPECT_EQ(plugin.MaxRowLength(), 40);
  EXPECT_EQ(plugin.MinRowLength(), 27);
  ASSERT_EQ(plugin.RowCount(), 4);
  EXPECT_EQ(plugin.LineRowCount(0), 2);
  EXPECT_EQ(plugin.LineRowCount(1), 1);

  const struct {
    TBufferCoord Buffer;
    TDisplayPoint Display;
  } toDisplay[] = {
      {BC(1, 1), DP(1, 1)},   {BC(40, 1), DP(40, 1)}, {BC(41, 1), DP(1, 2)}, {BC(50, 1), DP(10, 2)},
      {BC(51, 1), DP(11, 2)}, {BC(60, 1), DP(20, 2)}, {BC(1, 2), DP(1, 3)},  {BC(5, 2), DP(5, 3)},
      {BC(3, 3), DP(3, 4)},   {BC(2, 5), DP(2, 6)},
  };
  for (const auto& c : toDisplay) EXPECT_EQ(plugin.BufferToDisplayPos(c.Buffer), c.Display) << c.Buffer;

  const struct {
    TDisplayPoint Display;
    TBufferCoord Buffer;
  } toBuffer[] = {
      {DP(1, 1), BC(1, 1)},  {DP(40, 1), BC(40, 1)}, {DP(41, 1), BC(41, 1)}, {DP(45, 1), BC(41, 1)},
      {DP(1, 2), BC(41, 1)}, {DP(10, 2), BC(50, 1)}, {DP(30, 2), BC(70, 1)}, {DP(50, 2), BC(81, 1)},
      {DP(7, 3), BC(7, 2)},  {DP(2, 6), BC(2, 5)},
  };
  for (const auto& c : toBuffer) EXPECT_EQ(plugin.DisplayToBufferPos(c.Display), c.Buffer) << c.Display;

  EXPECT_EQ(plugin.GetRowLength(1), 40);
  EXPECT_EQ(plugin.GetRowLength(2), 10);
  EXPECT_EQ(plugin.GetRowLength(3), 0);
  EXPECT_EQ(plugin.GetRowLength(4), 5);
  for (int bad : {0, 5}) {
    try {
      plugin.GetRowLength(bad);
      ADD_FAILURE() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(plugin.BufferToDisplayPos(BC(0, 1)), EAssertionFailed);
  EXPECT_THROW(plugin.DisplayToBufferPos(DP(1, 0)), EAssertionFailed);
}

TEST_F(WordWrapPluginTest, LineChangesReportTheirRowsAndCheckTheirRange) {
  SetLines({"one", "two"});
  TSrcWordWrapPlugin plugin(Edit.get());
  ASSERT_EQ(plugin.RowCount(), 2);

  Edit->Lines()->Insert(1, Rep('x', 85));  // rows 40, 40, 5
  Edit->Lines()->Insert(2, "y");
  EXPECT_EQ(plugin.LinesInserted(1, 2), 4);
  EXPECT_EQ(plugin.RowCount(), 6);
  EXPECT_EQ(plugin.BufferToDisplayPos(BC(1, 4)), DP(1, 6));
  EXPECT_EQ(plugin.DisplayToBufferPos(DP(3, 4)), BC(83, 2));

  Edit->Lines()->Put(2, Rep('z', 81));  // 1 row -> 3
  EXPECT_EQ(plugin.LinesReplaced(2, 1), 2);
  EXPECT_EQ(plugin.RowCount(), 8);
  EXPECT_EQ(plugin.BufferToDisplayPos(BC(2, 4)), DP(2, 8));

  Edit->Lines()->DeleteLines(1, 2);
  EXPECT_EQ(plugin.LinesDeleted(1, 2), 6);
  EXPECT_EQ(plugin.RowCount(), 2);
  EXPECT_EQ(plugin.DisplayToBufferPos(DP(2, 2)), BC(2, 2));

  EXPECT_THROW(plugin.LinesInserted(3, 1), EAssertionFailed);
  EXPECT_THROW(plugin.LinesInserted(0, 0), EAssertionFailed);
  EXPECT_THROW(plugin.LinesDeleted(1, 2), EAssertionFailed);
  EXPECT_THROW(plugin.LinesReplaced(2, 1), EAssertionFailed);
}

TEST_F(WordWrapPluginTest, NoRoomForAColumnSwitchesTheBookkeepingOff) {
  SetLines({Rep('a', 100), "b"});
  Fake.Resize(Wnd, kGutter + 2 + 5, 160);  // less than one cell
  Fake.ProcessMessages();
  ASSERT_EQ(Edit->CharsInWindow(), 0);
  TSrcWordWrapPlugin plugin(Edit.get());
  EXPECT_EQ(plugin.RowCount(), 0);
  EXPECT_EQ(plugin.LineCount(), 0);
  Edit->Lines()->Add("c");
  EXPECT_EQ(plugin.LinesInserted(2, 1), 0);
  EXPECT_EQ(plugin.BufferToDisplayPos(BC(7, 2)), DP(7, 2));
  EXPECT_EQ(plugin.DisplayToBufferPos(DP(7, 3)), BC(7, 3));

  Fake.Resize(Wnd, Width(40), 160);
  Fake.ProcessMessages();
  plugin.DisplayChanged();
  EXPECT_EQ(plugin.RowCount(), 5);
  const std::int64_t wraps = plugin.WrapCount();
  plugin.DisplayChanged();  // same width: nothing to do
  EXPECT_EQ(plugin.WrapCount(), wraps);
}

// ---------------------------------------------------------------------------
// The plug-in installed in the control, kept up to date by the line list's
// hooks, checked against a recomputation of every line.

class WordWrapBookkeepingTest : public LayoutTest {
 protected:
  void ExpectConsistent(const char* what) {
    SCOPED_TRACE(what);
    TSrcWordWrapPlugin* plugin = Edit->Wrap();
    ASSERT_NE(plugin, nullptr);
    TSrcEditStringList* lines = Edit->Lines();
    ASSERT_EQ(plugin->LineCount(), lines->GetCount());
    int row = 0;
    for (int i = 0; i < lines->GetCount(); ++i) {
      const std::string text = lines->GetExpandedLine(i);
      const std::vector<int> expected = RowLengths(text, plugin->MaxRowLength());
      ASSERT_EQ(plugin->LineRowCount(i), static_cast<int>(expected.size())) << "line " << i;
      ASSERT_EQ(plugin->BufferToDisplayPos(BC(1, i + 1)), DP(1, row + 1)) << "line " << i;
      int start = 0;
      for (std::size_t r = 0; r < expected.size(); ++r) {
        ++row;
        ASSERT_EQ(plugin->GetRowLength(row), expected[r]) << "row " << row;
        ASSERT_EQ(plugin->DisplayToBufferPos(DP(1, row)), BC(start + 1, i + 1)) << "row " << row;
        start += expected[r];
      }
      ASSERT_EQ(plugin->BufferToDisplayPos(BC(start + 1, i + 1)).Row, row) << "end of line " << i;
    }
    ASSERT_EQ(plugin->RowCount(), row);
    ASSERT_EQ(Edit->DisplayRowCount(), row);
  }
};

TEST_F(WordWrapBookkeepingTest, FollowsRandomLineChanges) {
  std::mt19937 rng(12345);
  auto randomLine = [&]() {
    std::string s;
    const int words = static_cast<int>(rng() % 25);
    for (int w = 0; w < words; ++w) {
      s += Rep(static_cast<char>('a' + rng() % 26), 1 + static_cast<int>(rng() % 12));
      s += (rng() % 7 == 0) ? "\t" : " ";
    }
    if (rng() % 5 == 0) s += Rep('q', static_cast<int>(rng() % 130));
    return s;
  };
  for (int i = 0; i < 60; ++i) Edit->Lines()->Add(randomLine());
  Edit->SetWordWrap(true);
  ExpectConsistent("initial");

  TSrcEditStringList* lines = Edit->Lines();
  for (int step = 0; step < 250; ++step) {
    const int count = lines->GetCount();
    const unsigned op = rng() % 7;
    const int at = count > 0 ? static_cast<int>(rng() % static_cast<unsigned>(count)) : 0;
    switch (op) {
      case 0: lines->Add(randomLine()); break;
      case 1: lines->Insert(static_cast<int>(rng() % static_cast<unsigned>(count + 1)), randomLine()); break;
      case 2:
        if (count > 0) lines->Delete(at);
        break;
      case 3:
        if (count > 0) lines->Put(at, randomLine());
        break;
      case 4: {
        const int n = 1 + static_cast<int>(rng() % 5);
        const int where = static_cast<int>(rng() % static_cast<unsigned>(count + 1));
        lines->BeginUpdate();
        lines->InsertLines(where, n);
        for (int k = 0; k < n; ++k) lines->Put(where + k, randomLine());
        lines->EndUpdate();
        break;
      }
      case 5:
        if (count > 0) lines->DeleteLines(at, 1 + static_cast<int>(rng() % 6));
        break;
      default:
        if (count > 0) {
          // A query between changes builds part of the tree.
          Edit->LineToRow(1 + static_cast<int>(rng() % static_cast<unsigned>(count)));
          lines->Put(at, randomLine());
        }
        break;
    }
    if (step % 10 == 0 || lines->GetCount() < 5) ExpectConsistent(("step " + std::to_string(step)).c_str());
    if (HasFatalFailure()) return;
  }
  ExpectConsistent("final");
}

TEST_F(WordWrapBookkeepingTest, EditsRewrapOnlyTheChangedLines) {
  std::vector<std::string> text;
  for (int i = 0; i < 1000; ++i) text.push_back("line " + std::to_string(i) + " " + Rep('w', i % 70));
  SetLines(text);
  Edit->SetWordWrap(true);
  TSrcWordWrapPlugin* plugin = Edit->Wrap();
  ASSERT_NE(plugin, nullptr);

  std::int64_t wraps = plugin->WrapCount();
  Edit->SetCaret(BC(3, 500));
  Edit->ReplaceSelection("typed");
  EXPECT_EQ(plugin->WrapCount() - wraps, 1) << "typing rewraps the one line";

  wraps = plugin->WrapCount();
  Edit->ReplaceSelection("a\r\nb\r\nc");
  EXPECT_LE(plugin->WrapCount() - wraps, 5) << "a break rewraps the lines it touches";
  EXPECT_GE(plugin->WrapCount() - wraps, 3);

  wraps = plugin->WrapCount();
  Edit->SelectRange(BC(1, 10), BC(1, 10), BC(1, 12));
  Edit->DeleteSelection();
  EXPECT_LE(plugin->WrapCount() - wraps, 1) << "deleting lines only moves rows";
  ExpectConsistent("after the edits");
}
