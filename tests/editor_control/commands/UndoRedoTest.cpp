// Undo and redo: item by item and in groups, the mirror items and their
// change numbers, caret and selection, and the modified flag.
#include <random>

#include "CommandFixture.h"

namespace {

using UndoRedoTest = CommandTest;

TEST_F(UndoRedoTest, RedoOfOverwrittenCharactersReplacesThemAgain) {
  SetText("abc");
  Edit->SetInsertMode(false);
  Edit->MoveCaretTo(BC(1, 1));
  Run(ecChar, 'x');
  EXPECT_EQ(Joined(), "xbc");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc");
  Run(ecRedo);
  EXPECT_EQ(Joined(), "xbc");
  EXPECT_EQ(Edit->Caret(), BC(2, 1));
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc");
}

TEST_F(UndoRedoTest, UndoOfALineBreakPastTheEndGivesBackTheExactLine) {
  SetText("abc|def");
  Edit->MoveCaretTo(BC(8, 1));
  Run(ecLineBreak, '\r');
  EXPECT_EQ(Joined(), "abc||def");
  EXPECT_TRUE(Edit->Modified());
  Run(ecUndo);
  EXPECT_EQ(Edit->Lines()->Get(0), "abc");  // not padded up to the caret
  EXPECT_EQ(Joined(), "abc|def");
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->Caret(), BC(8, 1));
}

TEST_F(UndoRedoTest, OneUndoUndoesWhatOneRedoDidAcrossALineBreak) {
  SetText("abcd");
  Edit->Select(BC(2, 1), BC(4, 1), BC(4, 1));
  Run(ecLineBreak, '\r');  // urDelete + urLineBreak, one action
  EXPECT_EQ(Joined(), "a|d");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abcd");
  Run(ecRedo);
  EXPECT_EQ(Joined(), "a|d");
  ASSERT_EQ(UndoCount(), 2);
  EXPECT_EQ(Edit->UndoList()->Items(0)->ChangeNumber(), Edit->UndoList()->Items(1)->ChangeNumber());
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abcd");
  EXPECT_EQ(UndoCount(), 0);
  EXPECT_EQ(Edit->SelFrom(), BC(2, 1));
  EXPECT_EQ(Edit->SelTo(), BC(4, 1));

  // Typing runs and breaks, grouped and not.
  for (bool group : {true, false}) {
    SCOPED_TRACE(group);
    Edit = std::make_unique<TCommandEdit>(nullptr);
    if (!group) Edit->SetOptions(Edit->Options() & ~eoGroupUndo);
    Type("ab");
    Run(ecLineBreak, '\r');
    Type("cd");
    const std::string full = Joined();
    std::vector<std::string> states;
    while (Edit->CanUndo()) {
      Run(ecUndo);
      states.push_back(Joined());
    }
    std::vector<std::string> redone;
    while (Edit->CanRedo()) {
      Run(ecRedo);
      redone.push_back(Joined());
    }
    EXPECT_EQ(Joined(), full);
    // Every redo step is the mirror of one undo step, and back again.
    ASSERT_EQ(redone.size(), states.size());
    for (std::size_t i = 0; i + 1 < states.size(); ++i) EXPECT_EQ(redone[i], states[states.size() - 2 - i]);
    std::size_t undos = 0;
    while (Edit->CanUndo()) {
      Run(ecUndo);
      ++undos;
    }
    EXPECT_EQ(undos, states.size());
    EXPECT_EQ(Joined(), "");
  }
}

