// Every command of the executor from a start text and caret (and selection)
// to the expected text and caret. Each command that changes the text is
// then undone, redone and undone again: undo must give back the exact start
// text (unmodified again), redo the command's result, and one undo must
// undo what one redo did.
#include "CommandFixture.h"

namespace {

// Checks a case skips.
enum : unsigned {
  kUndoMovesCaret = 1,  // undo leaves the caret elsewhere than at the start
  kRedoMovesCaret = 2,  // redo leaves the caret elsewhere than the command
  kNoUndo = 4,          // the command cannot be undone (the list is cleared)
};

struct TCmdCase {
  const char* Name;
  TSrcEditorCommand Command;
  char Ch;
  std::string Text;  // lines joined by "|"
  TBufferCoord Caret;
  std::string Expected;
  TBufferCoord ExpCaret;
  TBufferCoord From{};  // selection before (none when 0)
  TBufferCoord To{};
  TBufferCoord ExpFrom{};  // selection after (none expected when 0)
  TBufferCoord ExpTo{};
  TSrcEditorOptions Set = 0;
  TSrcEditorOptions Clear = 0;
  bool Overwrite = false;
  const char* Data = nullptr;  // the string of ecImeStr
  unsigned Flags = 0;
};

const TBufferCoord None{};

std::vector<TCmdCase> Cases() {
  return {
      // --- caret commands ---
      {"left", ecLeft, 0, "abc", BC(3, 1), "abc", BC(2, 1)},
      {"left stays at the line start", ecLeft, 0, "ab|cd", BC(1, 2), "ab|cd", BC(1, 2)},
      {"left wraps without past-eol", ecLeft, 0, "ab|cd", BC(1, 2), "ab|cd", BC(3, 1), None, None, None, None, 0,
       eoScrollPastEol},
      {"right goes past the end", ecRight, 0, "abc", BC(4, 1), "abc", BC(5, 1)},
      {"right wraps without past-eol", ecRight, 0, "ab|cd", BC(3, 1), "ab|cd", BC(1, 2), None, None, None, None, 0,
       eoScrollPastEol},
      {"select right", ecSelRight, 0, "abc", BC(2, 1), "abc", BC(3, 1), None, None, BC(2, 1), BC(3, 1)},
      {"up", ecUp, 0, "abc|de", BC(3, 2), "abc|de", BC(3, 1)},
      {"down keeps the column", ecDown, 0, "abcd|de", BC(4, 1), "abcd|de", BC(4, 2)},
      {"select down", ecSelDown, 0, "ab|cd", BC(2, 1), "ab|cd", BC(2, 2), None, None, BC(2, 1), BC(2, 2)},
      {"word right", ecWordRight, 0, "foo bar", BC(1, 1), "foo bar", BC(5, 1)},
      {"word right from the last character", ecWordRight, 0, "foo|  bar", BC(3, 1), "foo|  bar", BC(3, 2)},
      {"word right at the end of the text", ecWordRight, 0, "foo", BC(4, 1), "foo", BC(4, 1)},
      {"word left", ecWordLeft, 0, "foo bar", BC(8, 1), "foo bar", BC(5, 1)},
      {"word left to the line above", ecWordLeft, 0, "foo|  bar", BC(3, 2), "foo|  bar", BC(4, 1)},
      {"select word left", ecSelWordLeft, 0, "foo bar", BC(8, 1), "foo bar", BC(5, 1), None, None, BC(8, 1), BC(5, 1)},
      {"home", ecLineStart, 0, "   abc", BC(6, 1), "   abc", BC(1, 1)},
      {"enhanced home goes to the text", ecLineStart, 0, "   abc", BC(6, 1), "   abc", BC(4, 1), None, None, None, None,
       eoEnhanceHomeKey},
      {"enhanced home from the text start", ecLineStart, 0, "   abc", BC(4, 1), "   abc", BC(1, 1), None, None, None,
       None, eoEnhanceHomeKey},
      {"enhanced home from the line start", ecLineStart, 0, "   abc", BC(1, 1), "   abc", BC(4, 1), None, None, None,
       None, eoEnhanceHomeKey},
      {"end stops after the text", ecLineEnd, 0, "abc   ", BC(1, 1), "abc   ", BC(4, 1)},
      {"end again goes after the blanks", ecLineEnd, 0, "abc   ", BC(4, 1), "abc   ", BC(7, 1)},
      {"plain end", ecLineEnd, 0, "abc   ", BC(1, 1), "abc   ", BC(7, 1), None, None, None, None, 0, eoEnhanceEndKey},
      {"select to line end", ecSelLineEnd, 0, "abc", BC(1, 1), "abc", BC(4, 1), None, None, BC(1, 1), BC(4, 1)},
      {"editor top", ecEditorTop, 0, "ab|cde", BC(2, 2), "ab|cde", BC(1, 1)},
      {"editor bottom", ecEditorBottom, 0, "ab|cde", BC(1, 1), "ab|cde", BC(4, 2)},
      {"select to the editor bottom", ecSelEditorBottom, 0, "ab|cde", BC(2, 1), "ab|cde", BC(4, 2), None, None,
       BC(2, 1), BC(4, 2)},
      {"select all", ecSelectAll, 0, "ab|cde", BC(2, 1), "ab|cde", BC(4, 2), None, None, BC(1, 1), BC(4, 2)},
      {"match bracket forward", ecMatchBracket, 0, "a(b[c]d)e", BC(2, 1), "a(b[c]d)e", BC(8, 1)},
      {"match bracket backward", ecMatchBracket, 0, "a(b[c]d)e", BC(6, 1), "a(b[c]d)e", BC(4, 1)},
      {"match bracket across lines", ecMatchBracket, 0, "x{|{a}|}", BC(2, 1), "x{|{a}|}", BC(1, 3)},
      {"match bracket on a letter", ecMatchBracket, 0, "a(b)", BC(1, 1), "a(b)", BC(1, 1)},
      {"unmatched bracket", ecMatchBracket, 0, "a(b", BC(2, 1), "a(b", BC(2, 1)},
      {"no command", ecNone, 0, "abc", BC(2, 1), "abc", BC(2, 1)},
      {"comment block does nothing", ecCommentBlock, 0, "abc", BC(2, 1), "abc", BC(2, 1)},
      {"unknown number", 999, 0, "abc", BC(2, 1), "abc", BC(2, 1)},

      // --- typing ---
      {"type", ecChar, 'x', "abc", BC(2, 1), "axbc", BC(3, 1)},
      {"type past the end of an empty text", ecChar, 'x', "", BC(5, 1), "    x", BC(6, 1)},
      {"type past the end of a line", ecChar, 'x', "ab", BC(5, 1), "ab  x", BC(6, 1)},
      {"overwrite", ecChar, 'x', "abc", BC(1, 1), "xbc", BC(2, 1), None, None, None, None, 0, 0, true},
      {"overwrite at the end", ecChar, 'x', "ab", BC(3, 1), "abx", BC(4, 1), None, None, None, None, 0, 0, true},
      {"overwrite past the end", ecChar, 'x', "ab", BC(4, 1), "ab x", BC(5, 1), None, None, None, None, 0, 0, true},
      {"type over a selection", ecChar, 'x', "abcd", BC(4, 1), "axd", BC(3, 1), BC(2, 1), BC(4, 1)},
      {"type over a backward selection", ecChar, 'x', "abcd", BC(2, 1), "axd", BC(3, 1), BC(4, 1), BC(2, 1)},
      {"tab characters are not typed", ecChar, '\t', "abc", BC(2, 1), "abc", BC(2, 1)},
      {"control characters are not typed", ecChar, 127, "abc", BC(2, 1), "abc", BC(2, 1)},
      {"Cyrillic letter", ecChar, Ansi("ж")[0], "ab", BC(2, 1), Ansi("aжb"), BC(3, 1)},
      {"composed string", ecImeStr, 0, "abc", BC(2, 1), "aXYbc", BC(4, 1), None, None, None, None, 0, 0, false, "XY"},
      {"composed string overwrites", ecImeStr, 0, "abcd", BC(2, 1), "aXYd", BC(4, 1), None, None, None, None, 0, 0,
       true, "XY"},
      {"composed string past the end", ecImeStr, 0, "ab", BC(5, 1), "ab  X", BC(6, 1), None, None, None, None, 0, 0,
       false, "X"},
      {"composed string over a selection", ecImeStr, 0, "abcd", BC(4, 1), "aXYd", BC(4, 1), BC(2, 1), BC(4, 1), None,
       None, 0, 0, false, "XY"},

      // --- line breaks ---
      {"line break", ecLineBreak, '\r', "abcd", BC(3, 1), "ab|cd", BC(1, 2)},
      {"line break keeps the indentation", ecLineBreak, '\r', "  abcd", BC(5, 1), "  ab|  cd", BC(3, 2)},
      {"line break at the end copies the indentation", ecLineBreak, '\r', "  ab", BC(5, 1), "  ab|  ", BC(3, 2)},
      {"line break without auto indent", ecLineBreak, '\r', "  abcd", BC(5, 1), "  ab|cd", BC(1, 2), None, None, None,
       None, 0, eoAutoIndent},
      {"line break past the end", ecLineBreak, '\r', "ab", BC(6, 1), "ab|", BC(1, 2)},
      {"line break at the line start", ecLineBreak, '\r', "ab", BC(1, 1), "|ab", BC(1, 2)},
      {"line break on an empty line", ecLineBreak, '\r', "  ab|", BC(1, 2), "  ab||", BC(3, 3)},
      {"line break over a selection", ecLineBreak, '\r', "abcd", BC(4, 1), "a|d", BC(1, 2), BC(2, 1), BC(4, 1)},
      // (Redo replays every line break as ecLineBreak, which moves the caret.)
      {"insert line", ecInsertLine, 0, "abcd", BC(3, 1), "ab|cd", BC(3, 1), None, None, None, None, 0, 0, false,
       nullptr, kRedoMovesCaret},
      {"insert line at the end", ecInsertLine, 0, "  ab", BC(5, 1), "  ab|", BC(5, 1), None, None, None, None, 0, 0,
       false, nullptr, kRedoMovesCaret},

      // --- deleting ---
      {"backspace", ecDeleteLastChar, 0, "abc", BC(3, 1), "ac", BC(2, 1)},
      {"backspace at the text start", ecDeleteLastChar, 0, "abc", BC(1, 1), "abc", BC(1, 1)},
      {"backspace joins the lines", ecDeleteLastChar, 0, "ab|cd", BC(1, 2), "abcd", BC(3, 1)},
      {"smart backspace", ecDeleteLastChar, 0, "  a|      b", BC(7, 2), "  a|  b", BC(3, 2)},
      {"backspace to the tab stop", ecDeleteLastChar, 0, "          x", BC(11, 1), "        x", BC(9, 1), None, None,
       None, None, 0, eoSmartTabDelete},
      {"backspace over a tab", ecDeleteLastChar, 0, "\tx", BC(2, 1), "x", BC(1, 1), None, None, None, None, 0,
       eoSmartTabDelete},
      {"backspace past the end only moves", ecDeleteLastChar, 0, "ab", BC(6, 1), "ab", BC(3, 1)},
      {"backspace past the end, one step", ecDeleteLastChar, 0, "ab", BC(6, 1), "ab", BC(5, 1), None, None, None, None,
       0, eoSmartTabDelete},
      {"backspace over a selection", ecDeleteLastChar, 0, "abcd", BC(4, 1), "ad", BC(2, 1), BC(2, 1), BC(4, 1)},
      {"delete", ecDeleteChar, 0, "abc", BC(2, 1), "ac", BC(2, 1)},
      {"delete joins the lines", ecDeleteChar, 0, "ab|cd", BC(3, 1), "abcd", BC(3, 1)},
      {"delete past the end fills the gap", ecDeleteChar, 0, "ab|cd", BC(5, 1), "ab  cd", BC(5, 1)},
      {"delete at the end of the text", ecDeleteChar, 0, "ab", BC(3, 1), "ab", BC(3, 1)},
      {"delete a backward selection", ecDeleteChar, 0, "abcd", BC(2, 1), "ad", BC(2, 1), BC(4, 1), BC(2, 1)},
      {"delete word", ecDeleteWord, 0, "foo bar", BC(1, 1), "bar", BC(1, 1)},
      {"delete word joins the next line without its blanks", ecDeleteWord, 0, "ab|  cd", BC(3, 1), "abcd", BC(3, 1)},
      {"delete word at the end of the text", ecDeleteWord, 0, "ab", BC(3, 1), "ab", BC(3, 1)},
      {"delete word on a comma", ecDeleteWord, 0, "a,b", BC(2, 1), "ab", BC(2, 1)},
      {"delete word on blanks", ecDeleteWord, 0, "a   b", BC(2, 1), "ab", BC(2, 1)},
      {"delete word past the end", ecDeleteWord, 0, "ab|cd", BC(5, 1), "ab  cd", BC(5, 1)},
      {"delete last word", ecDeleteLastWord, 0, "foo bar", BC(8, 1), "foo ", BC(5, 1)},
      {"delete last word joins the lines", ecDeleteLastWord, 0, "ab|cd", BC(1, 2), "abcd", BC(3, 1)},
      {"delete to the line start", ecDeleteBOL, 0, "foo bar", BC(5, 1), "bar", BC(1, 1)},
      {"delete to the line start past the end", ecDeleteBOL, 0, "foo", BC(7, 1), "", BC(1, 1)},
      {"delete to the line end", ecDeleteEOL, 0, "foo bar", BC(4, 1), "foo", BC(4, 1)},
      {"delete to the line end past the end", ecDeleteEOL, 0, "foo", BC(6, 1), "foo", BC(6, 1)},
      {"delete line", ecDeleteLine, 0, "a|b|c", BC(2, 2), "a|c", BC(1, 2), None, None, None, None, 0, 0, false, nullptr,
       kUndoMovesCaret},
      {"delete the last line", ecDeleteLine, 0, "a|bc", BC(2, 2), "a|", BC(1, 2), None, None, None, None, 0, 0, false,
       nullptr, kUndoMovesCaret},
      {"delete an empty last line", ecDeleteLine, 0, "a|", BC(1, 2), "a|", BC(1, 2)},
      {"clear all", ecClearAll, 0, "ab|cd", BC(2, 1), "", BC(1, 1), None, None, None, None, 0, 0, false, nullptr,
       kNoUndo},

      // --- tabs and indentation ---
      {"tab as spaces to the tab stop", ecTab, 0, "ab", BC(3, 1), "ab      ", BC(9, 1)},
      {"tab past the end", ecTab, 0, "ab", BC(5, 1), "ab      ", BC(9, 1)},
      {"smart tab", ecTab, 0, "abc  def|", BC(1, 2), "abc  def|     ", BC(6, 2)},
      {"tab character", ecTab, 0, "ab", BC(3, 1), "ab\t", BC(4, 1), None, None, None, None, 0,
       eoTabsToSpaces | eoSmartTabs},
      {"smart tab with tab characters", ecTab, 0, "                    x|", BC(1, 2), "                    x|\t\t    ",
       BC(7, 2), None, None, None, None, 0, eoTabsToSpaces},
      {"tab over a selection", ecTab, 0, "abcd", BC(4, 1), "a       d", BC(9, 1), BC(2, 1), BC(4, 1)},
      {"tab indents a block", ecTab, 0, "ab|cd", BC(3, 2), "        ab|        cd", BC(11, 2), BC(1, 1), BC(3, 2),
       BC(9, 1), BC(11, 2), eoTabIndent},
      {"shift tab", ecShiftTab, 0, "        x", BC(9, 1), "x", BC(1, 1)},
      {"shift tab over a tab", ecShiftTab, 0, "\tx", BC(2, 1), "x", BC(1, 1)},
      {"shift tab leaves text alone", ecShiftTab, 0, "abc def ghi|hello world", BC(12, 2), "abc def ghi|hello world",
       BC(12, 2)},
      {"smart shift tab", ecShiftTab, 0, "    abc def|          x", BC(11, 2), "    abc def|        x", BC(9, 2)},
      {"shift tab unindents a block", ecShiftTab, 0, "        ab|        cd", BC(1, 2), "ab|        cd", BC(1, 2),
       BC(1, 1), BC(1, 2), BC(1, 1), BC(1, 2), eoTabIndent, 0, false, nullptr, kUndoMovesCaret | kRedoMovesCaret},
      {"block indent", ecBlockIndent, 0, "ab|cd", BC(3, 2), "        ab|        cd", BC(11, 2), BC(1, 1), BC(3, 2),
       BC(9, 1), BC(11, 2)},
      {"block indent up to a line start", ecBlockIndent, 0, "ab|cd|ef", BC(1, 3), "        ab|        cd|ef", BC(1, 3),
       BC(1, 1), BC(1, 3), BC(9, 1), BC(1, 3)},
      {"block indent with a tab", ecBlockIndent, 0, "ab|cd", BC(3, 2), "\tab|\tcd", BC(4, 2), BC(1, 1), BC(3, 2),
       BC(2, 1), BC(4, 2), 0, eoTabsToSpaces},
      {"block unindent", ecBlockUnindent, 0, "        ab|    cd", BC(7, 2), "ab|cd", BC(3, 2), BC(1, 1), BC(7, 2),
       BC(1, 1), BC(3, 2), 0, 0, false, nullptr, kUndoMovesCaret | kRedoMovesCaret},
      {"block unindent of tabs", ecBlockUnindent, 0, "\tab| \tcd", BC(5, 2), "ab|cd", BC(3, 2), BC(1, 1), BC(5, 2),
       BC(1, 1), BC(3, 2), 0, 0, false, nullptr, kUndoMovesCaret | kRedoMovesCaret},
      {"block unindent without indentation", ecBlockUnindent, 0, "ab|cd", BC(3, 2), "ab|cd", BC(3, 2), BC(1, 1),
       BC(3, 2), BC(1, 1), BC(3, 2)},

      // --- case ---
      {"upper case word", ecUpperCase, 0, "hello world", BC(3, 1), "HELLO world", BC(3, 1), None, None, None, None, 0,
       0, false, nullptr, kRedoMovesCaret},
      {"upper case Russian word", ecUpperCase, 0, Ansi("привет мир"), BC(2, 1), Ansi("ПРИВЕТ мир"), BC(2, 1), None,
       None, None, None, 0, 0, false, nullptr, kRedoMovesCaret},
      {"upper case word with Ё and Ч", ecUpperCase, 0, Ansi("ёжик чай"), BC(7, 1), Ansi("ёжик ЧАЙ"), BC(7, 1), None,
       None, None, None, 0, 0, false, nullptr, kRedoMovesCaret},
      {"lower case word", ecLowerCase, 0, "HELLO", BC(1, 1), "hello", BC(1, 1), None, None, None, None, 0, 0, false,
       nullptr, kRedoMovesCaret},
      {"toggle case word", ecToggleCase, 0, Ansi("HeLLo Мир"), BC(1, 1), Ansi("hEllO Мир"), BC(1, 1), None, None, None,
       None, 0, 0, false, nullptr, kRedoMovesCaret},
      {"title case word", ecTitleCase, 0, Ansi("мИР"), BC(2, 1), Ansi("Мир"), BC(2, 1), None, None, None, None, 0, 0,
       false, nullptr, kRedoMovesCaret},
      {"upper case goes back to the word", ecUpperCase, 0, "abc ", BC(5, 1), "ABC ", BC(5, 1), None, None, None, None,
       0, 0, false, nullptr, kRedoMovesCaret},
      {"upper case block", ecUpperCaseBlock, 0, "abcd", BC(4, 1), "aBCd", BC(4, 1), BC(2, 1), BC(4, 1)},
      {"lower case block", ecLowerCaseBlock, 0, "ABCD", BC(4, 1), "AbcD", BC(4, 1), BC(2, 1), BC(4, 1)},
      {"toggle case block", ecToggleCaseBlock, 0, Ansi("aЖb"), BC(4, 1), Ansi("AжB"), BC(4, 1), BC(1, 1), BC(4, 1)},
      {"upper case one character", ecUpperCaseBlock, 0, "abc", BC(2, 1), "aBc", BC(3, 1)},
      {"upper case at the line end moves on", ecUpperCaseBlock, 0, "abc|d", BC(4, 1), "abc|d", BC(1, 2)},
  };
}

class CommandTableTest : public CommandTest {
 protected:
  void Prepare(const TCmdCase& c) {
    Edit = std::make_unique<TCommandEdit>(nullptr);
    Edit->SetOptions((SRCEDIT_DEFAULT_OPTIONS | c.Set) & ~c.Clear);
    Edit->SetInsertMode(!c.Overwrite);
    SetText(c.Text);
    if (c.From.Char != 0)
      Edit->Select(c.From, c.To, c.Caret);
    else
      Edit->Select(c.Caret, c.Caret, c.Caret);
    ASSERT_EQ(Edit->Caret(), c.Caret);
    ASSERT_FALSE(Edit->Modified());
    ASSERT_EQ(UndoCount(), 0);
  }
  void Execute(const TCmdCase& c) {
    std::string data = c.Data ? c.Data : "";
    Run(c.Command, c.Ch, c.Data ? const_cast<char*>(data.c_str()) : nullptr);
  }
  void ExpectSelection(const TCmdCase& c) {
    if (c.ExpFrom.Char == 0) {
      EXPECT_FALSE(Edit->HasSelection());
    } else {
      EXPECT_EQ(Edit->SelFrom(), c.ExpFrom);
      EXPECT_EQ(Edit->SelTo(), c.ExpTo);
    }
  }
};

TEST_F(CommandTableTest, EveryCommandFromStartToExpected) {
  for (const TCmdCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    Prepare(c);
    Execute(c);
    EXPECT_EQ(Joined(), c.Expected);
    EXPECT_EQ(Edit->Caret(), c.ExpCaret);
    ExpectSelection(c);
    if (c.Text == c.Expected) {
      // Nothing changed, nothing recorded.
      EXPECT_EQ(UndoCount(), 0);
      EXPECT_FALSE(Edit->Modified());
    } else if ((c.Flags & kNoUndo) == 0) {
      EXPECT_TRUE(Edit->Modified());
    }
  }
}

TEST_F(CommandTableTest, UndoGivesBackTheStartAndRedoTheResult) {
  for (const TCmdCase& c : Cases()) {
    if (c.Text == c.Expected || (c.Flags & kNoUndo) != 0) continue;
    SCOPED_TRACE(c.Name);
    Prepare(c);
    Execute(c);
    const TBufferCoord afterCaret = Edit->Caret();
    Run(ecUndo);
    EXPECT_EQ(Joined(), c.Text);
    EXPECT_FALSE(Edit->Modified());
    if ((c.Flags & kUndoMovesCaret) == 0) {
      EXPECT_EQ(Edit->Caret(), c.Caret);
    }
    EXPECT_EQ(UndoCount(), 0);
    Run(ecRedo);
    EXPECT_EQ(Joined(), c.Expected);
    EXPECT_TRUE(Edit->Modified());
    if ((c.Flags & kRedoMovesCaret) == 0) {
      EXPECT_EQ(Edit->Caret(), afterCaret);
    }
    EXPECT_EQ(RedoCount(), 0);
    // One undo takes back what one redo did.
    Run(ecUndo);
    EXPECT_EQ(Joined(), c.Text);
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(UndoCount(), 0);
  }
}

TEST_F(CommandTableTest, ReadOnlyIgnoresEveryEditingCommand) {
  for (const TCmdCase& c : Cases()) {
    if (c.Text == c.Expected) continue;
    SCOPED_TRACE(c.Name);
    Prepare(c);
    Edit->SetReadOnly(true);
    Execute(c);
    EXPECT_EQ(Joined(), c.Text);
    EXPECT_EQ(UndoCount(), 0);
  }
}

// ---------------------------------------------------------------------------
// Commands that need a data record or the view

TEST_F(CommandTest, GotoXYMovesOrExtendsToTheGivenPosition) {
  SetText("abc|defg");
  TBufferCoord target = BC(3, 2);
  Run(ecGotoXY, 0, &target);
  EXPECT_EQ(Edit->Caret(), BC(3, 2));
  EXPECT_FALSE(Edit->HasSelection());
  Run(ecGotoXY);  // no position: nothing
  EXPECT_EQ(Edit->Caret(), BC(3, 2));
  TBufferCoord back = BC(2, 1);
  Run(ecSelGotoXY, 0, &back);
  EXPECT_EQ(Edit->Caret(), BC(2, 1));
  EXPECT_EQ(Edit->SelFrom(), BC(3, 2));
  EXPECT_EQ(Edit->SelTo(), BC(2, 1));
}

TEST_F(CommandTest, ModeCommands) {
  Run(ecOverwriteMode);
  EXPECT_FALSE(Edit->InsertMode());
  Run(ecToggleMode);
  EXPECT_TRUE(Edit->InsertMode());
  Run(ecToggleMode);
  Run(ecInsertMode);
  EXPECT_TRUE(Edit->InsertMode());
  Run(ecColumnSelect);
  EXPECT_EQ(Edit->SelectionMode(), smColumn);
  Run(ecLineSelect);
  EXPECT_EQ(Edit->SelectionMode(), smLine);
  Run(ecNormalSelect);
  EXPECT_EQ(Edit->SelectionMode(), smNormal);
}

TEST_F(CommandTest, ContextHelpGetsTheWordAtTheCaret) {
  SetText(Ansi("foo Чёрный, bar"));
  Edit->MoveCaretTo(BC(8, 1));
  std::vector<std::string> words;
  Run(ecContextHelp);  // no handler: nothing
  Edit->OnContextHelp = [&](TObject*, const std::string& w) { words.push_back(w); };
  Run(ecContextHelp);
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0], Ansi("Чёрный"));
  EXPECT_EQ(Edit->Caret(), BC(8, 1));
  EXPECT_FALSE(Edit->HasSelection());
}

