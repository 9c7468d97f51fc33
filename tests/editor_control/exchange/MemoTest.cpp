// The memo's edit-control messages: the twelve it answers and the 0 of all
// the others.
#include <cstdint>
#include <cstring>

#include "ExchangeFixture.h"

namespace {

TEST_F(ExchangeTest, SelectionMessages) {
  SetLines({"ab", "cd"});
  Edit->SelectRange(BC(2, 2), BC(1, 2), BC(2, 2));
  std::int32_t start = -1, end = -1;
  EXPECT_EQ(Edit->Perform(EM_GETSEL, WPARAM(&start), LPARAM(&end)), 0x00050004);
  EXPECT_EQ(start, 4);
  EXPECT_EQ(end, 5);
  EXPECT_EQ(Edit->Perform(EM_GETSEL), 0x00050004) << "null pointers are skipped";

  EXPECT_EQ(Edit->Perform(EM_SETSEL, 0, 1), 0);
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  EXPECT_EQ(Edit->Perform(EM_GETSELTEXT, 0, LPARAM(buffer)), 1);
  EXPECT_EQ(std::string(buffer, 3), std::string("a\0#", 3));
  EXPECT_EQ(Edit->Perform(EM_GETSELTEXT, 0, 0), 0) << "null buffer";

  Edit->Perform(EM_SETSEL, 1, 6);
  EXPECT_EQ(Edit->SelText(), "b\r\ncd");
}

struct GetLineCase {
  const char* Name;
  WPARAM Line;
  std::uint16_t Size;
  LRESULT Result;
  std::string Buffer;  // the first bytes afterwards ('#' untouched)
  friend void PrintTo(const GetLineCase& c, std::ostream* os) { *os << c.Name; }
};

class GetLine : public ExchangeTest, public ::testing::WithParamInterface<GetLineCase> {};

TEST_P(GetLine, CopiesAtMostTheBufferSize) {
  const GetLineCase& c = GetParam();
  SetLines({"ab", "cd"});
  char buffer[16];
  std::memset(buffer, '#', sizeof(buffer));
  std::memcpy(buffer, &c.Size, sizeof(c.Size));
  EXPECT_EQ(Edit->Perform(EM_GETLINE, c.Line, LPARAM(buffer)), c.Result);
  EXPECT_EQ(std::string(buffer, c.Buffer.size()), c.Buffer);
}

INSTANTIATE_TEST_SUITE_P(Cases, GetLine,
                         ::testing::Values(GetLineCase{"Whole", 1, 10, 2, std::string("cd\0#", 4)},
                                           GetLineCase{"Exact", 1, 2, 2, std::string("cd##", 4)},
                                           GetLineCase{"Cut", 1, 1, 1, std::string("c###", 4).replace(1, 1, 1, '\0')},
                                           GetLineCase{"ZeroSize", 0, 0, 0, std::string("\0\0##", 4)},
                                           GetLineCase{"PastTheEnd", 2, 10, 0, std::string("\x0a\0##", 4)},
                                           GetLineCase{"Negative", WPARAM(-1), 10, 0, std::string("\x0a\0##", 4)}),
                         [](const ::testing::TestParamInfo<GetLineCase>& i) { return std::string(i.param.Name); });

TEST_F(ExchangeTest, GetLineWithANullBuffer) { EXPECT_EQ(Edit->Perform(EM_GETLINE, 0, 0), 0); }

TEST_F(ExchangeTest, StateMessages) {
  EXPECT_EQ(Edit->Perform(EM_GETLINECOUNT), 0);
  SetLines({"ab", "cd"});
  EXPECT_EQ(Edit->Perform(EM_GETLINECOUNT), 2);
  EXPECT_EQ(Edit->Perform(EM_GETMODIFY), 0);
  EXPECT_EQ(Edit->Perform(EM_SETMODIFY, 1), 0);
  EXPECT_EQ(Edit->Perform(EM_GETMODIFY), 1);
  Edit->Perform(EM_SETMODIFY, 0);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->Perform(EM_GETFIRSTVISIBLELINE), 0);
  std::string text;
  for (int i = 0; i < 50; ++i) text += "x\r\n";
  Edit->SetText(text);
  Edit->SetTopLine(5);
  EXPECT_EQ(Edit->Perform(EM_GETFIRSTVISIBLELINE), 4);
}

TEST_F(ExchangeTest, ReplaceSelUndoesInOneStep) {
  SetLines({"abc", "def"});
  Edit->SelectRange(BC(3, 1), BC(2, 1), BC(2, 2));
  EXPECT_EQ(Edit->Perform(EM_CANUNDO), 0);
  EXPECT_EQ(Edit->Perform(EM_REPLACESEL, 1, LPARAM("X\r\nY")), 0);
  EXPECT_EQ(Joined(), "aX|Yef");
  EXPECT_EQ(Reasons(), (std::vector<int>{urDelete, urPaste}));
  EXPECT_EQ(Edit->Perform(EM_CANUNDO), 1);
  EXPECT_EQ(Edit->Perform(EM_UNDO), 1);
  EXPECT_EQ(Joined(), "abc|def");
  EXPECT_EQ(Edit->SelText(), "bc\r\nd") << "the old text comes back selected";
  EXPECT_EQ(Edit->Perform(EM_UNDO), 0) << "nothing left";

  // Without the can-undo flag nothing is recorded.
  Edit->SelectRange(BC(2, 1), BC(1, 1), BC(2, 1));
  Edit->Perform(EM_REPLACESEL, 0, LPARAM("Z"));
  EXPECT_EQ(Joined(), "Zbc|def");
  EXPECT_EQ(Edit->Perform(EM_CANUNDO), 0);

  // Read-only controls and null texts change nothing.
  Edit->Perform(EM_REPLACESEL, 1, 0);
  Edit->SetReadOnly(true);
  Edit->Perform(EM_REPLACESEL, 1, LPARAM("Q"));
  EXPECT_EQ(Joined(), "Zbc|def");
  EXPECT_EQ(Edit->UndoList()->ItemCount(), 0);
}

