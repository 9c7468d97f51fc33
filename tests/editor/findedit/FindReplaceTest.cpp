// Find Next, Replace and Replace All through the dialogs' presses: every
// occurrence is reached in turn and the search wraps once; Replace changes
// the current match and moves on, Replace All makes one pass; both end,
// also when the replacement holds the searched text.
#include <random>

#include "FindEditFixture.h"
#include "platform/testing/ScriptedFindDialog.h"

namespace {

const char* kNotFound = "Ничего похожего c введенным Вами \"%s\" найдено не было.";

std::string NotFound(const std::string& find) {
  std::string text = Ansi(kNotFound);
  text.replace(text.find("%s"), 2, find);
  return text;
}

TEST_F(FindEditTest, ShowingTheDialogs) {
  Ui->Expect(ExpectFindDialogShown(false));
  Ui->Expect(ExpectFindDialogShown(true));
  Commands->N72Click(nullptr);
  Commands->N73Click(nullptr);
  EXPECT_TRUE(Find->Showing());
  EXPECT_TRUE(Replace->Showing());
}

TEST_F(FindEditTest, FindNextReachesEveryOccurrenceThenWraps) {
  // "ab" three times, the third on the second line.
  Start("ab xab\r\nx ab");
  const int beeps = Beeps();
  const std::pair<int, int> expected[] = {{0, 2}, {4, 2}, {10, 2}, {0, 2}};
  for (int i = 0; i < 4; ++i) {
    PressFindNext(*Find, "ab");
    EXPECT_EQ(Sel(), expected[i]) << "press " << i + 1;
    EXPECT_EQ(Memo->SelText(), "ab");
  }
  // Only going round the end beeps.
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_FALSE(Memo->HideSelection());
  EXPECT_FALSE(Memo->Modified());
}

TEST_F(FindEditTest, FindNextStartsAtTheCaretAndAfterTheSelection) {
  Start("ab ab ab", 4);
  PressFindNext(*Find, "ab");
  EXPECT_EQ(Sel(), std::make_pair(6, 2));
  // A selection of its own: the search starts after it.
  Memo->SetSelStart(0);
  Memo->SetSelLength(4);
  PressFindNext(*Find, "ab");
  EXPECT_EQ(Sel(), std::make_pair(6, 2));
  // A caret far past the end of its line counts at the line's end.
  Start("ab\r\nab x", 0);
  Memo->SetCaret(TBufferCoord{30, 1});
  PressFindNext(*Find, "ab");
  EXPECT_EQ(Sel(), std::make_pair(4, 2));
  // One occurrence: found again on every press, with a beep.
  Start("xx ab", 0);
  const int beeps = Beeps();
  PressFindNext(*Find, "ab");
  PressFindNext(*Find, "ab");
  EXPECT_EQ(Sel(), std::make_pair(3, 2));
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_TRUE(Ui->History().empty());
}

TEST_F(FindEditTest, FindNextNotFoundReportsAndBeeps) {
  for (const std::string& find : {std::string("zz"), std::string(), Ansi("Привет \"мир\"")}) {
    Start("ab ab", 1);
    Memo->SetSelLength(2);
    ExpectBoxAnsi(IDOK, NotFound(find), "Brindel Velmora");
    const int beeps = Beeps();
    PressFindNext(*Find, find);
    CheckLastBox(TUiIcon::Warning, {IDOK});
    EXPECT_EQ(Ui->History().back().Flags, UINT(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(Beeps(), beeps + 1);
    EXPECT_EQ(Sel(), std::make_pair(1, 2)) << "the selection stays";
    EXPECT_EQ(Answer, IDOK);
  }
}

TEST_F(FindEditTest, FindNextInTheReplaceDialogUsesItsOwnText) {
  Start("ab cd ab cd");
  Find->SetFindText("ab");
  PressFindNext(*Replace, "cd");
  EXPECT_EQ(Sel(), std::make_pair(3, 2));
  PressFindNext(*Replace, "cd");
  EXPECT_EQ(Sel(), std::make_pair(9, 2));
  EXPECT_EQ(Find->FindText(), "ab");
}

TEST_F(FindEditTest, FindIsExactAndCaseSensitive) {
  Start("AB Ab ab");
  TFindPress press;
  press.FindText = "ab";
  press.MatchCase = false;
  PressFindDialog(*Find, press);
  EXPECT_EQ(Sel(), std::make_pair(6, 2));
  // Across a line break, the break counting two characters.
  Start("ab\r\ncd");
  PressFindNext(*Find, "b\r\nc");
  EXPECT_EQ(Sel(), std::make_pair(1, 4));
  EXPECT_EQ(Memo->SelText(), "b\r\nc");
}

TEST_F(FindEditTest, ReplaceChangesTheCurrentMatchAndSelectsTheNext) {
  Start("ab ab ab", 0);
  PressReplace(*Replace, "ab", "XYZ");
  EXPECT_EQ(Memo->Text(), "XYZ ab ab");
  EXPECT_EQ(Sel(), std::make_pair(4, 2));
  EXPECT_TRUE(Memo->Modified());
  // The selected match is the one replaced.
  Memo->SetSelStart(7);
  Memo->SetSelLength(2);
  PressReplace(*Replace, "ab", "XYZ");
  EXPECT_EQ(Memo->Text(), "XYZ ab XYZ");
  EXPECT_EQ(Sel(), std::make_pair(4, 2)) << "wrapped to the remaining one";
  PressReplace(*Replace, "ab", "XYZ");
  EXPECT_EQ(Memo->Text(), "XYZ XYZ XYZ");
  EXPECT_FALSE(Memo->HasSelection());
  EXPECT_EQ(Memo->SelStart(), 7) << "caret after the last replacement";
  // Nothing left: the press changes nothing.
  PressReplace(*Replace, "ab", "XYZ");
  EXPECT_EQ(Memo->Text(), "XYZ XYZ XYZ");
  EXPECT_FALSE(Memo->HideSelection());
  // Each press is one undo step.
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "XYZ ab XYZ");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "XYZ ab ab");
  Memo->Undo();
  EXPECT_EQ(Memo->Text(), "ab ab ab");
  EXPECT_FALSE(Memo->Modified());
  EXPECT_TRUE(Ui->History().empty());
}

TEST_F(FindEditTest, ReplaceDoesNotRunOnItsOwnOutput) {
  // aa by a in aaaa: one occurrence per press, never one made by a press.
  Start("aaaa");
  PressReplace(*Replace, "aa", "a");
  EXPECT_EQ(Memo->Text(), "aaa");
  // Replacing a by aa ends after one press.
  Start("a-a");
  PressReplace(*Replace, "a", "aa");
  EXPECT_EQ(Memo->Text(), "aa-a");
  EXPECT_EQ(Sel(), std::make_pair(3, 1));
}

TEST_F(FindEditTest, ReplaceAllIsOnePassOverTheOccurrencesAtTheStart) {
  struct TCase {
    const char* Text;
    const char* Find;
    const char* Replacement;
    const char* Result;
  };
  const TCase cases[] = {
      {"aaaa", "aa", "a", "aa"},
      {"aaa", "aa", "a", "aa"},
      {"a-a-a", "a", "aa", "aa-aa-aa"},
      {"x ab y ab z", "ab", "", "x  y  z"},
      {"ab\r\nab\r\ncd", "ab\r\n", "", "cd"},
      {"one two", "o", "o\r\no", "o\r\none two\r\no"},
      {"no match", "zz", "y", "no match"},
      {"abc", "", "y", "abc"},
  };
  for (const TCase& c : cases) {
    Start(c.Text, 0);
    PressReplaceAll(*Replace, c.Find, c.Replacement);
    EXPECT_EQ(Memo->Text(), c.Result) << c.Text << " / " << c.Find;
    const bool changed = std::string(c.Text) != Memo->Text();
    EXPECT_EQ(Memo->Modified(), changed) << c.Text;
    EXPECT_FALSE(Memo->HideSelection());
    // One undo step brings the whole text back.
    if (changed) {
      Memo->Undo();
      EXPECT_EQ(Memo->Text(), c.Text) << c.Text;
      EXPECT_FALSE(Memo->CanUndo()) << c.Text;
    }
  }
  EXPECT_TRUE(Ui->History().empty());
}

TEST_F(FindEditTest, ReplaceAllLeavesTheTextAroundAlone) {
  Start("keep\r\nab x ab\r\nkeep too", 0);
  Memo->SetBookmark(1, 1, 3);
  PressReplaceAll(*Replace, "ab", "c");
  EXPECT_EQ(Memo->Text(), "keep\r\nc x c\r\nkeep too");
  // The caret ends after the last replacement; the lines before and after
  // the changed span keep their marks.
  EXPECT_EQ(Memo->Caret(), (TBufferCoord{6, 2}));
  int ch = 0, line = 0;
  EXPECT_TRUE(Memo->GetBookmark(1, ch, line));
  EXPECT_EQ(line, 3);
}

TEST_F(FindEditTest, ReplaceWithAColumnSelectionPastTheEndOfTheText) {
  // A column block beyond the end of the last line is no match; the search
  // starts at the line's end, wraps, and the match is replaced as text.
  Start("ab ab", 0);
  Memo->SetSelectionMode(smColumn);
  Memo->SelectRange(TBufferCoord{9, 1}, TBufferCoord{7, 1}, TBufferCoord{9, 1});
  ASSERT_TRUE(Memo->HasSelection());
  ASSERT_EQ(Sel(), std::make_pair(6, 2));
  PressReplace(*Replace, "ab", "x");
  EXPECT_EQ(Memo->Text(), "x ab");
  EXPECT_EQ(Sel(), std::make_pair(2, 2));
  EXPECT_EQ(Memo->ActiveSelectionMode(), smNormal);
  // Matches over line breaks are runs of text, also with column blocks set.
  Start("ab\r\ncd ab\r\ncd");
  PressFindNext(*Find, "b\r\nc");
  EXPECT_EQ(Memo->SelText(), "b\r\nc");
  PressReplace(*Replace, "b\r\nc", "x");
  EXPECT_EQ(Memo->Text(), "axd ab\r\ncd");
  PressReplaceAll(*Replace, "b\r\nc", "x");
  EXPECT_EQ(Memo->Text(), "axd axd");
}

TEST_F(FindEditTest, ReplacingInAReadOnlyDocumentChangesNothing) {
  Start("ab ab");
  Memo->SetReadOnly(true);
  PressReplace(*Replace, "ab", "x");
  PressReplaceAll(*Replace, "ab", "x");
  EXPECT_EQ(Memo->Text(), "ab ab");
  EXPECT_FALSE(Memo->Modified());
  // Finding still works.
  PressFindNext(*Replace, "ab");
  EXPECT_EQ(Sel(), std::make_pair(0, 2));
}

// Find Next and Replace read the lines where they are (every other text
// read as a file is, its lines in the load's block); they must land where a
// search of the whole text from the selection's end lands, wrapping once.
TEST_F(FindEditTest, FindNextAndReplaceAgreeWithASearchOfTheWholeText) {
  std::mt19937 rng(11);
  const char* const pieces[] = {"ab", "a", "b", "\r\n", "x", "aab", "\t"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int n = 1 + static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) text += pieces[rng() % 7];
    const int len = static_cast<int>(text.size());
    if (round % 2)
      Start(text, static_cast<int>(rng() % static_cast<unsigned>(len + 1)));
    else
      StartLoaded(text, static_cast<int>(rng() % static_cast<unsigned>(len + 1)));
    if (rng() % 2) Memo->SetSelLength(static_cast<int>(rng() % 4));
    const std::string pattern = rng() % 3 ? "ab" : "a";
    const bool replace = rng() % 4 == 0;
    const std::string whole = Memo->Text();
    const std::size_t selEnd = static_cast<std::size_t>(Memo->SelStart() + Memo->SelLength());
    const bool selectionIsMatch = Memo->SelLength() == static_cast<int>(pattern.size()) &&
                                  whole.compare(Memo->SelStart(), pattern.size(), pattern) == 0;
    std::size_t want = whole.find(pattern, std::min(selEnd, whole.size()));
    if (want == std::string::npos) want = whole.find(pattern);
    if (replace) {
      if (selectionIsMatch) want = static_cast<std::size_t>(Memo->SelStart());
      PressReplace(*Replace, pattern, "Q");
      if (want == std::string::npos) {
        EXPECT_EQ(Memo->Text(), whole) << text;
        continue;
      }
      std::string after = whole;
      after.replace(want, pattern.size(), "Q");
      ASSERT_EQ(Memo->Text(), after) << text;
      continue;
    }
    if (want == std::string::npos) Ui->ExpectMessage(IDOK, NotFound(pattern), "Brindel Velmora");
    PressFindNext(*Find, pattern);
    if (want != std::string::npos) {
      ASSERT_EQ(Sel(), std::make_pair(static_cast<int>(want), static_cast<int>(pattern.size())))
          << "text '" << text << "' pattern " << pattern;
    }
  }
}

