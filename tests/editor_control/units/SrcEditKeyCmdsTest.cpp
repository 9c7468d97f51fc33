#include "SrcEditKeyCmds.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "platform/Messages.h"

namespace {

const TShiftState kNone;
const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kAlt{ssAlt};
const TShiftState kShiftCtrl{ssShift, ssCtrl};
const TShiftState kShiftAlt{ssShift, ssAlt};

TEST(EditorCommandTable, HundredUniqueEntriesThatRoundTrip) {
  const TSrcEditorCommandEntry* table = EditorCommandTable();
  std::set<int> numbers;
  std::set<std::string> names;
  for (int i = 0; i < EditorCommandCount; ++i) {
    numbers.insert(table[i].Value);
    names.insert(table[i].Name);
    std::string ident;
    ASSERT_TRUE(CommandToIdent(table[i].Value, ident));
    EXPECT_EQ(ident, table[i].Name);
    int back = -1;
    ASSERT_TRUE(CommandFromIdent(ident, back));
    EXPECT_EQ(back, table[i].Value);
    EXPECT_EQ(CommandToText(table[i].Value), table[i].Name);
  }
  EXPECT_EQ(numbers.size(), 100u);
  EXPECT_EQ(names.size(), 100u);
  // Table order: the clipboard group keeps ecCopy between ecCut and ecPaste.
  EXPECT_STREQ(table[50].Name, "ecCut");
  EXPECT_STREQ(table[51].Name, "ecCopy");
  EXPECT_STREQ(table[99].Name, "ecString");
}

struct NamedCommand {
  const char* name;
  int number;
};
const NamedCommand kNamedCommands[] = {
    {"ecNone", 0},
    {"ecGotoXY", 17},
    {"ecSelLeft", 101},
    {"ecSelGotoXY", 117},
    {"ecSelectAll", 199},
    {"ecCopy", 201},
    {"ecScrollRight", 214},
    {"ecToggleMode", 223},
    {"ecLineSelect", 233},
    {"ecMatchBracket", 250},
    {"ecCommentBlock", 251},
    {"ecGotoMarker0", 301},
    {"ecSetMarker9", 360},
    {"ecContextHelp", 490},
    {"ecDeleteLastChar", 501},
    {"ecChar", 511},
    {"ecImeStr", 550},
    {"ecUndo", 601},
    {"ecPaste", 604},
    {"ecShiftTab", 613},
    {"ecTitleCase", 623},
    {"ecUpperCaseBlock", 625},
    {"ecToggleCaseBlock", 627},
    {"ecString", 630},
    {"ecAutoCompletion", 650},
    {"ecUserFirst", 1001},
};

TEST(EditorCommandTable, NamesAndNumbers) {
  for (const NamedCommand& c : kNamedCommands) {
    int n = -1;
    EXPECT_TRUE(CommandFromIdent(c.name, n)) << c.name;
    EXPECT_EQ(n, c.number) << c.name;
  }
  EXPECT_EQ(CommandToText(624), "624");
  EXPECT_EQ(CommandToText(ecGotFocus), "480");
  std::string ident = "unchanged";
  EXPECT_FALSE(CommandToIdent(624, ident));
  EXPECT_EQ(ident, "unchanged");
  int n = 7;
  EXPECT_FALSE(CommandFromIdent("ecNoSuchThing", n));
  EXPECT_EQ(n, 7);
  TSrcEditorCommand cmd = 0;
  EXPECT_TRUE(TextToCommand("624", cmd));
  EXPECT_EQ(cmd, 624);
  EXPECT_FALSE(TextToCommand("70000", cmd));
}

TEST(ShortCuts, EncodingAndText) {
  EXPECT_EQ(SrcShortCut('Z', kCtrl), 0x405A);
  EXPECT_EQ(SrcShortCut(VK_LEFT, kShiftCtrl), 0x6025);
  EXPECT_EQ(SrcShortCut(VK_BACK, kShiftAlt), 0xA008);
  EXPECT_EQ(SrcShortCut(0x100, kNone), 0);
  std::uint16_t key = 0;
  TShiftState shift;
  SrcShortCutToKey(0xA008, key, shift);
  EXPECT_EQ(key, VK_BACK);
  EXPECT_EQ(shift, kShiftAlt);
  EXPECT_EQ(SrcShortCutToText(0x405A), "Ctrl+Z");
  EXPECT_EQ(SrcShortCutToText(0x6025), "Shift+Ctrl+Left");
  EXPECT_EQ(SrcShortCutToText(0xA008), "Shift+Alt+BkSp");
  EXPECT_EQ(SrcShortCutToText(0x70), "F1");
  EXPECT_EQ(SrcShortCutToText(0), "");
}

struct DefaultBinding {
  std::uint16_t key;
  TShiftState shift;
  TSrcEditorCommand command;
};

// The 82 defaults in collection order.
const DefaultBinding kDefaults[] = {
    {VK_UP, kNone, ecUp},
    {VK_UP, kShift, ecSelUp},
    {VK_UP, kCtrl, ecScrollUp},
    {VK_DOWN, kNone, ecDown},
    {VK_DOWN, kShift, ecSelDown},
    {VK_DOWN, kCtrl, ecScrollDown},
    {VK_LEFT, kNone, ecLeft},
    {VK_LEFT, kShift, ecSelLeft},
    {VK_LEFT, kCtrl, ecWordLeft},
    {VK_LEFT, kShiftCtrl, ecSelWordLeft},
    {VK_RIGHT, kNone, ecRight},
    {VK_RIGHT, kShift, ecSelRight},
    {VK_RIGHT, kCtrl, ecWordRight},
    {VK_RIGHT, kShiftCtrl, ecSelWordRight},
    {VK_NEXT, kNone, ecPageDown},
    {VK_NEXT, kShift, ecSelPageDown},
    {VK_NEXT, kCtrl, ecPageBottom},
    {VK_NEXT, kShiftCtrl, ecSelPageBottom},
    {VK_PRIOR, kNone, ecPageUp},
    {VK_PRIOR, kShift, ecSelPageUp},
    {VK_PRIOR, kCtrl, ecPageTop},
    {VK_PRIOR, kShiftCtrl, ecSelPageTop},
    {VK_HOME, kNone, ecLineStart},
    {VK_HOME, kShift, ecSelLineStart},
    {VK_HOME, kCtrl, ecEditorTop},
    {VK_HOME, kShiftCtrl, ecSelEditorTop},
    {VK_END, kNone, ecLineEnd},
    {VK_END, kShift, ecSelLineEnd},
    {VK_END, kCtrl, ecEditorBottom},
    {VK_END, kShiftCtrl, ecSelEditorBottom},
    {VK_INSERT, kNone, ecToggleMode},
    {VK_INSERT, kCtrl, ecCopy},
    {VK_DELETE, kShift, ecCut},
    {VK_INSERT, kShift, ecPaste},
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
    {112, kNone, ecContextHelp},
    {'A', kCtrl, ecSelectAll},
    {'C', kCtrl, ecCopy},
    {'V', kCtrl, ecPaste},
    {'X', kCtrl, ecCut},
    {'I', kShiftCtrl, ecBlockIndent},
    {'U', kShiftCtrl, ecBlockUnindent},
    {'M', kCtrl, ecLineBreak},
    {'N', kCtrl, ecInsertLine},
    {'T', kCtrl, ecDeleteWord},
    {'Y', kCtrl, ecDeleteLine},
    {'Y', kShiftCtrl, ecDeleteEOL},
    {'Z', kCtrl, ecUndo},
    {'Z', kShiftCtrl, ecRedo},
    {'0', kCtrl, ecGotoMarker0},
    {'1', kCtrl, ecGotoMarker1},
    {'2', kCtrl, ecGotoMarker2},
    {'3', kCtrl, ecGotoMarker3},
    {'4', kCtrl, ecGotoMarker4},
    {'5', kCtrl, ecGotoMarker5},
    {'6', kCtrl, ecGotoMarker6},
    {'7', kCtrl, ecGotoMarker7},
    {'8', kCtrl, ecGotoMarker8},
    {'9', kCtrl, ecGotoMarker9},
    {'0', kShiftCtrl, ecSetMarker0},
    {'1', kShiftCtrl, ecSetMarker1},
    {'2', kShiftCtrl, ecSetMarker2},
    {'3', kShiftCtrl, ecSetMarker3},
    {'4', kShiftCtrl, ecSetMarker4},
    {'5', kShiftCtrl, ecSetMarker5},
    {'6', kShiftCtrl, ecSetMarker6},
    {'7', kShiftCtrl, ecSetMarker7},
    {'8', kShiftCtrl, ecSetMarker8},
    {'9', kShiftCtrl, ecSetMarker9},
    {'N', kShiftCtrl, ecNormalSelect},
    {'C', kShiftCtrl, ecColumnSelect},
    {'L', kShiftCtrl, ecLineSelect},
    {'B', kShiftCtrl, ecMatchBracket},
};

TEST(KeyStrokeDefaults, EveryDefaultIsFoundAtItsPlace) {
  ASSERT_EQ(sizeof(kDefaults) / sizeof(kDefaults[0]), 82u);
  TSrcEditKeyStrokes keys(nullptr);
  keys.Add();  // LoadDefaults clears first
  keys.LoadDefaults();
  ASSERT_EQ(keys.Count(), 82);
  for (int i = 0; i < 82; ++i) {
    const DefaultBinding& d = kDefaults[i];
    const TSrcEditKeyStroke* k = keys.Items(i);
    EXPECT_EQ(k->Key(), d.key) << i;
    EXPECT_EQ(k->Shift(), d.shift) << i;
    EXPECT_EQ(k->Key2(), 0) << i;
    EXPECT_EQ(k->Command(), d.command) << i;
    EXPECT_EQ(keys.FindSingleKey(d.key, d.shift), i) << i;
    EXPECT_EQ(k->Index(), i);
  }
  EXPECT_EQ(keys.FindSingleKey(VK_RETURN, kNone), 40);  // item 41
  EXPECT_EQ(keys.FindSingleKey('K', kCtrl), -1);
  EXPECT_EQ(keys.FindShortcut(0x405A), keys.FindSingleKey('Z', kCtrl));
  EXPECT_EQ(keys.FindCommand(ecMatchBracket), 81);
}

TEST(KeyStrokes, ShortCutSettersRefuseDuplicates) {
  TSrcEditKeyStrokes keys(nullptr);
  keys.LoadDefaults();
  TSrcEditKeyStroke* k = keys.Add();
  k->SetShortCut(SrcShortCut('Q', kCtrl));
  try {
    k->SetShortCut(SrcShortCut('Z', kCtrl));
    FAIL() << "no ESrcKeyError";
  } catch (const ESrcKeyError& e) {
    EXPECT_EQ(e.Message(), "Shortcut already exists");
  }
  EXPECT_EQ(k->ShortCut(), SrcShortCut('Q', kCtrl));  // old keys kept
  k->SetShortCut(0);
  EXPECT_EQ(k->Key(), 0);
  TSrcEditKeyStroke* other = keys.Add();
  other->SetShortCut(0);  // two items with shortcut 0 are fine
  k->SetShortCut(SrcShortCut('K', kCtrl));
  EXPECT_EQ(k->ShortCut(), 0x404B);
  k->SetShortCut(SrcShortCut('K', kCtrl));  // the item itself is no duplicate

  // Chords: Ctrl+K, B and Ctrl+K, Ctrl+B differ; a second Ctrl+K, B does not.
  k->SetShortCut2('B');
  other->SetShortCut(SrcShortCut('K', kCtrl));
  EXPECT_THROW(other->SetShortCut2('B'), ESrcKeyError);
  other->SetShortCut2(SrcShortCut('B', kCtrl));
  EXPECT_EQ(keys.FindChord('K', kCtrl, 'B', kNone), keys.IndexOf(k));
  EXPECT_EQ(keys.FindChord('K', kCtrl, 'B', kCtrl), keys.IndexOf(other));
  EXPECT_EQ(keys.FindShortCuts(0x404B, 0x4042), keys.IndexOf(other));
  EXPECT_EQ(k->DisplayName(), "ecNone - Ctrl+K B");
  EXPECT_EQ(keys.Items(56)->DisplayName(), "ecUndo - Ctrl+Z ");
}

TEST(KeyStrokes, EmptyFirstKeyNeverMatches) {
  TSrcEditKeyStrokes keys(nullptr);
  TSrcEditKeyStroke* k = keys.Add();
  k->SetCommand(ecUndo);  // no keys at all
  TSrcEditKeyStroke* chord = keys.Add();
  chord->SetKey2('K');
  chord->SetCommand(ecRedo);
  EXPECT_EQ(keys.FindSingleKey(0, kNone), -1);
  EXPECT_EQ(keys.FindChord(0, kNone, 'K', kNone), -1);
  EXPECT_EQ(keys.FindShortcut2(0, 'K'), -1);
}

TEST(KeyStrokes, AssignCopiesWithoutChecks) {
  TSrcEditKeyStrokes a(nullptr);
  a.AddBinding(ecUndo, 'Z', kCtrl);
  a.AddBinding(ecRedo, 'Z', kCtrl);  // a duplicate: AddBinding does not check
  a.AddBinding(ecCopy, 'K', kCtrl, 'C', kNone);
  TSrcEditKeyStrokes b(nullptr);
  b.LoadDefaults();
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 3);
  EXPECT_TRUE(b.Equals(&a));
  EXPECT_NE(b.Items(0), a.Items(0));
  EXPECT_EQ(b.Items(2)->Key2(), 'C');
  b.Items(1)->SetCommand(ecCut);
  EXPECT_FALSE(b.Equals(&a));
  EXPECT_THROW(b.Items(5), EListError);
  EXPECT_THROW(b.Assign(nullptr), EConvertError);
}

