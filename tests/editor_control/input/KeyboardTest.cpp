// The key-down, key-up and character paths: bindings and chords looked up
// from key messages, the command processor and its events, the handler
// chains and the characters that a command key leaves behind.
#include "InputFixture.h"

namespace {
const TShiftState kNone;
const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kAlt{ssAlt};
const TShiftState kShiftCtrl{ssShift, ssCtrl};
const TShiftState kShiftAlt{ssShift, ssAlt};
constexpr char kCtrlK = '\x0B';
}  // namespace

// Default bindings reach the command processor from key messages with the
// modifiers of the key state; the character a command key makes is dropped.
TEST_F(InputTest, DefaultBindingsFromKeyMessages) {
  struct {
    Word vk;
    TShiftState shift;
    TSrcEditorCommand command;
  } cases[] = {
      {VK_UP, kNone, ecUp},
      {VK_UP, kShift, ecSelUp},
      {VK_UP, kCtrl, ecScrollUp},
      {VK_LEFT, kShiftCtrl, ecSelWordLeft},
      {VK_RIGHT, kCtrl, ecWordRight},
      {VK_NEXT, kShiftCtrl, ecSelPageBottom},
      {VK_PRIOR, kNone, ecPageUp},
      {VK_HOME, kCtrl, ecEditorTop},
      {VK_END, kShift, ecSelLineEnd},
      {VK_INSERT, kNone, ecToggleMode},
      {VK_INSERT, kCtrl, ecCopy},
      {VK_INSERT, kShift, ecPaste},
      {VK_DELETE, kShift, ecCut},
      {VK_DELETE, kNone, ecDeleteChar},
      {VK_BACK, kNone, ecDeleteLastChar},
      {VK_BACK, kShift, ecDeleteLastChar},
      {VK_BACK, kCtrl, ecDeleteLastWord},
      {VK_BACK, kAlt, ecUndo},
      {VK_BACK, kShiftAlt, ecRedo},
      {VK_RETURN, kNone, ecLineBreak},
      {VK_RETURN, kShift, ecLineBreak},
      {VK_TAB, kNone, ecTab},
      {VK_TAB, kShift, ecShiftTab},
      {VK_F1, kNone, ecContextHelp},
      {'A', kCtrl, ecSelectAll},
      {'M', kCtrl, ecLineBreak},
      {'N', kCtrl, ecInsertLine},
      {'N', kShiftCtrl, ecNormalSelect},
      {'Y', kShiftCtrl, ecDeleteEOL},
      {'Z', kCtrl, ecUndo},
      {'Z', kShiftCtrl, ecRedo},
      {'0', kCtrl, ecGotoMarker0},
      {'9', kShiftCtrl, ecSetMarker9},
      {'B', kShiftCtrl, ecMatchBracket},
  };
  for (const auto& c : cases) {
    Seen.clear();
    Edit->Executed.clear();
    Press(c.vk, c.shift);
    EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{c.command, '\0'}})) << "vk " << c.vk << " shift " << c.shift.Bits();
    EXPECT_EQ(Edit->Executed, std::vector<TSrcEditorCommand>{c.command}) << "vk " << c.vk;
  }
}

// Ctrl+M runs one line break and the character it makes (13) is swallowed;
// an unbound key lets its character through.
TEST_F(InputTest, CommandKeySwallowsItsCharacter) {
  Press('M', kCtrl);
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecLineBreak, '\0'}}));
  EXPECT_EQ(Edit->StateFlags() & sfIgnoreNextChar, 0);
  Seen.clear();
  Type("x");
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, 'x'}}));
  Seen.clear();
  // A key-down with a command followed by a key-down without one: the
  // second key's character goes through.
  HoldModifiers(kNone);
  Edit->Perform(WM_KEYDOWN, VK_RETURN, 1);
  Edit->Perform(WM_KEYDOWN, VK_SPACE, 1);
  Edit->Perform(WM_CHAR, ' ', 1);
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecLineBreak, '\0'}, {ecChar, ' '}}));
}

TEST_F(InputTest, CharactersReachTheProcessorInWindows1251) {
  Edit->Perform(WM_CHAR, 0xE0, 1);  // Cyrillic small a
  Edit->Perform(WM_CHAR, 0xDF, 1);  // Cyrillic capital ya
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, '\xE0'}, {ecChar, '\xDF'}}));
}

TEST_F(InputTest, ImeSkipCountSwallowsCharacters) {
  Edit->FImeCount = 2;
  Type("abc");
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, 'c'}}));
  EXPECT_EQ(Edit->FImeCount, 0);
}

TEST_F(InputTest, ChordWaitsForExactlyTheNextKeyDown) {
  constexpr TSrcEditorCommand kChord = ecUserFirst + 7;
  Edit->Keystrokes()->AddBinding(kChord, 'K', kCtrl, 'B', kNone);
  // Ctrl (17) down clears; K with Ctrl is a first key; B completes it.
  KeyDownOnly(VK_CONTROL);
  Press('K', kCtrl);
  // Ctrl+K alone has no binding: its control character goes on as ecChar
  // (which the executor ignores).
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, kCtrlK}}));
  Press('B');
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, kCtrlK}, {kChord, '\0'}}));
  EXPECT_EQ(Edit->Executed, std::vector<TSrcEditorCommand>{ecChar}) << "user commands never reach the executor";

  // Shift pressed in between ends the pending key.
  Seen.clear();
  Press('K', kCtrl);
  KeyDownOnly(VK_SHIFT);
  Press('B');
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, kCtrlK}, {ecChar, 'b'}}));

  // Any other key ends or replaces it.
  Seen.clear();
  Press('K', kCtrl);
  Press('Q');
  Press('B');
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, kCtrlK}, {ecChar, 'q'}, {ecChar, 'b'}}));

  // A second Ctrl+K replaces the first; the chord still completes.
  Seen.clear();
  Press('K', kCtrl);
  Press('K', kCtrl);
  Press('B');
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, kCtrlK}, {ecChar, kCtrlK}, {kChord, '\0'}}));
}

