#include "SrcEditUndo.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

TBufferCoord P(int c, int l) { return BufferCoord(c, l); }

class UndoListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.OnAddedUndo = [this](TObject* sender) {
      EXPECT_EQ(sender, &list);
      ++added;
    };
  }
  void Add(TSrcChangeReason r = urInsert, const std::string& text = std::string()) {
    list.AddChange(r, P(1, 1), P(2, 1), text, smNormal);
  }
  void Block(int items, TSrcChangeReason r = urPaste) {
    list.BeginBlock();
    for (int i = 0; i < items; ++i) Add(r);
    list.EndBlock();
  }
  std::vector<std::uint32_t> Numbers() const {
    std::vector<std::uint32_t> v;
    for (int i = 0; i < list.ItemCount(); ++i) v.push_back(list.Items(i)->ChangeNumber());
    return v;
  }

  TSrcEditUndoList list;
  int added = 0;
};

TEST_F(UndoListTest, ItemsOutsideBlocksGetOwnNumbersBlocksShareOne) {
  Add();
  Add();
  list.BeginBlock();
  Add(urDelete);
  list.BeginBlock();  // nested: same action
  Add(urInsert);
  list.EndBlock();
  Add(urInsert);
  list.EndBlock();
  Add();
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 2, 3, 3, 3, 4}));
  EXPECT_EQ(list.BlockChangeNumber(), 0u);
  EXPECT_EQ(list.NextChangeNumber(), 5u);

  auto top = list.PopItem();
  ASSERT_TRUE(top);
  EXPECT_EQ(top->ChangeNumber(), 4u);
  EXPECT_EQ(list.ItemCount(), 5);
  EXPECT_EQ(list.PeekItem()->ChangeNumber(), 3u);
}

TEST_F(UndoListTest, HookFiresOncePerActionNeverForGroupBreaksOrEmptyBlocks) {
  Add();
  EXPECT_EQ(added, 1);
  list.AddGroupBreak();
  list.AddGroupBreak();  // the top already is a break: nothing added
  EXPECT_EQ(added, 1);
  EXPECT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.LastReason(), urGroupBreak);

  list.BeginBlock();
  Add();
  Add();
  int inBlock = added;  // items fire as they are pushed
  list.EndBlock();
  EXPECT_EQ(added, inBlock + 1);

  added = 0;
  list.BeginBlock();
  list.EndBlock();
  list.EndBlock();  // unmatched: nothing happens
  EXPECT_EQ(added, 0);
  EXPECT_EQ(list.BlockCount(), 0);

  list.Lock();
  list.Lock();
  list.Unlock();
  Add();
  EXPECT_EQ(added, 0);
  list.Unlock();
  list.Unlock();  // never below 0
  EXPECT_EQ(list.LockCount(), 0);
  Add();
  EXPECT_EQ(added, 1);
}

TEST_F(UndoListTest, EmptyListReasonAndItemFields) {
  EXPECT_EQ(list.LastReason(), urNothing);
  EXPECT_EQ(static_cast<int>(urNothing), 20);
  EXPECT_EQ(static_cast<int>(urWhiteSpaceAdd), 23);
  EXPECT_FALSE(list.CanUndo());
  EXPECT_EQ(list.PopItem(), nullptr);
  EXPECT_EQ(list.PeekItem(), nullptr);

  list.AddChange(urDelete, P(3, 4), P(5, 6), "gone", smColumn, "back");
  TSrcEditUndoItem copy;
  copy.Assign(list.PeekItem());
  EXPECT_EQ(copy.ChangeReason(), urDelete);
  EXPECT_EQ(copy.ChangeSelMode(), smColumn);
  EXPECT_EQ(copy.ChangeStartPos(), P(3, 4));
  EXPECT_EQ(copy.ChangeEndPos(), P(5, 6));
  EXPECT_EQ(copy.ChangeStr(), "gone");
  EXPECT_EQ(copy.ChangeReplacedStr(), "back");
  EXPECT_EQ(copy.ChangeNumber(), 1u);
  EXPECT_THROW(copy.Assign(&list), EConvertError);
}

TEST_F(UndoListTest, MaxUndoKeepsTheNewestActions) {
  list.SetMaxUndoActions(2);
  Add(urInsert, "a");
  Add(urInsert, "b");
  Add(urInsert, "c");
  ASSERT_EQ(list.ItemCount(), 2);
  EXPECT_EQ(list.Items(0)->ChangeStr(), "b");

  // Negative counts as 0: items go as soon as they come, the hook still fires.
  list.SetMaxUndoActions(-5);
  EXPECT_EQ(list.MaxUndoActions(), 0);
  EXPECT_EQ(list.ItemCount(), 0);
  added = 0;
  Add();
  EXPECT_EQ(added, 1);
  EXPECT_FALSE(list.CanUndo());
}