// Replace All rebuilds only the lines that hold an occurrence (found where
// they are, every other text read as a file is); the text, the caret, one
// undo step and its redo must be those of one pass over the whole text.
TEST_F(FindEditTest, ReplaceAllUndoAndRedoAgreeWithOnePassOverTheWholeText) {
  std::mt19937 rng(5);
  const char* const pieces[] = {"ab", "a", "b", "\r\n", " ", "aab", "\n", "\t"};
  const char* const replacements[] = {"", "Q", "ab", "b a", "aa"};
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const int n = 1 + static_cast<int>(rng() % 14);
    for (int i = 0; i < n; ++i) text += pieces[rng() % 8];
    if (round % 2)
      Start(text, static_cast<int>(rng() % (text.size() + 1)));
    else
      StartLoaded(text, static_cast<int>(rng() % (text.size() + 1)));
    const std::string before = Memo->Text();
    const std::string find = rng() % 3 ? "ab" : (rng() % 2 ? "a" : "b");
    const std::string replacement = replacements[rng() % 5];
    std::string want;
    std::size_t caret = 0, from = 0;
    for (std::size_t p = before.find(find); p != std::string::npos; p = before.find(find, from)) {
      want.append(before, from, p - from).append(replacement);
      from = p + find.size();
      caret = want.size();
    }
    want.append(before, from, std::string::npos);
    PressReplaceAll(*Replace, find, replacement);
    const std::string label = "'" + text + "' " + find + " -> " + replacement;
    ASSERT_EQ(Memo->Text(), want) << label;
    const bool found = before.find(find) != std::string::npos;
    EXPECT_EQ(Memo->Modified(), found) << label;
    if (!found) continue;
    EXPECT_EQ(Memo->SelStart(), static_cast<int>(caret)) << label;
    EXPECT_EQ(Memo->SelLength(), 0) << label;
    const std::string after = Memo->Text();
    Memo->Undo();
    ASSERT_EQ(Memo->Text(), before) << label;
    EXPECT_FALSE(Memo->CanUndo()) << label;
    Memo->Redo();
    ASSERT_EQ(Memo->Text(), after) << label;
    Memo->Undo();
    ASSERT_EQ(Memo->Text(), before) << label;
  }
}

}  // namespace