TEST(KeyStrokeDifferences, DefaultsWriteNothing) {
  TSrcEditKeyStrokes keys(nullptr);
  keys.LoadDefaults();
  TStringList out;
  keys.SaveDifferences(&out);
  EXPECT_EQ(out.Count(), 0);
}

TEST(KeyStrokeDifferences, RemovedAndAddedRoundTrip) {
  TSrcEditKeyStrokes keys(nullptr);
  keys.LoadDefaults();
  keys.Delete(keys.FindSingleKey('Y', kCtrl));
  keys.AddBinding(ecDeleteLine, 'K', kCtrl);
  TStringList out;
  keys.SaveDifferences(&out);
  EXPECT_EQ(out.Text(),
            "RemovedKeystrokes = <\r\n"
            "  item\r\n"
            "    Command = ecDeleteLine\r\n"
            "    ShortCut = 16473\r\n"
            "  end>\r\n"
            "AddedKeystrokes = <\r\n"
            "  item\r\n"
            "    Command = ecDeleteLine\r\n"
            "    ShortCut = 16459\r\n"
            "  end>\r\n");

  TSrcEditKeyStrokes read(nullptr);
  read.LoadDefaults();
  read.LoadDifferences(&out);
  EXPECT_TRUE(read.Equals(&keys));

  // Through a stream as well.
  TMemoryStream stream;
  keys.SaveDifferences(&stream);
  stream.SetPosition(0);
  TSrcEditKeyStrokes fromStream(nullptr);
  fromStream.LoadDefaults();
  fromStream.LoadDifferences(&stream);
  EXPECT_TRUE(fromStream.Equals(&keys));
}

