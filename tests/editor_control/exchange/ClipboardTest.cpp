// Copy, cut and paste: the bytes of both clipboard formats in every mode,
// blocks from other programs, failures, the undo records of a paste.
#include <algorithm>
#include <random>

#include "ExchangeFixture.h"
#include "PasteRoundTrip.h"
#include "platform/CodePage.h"

namespace {

struct CopyCase {
  const char* Name;
  friend void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.Name; }
  std::vector<const char*> Lines;
  TSrcSelectionMode Mode;
  TBufferCoord From, To;
  bool Trim;
  std::string Text;  // expected text of both formats
};

class CopyBytes : public ExchangeTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyBytes, BothFormatsCarryTheSelection) {
  const CopyCase& c = GetParam();
  Edit->Lines()->Clear();
  for (const char* l : c.Lines) Edit->Lines()->Add(l);
  if (c.Trim) Edit->SetOptions(Edit->Options() | eoTrimTrailingSpaces);
  Edit->SetRawSelection(c.From, c.To, c.Mode);
  Edit->CopySelection();
  EXPECT_EQ(Board(CF_TEXT), c.Text + std::string(1, '\0'));
  EXPECT_EQ(Board(SrcEditClipboardFormat()), Block(c.Mode, c.Text));
  EXPECT_EQ(Edit->ActiveSelectionMode(), c.Mode);
  EXPECT_EQ(Edit->HasOption(eoTrimTrailingSpaces), c.Trim) << "the option comes back";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CopyBytes,
    ::testing::Values(CopyCase{"Normal", {"a", "bc"}, smNormal, BC(1, 1), BC(3, 2), false, "a\r\nbc"},
                      CopyCase{"NormalBackwards", {"abc", "def"}, smNormal, BC(2, 2), BC(2, 1), false, "bc\r\nd"},
                      CopyCase{"Line", {"ab", "cd", "ef"}, smLine, BC(2, 1), BC(1, 2), false, "ab\r\ncd\r\n"},
                      CopyCase{"LineToTheEnd", {"ab", "cd"}, smLine, BC(1, 1), BC(2, 2), false, "ab\r\ncd"},
                      CopyCase{"Column", {"abc", "ab"}, smColumn, BC(2, 1), BC(4, 2), false, "bc\r\nb "},
                      CopyCase{
                          "ColumnPaddedWhileTrimming", {"abc", "ab"}, smColumn, BC(2, 1), BC(4, 2), true, "bc\r\nb "},
                      CopyCase{"ColumnRightToLeft", {"abcd", "efgh"}, smColumn, BC(4, 1), BC(2, 2), false, "bc\r\nfg"}),
    [](const ::testing::TestParamInfo<CopyCase>& i) { return std::string(i.param.Name); });

TEST_F(ExchangeTest, CutOfATrimmedColumnBlockTakesTheTrimmedRows) {
  SetLines({"abc", "ab"});
  Edit->SetOptions(Edit->Options() | eoTrimTrailingSpaces);
  Edit->SetRawSelection(BC(2, 1), BC(4, 2), smColumn);
  Edit->CutSelection();
  EXPECT_EQ(Board(CF_TEXT), std::string("bc\r\nb") + '\0');
  EXPECT_EQ(Joined(), "a|a");
  EXPECT_EQ(Edit->UndoList()->ItemCount(), 1);
}

TEST_F(ExchangeTest, RussianTextReachesTheUnicodeFormToo) {
  SetLines({Ansi("Привет").c_str()});
  Edit->SelectAll();
  Edit->CopySelection();
  EXPECT_EQ(Board(CF_TEXT), Ansi("Привет") + '\0');
  std::u16string u = u"Привет";
  std::string utf16(reinterpret_cast<const char*>(u.data()), u.size() * 2);
  EXPECT_EQ(Board(CF_UNICODETEXT), utf16 + std::string(2, '\0'));
}

