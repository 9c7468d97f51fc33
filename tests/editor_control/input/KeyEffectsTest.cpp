// The default bindings end to end: key messages in, text, caret and
// selection out (default options: auto-indent, tabs to spaces, smart tabs,
// group undo, caret past the line end).
#include "InputFixture.h"
#include "platform/CodePage.h"

namespace {

const TShiftState kNone;
const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kAlt{ssAlt};
const TShiftState kShiftCtrl{ssShift, ssCtrl};
const TShiftState kShiftAlt{ssShift, ssAlt};

struct TStroke {
  Word Vk;
  TShiftState Shift;
};

struct TKeyCase {
  const char* Name;
  std::vector<const char*> Lines;
  TBufferCoord Caret;
  std::vector<TStroke> Keys;
  std::string Want;  // lines joined by "|"
  TBufferCoord WantCaret;
  std::string WantSelected;
};

}  // namespace

TEST_F(InputTest, DefaultBindingEffects) {
  const TKeyCase cases[] = {
      {"letter", {"ab"}, BC(2, 1), {{'X', kNone}}, "axb", BC(3, 1), ""},
      {"capital", {"ab"}, BC(2, 1), {{'X', kShift}}, "aXb", BC(3, 1), ""},
      {"space", {"ab"}, BC(3, 1), {{VK_SPACE, kNone}}, "ab ", BC(4, 1), ""},
      {"backspace", {"abc"}, BC(3, 1), {{VK_BACK, kNone}}, "ac", BC(2, 1), ""},
      {"backspace joins", {"ab", "cd"}, BC(1, 2), {{VK_BACK, kNone}}, "abcd", BC(3, 1), ""},
      {"backspace at the start", {"ab"}, BC(1, 1), {{VK_BACK, kNone}}, "ab", BC(1, 1), ""},
      {"shift+backspace", {"abc"}, BC(3, 1), {{VK_BACK, kShift}}, "ac", BC(2, 1), ""},
      {"delete", {"abc"}, BC(2, 1), {{VK_DELETE, kNone}}, "ac", BC(2, 1), ""},
      {"delete joins", {"ab", "cd"}, BC(3, 1), {{VK_DELETE, kNone}}, "abcd", BC(3, 1), ""},
      {"enter indents", {"  abcd"}, BC(5, 1), {{VK_RETURN, kNone}}, "  ab|  cd", BC(3, 2), ""},
      {"enter at the end", {"  ab"}, BC(5, 1), {{VK_RETURN, kNone}}, "  ab|  ", BC(3, 2), ""},
      {"shift+enter", {"abcd"}, BC(3, 1), {{VK_RETURN, kShift}}, "ab|cd", BC(1, 2), ""},
      {"ctrl+m", {"abcd"}, BC(3, 1), {{'M', kCtrl}}, "ab|cd", BC(1, 2), ""},
      {"ctrl+n keeps the caret", {"abcd"}, BC(3, 1), {{'N', kCtrl}}, "ab|cd", BC(3, 1), ""},
      {"left", {"abc"}, BC(3, 1), {{VK_LEFT, kNone}}, "abc", BC(2, 1), ""},
      {"right past the end", {"abc"}, BC(4, 1), {{VK_RIGHT, kNone}}, "abc", BC(5, 1), ""},
      {"down", {"abc", "de"}, BC(2, 1), {{VK_DOWN, kNone}}, "abc|de", BC(2, 2), ""},
      {"up", {"abc", "de"}, BC(2, 2), {{VK_UP, kNone}}, "abc|de", BC(2, 1), ""},
      {"home", {"  ab"}, BC(4, 1), {{VK_HOME, kNone}}, "  ab", BC(1, 1), ""},
      {"end before the blanks", {"ab  "}, BC(1, 1), {{VK_END, kNone}}, "ab  ", BC(3, 1), ""},
      {"end twice", {"ab  "}, BC(1, 1), {{VK_END, kNone}, {VK_END, kNone}}, "ab  ", BC(5, 1), ""},
      {"ctrl+end", {"ab", "cde"}, BC(2, 1), {{VK_END, kCtrl}}, "ab|cde", BC(4, 2), ""},
      {"ctrl+home", {"ab", "cde"}, BC(2, 2), {{VK_HOME, kCtrl}}, "ab|cde", BC(1, 1), ""},
      {"ctrl+right", {"foo bar"}, BC(1, 1), {{VK_RIGHT, kCtrl}}, "foo bar", BC(5, 1), ""},
      {"ctrl+left", {"foo bar"}, BC(8, 1), {{VK_LEFT, kCtrl}}, "foo bar", BC(5, 1), ""},
      {"ctrl+backspace", {"foo bar"}, BC(8, 1), {{VK_BACK, kCtrl}}, "foo ", BC(5, 1), ""},
      {"ctrl+t", {"foo bar"}, BC(1, 1), {{'T', kCtrl}}, "bar", BC(1, 1), ""},
      {"ctrl+y", {"ab", "cd"}, BC(2, 1), {{'Y', kCtrl}}, "cd", BC(1, 1), ""},
      {"shift+ctrl+y", {"abcd"}, BC(2, 1), {{'Y', kShiftCtrl}}, "a", BC(2, 1), ""},
      {"tab to the tab stop", {"ab"}, BC(3, 1), {{VK_TAB, kNone}}, "ab      ", BC(9, 1), ""},
      {"tab at the start", {"ab"}, BC(1, 1), {{VK_TAB, kNone}}, "        ab", BC(9, 1), ""},
      {"shift+tab", {"        ab"}, BC(9, 1), {{VK_TAB, kShift}}, "ab", BC(1, 1), ""},
      {"insert toggles overwrite", {"abc"}, BC(1, 1), {{VK_INSERT, kNone}, {'X', kNone}}, "xbc", BC(2, 1), ""},
      {"shift+left", {"abc"}, BC(3, 1), {{VK_LEFT, kShift}}, "abc", BC(2, 1), "b"},
      {"shift+right twice", {"abc"}, BC(1, 1), {{VK_RIGHT, kShift}, {VK_RIGHT, kShift}}, "abc", BC(3, 1), "ab"},
      {"shift+down", {"abc", "de"}, BC(2, 1), {{VK_DOWN, kShift}}, "abc|de", BC(2, 2), "bc\r\nd"},
      {"shift+home", {"abc"}, BC(3, 1), {{VK_HOME, kShift}}, "abc", BC(1, 1), "ab"},
      {"shift+ctrl+end", {"ab", "cd"}, BC(2, 1), {{VK_END, kShiftCtrl}}, "ab|cd", BC(3, 2), "b\r\ncd"},
      {"shift+ctrl+right", {"foo bar"}, BC(1, 1), {{VK_RIGHT, kShiftCtrl}}, "foo bar", BC(5, 1), "foo "},
      {"ctrl+a", {"ab", "cd"}, BC(1, 1), {{'A', kCtrl}}, "ab|cd", BC(3, 2), "ab\r\ncd"},
      {"typing replaces the selection", {"abc"}, BC(1, 1), {{VK_RIGHT, kShift}, {'X', kNone}}, "xbc", BC(2, 1), ""},
      {"backspace deletes the selection", {"abc"}, BC(3, 1), {{VK_HOME, kShift}, {VK_BACK, kNone}}, "c", BC(1, 1), ""},
      {"ctrl+z", {"ab"}, BC(3, 1), {{'X', kNone}, {'Y', kNone}, {'Z', kCtrl}}, "ab", BC(3, 1), ""},
      {"shift+ctrl+z",
       {"ab"},
       BC(3, 1),
       {{'X', kNone}, {'Y', kNone}, {'Z', kCtrl}, {'Z', kShiftCtrl}},
       "abxy",
       BC(5, 1),
       ""},
      {"alt+backspace", {"ab"}, BC(3, 1), {{'X', kNone}, {VK_BACK, kAlt}}, "ab", BC(3, 1), ""},
      {"shift+alt+backspace",
       {"ab"},
       BC(3, 1),
       {{'X', kNone}, {VK_BACK, kAlt}, {VK_BACK, kShiftAlt}},
       "abx",
       BC(4, 1),
       ""},
      {"undo a line break", {"  abcd"}, BC(5, 1), {{VK_RETURN, kNone}, {'Z', kCtrl}}, "  abcd", BC(5, 1), ""},
      {"a caret move splits the undo",
       {"ab"},
       BC(3, 1),
       {{'X', kNone}, {VK_LEFT, kNone}, {'Y', kNone}, {'Z', kCtrl}},
       "abx",
       BC(3, 1),
       ""},
      {"shift+ctrl+i",
       {"ab", "cd"},
       BC(1, 1),
       {{'A', kCtrl}, {'I', kShiftCtrl}},
       "        ab|        cd",
       BC(11, 2),
       "ab\r\n        cd"},
      {"shift+ctrl+b", {"a(b)c"}, BC(2, 1), {{'B', kShiftCtrl}}, "a(b)c", BC(4, 1), ""},
      {"cut and paste",
       {"abc"},
       BC(1, 1),
       {{'A', kCtrl}, {'X', kCtrl}, {'V', kCtrl}, {'V', kCtrl}},
       "abcabc",
       BC(7, 1),
       ""},
      {"copy and paste",
       {"abc"},
       BC(1, 1),
       {{VK_RIGHT, kShift}, {VK_INSERT, kCtrl}, {VK_END, kNone}, {VK_INSERT, kShift}},
       "abca",
       BC(5, 1),
       ""},
  };
  for (const TKeyCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->Lines()->Clear();
    for (const char* l : c.Lines) Edit->Lines()->Add(l);
    Edit->ClearUndoRedo();
    Edit->SetInsertMode(true);
    Edit->SelectRange(c.Caret, c.Caret, c.Caret);
    ASSERT_EQ(Edit->Caret(), c.Caret);
    for (const TStroke& k : c.Keys) Press(k.Vk, k.Shift);
    EXPECT_EQ(Joined(), c.Want);
    EXPECT_EQ(Edit->Caret(), c.WantCaret);
    EXPECT_EQ(Edit->GetSelectedText(), c.WantSelected);
  }
}

// Characters typed on a Russian layout arrive in Windows-1251 and go in
// as they are.
TEST_F(InputTest, TypedCyrillicGoesIn) {
  for (unsigned char c : Ansi("Привет")) Edit->Perform(WM_CHAR, c, 1);
  EXPECT_EQ(Joined(), Ansi("Привет"));
  EXPECT_EQ(Edit->Caret(), BC(7, 1));
}

// A composed input-method result goes in once as ecImeStr; the characters
// the window system sends for it afterwards are skipped, the next typed one
// is not.
TEST_F(InputTest, ImeResultGoesInOnce) {
  Fake.ImeCommit(Wnd, Ansi("мир"));
  EXPECT_EQ(Joined(), Ansi("мир"));
  Type("x");
  EXPECT_EQ(Joined(), Ansi("мир") + "x");
  EXPECT_EQ(Edit->Caret(), BC(5, 1));
  EXPECT_EQ(Edit->FImeCount, 0);
}