TEST(KeyStrokeDifferences, StoredDuplicatesAndChordsReadBack) {
  TSrcEditKeyStrokes keys(nullptr);
  keys.LoadDefaults();
  keys.AddBinding(ecRedo, 'Z', kCtrl);  // the same shortcut as the default undo
  keys.AddBinding(ecRedo, 'Z', kCtrl);
  keys.AddBinding(ecUserFirst + 5, 'K', kCtrl, 'B', kShift);
  keys.AddBinding(700, 'J', kAlt);
  TStringList out;
  keys.SaveDifferences(&out);
  EXPECT_NE(out.Text().find("Command = 700"), std::string::npos);
  EXPECT_NE(out.Text().find("RemovedKeystrokes = <>"), std::string::npos);
  TSrcEditKeyStrokes read(nullptr);
  read.LoadDefaults();
  read.LoadDifferences(&out);
  EXPECT_TRUE(read.Equals(&keys));
  EXPECT_EQ(read.Count(), 86);
}

// Saves the differences of `keys`, reads them back into fresh defaults and
// checks that every shortcut of either collection finds the same command.
void ExpectTheSameFindsAfterARoundTrip(const TSrcEditKeyStrokes& keys, const std::string& context) {
  TStringList out;
  keys.SaveDifferences(&out);
  TSrcEditKeyStrokes back(nullptr);
  back.LoadDefaults();
  back.LoadDifferences(&out);
  for (const TSrcEditKeyStrokes* from : {&keys, static_cast<const TSrcEditKeyStrokes*>(&back)})
    for (int i = 0; i < from->Count(); ++i) {
      const TSrcEditKeyStroke* k = from->Items(i);
      if (k->ShortCut() == 0) continue;  // never found
      int a = keys.FindShortCuts(k->ShortCut(), k->ShortCut2());
      int b = back.FindShortCuts(k->ShortCut(), k->ShortCut2());
      ASSERT_TRUE(a >= 0 && b >= 0) << context << "\n" << out.Text();
      ASSERT_EQ(keys.Items(a)->Command(), back.Items(b)->Command()) << context << ": shortcut " << k->ShortCut() << "\n"
                                                                    << out.Text();
    }
}