TEST_F(ExchangeTest, NothingToCopyLeavesTheClipboard) {
  SetLines({"abc"});
  PutOnBoard({{CF_TEXT, std::string("old") + '\0'}});
  Edit->CopySelection();
  Edit->CutSelection();
  Edit->PutOnClipboard("");
  EXPECT_EQ(Board(CF_TEXT), std::string("old") + '\0');
  EXPECT_FALSE(BoardHas(SrcEditClipboardFormat()));
}

TEST_F(ExchangeTest, EveryFailedCopyIsReported) {
  SetLines({"abc"});
  Edit->SelectAll();
  // The block format refused: the text stays on the clipboard, the copy
  // still fails.
  Fake.ClipboardRefusedFormats = {SrcEditClipboardFormat()};
  try {
    Edit->CopySelection();
    FAIL() << "the copy reported success";
  } catch (const ESrcEditError& e) {
    EXPECT_STREQ(e.what(), "Clipboard copy operation failed");
  }
  EXPECT_EQ(Board(CF_TEXT), std::string("abc") + '\0');
  EXPECT_FALSE(BoardHas(SrcEditClipboardFormat()));
  EXPECT_FALSE(Fake.ClipboardSession().Open) << "closed after the failure";

  // The plain text refused: the block format is not offered without it.
  PutOnBoard({});
  Fake.ClipboardRefusedFormats = {CF_TEXT};
  EXPECT_THROW(Edit->CopySelection(), ESrcEditError);
  EXPECT_FALSE(BoardHas(SrcEditClipboardFormat()));

  // A cut whose copy fails keeps the text and records nothing.
  EXPECT_THROW(Edit->CutSelection(), ESrcEditError);
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(Edit->UndoList()->ItemCount(), 0);

  // A clipboard that cannot be opened.
  Fake.ClipboardRefusedFormats.clear();
  Fake.ClipboardOpenFails = true;
  EXPECT_THROW(Edit->CopySelection(), Exception);
  Fake.ClipboardOpenFails = false;
  Edit->CopySelection();
  EXPECT_EQ(Board(SrcEditClipboardFormat()), Block(smNormal, "abc"));
}

TEST_F(ExchangeTest, CanPaste) {
  EXPECT_FALSE(Edit->CanPaste()) << "empty clipboard";
  PutOnBoard({{CF_TEXT, std::string("x") + '\0'}});
  EXPECT_TRUE(Edit->CanPaste());
  PutOnBoard({{SrcEditClipboardFormat(), Block(smNormal, "x")}});
  EXPECT_TRUE(Edit->CanPaste());
  Edit->SetReadOnly(true);
  EXPECT_FALSE(Edit->CanPaste());
}

// ---------------------------------------------------------------------------
// Paste

struct PasteCase {
  const char* Name;
  friend void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.Name; }
  std::string Block;  // the block format's bytes (absent when empty)
  std::string Plain;  // CF_TEXT's bytes (absent when empty)
  TSrcSelectionMode ControlMode;
  std::string Expected;  // lines joined by |
  TBufferCoord Caret;
};