TEST_F(UndoListTest, TrimmingRemovesWholeActionsOnly) {
  list.SetMaxUndoActions(4);
  Block(3);
  Block(3);  // 6 items: the first action goes whole
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{2, 2, 2}));

  // The newest action is kept whole even beyond the limit...
  Block(7);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>(7, 3)));
  // ...and goes whole when the next action comes.
  Add();
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{4}));

  // Lowering the limit trims whole actions too.
  list.SetMaxUndoActions(10);
  Block(3);
  Block(3);
  list.SetMaxUndoActions(5);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{6, 6, 6}));
}

TEST_F(UndoListTest, TrimmingKeepsBracketPairsTogether) {
  list.SetMaxUndoActions(3);
  // A bracketed paste whose inner items carry different numbers.
  list.AddChange(urPasteBegin, P(1, 1), P(1, 1), "", smNormal);
  Add(urDelete);
  Add(urPaste);
  list.AddChange(urPasteEnd, P(1, 1), P(1, 1), "", smNormal);
  EXPECT_EQ(list.ItemCount(), 4);  // one action, kept whole
  Add(urInsert);
  ASSERT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.LastReason(), urInsert);
}

TEST_F(UndoListTest, ForcedBlockNumberSurvivesBlocksOpenedInside) {
  // The replay sets the number of the other list for one command; a command
  // it runs (a line break records inside its own block) must keep it.
  Add();
  list.SetBlockChangeNumber(77);
  Add(urLineBreak);
  Block(2, urInsert);
  Add(urInsert);
  EXPECT_EQ(list.BlockChangeNumber(), 77u);
  list.SetBlockChangeNumber(0);
  Add();
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 77, 77, 77, 77, 2}));
}

TEST_F(UndoListTest, AssignCopiesItemsAndStateButKeepsHookAndMark) {
  TSrcEditUndoList src;
  src.SetMaxUndoActions(50);
  src.AddChange(urInsert, P(1, 1), P(4, 1), "", smNormal);
  src.AddChange(urDelete, P(1, 2), P(3, 2), "xy", smLine);
  src.SetInsideRedo(true);
  Add();
  list.SetUnmodifiedMark(true);  // mark 1
  list.Assign(&src);
  ASSERT_EQ(list.ItemCount(), 2);
  EXPECT_NE(list.Items(1), src.Items(1));
  EXPECT_EQ(list.Items(1)->ChangeStr(), "xy");
  EXPECT_EQ(list.MaxUndoActions(), 50);
  EXPECT_EQ(list.NextChangeNumber(), 3u);
  EXPECT_TRUE(list.InsideRedo());
  EXPECT_EQ(list.UnmodifiedMark(), 1u);
  EXPECT_TRUE(static_cast<bool>(list.OnAddedUndo));
}