TEST_F(CommandTest, PageCommandsMoveByTheVisibleRows) {
  std::string text;
  for (int i = 1; i <= 100; ++i) text += (i > 1 ? "|line " : "line ") + std::to_string(i);
  SetText(text);
  Edit->FLinesInWindow = 20;
  Edit->FCharsInWindow = 10;
  Edit->SetOptions(Edit->Options() | eoScrollByOneLess);
  Run(ecPageDown);
  EXPECT_EQ(Edit->Caret(), BC(1, 20));
  EXPECT_EQ(Edit->TopLine(), 20);
  Run(ecPageUp);
  EXPECT_EQ(Edit->Caret(), BC(1, 1));
  EXPECT_EQ(Edit->TopLine(), 1);
  Edit->SetOptions((Edit->Options() & ~eoScrollByOneLess) | eoHalfPageScroll);
  Run(ecSelPageDown);
  EXPECT_EQ(Edit->Caret(), BC(1, 11));
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));
  EXPECT_EQ(Edit->SelTo(), BC(1, 11));

  Edit->MoveCaretTo(BC(15, 30));
  Run(ecPageLeft);
  EXPECT_EQ(Edit->Caret(), BC(5, 30));
  Run(ecPageRight);
  EXPECT_EQ(Edit->Caret(), BC(15, 30));

  Edit->SetTopLine(25);
  Edit->MoveCaretTo(BC(3, 30));
  Run(ecPageTop);
  EXPECT_EQ(Edit->Caret(), BC(3, 25));
  Run(ecPageBottom);
  EXPECT_EQ(Edit->Caret(), BC(3, 44));
  Run(ecSelPageTop);
  EXPECT_EQ(Edit->Caret(), BC(3, 25));
  EXPECT_EQ(Edit->SelFrom(), BC(3, 44));
}

