// The commands that rewrite many lines at once (Replace All of runs within
// lines, a reordering of the lines, block indent and unindent) are one undo
// item each, replayed line by line: the exact text, caret and selection
// after the command, its undo, its redo and a second undo, with CR LF and
// mixed line breaks and with trailing blanks trimmed.
#include <functional>

#include "CommandFixture.h"
#include "platform/Classes.h"

namespace {

const TBufferCoord None = BufferCoord(0, 0);

struct TWholeCase {
  const char* Name;
  const char* File;  // the bytes loaded, line breaks as in a file
  TSrcEditorOptions Set, Clear;
  TBufferCoord From, To, Caret;  // the selection before the command
  std::function<void(TCommandEdit&)> Act;
  const char* After;                            // lines joined by "|"
  TBufferCoord AfterFrom, AfterTo, AfterCaret;  // From None: nothing selected
  std::vector<TSrcChangeReason> Items;          // what the undo list holds
  TBufferCoord UndoFrom, UndoTo, UndoCaret;
  TBufferCoord RedoCaret = None;  // None: AfterCaret
};

void ReplaceRunsOf(TCommandEdit& e, const std::string& find, const std::string& by) {
  std::vector<TBufferCoord> starts;
  for (int i = 0; i < e.Lines()->Count(); ++i) {
    const std::string line = e.Lines()->Get(i);
    for (std::size_t p = line.find(find); p != std::string::npos; p = line.find(find, p + find.size()))
      starts.push_back(BufferCoord(static_cast<int>(p) + 1, i + 1));
  }
  e.ReplaceRuns(starts, static_cast<int>(find.size()), by);
}

std::vector<TWholeCase> Cases() {
  auto replace = [](const char* find, const char* by) { return [=](TCommandEdit& e) { ReplaceRunsOf(e, find, by); }; };
  auto run = [](TSrcEditorCommand command) {
    return [=](TCommandEdit& e) { e.ProcessCommand(command, '\0', nullptr); };
  };
  auto order = [](std::vector<int> o) { return [=](TCommandEdit& e) { e.ReorderLines(o); }; };
  const std::vector<TSrcChangeReason> lines = {urLinesChanged};
  const std::vector<TSrcChangeReason> indent = {urIndent, urPaste, urIndent};
  return {
      {"replace all, CR LF", "ab ab\r\ncd\r\n  ab  ", 0, 0, None, None, BC(1, 1), replace("ab", "xyz"),
       "xyz xyz|cd|  xyz  ", None, None, BC(6, 3), lines, BC(1, 1), BC(5, 3), BC(5, 3)},
      {"replace all, mixed breaks", "a-b\nc\r-d-\r\n--", 0, 0, None, None, BC(1, 1), replace("-", ""), "ab|c|d|", None,
       None, BC(1, 4), lines, BC(2, 1), BC(3, 4), BC(3, 4)},
      {"replace all within one line", "x div div x", 0, 0, None, None, BC(1, 1), replace("div", "section"),
       "x section section x", None, None, BC(18, 1), lines, BC(3, 1), BC(10, 1), BC(10, 1)},
      {"replace all, trailing blanks trimmed", "ab ab\r\ncd  \r\n  ab  ", eoTrimTrailingSpaces, 0, None, None, BC(1, 1),
       replace("ab", "xyz"), "xyz xyz|cd|  xyz", None, None, BC(6, 3), lines, BC(1, 1), BC(5, 3), BC(5, 3)},
      {"sort", "b\r\nA\r\nc", 0, 0, None, None, BC(2, 2), order({1, 0, 2}), "A|b|c", None, None, BC(2, 3), lines,
       BC(1, 1), BC(2, 3), BC(2, 3)},
      {"block indent by a tab", "ab\r\ncd\nef", 0, eoTabsToSpaces, BC(1, 1), BC(3, 3), BC(3, 3), run(ecBlockIndent),
       "\tab|\tcd|\tef", BC(2, 1), BC(4, 3), BC(4, 3), indent, BC(1, 1), BC(3, 3), BC(3, 3)},
      {"block indent up to a line start", "ab\r\ncd\r\nef", eoTabsToSpaces, 0, BC(1, 1), BC(1, 3), BC(1, 3),
       run(ecBlockIndent), "        ab|        cd|ef", BC(9, 1), BC(1, 3), BC(1, 3), indent, BC(1, 1), BC(1, 3),
       BC(1, 3)},
      {"block indent, trailing blanks trimmed", "ab\r\n\r\ncd", eoTabsToSpaces | eoTrimTrailingSpaces, 0, BC(1, 1),
       BC(3, 3), BC(3, 3), run(ecBlockIndent), "        ab||        cd", BC(9, 1), BC(11, 3), BC(11, 3), indent,
       BC(1, 1), BC(3, 3), BC(3, 3)},
      {"block unindent",
       "\tab\r\n    cd\ref",
       0,
       0,
       BC(1, 1),
       BC(3, 3),
       BC(3, 3),
       run(ecBlockUnindent),
       "ab|cd|ef",
       BC(1, 1),
       BC(3, 3),
       BC(3, 3),
       {urUnindent},
       BC(1, 1),
       BC(3, 3),
       BC(1, 1),
       BC(1, 1)},
  };
}

class WholeTextUndoTest : public CommandTest {
 protected:
  void Load(const char* bytes) {
    TStringStream s(bytes);
    Edit->Lines()->LoadFromStream(&s);
  }
  std::string Saved() {
    TStringStream s;
    Edit->Lines()->SaveToStream(&s);
    return s.DataString();
  }
  void ExpectSelection(const TBufferCoord& from, const TBufferCoord& to, const TBufferCoord& caret) {
    EXPECT_EQ(Edit->Caret(), caret);
    if (from == None) {
      EXPECT_FALSE(Edit->HasSelection());
    } else {
      EXPECT_EQ(Edit->SelFrom(), from);
      EXPECT_EQ(Edit->SelTo(), to);
    }
  }
};

TEST_F(WholeTextUndoTest, CommandUndoRedoUndo) {
  for (const TWholeCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    Edit = std::make_unique<TCommandEdit>(nullptr);
    Edit->SetOptions((Edit->Options() | c.Set) & ~c.Clear);
    Load(c.File);
    const std::string before = Joined(), saved = Saved();
    if (c.From == None)
      Edit->Select(c.Caret, c.Caret, c.Caret);
    else
      Edit->Select(c.From, c.To, c.Caret);
    c.Act(*Edit);
    EXPECT_EQ(Joined(), c.After);
    ExpectSelection(c.AfterFrom, c.AfterTo, c.AfterCaret);
    EXPECT_EQ(UndoReasons(), c.Items);
    EXPECT_TRUE(Edit->Modified());
    for (int pass = 0; pass < 2; ++pass) {
      Run(ecUndo);
      EXPECT_EQ(Joined(), before);
      EXPECT_EQ(Saved(), saved);
      ExpectSelection(c.UndoFrom, c.UndoTo, c.UndoCaret);
      EXPECT_FALSE(Edit->Modified());
      EXPECT_FALSE(Edit->CanUndo());
      Run(ecRedo);
      EXPECT_EQ(Joined(), c.After);
      ExpectSelection(c.AfterFrom, c.AfterTo, c.RedoCaret == None ? c.AfterCaret : c.RedoCaret);
      EXPECT_TRUE(Edit->Modified());
      EXPECT_EQ(UndoReasons(), c.Items);
      EXPECT_EQ(RedoCount(), 0);
    }
  }
}

// Two whole-text commands in a row stay two undo steps, with grouped undo
// too; a reordering that changes nothing records nothing.
TEST_F(WholeTextUndoTest, EachCommandIsItsOwnStep) {
  SetText("b a|a b|c");
  ReplaceRunsOf(*Edit, "a", "x");
  Edit->ReorderLines({2, 1, 0});
  EXPECT_EQ(Joined(), "c|x b|b x");
  Edit->ReorderLines({0, 1, 2});
  Edit->ReorderLines({0, 0, 1});  // not every line once: refused
  EXPECT_EQ(UndoCount(), 2);
  Run(ecUndo);
  EXPECT_EQ(Joined(), "b x|x b|c");
  Run(ecUndo);
  EXPECT_EQ(Joined(), "b a|a b|c");
  EXPECT_FALSE(Edit->Modified());
  Run(ecRedo);
  EXPECT_EQ(Joined(), "b x|x b|c");
  Run(ecRedo);
  EXPECT_EQ(Joined(), "c|x b|b x");
}

}  // namespace