TEST_F(UndoRedoTest, ColumnInsertionPastTheEndRedoesExactly) {
  SetText("    ab");
  Edit->SetSelectionMode(smColumn);
  Edit->MoveCaretTo(BC(1, 1));
  // Blank-led pieces and an empty row: the appended lines are not indented
  // like typed line breaks.
  Edit->ReplaceSelection("  X\r\n\r\n  Z");
  const std::string after = Joined();
  EXPECT_EQ(after, "  X    ab||  Z");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "    ab");
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Joined(), after);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "    ab");
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(UndoRedoTest, GroupUndoModifiedFlagAfterSaveUndoAndRedo) {
  Type("ab");
  Edit->SetModified(false);  // saved
  EXPECT_FALSE(Edit->Modified());
  Run(ecUndo);
  EXPECT_EQ(Joined(), "");
  EXPECT_TRUE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Joined(), "ab");
  EXPECT_FALSE(Edit->Modified());
  Type("c");
  EXPECT_TRUE(Edit->Modified());
  Run(ecUndo);  // the typing after the save only
  EXPECT_EQ(Joined(), "ab");
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_TRUE(Edit->Modified());
  Run(ecUndo);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "");
  EXPECT_TRUE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Joined(), "ab");
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(UndoRedoTest, ModifiedFlagWithoutGroupUndo) {
  Edit->SetOptions(Edit->Options() & ~eoGroupUndo);
  Type("ab");
  Edit->SetModified(false);
  Type("c");
  Run(ecUndo);
  EXPECT_FALSE(Edit->Modified());
  Run(ecUndo);
  EXPECT_TRUE(Edit->Modified());
  Run(ecRedo);
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_TRUE(Edit->Modified());
  // Modified set by hand: no state is the saved one any more.
  Run(ecUndo);
  Edit->SetModified(true);
  Run(ecRedo);
  Run(ecUndo);
  EXPECT_TRUE(Edit->Modified());
}

TEST_F(UndoRedoTest, GroupUndoJoinsLikeItemsAndGroupBreaksSplitThem) {
  Type("abc");
  EXPECT_EQ(UndoCount(), 3);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "");
  EXPECT_EQ(RedoCount(), 3);
  // The three mirrors are one redo action.
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Edit->RedoList()->Items(i)->ChangeNumber(), Edit->RedoList()->Items(0)->ChangeNumber());
  Run(ecRedo);
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(Edit->Caret(), BC(4, 1));

  Edit = std::make_unique<TCommandEdit>(nullptr);
  Edit->SetOptions(Edit->Options() & ~eoGroupUndo);
  Type("abc");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "ab");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "a");

  // A caret move between two typed runs adds a group break.
  Edit = std::make_unique<TCommandEdit>(nullptr);
  Type("ab");
  Run(ecLeft);
  Run(ecRight);
  Type("cd");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "ab");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "");
  Run(ecRedo);
  EXPECT_EQ(Joined(), "ab");
  EXPECT_EQ(Edit->UndoList()->LastReason(), urGroupBreak);  // the break came back too
  Run(ecRedo);
  EXPECT_EQ(Joined(), "abcd");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "ab");
}

TEST_F(UndoRedoTest, GroupUndoStopsAtIndentation) {
  SetText("ab|cd");
  Edit->Select(BC(1, 1), BC(3, 2), BC(3, 2));
  Run(ecBlockIndent);
  Edit->Select(BC(1, 1), BC(11, 2), BC(11, 2));
  Run(ecBlockIndent);
  EXPECT_EQ(Joined(), "                ab|                cd");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "        ab|        cd");
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));
  EXPECT_EQ(Edit->SelTo(), BC(11, 2));
  Run(ecUndo);
  EXPECT_EQ(Joined(), "ab|cd");
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));  // the selection before the indent
  EXPECT_EQ(Edit->SelTo(), BC(3, 2));
  Run(ecRedo);
  EXPECT_EQ(Joined(), "        ab|        cd");
  EXPECT_EQ(Edit->SelFrom(), BC(9, 1));  // the indented block is selected
  EXPECT_EQ(Edit->SelTo(), BC(11, 2));
}