// EM_REPLACESEL in every selection mode: the replacement happens in the
// SelectionMode property and undoes back to the old text.
struct ReplaceCase {
  const char* Name;
  TSrcSelectionMode Mode;
  TBufferCoord From, To;
  const char* Text;
  std::string Replaced;
  friend void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.Name; }
};

class ReplaceSel : public ExchangeTest, public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplaceSel, RecordsWhatItInserts) {
  const ReplaceCase& c = GetParam();
  SetLines({"abcd", "efgh", "ijkl"});
  Edit->SetSelectionMode(c.Mode);
  Edit->SelectRange(c.To, c.From, c.To);
  Edit->Perform(EM_REPLACESEL, 1, LPARAM(c.Text));
  EXPECT_EQ(Joined(), c.Replaced);
  Edit->Perform(EM_UNDO);
  EXPECT_EQ(Joined(), "abcd|efgh|ijkl");
  Edit->Redo();
  EXPECT_EQ(Joined(), c.Replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ReplaceSel,
    ::testing::Values(ReplaceCase{"Normal", smNormal, BC(2, 1), BC(3, 2), "X\r\nYY", "aX|YYgh|ijkl"},
                      ReplaceCase{"NormalInsert", smNormal, BC(3, 2), BC(3, 2), "Z", "abcd|efZgh|ijkl"},
                      ReplaceCase{"Column", smColumn, BC(2, 1), BC(4, 2), "X\r\nYYY", "aXd|eYYYh|ijkl"},
                      ReplaceCase{"ColumnBackwards", smColumn, BC(4, 1), BC(2, 2), "XX\r\nY", "aXXd|eYh|ijkl"},
                      ReplaceCase{"ColumnInsert", smColumn, BC(3, 2), BC(3, 2), "1\r\n22\r\n3",
                                  "abcd|ef1gh|ij22kl|  3"},
                      ReplaceCase{"Line", smLine, BC(3, 1), BC(2, 2), "L\r\n", "L|ijkl"},
                      ReplaceCase{"LineInsert", smLine, BC(3, 2), BC(3, 2), "M\r\n", "abcd|M|efgh|ijkl"},
                      ReplaceCase{"LineWithoutBreak", smLine, BC(3, 2), BC(3, 2), "N", "abcd|Nefgh|ijkl"}),
    [](const ::testing::TestParamInfo<ReplaceCase>& i) { return std::string(i.param.Name); });

TEST_F(ExchangeTest, CharFromPos) {
  SetLines({"ab", "cd"});
  auto at = [&](int col, int row) {
    return Edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(X(Edit, col) + 1, Y(Edit, row) + 1));
  };
  EXPECT_EQ(at(2, 1), MakeLong(1, 0));
  EXPECT_EQ(at(1, 2), MakeLong(4, 1));
  EXPECT_EQ(at(20, 2), MakeLong(6, 1)) << "right of the end of the second line";
  EXPECT_EQ(at(2, 7), MakeLong(5, 1)) << "below the text: on its last line";
  EXPECT_EQ(at(20, 7), MakeLong(6, 1)) << "never past the end of the text";
  SetLines({});
  EXPECT_EQ(at(5, 5), 0);
}

TEST_F(ExchangeTest, OtherEditMessagesReturnZero) {
  SetLines({"ab", "cd"});
  Edit->SelectRange(BC(2, 2), BC(1, 1), BC(2, 2));
  TRect rect(1, 2, 3, 4);
  for (UINT msg : {EM_GETRECT, EM_SETRECT, EM_SETRECTNP, EM_SCROLL, EM_LINESCROLL, EM_SCROLLCARET, EM_LINEINDEX,
                   EM_LINELENGTH, EM_LIMITTEXT, EM_LINEFROMCHAR, EM_SETTABSTOPS, EM_EMPTYUNDOBUFFER, EM_SETREADONLY,
                   EM_POSFROMCHAR, EM_GETLIMITTEXT}) {
    EXPECT_EQ(Edit->Perform(msg, 1, LPARAM(&rect)), 0) << msg;
  }
  EXPECT_EQ(rect, TRect(1, 2, 3, 4));
  EXPECT_FALSE(Edit->ReadOnly());
  EXPECT_EQ(Joined(), "ab|cd");
  EXPECT_EQ(Edit->SelText(), "ab\r\nc");
  EXPECT_EQ(Edit->Perform(EM_LINEINDEX, 1, 0), 0);
  EXPECT_EQ(Edit->Perform(EM_LINEFROMCHAR, 5, 0), 0);
}

}  // namespace