TEST_F(CommandTest, ScrollCommandsKeepTheCaretInTheWindow) {
  std::string text;
  for (int i = 1; i <= 50; ++i) text += (i > 1 ? "|x" : "x");
  SetText(text);
  Edit->FLinesInWindow = 10;
  Edit->MoveCaretTo(BC(1, 1));
  Run(ecScrollDown);
  EXPECT_EQ(Edit->TopLine(), 2);
  EXPECT_EQ(Edit->Caret(), BC(1, 2));  // pushed down with the first row
  Edit->MoveCaretTo(BC(1, 11));
  Run(ecScrollUp);
  EXPECT_EQ(Edit->TopLine(), 1);
  EXPECT_EQ(Edit->Caret(), BC(1, 10));  // pulled up with the last row
  Run(ecScrollUp);                      // already at the top
  EXPECT_EQ(Edit->TopLine(), 1);
  EXPECT_EQ(Edit->Caret(), BC(1, 10));
}

TEST_F(CommandTest, TypingPastTheMaxScrollWidthIsDroppedOnlyBeyondTheText) {
  Edit->SetMaxScrollWidth(10);
  SetText("ab|" + std::string(20, 'z'));
  Edit->MoveCaretTo(BC(11, 1));
  Run(ecChar, 'y');  // past the width in the empty space: dropped
  EXPECT_EQ(Edit->Lines()->Get(0), "ab");
  EXPECT_EQ(UndoCount(), 0);
  Edit->MoveCaretTo(BC(10, 1));
  Run(ecChar, 'x');
  EXPECT_EQ(Edit->Lines()->Get(0), "ab       x");
  Edit->MoveCaretTo(BC(21, 2));
  Run(ecChar, 'y');  // the end of a longer line stays reachable
  EXPECT_EQ(Edit->Lines()->Get(1), std::string(20, 'z') + "y");
}