TEST_F(UndoRedoTest, ReplacementUndoRestoresTheSelectionAndCaret) {
  struct {
    TBufferCoord from, to;
  } cases[] = {{BC(7, 1), BC(12, 1)}, {BC(12, 1), BC(7, 1)}};
  for (auto& c : cases) {
    SCOPED_TRACE(c.from.Char);
    SetText("hello world");
    Edit->Select(c.from, c.to, c.to);
    Edit->ReplaceSelection("there");
    EXPECT_EQ(Joined(), "hello there");
    Run(ecUndo);
    EXPECT_EQ(Joined(), "hello world");
    EXPECT_EQ(Edit->SelFrom(), c.from);
    EXPECT_EQ(Edit->SelTo(), c.to);
    EXPECT_EQ(Edit->Caret(), c.to);
    Run(ecRedo);
    EXPECT_EQ(Joined(), "hello there");
    EXPECT_EQ(Edit->Caret(), BC(12, 1));
  }
}

TEST_F(UndoRedoTest, UndoOfAPasteStopsAtItsBegin) {
  Edit->SetOptions(Edit->Options() & ~eoGroupUndo);
  SetText("x");
  Edit->MoveCaretTo(BC(2, 1));
  Type("y");
  TSrcEditUndoList* u = Edit->UndoList();
  u->AddChange(urPasteBegin, BC(3, 1), BC(3, 1), "", smNormal);
  Edit->ReplaceSelection("1");  // different change numbers inside
  Edit->ReplaceSelection("2");
  u->AddChange(urPasteEnd, BC(5, 1), BC(5, 1), "", smNormal);
  EXPECT_EQ(Joined(), "xy12");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "xy");
  EXPECT_EQ(u->LastReason(), urInsert);  // the typed y stays
  Run(ecRedo);
  EXPECT_EQ(Joined(), "xy12");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "xy");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "x");
}

TEST_F(UndoRedoTest, CaseCommandUndoRestoresCaretAndSelection) {
  SetText("hello world");
  Edit->Select(BC(1, 1), BC(6, 1), BC(6, 1));
  Run(ecUpperCaseBlock);
  EXPECT_EQ(Joined(), "HELLO world");
  EXPECT_EQ(Edit->Caret(), BC(6, 1));
  EXPECT_FALSE(Edit->HasSelection());
  EXPECT_EQ(UndoReasons(), std::vector<TSrcChangeReason>({urSelection, urCaret, urDelete, urInsert}));
  Run(ecUndo);
  EXPECT_EQ(Joined(), "hello world");
  EXPECT_EQ(Edit->Caret(), BC(6, 1));
  EXPECT_EQ(Edit->SelFirst(), BC(1, 1));
  EXPECT_EQ(Edit->SelLast(), BC(6, 1));
}

TEST_F(UndoRedoTest, ItemByItem) {
  SetText("abc");
  Edit->MoveCaretTo(BC(4, 1));
  Edit->Select(BC(1, 1), BC(4, 1), BC(4, 1));
  Edit->ReplaceSelection("xy");  // urDelete + urInsert
  ASSERT_EQ(UndoCount(), 2);
  Edit->UndoItem();  // the insertion only
  EXPECT_EQ(Joined(), "");
  EXPECT_EQ(UndoCount(), 1);
  EXPECT_EQ(RedoCount(), 1);
  Edit->RedoItem();
  EXPECT_EQ(Joined(), "xy");
  EXPECT_EQ(UndoCount(), 2);
  EXPECT_EQ(RedoCount(), 0);
  Edit->UndoItem();
  Edit->UndoItem();
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));
  EXPECT_EQ(Edit->SelTo(), BC(4, 1));
  Edit->UndoItem();  // nothing left: nothing happens
  EXPECT_EQ(Joined(), "abc");
  EXPECT_EQ(RedoCount(), 2);
}

TEST_F(UndoRedoTest, ANewEditEndsTheRedoHistory) {
  Type("ab");
  Run(ecUndo);
  EXPECT_TRUE(Edit->CanRedo());
  Type("c");
  EXPECT_FALSE(Edit->CanRedo());
  Run(ecRedo);
  EXPECT_EQ(Joined(), "c");
}