TEST_F(InputTest, ChordTakesPrecedenceOverTheSingleKey) {
  constexpr TSrcEditorCommand kChord = ecUserFirst + 1;
  Edit->Keystrokes()->AddBinding(kChord, 'K', kCtrl, VK_UP, kNone);
  Press('K', kCtrl);
  Press(VK_UP);
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, kCtrlK}, {kChord, '\0'}}));
  Seen.clear();
  Press(VK_UP);
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecUp, '\0'}}));
}

// A key that an OnKeyDown handler or a chain handler consumed runs nothing,
// not even a binding without a key, and no chord with an empty first key
// matches.
TEST_F(InputTest, ConsumedKeyRunsNoBinding) {
  Edit->Keystrokes()->AddBinding(ecUserFirst + 2, 0, kNone);
  Edit->Keystrokes()->AddBinding(ecUserFirst + 3, 0, kNone, 'B', kNone);
  Edit->OnKeyDown = [](TObject*, std::uint16_t& key, TShiftState) {
    if (key == 'X') key = 0;
  };
  Press('X');
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, 'x'}})) << "no binding runs; the character goes in";
  Seen.clear();
  Press('B');
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, 'b'}}));

  // The chain: handlers run from the last added to the first and stop once
  // one has taken the key.
  std::vector<int> order;
  Edit->OnKeyDown = nullptr;
  Edit->KbdHandler()->AddKeyDownHandler(&order, [&](TObject*, std::uint16_t& key, TShiftState) { order.push_back(1); });
  Edit->KbdHandler()->AddKeyDownHandler(&order, [&](TObject*, std::uint16_t& key, TShiftState) {
    order.push_back(2);
    if (key == VK_UP) key = 0;
  });
  Seen.clear();
  Press(VK_UP);
  Press(VK_DOWN);
  EXPECT_EQ(order, (std::vector<int>{2, 2, 1}));
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecDown, '\0'}}));
}

TEST_F(InputTest, KeyUpAndKeyPressChains) {
  std::vector<Word> ups;
  Edit->KbdHandler()->AddKeyUpHandler(&ups, [&](TObject*, std::uint16_t& key, TShiftState) { ups.push_back(key); });
  Edit->KbdHandler()->AddKeyPressHandler(&ups, [](TObject*, char& key) {
    if (key == 'a') key = 'z';
  });
  Type("ab");
  EXPECT_EQ(ups, (std::vector<Word>{'A', 'B'}));
  EXPECT_EQ(Seen, (std::vector<TSeenCommand>{{ecChar, 'z'}, {ecChar, 'b'}}));
}

TEST_F(InputTest, ProcessCommandEvents) {
  std::vector<TSeenCommand> processed;
  Edit->OnCommandProcessed = [&](TObject*, TSrcEditorCommand& c, char& ch, void*) {
    if (c != ecGotFocus && c != ecLostFocus) processed.push_back({c, ch});
  };
  // A handler may change the command and the character...
  Edit->OnProcessCommand = [](TObject*, TSrcEditorCommand& c, char& ch, void*) {
    if (c == ecChar && ch == 'a') ch = 'b';
    if (c == ecUp) c = ecDown;
    if (c == ecLeft) c = ecNone;
  };
  Type("a");
  Press(VK_UP);
  // ...and cancel it: OnCommandProcessed still fires, with ecNone.
  Press(VK_LEFT);
  EXPECT_EQ(Edit->Executed, (std::vector<TSrcEditorCommand>{ecChar, ecDown}));
  EXPECT_EQ(processed, (std::vector<TSeenCommand>{{ecChar, 'b'}, {ecDown, '\0'}, {ecNone, '\0'}}));

  // 1001 and above go to OnProcessUserCommand and never to the executor.
  bool userSeen = false;
  Edit->OnProcessUserCommand = [&](TObject*, TSrcEditorCommand& c, char&, void*) { userSeen = c == ecUserFirst; };
  processed.clear();
  Edit->Executed.clear();
  Edit->ProcessCommand(ecUserFirst, '\0', nullptr);
  EXPECT_TRUE(userSeen);
  EXPECT_TRUE(Edit->Executed.empty());
  EXPECT_EQ(processed, (std::vector<TSeenCommand>{{ecUserFirst, '\0'}}));
}

TEST_F(InputTest, CommandHooksAroundTheExecutor) {
  std::vector<std::string> calls;
  int tag = 0;
  Edit->AddCommandHook(
      [&](TObject*, bool after, bool& handled, TSrcEditorCommand& c, char&, void*, void* data) {
        EXPECT_EQ(data, &tag);
        calls.push_back(std::string(after ? "after " : "before ") + std::to_string(c));
        if (!after && c == ecDown) handled = true;
      },
      &tag);
  Press(VK_UP);
  Press(VK_DOWN);
  EXPECT_EQ(calls, (std::vector<std::string>{"before 3", "after 3", "before 4"}));
  EXPECT_EQ(Edit->Executed, (std::vector<TSrcEditorCommand>{ecUp})) << "a handled command does not run";
}