class Paste : public ExchangeTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(Paste, InsertsInTheBlocksModeOrTheControls) {
  const PasteCase& c = GetParam();
  SetLines({"abc", "def"});
  Edit->SetSelectionMode(c.ControlMode);
  Edit->SetCaret(BC(2, 1));
  Fake.ClipboardData().clear();
  if (!c.Block.empty()) Fake.ClipboardData()[SrcEditClipboardFormat()] = c.Block;
  if (!c.Plain.empty()) Fake.ClipboardData()[CF_TEXT] = c.Plain;
  Edit->PasteClipboard();
  EXPECT_EQ(Joined(), c.Expected);
  EXPECT_EQ(Edit->Caret(), c.Caret);
  EXPECT_FALSE(Edit->HasSelection());
  if (c.Expected != "abc|def") {
    ASSERT_GE(Edit->UndoList()->ItemCount(), 2);
    EXPECT_EQ(Reasons().front(), urPasteBegin);
    EXPECT_EQ(Reasons().back(), urPasteEnd);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, Paste,
    ::testing::Values(
        PasteCase{"NormalBlock", Block(0, "x\r\ny"), "", smNormal, "ax|ybc|def", BC(2, 2)},
        PasteCase{"ColumnBlockInNormalMode", Block(2, "x\r\ny"), "", smNormal, "axbc|dyef", BC(3, 2)},
        PasteCase{"LineBlock", Block(1, "x\r\n"), "", smNormal, "x|abc|def", BC(1, 2)},
        PasteCase{"BlockWinsOverText", Block(0, "b"), std::string("t") + '\0', smNormal, "abbc|def", BC(3, 1)},
        PasteCase{"TextInColumnMode", "", std::string("x\r\ny") + '\0', smColumn, "axbc|dyef", BC(3, 2)},
        PasteCase{"TextInLineMode", "", std::string("x\r\n") + '\0', smLine, "x|abc|def", BC(1, 2)},
        PasteCase{"TextEndsAtNul", "", std::string("x\0y", 3) + '\0', smNormal, "axbc|def", BC(3, 1)},
        // Blocks of other programs are not trusted.
        PasteCase{"ModeAboveTwoIsNormal", Block(7, "x\r\ny"), "", smNormal, "ax|ybc|def", BC(2, 2)},
        PasteCase{"BlockEndsAtItsFirstNul", std::string("\0x\0yz\0", 6), "", smNormal, "axbc|def", BC(3, 1)},
        PasteCase{"BlockWithoutNulEndsAtItsSize", std::string("\0xy", 3), "", smNormal, "axybc|def", BC(4, 1)},
        PasteCase{"ShortBlockIgnored", std::string("\2", 1), std::string("t") + '\0', smNormal, "atbc|def", BC(3, 1)}),
    [](const ::testing::TestParamInfo<PasteCase>& i) { return std::string(i.param.Name); });

TEST_F(ExchangeTest, AnEmptyBlockIsIgnored) {
  SetLines({"abc"});
  PutOnBoard({{SrcEditClipboardFormat(), std::string()}});
  ASSERT_TRUE(Edit->CanPaste());
  Edit->PasteClipboard();
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(Edit->UndoList()->ItemCount(), 0);
}

TEST_F(ExchangeTest, PasteOverASelectionRecordsItsParts) {
  SetLines({"abc", "def"});
  Edit->SelectRange(BC(3, 1), BC(2, 1), BC(3, 1));
  PutOnBoard({{SrcEditClipboardFormat(), Block(smNormal, "XY")}});
  Edit->PasteClipboard();
  EXPECT_EQ(Joined(), "aXYc|def");
  EXPECT_EQ(Reasons(), (std::vector<int>{urPasteBegin, urDelete, urPaste, urPasteEnd}));
  TSrcEditUndoItem* del = Edit->UndoList()->Items(1);
  EXPECT_EQ(del->ChangeStr(), "b");
  TSrcEditUndoItem* paste = Edit->UndoList()->Items(2);
  EXPECT_EQ(paste->ChangeStartPos(), BC(2, 1));
  EXPECT_EQ(paste->ChangeEndPos(), BC(4, 1));
  // One action: every item carries the same change number.
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(Edit->UndoList()->Items(i)->ChangeNumber(), Edit->UndoList()->Items(0)->ChangeNumber());
}

TEST_F(ExchangeTest, AFailedPasteAddsNoLoneEndBracket) {
  SetLines({"abc"});
  Edit->SelectRange(BC(4, 1), BC(4, 1), BC(4, 1));
  Edit->ReplaceSelection("d");
  ASSERT_EQ(Reasons(), (std::vector<int>{urInsert}));
  PutOnBoard({{SrcEditClipboardFormat(), Block(smNormal, "x")}});
  Fake.ClipboardOpenFails = true;
  EXPECT_THROW(Edit->PasteClipboard(), Exception);
  Fake.ClipboardOpenFails = false;
  EXPECT_EQ(Joined(), "abcd");
  EXPECT_EQ(Reasons(), (std::vector<int>{urInsert}));
  EXPECT_FALSE(Fake.ClipboardSession().Open);
}

TEST_F(ExchangeTest, ReadOnlyControlsDoNotPaste) {
  SetLines({"abc"});
  PutOnBoard({{CF_TEXT, std::string("x") + '\0'}});
  Edit->SetReadOnly(true);
  Edit->PasteClipboard();
  Edit->SelectAll();
  Edit->CutSelection();
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(Board(CF_TEXT), std::string("x") + '\0');
  // Copying works on a read-only control.
  Edit->CopySelection();
  EXPECT_EQ(Board(CF_TEXT), std::string("abc") + '\0');
}

// Copy and paste back in every mode, then undo and redo the paste.
struct RoundTripCase {
  const char* Name;
  friend void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.Name; }
  TSrcSelectionMode Mode;
  TBufferCoord From, To, PasteAt;
  std::string Pasted;  // lines after the paste
};