TEST_F(UndoRedoTest, ReadOnlyIgnoresUndoAndRedo) {
  Type("ab");
  Edit->SetReadOnly(true);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "ab");
  EXPECT_FALSE(Edit->CanUndo());
  Edit->SetReadOnly(false);
  Run(ecUndo);
  Edit->SetReadOnly(true);
  Run(ecRedo);
  EXPECT_EQ(Joined(), "");
}

TEST_F(UndoRedoTest, ReplayKeepsTheOptionsAndReportsOnce) {
  Edit->SetOptions(Edit->Options() & ~eoScrollPastEol);
  SetText("abc|def");
  Edit->MoveCaretTo(BC(4, 1));
  Run(ecLineBreak, '\r');
  int reports = 0;
  Edit->OnStatusChange = [&](TObject*, TSrcStatusChanges) { ++reports; };
  Run(ecUndo);
  EXPECT_EQ(reports, 1);
  EXPECT_FALSE(Edit->HasOption(eoScrollPastEol));
  EXPECT_EQ(Joined(), "abc|def");
  reports = 0;
  Run(ecRedo);
  EXPECT_EQ(reports, 1);
  EXPECT_FALSE(Edit->HasOption(eoScrollPastEol));
  EXPECT_EQ(Joined(), "abc||def");
}

TEST_F(UndoRedoTest, ChangeEventsFollowTheReplay) {
  int changes = 0;
  Edit->OnChange = [&](TObject*) { ++changes; };
  Type("a");
  EXPECT_EQ(changes, 1);
  Run(ecUndo);
  EXPECT_GE(changes, 2);
  const int before = changes;
  Run(ecRedo);
  EXPECT_GT(changes, before);
}

TEST_F(UndoRedoTest, WholeTextReplacementOfManyLines) {
  auto make = [](const char* word, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
      if (i) s += "\r\n";
      s += word;
      s += std::to_string(i);
    }
    return s;
  };
  const std::string oldText = make("old ", 20000), newText = make("new ", 20000);
  Edit->SetText(oldText);
  Edit->SelectAllText();
  Edit->ReplaceSelection(newText);
  EXPECT_EQ(Edit->Text(), newText);
  Run(ecUndo);
  EXPECT_EQ(Edit->Text(), oldText);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));
  EXPECT_EQ(Edit->SelTo(), BC(10, 20000));
  Run(ecRedo);
  EXPECT_EQ(Edit->Text(), newText);
  EXPECT_TRUE(Edit->Modified());
  // Each replayed item is one change of the line list.
  EXPECT_EQ(UndoCount(), 2);
}

}  // namespace

