// Long lines keep scan checkpoints: after any run of edits, undos and
// redos every checkpoint is a resume point of the text as it now is, with
// the state a scan from the line start has there; the stored end states are
// those of a full scan; and a screen far into the line paints what a scan
// from the line start paints.
#include <random>
#include <string>
#include <vector>

#include "PaintFixture.h"
#include "SrcEditKeyCmds.h"

namespace {

std::string RandomHtml(std::mt19937& rng, std::size_t bytes) {
  static const char* const kPieces[] = {"<p>",  "</p>", "<a href=\"", "\">", "x", " ", "&amp;", "&#38;",
                                        "<!--", "-->",  "text ",      "'",   "=", "<", ">",     "value"};
  std::string s;
  while (s.size() < bytes) s += kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])];
  return s;
}

// What a scan from the line start says at each token start: the state of
// the first token there, when it is a resume point.
struct TFullScan {
  std::vector<std::pair<int, TSrcScanState>> Points;
  int EndState = 0;
};

TFullScan ScanWhole(TSrcHTMLHighlighter& h, const std::string& line, TSrcScanState start) {
  TFullScan r;
  h.SetScanState(start);
  h.StartLine(line, 0);
  int last = -1;
  while (!h.AtLineEnd()) {
    TSrcScanState st;
    if (h.TokenStart() != last && h.TokenResumeState(st)) r.Points.push_back({h.TokenStart(), st});
    last = h.TokenStart();
    h.NextToken();
  }
  r.EndState = static_cast<int>(h.GetScanState());
  return r;
}

}  // namespace

class CheckpointTest : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    UseHtml();
  }

  // Every checkpoint of every line and every stored state agree with a
  // scan from the text's start.
  void ExpectCheckpointsTrue() {
    TSrcHTMLHighlighter ref(nullptr);
    ref.ResetScanState();
    TSrcScanState start = ref.GetScanState();
    TSrcEditStringList* lines = static_cast<TSrcEditStringList*>(Edit->Lines());
    int checked = 0;
    for (int i = 0; i < lines->Count(); ++i) {
      const std::string line = lines->Get(i);
      const TFullScan full = ScanWhole(ref, line, start);
      ASSERT_EQ(lines->GetLineScanState(i), full.EndState) << "line " << i + 1;
      if (const TSrcScanCheckpoints::TLine* points = Edit->ScanCheckpoints().Get(i)) {
        ASSERT_EQ(points->Valid, points->Points.size());
        EXPECT_EQ(points->StartState, start);
        for (const TSrcScanCheckpoint& c : points->Points) {
          auto it =
              std::lower_bound(full.Points.begin(), full.Points.end(), std::make_pair(c.Pos, TSrcScanState(INT64_MIN)));
          ASSERT_TRUE(it != full.Points.end() && it->first == c.Pos)
              << "line " << i + 1 << ": no resume point at " << c.Pos;
          ASSERT_EQ(it->second, c.State) << "line " << i + 1 << " at " << c.Pos;
          ++checked;
        }
      }
      start = full.EndState;
    }
    EXPECT_GT(checked, 0);
  }

  // The glyphs and colours of the long line's row at LeftChar `left`.
  std::string Screen(int left) {
    Edit->SetLeftChar(left);
    PaintAll();
    std::string s = RowText(2);
    for (int c = 1; c <= kCols; ++c) s += std::to_string(Fg(c, 2)) + (Bold(c, 2) ? "b" : "") + ",";
    return s;
  }
};

TEST_F(CheckpointTest, EditsUndoAndRedoInALongLineKeepEveryCheckpointTrue) {
  std::mt19937 rng(7);
  Edit->Lines()->BeginUpdate();
  Edit->Lines()->Add("<p class=x>");
  Edit->Lines()->Add(RandomHtml(rng, 200000));
  Edit->Lines()->Add("after &amp; <b>");
  Edit->Lines()->EndUpdate();
  ExpectCheckpointsTrue();

  for (int step = 0; step < 60; ++step) {
    const int len = Edit->Lines()->LineView(1).size() > 0 ? static_cast<int>(Edit->Lines()->LineView(1).size()) : 1;
    const int at = 1 + static_cast<int>(rng() % static_cast<unsigned>(len));
    switch (rng() % 6) {
      case 0:
      case 1:  // a typed character, sometimes one that opens or closes a construct
        Edit->SetCaret(BufferCoord(at, 2));
        Edit->ExecuteCommand(ecChar, "x<>\"'-&"[rng() % 7], nullptr);
        break;
      case 2:  // backspace
        Edit->SetCaret(BufferCoord(at, 2));
        Edit->ExecuteCommand(ecDeleteLastChar, 0, nullptr);
        break;
      case 3:  // a piece replacing a short selection
        Edit->SelectRange(BufferCoord(at, 2), BufferCoord(at, 2), BufferCoord(std::min(at + 5, len + 1), 2));
        Edit->ReplaceSelection(RandomHtml(rng, 1 + rng() % 12));
        break;
      case 4: Edit->Undo(); break;
      default: Edit->Redo(); break;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectCheckpointsTrue()) << "after step " << step;
  }

  // A screen far into the line paints what it paints after a fresh scan.
  const int far = static_cast<int>(Edit->Lines()->LineView(1).size()) - 100;
  const std::string incremental = Screen(far);
  Edit->SetHighlighter(nullptr);
  Edit->SetHighlighter(Html.get());
  EXPECT_EQ(Screen(far), incremental);
}

TEST_F(CheckpointTest, ATypedCharacterRescansOnlyNearTheEdit) {
  // A line of plain words: the scan after a keystroke meets the old points
  // again one checkpoint after the edit.
  std::string line;
  while (line.size() < 1000000) line += "<b>word</b> ";
  Edit->Lines()->Add(line);
  Edit->Lines()->Add("<i>");
  ASSERT_NE(Edit->ScanCheckpoints().Get(0), nullptr);
  const std::vector<TSrcScanCheckpoint> before = Edit->ScanCheckpoints().Get(0)->Points;
  Edit->SetCaret(BufferCoord(500000, 1));
  Edit->ExecuteCommand(ecChar, 'x', nullptr);
  const TSrcScanCheckpoints::TLine* after = Edit->ScanCheckpoints().Get(0);
  ASSERT_NE(after, nullptr);
  // At most one new point, between the edit and the first one it met.
  EXPECT_GE(after->Points.size(), before.size());
  EXPECT_LE(after->Points.size(), before.size() + 1);
  // The points after the edit moved with the text.
  EXPECT_EQ(after->Points.back().Pos, before.back().Pos + 1);
  ExpectCheckpointsTrue();
}