TEST_F(CommandTest, TypingOnAnEmptyLineIndentsWithTabsWhenAllowed) {
  Edit->SetOptions(Edit->Options() & ~eoTabsToSpaces);
  Edit->SetTabWidth(4);
  SetText("|a");
  Edit->MoveCaretTo(BC(10, 1));
  Run(ecChar, 'x');
  EXPECT_EQ(Edit->Lines()->Get(0), "\t\t x");  // display column 10
  EXPECT_EQ(Edit->Caret(), BC(5, 1));
  Run(ecUndo);
  EXPECT_EQ(Joined(), "|a");
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Edit->Lines()->Get(0), "\t\t x");
}

TEST_F(CommandTest, LineBreakShiftsMarksOfTheLinesBelow) {
  SetText("ab|cd|ef");
  auto* mark = new TSrcEditMark(Edit.get());
  mark->SetLine(3);
  Edit->Marks()->Add(mark);
  Edit->MoveCaretTo(BC(2, 1));
  Run(ecLineBreak, '\r');
  EXPECT_EQ(mark->Line(), 4);
  Run(ecUndo);
  EXPECT_EQ(mark->Line(), 3);
  Edit->MoveCaretTo(BC(1, 2));
  Run(ecDeleteLine);
  EXPECT_EQ(mark->Line(), 2);
}