TEST(KeyStrokeDifferences, EveryKeyFindsTheSameCommandAfterARoundTrip) {
  // Removing the default Ctrl+Y, a binding without a command, Ctrl+Y and
  // Ctrl+Z to undo; then two Ctrl+Z bindings that only their order tells
  // apart.
  const char* texts[] = {
      "RemovedKeystrokes = <\r\n  item\r\n    Command = ecDeleteLine\r\n    ShortCut = 16473\r\n  end>\r\n"
      "AddedKeystrokes = <\r\n  item\r\n    Command = ecNone\r\n  end\r\n"
      "  item\r\n    Command = ecUndo\r\n    ShortCut = 16473\r\n  end\r\n"
      "  item\r\n    Command = ecUndo\r\n    ShortCut = 16474\r\n  end>\r\n",
      "RemovedKeystrokes = <\r\n  item\r\n    Command = ecUndo\r\n    ShortCut = 16474\r\n  end>\r\n"
      "AddedKeystrokes = <\r\n  item\r\n    Command = ecRedo\r\n    ShortCut = 16474\r\n  end\r\n"
      "  item\r\n    Command = ecUndo\r\n    ShortCut = 16474\r\n  end>\r\n",
  };
  for (const char* text : texts) {
    TStringList in;
    in.SetText(text);
    TSrcEditKeyStrokes keys(nullptr);
    keys.LoadDefaults();
    keys.LoadDifferences(&in);
    ExpectTheSameFindsAfterARoundTrip(keys, text);
  }
  // Random edits of the defaults.
  std::mt19937 rng(140);
  const TSrcEditorCommand commands[] = {ecNone, ecUndo, ecRedo, ecDeleteLine, ecCut};
  const std::uint16_t keysUsed[] = {'Y', 'Z', 'X', 'K'};
  for (int round = 0; round < 300; ++round) {
    TSrcEditKeyStrokes keys(nullptr);
    keys.LoadDefaults();
    for (int n = static_cast<int>(rng() % 6); n > 0; --n) {
      if (rng() % 3 == 0) {
        keys.Delete(static_cast<int>(rng() % static_cast<unsigned>(keys.Count())));
      } else {
        const std::uint16_t key = rng() % 5 == 0 ? 0 : keysUsed[rng() % 4];
        keys.AddBinding(commands[rng() % 5], key, kCtrl, rng() % 4 == 0 ? 'B' : 0, kShift);
      }
    }
    ExpectTheSameFindsAfterARoundTrip(keys, "round " + std::to_string(round));
  }
}