class RoundTrip : public ExchangeTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTrip, PasteUndoesAndRedoesExactly) {
  const RoundTripCase& c = GetParam();
  SetLines({"abcd", "efgh", "ijkl"});
  Edit->SetRawSelection(c.From, c.To, c.Mode);
  Edit->CopySelection();
  Edit->SetSelectionMode(smNormal);
  Edit->SetCaret(c.PasteAt);
  Edit->SetSelFrom(c.PasteAt);
  Edit->PasteClipboard();
  EXPECT_EQ(Joined(), c.Pasted);
  Edit->Undo();
  EXPECT_EQ(Joined(), "abcd|efgh|ijkl") << "one undo takes the whole paste back";
  Edit->Redo();
  EXPECT_EQ(Joined(), c.Pasted);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RoundTrip,
    ::testing::Values(RoundTripCase{"Normal", smNormal, BC(2, 1), BC(2, 2), BC(3, 3), "abcd|efgh|ijbcd|ekl"},
                      RoundTripCase{"Line", smLine, BC(1, 1), BC(3, 1), BC(3, 3), "abcd|efgh|abcd|ijkl"},
                      RoundTripCase{"Column", smColumn, BC(2, 1), BC(4, 2), BC(4, 2), "abcd|efgbch|ijkfgl"},
                      RoundTripCase{"ColumnPastTheEnd", smColumn, BC(1, 1), BC(3, 3), BC(2, 3),
                                    "abcd|efgh|iabjkl| ef| ij"}),
    [](const ::testing::TestParamInfo<RoundTripCase>& i) { return std::string(i.param.Name); });

