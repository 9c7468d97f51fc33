// A large text that comes in whole is scanned as the screen and the edits
// need it; once every line is scanned the stored states are those of a
// full scan, whatever was painted and edited meanwhile.
#include <random>
#include <string>

#include "PaintFixture.h"
#include "SrcEditKeyCmds.h"

namespace {

// Lines whose comments and quoted values run on over many lines.
std::string LazyText(int lines) {
  static const char* const kLines[] = {
      "<p class=\"a\">text</p>", "<!-- a comment", "still inside -->", "<a href='x", "y'>link</a>",
      "plain &amp; text",        "<div",           "id=\"d\">",        "</div>"};
  std::string s;
  for (int i = 0; i < lines; ++i) {
    s += kLines[(i * 7 + i / 13) % 9];
    s += "\r\n";
  }
  return s;
}

}  // namespace

class LazyScanTest : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    UseHtml();
  }
  void Load(const std::string& text) {
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    Edit->Lines()->LoadFromStream(&stream);
  }
  // The states a scan of the whole text from its start stores.
  void ExpectFullScanStates() {
    TSrcHTMLHighlighter ref(nullptr);
    ref.ResetScanState();
    for (int i = 0; i < Edit->Lines()->Count(); ++i) {
      const std::string line = Edit->Lines()->Get(i);
      ref.StartLine(line, i);
      ref.ScanToLineEnd();
      ASSERT_EQ(Edit->Lines()->GetLineScanState(i), static_cast<int>(ref.GetScanState())) << "line " << i + 1;
    }
  }
};

TEST_F(LazyScanTest, OpeningScansOnlyWhatTheScreenNeedsAndEndsWithTheStatesOfAFullScan) {
  const int lines = TCustomSrcEdit::kLazyScanLines + 50000;
  Load(LazyText(lines));
  PaintAll();
  ASSERT_TRUE(Edit->ScanPending());
  // Far down the text: painting it scans the lines above it first.
  Edit->SetTopLine(lines / 2);
  PaintAll();
  EXPECT_EQ(Edit->Lines()->GetLineScanState(lines / 2 - 5) != -1, true);

  // Edits above, inside and below what has been scanned.
  std::mt19937 rng(5);
  for (int step = 0; step < 40; ++step) {
    const int line = 1 + static_cast<int>(rng() % static_cast<unsigned>(Edit->Lines()->Count()));
    Edit->SetCaret(BufferCoord(1 + static_cast<int>(rng() % 5), line));
    switch (rng() % 5) {
      case 0: Edit->ExecuteCommand(ecChar, "<\"'>-"[rng() % 5], nullptr); break;
      case 1: Edit->ExecuteCommand(ecLineBreak, 0, nullptr); break;
      case 2: Edit->ExecuteCommand(ecDeleteLine, 0, nullptr); break;
      case 3: Edit->ReplaceSelection("<!--\r\nx\r\n"); break;
      default: Edit->Undo(); break;
    }
    if (step % 10 == 0) {
      Edit->SetTopLine(line);
      PaintAll();
    }
  }
  Edit->EnsureScanned(-1);
  EXPECT_FALSE(Edit->ScanPending());
  ExpectFullScanStates();
}

TEST_F(LazyScanTest, ASmallTextIsScannedAtOnce) {
  Load(LazyText(1000));
  EXPECT_FALSE(Edit->ScanPending());
  ExpectFullScanStates();
}

// The editor loads a file named on its command line before its window
// exists; the idle scan must still run once the control has its window,
// or the first jump to the end scans every line at once.
TEST_F(LazyScanTest, ATextLoadedBeforeTheWindowExistsIsScannedWhenIdle) {
  TSrcEdit early(nullptr);
  early.SetHighlighter(Html.get());
  TMemoryStream stream;
  const std::string text = LazyText(TCustomSrcEdit::kLazyScanLines + 50000);
  stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  early.Lines()->LoadFromStream(&stream);
  ASSERT_FALSE(early.HandleAllocated());
  ASSERT_TRUE(early.ScanPending());
  early.SetBounds(0, 0, 200, 100);
  ::ShowWindow(early.Handle(), SW_SHOW);
  for (int tick = 0; tick < 1000 && early.ScanPending(); ++tick) {
    Fake.Advance(1);
    Fake.ProcessMessages();
  }
  EXPECT_FALSE(early.ScanPending());
}

// A command that replaces most lines of a large text (an indent of the
// whole text, a reordering of the lines) and its undo and redo leave the
// text to be scanned as a new one; a change of a few lines is scanned at
// once. Either way the states end as those of a full scan.
TEST_F(LazyScanTest, ReplacingMostLinesScansLikeANewText) {
  const int lines = TCustomSrcEdit::kLazyScanLines + 50000;
  Load(LazyText(lines));
  Edit->EnsureScanned(-1);
  ASSERT_FALSE(Edit->ScanPending());
  Edit->SetCaret(BufferCoord(1, 3));
  Edit->ExecuteCommand(ecChar, '<', nullptr);  // a few lines: at once
  EXPECT_FALSE(Edit->ScanPending());
  ExpectFullScanStates();
  Edit->SelectAll();
  Edit->ExecuteCommand(ecBlockIndent, 0, nullptr);
  EXPECT_TRUE(Edit->ScanPending());
  Edit->EnsureScanned(-1);
  ExpectFullScanStates();
  std::vector<int> order(static_cast<std::size_t>(Edit->Lines()->Count()));
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(order.size() - 1 - i);
  Edit->ReorderLines(order);
  for (int step = 0; step < 4; ++step) {
    SCOPED_TRACE(step);
    if (step % 2)
      Edit->Redo();
    else
      Edit->Undo();
    EXPECT_TRUE(Edit->ScanPending());
    PaintAll();
    Edit->EnsureScanned(-1);
    ExpectFullScanStates();
  }
}