namespace {

TEST_F(UndoRedoTest, TypingOverLineAndColumnSelections) {
  struct {
    TSrcSelectionMode mode;
    const char* typed;  // the text after typing x
  } cases[] = {{smLine, "ab|xjk"}, {smColumn, "ab|cxf|g|jk"}};
  for (auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Edit = std::make_unique<TCommandEdit>(nullptr);
    SetText("ab|cdef|ghi|jk");
    Edit->SetSelectionMode(c.mode);
    Edit->Select(BC(2, 2), BC(2, 3), BC(2, 3));
    if (c.mode == smColumn) Edit->Select(BC(2, 2), BC(4, 3), BC(4, 3));
    Run(ecChar, 'x');
    const std::string typed = Joined();
    EXPECT_EQ(typed, c.typed);
    Run(ecUndo);
    EXPECT_EQ(Joined(), "ab|cdef|ghi|jk");
    EXPECT_FALSE(Edit->Modified());
    EXPECT_TRUE(Edit->HasSelection());  // the replaced text comes back selected
    Run(ecRedo);
    EXPECT_EQ(Joined(), typed);
    Run(ecUndo);
    EXPECT_EQ(Joined(), "ab|cdef|ghi|jk");
  }
}

// A replacement that keeps the number of lines is replayed line by line;
// one that does not, item by item. Either way undo gives back the text with
// the replaced part selected, redo the replacement with the caret after it,
// each one action, also after a typed character of its own action.
TEST_F(UndoRedoTest, ReplacementsReplayTheTextsTheyChanged) {
  std::mt19937 rng(7);
  const char* const pieces[] = {"ab", "a", " ", "|", "bb", "\t"};
  const char* const replacements[] = {"", "x", "ab", "x\r\ny", "\r\n", "a b", "q\r\nr\r\ns"};
  for (int round = 0; round < 300; ++round) {
    std::string text = "a";
    const int n = static_cast<int>(rng() % 10);
    for (int i = 0; i < n; ++i) text += pieces[rng() % 6];
    Edit = std::make_unique<TCommandEdit>(nullptr);
    if (round % 2) Edit->SetOptions(Edit->Options() & ~eoGroupUndo);
    SetText(text);
    auto randomPoint = [&] {
      const int line = 1 + static_cast<int>(rng() % static_cast<unsigned>(Edit->Lines()->Count()));
      return BC(1 + static_cast<int>(rng() % static_cast<unsigned>(Edit->Lines()->Get(line - 1).size() + 1)), line);
    };
    const bool typed = rng() % 3 == 0;
    if (typed) {
      Edit->MoveCaretTo(BC(1, 1));
      Type("z");
    }
    const std::string before = Joined();
    TBufferCoord s = randomPoint(), e = randomPoint();
    if (e.Line < s.Line || (e.Line == s.Line && e.Char < s.Char)) std::swap(s, e);
    Edit->Select(s, e, e);
    const std::string replacement = replacements[rng() % 7];
    const bool empty = s.Char == e.Char && s.Line == e.Line;
    if (empty && replacement.empty()) continue;  // no change
    // Grouped undo joins a plain insertion to the typed one before it.
    if (empty && typed && round % 2 == 0) continue;
    Edit->ReplaceSelection(replacement);
    const std::string after = Joined();
    // The text is the old one with the span replaced (lines joined by "|").
    auto offset = [&](const TBufferCoord& p) {
      std::size_t at = 0;
      for (int line = 1; line < p.Line; ++line) at = before.find('|', at) + 1;
      return at + static_cast<std::size_t>(p.Char - 1);
    };
    std::string want = before, joinedReplacement = replacement;
    for (std::size_t k; (k = joinedReplacement.find("\r\n")) != std::string::npos;)
      joinedReplacement.replace(k, 2, "|");
    want.replace(offset(s), offset(e) - offset(s), joinedReplacement);
    ASSERT_EQ(after, want) << replacement;
    const TBufferCoord caret = Edit->Caret();
    const std::string label = before + " " + std::to_string(s.Char) + "," + std::to_string(s.Line) + "-" +
                              std::to_string(e.Char) + "," + std::to_string(e.Line) + " " + replacement;
    for (int pass = 0; pass < 2; ++pass) {
      Run(ecUndo);
      ASSERT_EQ(Joined(), before) << label;
      if (!empty) {
        EXPECT_EQ(Edit->SelFrom(), s) << label;
        EXPECT_EQ(Edit->SelTo(), e) << label;
      }
      Run(ecRedo);
      ASSERT_EQ(Joined(), after) << label;
      EXPECT_EQ(Edit->Caret(), caret) << label;
      EXPECT_FALSE(Edit->HasSelection()) << label;
    }
    Run(ecUndo);
    ASSERT_EQ(Joined(), before) << label;
    if (typed) {
      Run(ecUndo);
      EXPECT_EQ(Joined(), text) << label;
    }
    EXPECT_FALSE(Edit->CanUndo()) << label;
  }
}

}  // namespace