// The faults the random rounds below found first, kept as named cases.
TEST_F(ExchangeTest, PasteFaultsOnceFoundUndoExactly) {
  struct TCase {
    const char* Name;
    TPasteScenario Scenario;
  };
  const TCase cases[] = {
      {"column block over a line selection",
       {{"abc", "def", "ghi", "jkl"}, 0, 0, smLine, BC(1, 1), BC(1, 2), 2, "x\r\ny"}},
      {"text over a column of no width",
       {{"abc", "defghijkl", "mnopqrst"}, 0, 0, smColumn, BC(3, 1), BC(3, 3), -1, "XY"}},
      {"column block into an empty text", {{}, 0, 0, smNormal, BC(1, 1), BC(1, 1), 2, "ab"}},
      {"column block past the end of an empty text", {{}, 0, 0, smColumn, BC(4, 1), BC(4, 1), 2, "a\r\nb"}},
      {"text past the end of a line", {{"a", "b"}, 0, 0, smNormal, BC(5, 2), BC(5, 2), -1, "xy"}},
      {"lines holding NUL bytes, replaced",
       {{"ab", std::string("c\0d", 3), "e"}, 0, 0, smNormal, BC(2, 1), BC(2, 3), -1, "x"}},
      {"trimmed padding, then a block",
       {{"ab", "cd"}, eoTrimTrailingSpaces, 0, smColumn, BC(6, 1), BC(6, 2), 2, " x\r\n y"}},
  };
  for (const TCase& c : cases) {
    Edit->SetSelectionMode(smNormal);
    EXPECT_EQ(CheckPasteRoundTrip(Edit, Fake, c.Scenario), "") << c.Name;
  }
  // A column of no width made in a control whose mode is normal (as a
  // drag with Alt makes it) is a place to insert at: nothing goes.
  SetLines({"abc", "defghijkl", "mnopqrst"});
  Edit->ClearUndoRedo();
  Edit->SetSelectionMode(smNormal);
  Edit->SetCaret(BC(3, 3));
  Edit->SetRawSelection(BC(3, 1), BC(3, 3), smColumn);
  PutOnBoard({{CF_TEXT, std::string("XY") + '\0'}});
  Edit->PasteClipboard();
  EXPECT_EQ(Joined(), "abc|defghijkl|mnXYopqrst");
  Edit->Undo();
  EXPECT_EQ(Joined(), "abc|defghijkl|mnopqrst");
}

// Pastes of every format over random selections in every mode and option
// combination: undo, redo, undo give back the exact texts.
TEST_F(ExchangeTest, PasteOverAnySelectionUndoesRedoesAndUndoesExactly) {
  std::mt19937 rng(13);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto text = [&](int maxLen, bool breaks) {
    static const char kChars[] = "ab \tc";
    std::string t;
    for (int n = pick(maxLen + 1); n > 0; --n) {
      int k = pick(breaks ? 8 : 5);
      t += k < 5 ? std::string(1, kChars[k]) : k == 5 ? "\r\n" : k == 6 ? "\n" : "\r";
    }
    return t;
  };
  const TSrcEditorOptions kOptions[] = {eoTrimTrailingSpaces, eoScrollPastEol, eoGroupUndo};
  int failures = 0;
  for (int round = 0; round < 10000 && failures < 20; ++round) {
    TPasteScenario s;
    for (int n = pick(5); n > 0; --n) s.Lines.push_back(text(6, false));
    for (TSrcEditorOptions o : kOptions) (pick(2) ? s.Options : s.Cleared) |= o;
    // Blanks of the text that a change leaves at a line's end are trimmed
    // without an undo item (see the docs): with the option, the lines hold
    // no blanks.
    if (s.Options & eoTrimTrailingSpaces)
      for (std::string& l : s.Lines)
        l.erase(std::remove_if(l.begin(), l.end(), [](char c) { return c == ' ' || c == '\t'; }), l.end());
    s.Mode = static_cast<TSrcSelectionMode>(pick(3));
    const int lines = std::max<int>(1, static_cast<int>(s.Lines.size()));
    s.From = BC(1 + pick(9), 1 + pick(lines));
    s.To = pick(4) ? BC(1 + pick(9), 1 + pick(lines)) : BC(s.From.Char, 1 + pick(lines));
    s.BlockMode = pick(4) - 1;
    s.Text = text(7, true);
    std::string fault = CheckPasteRoundTrip(Edit, Fake, s);
    if (fault.empty()) continue;
    ++failures;
    std::string lines0;
    for (const std::string& l : s.Lines) lines0 += "[" + EscapeControls(l) + "]";
    ADD_FAILURE() << "round " << round << ": lines " << lines0 << " options " << s.Options << " mode " << int(s.Mode)
                  << " from " << s.From << " to " << s.To << " block " << s.BlockMode << " text ["
                  << EscapeControls(s.Text) << "]: " << fault;
  }
}

}  // namespace