TEST_F(CommandTest, SelectionDeletionRecordsItsDirection) {
  SetText("abcdef");
  Edit->Select(BC(2, 1), BC(5, 1), BC(5, 1));
  Run(ecDeleteLastChar);
  ASSERT_EQ(UndoReasons(), std::vector<TSrcChangeReason>({urDelete}));
  SetText("abcdef");
  Edit->Select(BC(5, 1), BC(2, 1), BC(2, 1));
  Run(ecDeleteChar);
  ASSERT_EQ(UndoReasons(), std::vector<TSrcChangeReason>({urDeleteAfterCaret}));
  EXPECT_EQ(Edit->UndoList()->PeekItem()->ChangeStr(), "bcd");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abcdef");
  EXPECT_EQ(Edit->SelFrom(), BC(5, 1));  // the selection comes back as it was
  EXPECT_EQ(Edit->SelTo(), BC(2, 1));
  EXPECT_EQ(Edit->Caret(), BC(2, 1));
}

}  // namespace

namespace {

TEST_F(CommandTest, TypingAtTheRightEdgeScrollsTheViewOn) {
  Edit->FCharsInWindow = 20;
  SetText("");
  Edit->MoveCaretTo(BC(20, 1));
  Run(ecChar, 'x');
  EXPECT_EQ(Edit->Caret(), BC(21, 1));
  EXPECT_EQ(Edit->LeftChar(), 20);  // by 19 columns (less than 25)
}

TEST_F(CommandTest, ClipboardCommandsAndTheirUndo) {
  SetText("abc|def");
  Edit->Select(BC(1, 1), BC(4, 1), BC(4, 1));
  Run(ecCopy);
  Edit->Select(BC(4, 2), BC(4, 2), BC(4, 2));
  Run(ecPaste);
  EXPECT_EQ(Joined(), "abc|defabc");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc|def");
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Joined(), "abc|defabc");
  Run(ecUndo);
  Edit->Select(BC(1, 2), BC(4, 2), BC(4, 2));
  Run(ecCut);
  EXPECT_EQ(Joined(), "abc|");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc|def");
  Edit->SetReadOnly(true);
  Run(ecPaste);
  Run(ecCut);
  EXPECT_EQ(Joined(), "abc|def");
  Edit->SetReadOnly(false);

  // A column block pasted past the last line appends its rows.
  Edit->SetSelectionMode(smColumn);
  Edit->Select(BC(1, 1), BC(3, 2), BC(3, 2));
  Run(ecCopy);
  Edit->Select(BC(4, 2), BC(4, 2), BC(4, 2));
  Run(ecPaste);
  const std::string pasted = Joined();
  EXPECT_EQ(pasted, "abc|defab|   de");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc|def");
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Joined(), pasted);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc|def");
}

TEST_F(CommandTest, TabIndentsAWholeSelectedLine) {
  Edit->SetOptions(Edit->Options() | eoTabIndent);
  SetText("abc|x");
  Edit->Select(BC(1, 1), BC(4, 1), BC(4, 1));
  Run(ecTab);
  EXPECT_EQ(Joined(), "        abc|x");
  EXPECT_EQ(Edit->SelFrom(), BC(1, 1));  // still the whole line
  EXPECT_EQ(Edit->SelTo(), BC(12, 1));
  Run(ecShiftTab);
  EXPECT_EQ(Joined(), "abc|x");
  Run(ecUndo);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "abc|x");
  EXPECT_FALSE(Edit->Modified());
}

}  // namespace