TEST(KeyStrokeDifferences, RemovedNeedsTheSameCommand) {
  TStringList in;
  in.SetText(
      "RemovedKeystrokes = <\r\n  item\r\n    Command = ecCut\r\n    ShortCut = 16473\r\n  end\r\n"
      "  item\r\n    Command = ecUndo\r\n    ShortCut = 16474\r\n  end>\r\n");
  TSrcEditKeyStrokes keys(nullptr);
  keys.LoadDefaults();
  keys.LoadDifferences(&in);
  EXPECT_EQ(keys.Count(), 81);  // Ctrl+Y is ecDeleteLine, not ecCut: kept
  EXPECT_GE(keys.FindSingleKey('Y', kCtrl), 0);
  EXPECT_EQ(keys.FindSingleKey('Z', kCtrl), -1);
}

TEST(KeyStrokeDifferences, UnreadableTextChangesNothing) {
  const char* bad[] = {
      "AddedKeystrokes = <\r\n  item\r\n    Command = ecNoSuch\r\n  end>\r\n",
      "AddedKeystrokes = <\r\n  item\r\n    Command = ecUndo\r\n    ShortCut = x1\r\n  end>\r\n",
      "AddedKeystrokes = <\r\n  item\r\n    Command = ecUndo\r\n",
      "Keystrokes = <>\r\n",
      "AddedKeystrokes = <\r\n  item\r\n    Colour = 1\r\n  end>\r\n",
  };
  for (const char* text : bad) {
    TStringList in;
    in.SetText(text);
    TSrcEditKeyStrokes keys(nullptr);
    keys.LoadDefaults();
    EXPECT_THROW(keys.LoadDifferences(&in), EReadError) << text;
    EXPECT_EQ(keys.Count(), 82) << text;
  }
}

}  // namespace