// Each scenario ends with the expected "at the unmodified mark" answer.
struct MarkCase {
  const char* name;
  void (*run)(TSrcEditUndoList& l);
  bool atMark;
  bool reachable;
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

void AddOne(TSrcEditUndoList& l) { l.AddChange(urInsert, P(1, 1), P(2, 1), "", smNormal); }

const MarkCase kMarkCases[] = {
    {"FreshList", [](TSrcEditUndoList&) {}, true, true},
    {"ItemAfterEmptyMark",
     [](TSrcEditUndoList& l) {
       l.SetUnmodifiedMark(true);
       AddOne(l);
     },
     false, true},
    {"UndoBackToEmptyMark",
     [](TSrcEditUndoList& l) {
       l.SetUnmodifiedMark(true);
       AddOne(l);
       l.PopItem();
     },
     true, true},
    {"MarkOnItemThenMore",
     [](TSrcEditUndoList& l) {
       AddOne(l);
       l.SetUnmodifiedMark(true);
       AddOne(l);
     },
     false, true},
    {"UndoBackToItemMark",
     [](TSrcEditUndoList& l) {
       AddOne(l);
       l.SetUnmodifiedMark(true);
       AddOne(l);
       l.PopItem();
     },
     true, true},
    {"ModifiedByHandAtMark",
     [](TSrcEditUndoList& l) {
       AddOne(l);
       l.SetUnmodifiedMark(true);
       l.SetUnmodifiedMark(false);
     },
     false, false},
    {"ModifiedByHandAwayFromMarkKeepsIt",
     [](TSrcEditUndoList& l) {
       l.SetUnmodifiedMark(true);
       AddOne(l);
       l.SetUnmodifiedMark(false);
       l.PopItem();
     },
     true, true},
    {"MaxUndoZeroEditIsModified",
     [](TSrcEditUndoList& l) {
       l.SetMaxUndoActions(0);
       l.SetUnmodifiedMark(true);
       AddOne(l);
     },
     false, false},
    {"TrimmedPastEmptyMark",
     [](TSrcEditUndoList& l) {
       l.SetMaxUndoActions(1);
       l.SetUnmodifiedMark(true);
       AddOne(l);
       AddOne(l);  // the first edit is trimmed away
       l.PopItem();
     },
     false, false},
    {"TrimmedUpToItemMark",
     [](TSrcEditUndoList& l) {
       l.SetMaxUndoActions(1);
       AddOne(l);
       l.SetUnmodifiedMark(true);
       AddOne(l);  // the marked item goes; the empty list is its state
       l.PopItem();
     },
     true, true},
    {"TrimmedBeyondItemMark",
     [](TSrcEditUndoList& l) {
       l.SetMaxUndoActions(1);
       AddOne(l);
       l.SetUnmodifiedMark(true);
       AddOne(l);
       AddOne(l);
       l.PopItem();
     },
     false, false},
    {"LowerLimitAtMarkStaysUnmodified",
     [](TSrcEditUndoList& l) {
       AddOne(l);
       AddOne(l);
       l.SetUnmodifiedMark(true);
       l.SetMaxUndoActions(0);
     },
     true, true},
    {"ClearWhileModified",
     [](TSrcEditUndoList& l) {
       l.SetUnmodifiedMark(true);
       AddOne(l);
       l.Clear();
     },
     false, false},
    {"ClearWhileUnmodified",
     [](TSrcEditUndoList& l) {
       AddOne(l);
       l.SetUnmodifiedMark(true);
       l.Clear();
     },
     true, true},
    {"SaveAfterLossResets",
     [](TSrcEditUndoList& l) {
       l.SetMaxUndoActions(0);
       AddOne(l);
       l.SetUnmodifiedMark(true);
     },
     true, true},
};

class UndoMarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(UndoMarkTest, ModifiedFollowsTheText) {
  TSrcEditUndoList l;
  GetParam().run(l);
  EXPECT_EQ(l.IsAtUnmodifiedMark(), GetParam().atMark);
  EXPECT_EQ(l.IsUnmodifiedReachable(), GetParam().reachable);
  if (!GetParam().reachable) {
    EXPECT_EQ(l.UnmodifiedMark(), TSrcEditUndoList::NoUnmodifiedState);
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, UndoMarkTest, ::testing::ValuesIn(kMarkCases),
                         [](const ::testing::TestParamInfo<MarkCase>& info) { return info.param.name; });

TEST(UndoBrackets, Partners) {
  EXPECT_EQ(UndoBracketPartner(urPasteBegin), urPasteEnd);
  EXPECT_EQ(UndoBracketPartner(urMarkCEnd), urMarkCBegin);
  EXPECT_EQ(UndoBracketPartner(urInsert), urInsert);
  EXPECT_TRUE(IsUndoBracketEnd(urMarkAEnd));
  EXPECT_FALSE(IsUndoBracketBegin(urCaret));
}

TEST(UndoTextEnd, BreaksAndNul) {
  struct Case {
    const char* text;
    std::size_t len;
    TBufferCoord end;
  } cases[] = {
      {"", 0, P(3, 2)},        {"ab", 2, P(5, 2)},   {"ab\r\ncd", 6, P(3, 3)},
      {"a\rb\nc", 5, P(2, 4)}, {"\n\r", 2, P(1, 4)}, {"ab\0cd", 5, P(5, 2)},
  };
  for (const Case& c : cases) EXPECT_EQ(UndoTextEndPos(P(3, 2), std::string(c.text, c.len)), c.end) << c.text;
}

TEST(UndoLargeText, OneItemHoldsAMillionLines) {
  std::string text;
  text.reserve(3000000);
  for (int i = 0; i < 1000000; ++i) text += "x\r\n";
  TSrcEditUndoList l;
  l.AddChange(urPaste, P(1, 1), P(1, 1000001), std::move(text), smNormal);
  ASSERT_EQ(l.ItemCount(), 1);
  EXPECT_EQ(l.PeekItem()->ChangeStr().size(), 3000000u);
}

}  // namespace
