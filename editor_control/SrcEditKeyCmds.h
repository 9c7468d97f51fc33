// Editor commands and key bindings of the editing control.
//
// Every action a key can trigger is a numbered command (TSrcEditorCommand,
// an unsigned 16-bit number). The command table names the control's own
// commands; 1001 (ecUserFirst) and above belong to the application.
//
// A key binding (TSrcEditKeyStroke) ties a command to one key with its
// modifiers, or to a chord of two keys. TSrcEditKeyStrokes is the
// collection of a control; lookups take the first match, so the order of
// the collection matters. LoadDefaults fills it with the 82 default
// bindings.
//
// Bindings are stored as differences from a base collection (the defaults,
// or an ancestor's collection): "RemovedKeystrokes" and "AddedKeystrokes",
// written as text (see SaveDifferences).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SrcEditTypesEx.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/SysUtils.h"

// ---------------------------------------------------------------------------
// Command numbers.
constexpr TSrcEditorCommand ecNone = 0;

constexpr TSrcEditorCommand ecLeft = 1;
constexpr TSrcEditorCommand ecRight = 2;
constexpr TSrcEditorCommand ecUp = 3;
constexpr TSrcEditorCommand ecDown = 4;
constexpr TSrcEditorCommand ecWordLeft = 5;
constexpr TSrcEditorCommand ecWordRight = 6;
constexpr TSrcEditorCommand ecLineStart = 7;
constexpr TSrcEditorCommand ecLineEnd = 8;
constexpr TSrcEditorCommand ecPageUp = 9;
constexpr TSrcEditorCommand ecPageDown = 10;
constexpr TSrcEditorCommand ecPageLeft = 11;
constexpr TSrcEditorCommand ecPageRight = 12;
constexpr TSrcEditorCommand ecPageTop = 13;
constexpr TSrcEditorCommand ecPageBottom = 14;
constexpr TSrcEditorCommand ecEditorTop = 15;
constexpr TSrcEditorCommand ecEditorBottom = 16;
constexpr TSrcEditorCommand ecGotoXY = 17;

// The selecting twin of a navigation command is 100 higher.
constexpr TSrcEditorCommand ecSelection = 100;
constexpr TSrcEditorCommand ecSelLeft = 101;
constexpr TSrcEditorCommand ecSelRight = 102;
constexpr TSrcEditorCommand ecSelUp = 103;
constexpr TSrcEditorCommand ecSelDown = 104;
constexpr TSrcEditorCommand ecSelWordLeft = 105;
constexpr TSrcEditorCommand ecSelWordRight = 106;
constexpr TSrcEditorCommand ecSelLineStart = 107;
constexpr TSrcEditorCommand ecSelLineEnd = 108;
constexpr TSrcEditorCommand ecSelPageUp = 109;
constexpr TSrcEditorCommand ecSelPageDown = 110;
constexpr TSrcEditorCommand ecSelPageLeft = 111;
constexpr TSrcEditorCommand ecSelPageRight = 112;
constexpr TSrcEditorCommand ecSelPageTop = 113;
constexpr TSrcEditorCommand ecSelPageBottom = 114;
constexpr TSrcEditorCommand ecSelEditorTop = 115;
constexpr TSrcEditorCommand ecSelEditorBottom = 116;
constexpr TSrcEditorCommand ecSelGotoXY = 117;

constexpr TSrcEditorCommand ecSelectAll = 199;
constexpr TSrcEditorCommand ecCopy = 201;

constexpr TSrcEditorCommand ecScrollUp = 211;
constexpr TSrcEditorCommand ecScrollDown = 212;
constexpr TSrcEditorCommand ecScrollLeft = 213;
constexpr TSrcEditorCommand ecScrollRight = 214;

constexpr TSrcEditorCommand ecInsertMode = 221;
constexpr TSrcEditorCommand ecOverwriteMode = 222;
constexpr TSrcEditorCommand ecToggleMode = 223;

constexpr TSrcEditorCommand ecNormalSelect = 231;
constexpr TSrcEditorCommand ecColumnSelect = 232;
constexpr TSrcEditorCommand ecLineSelect = 233;

constexpr TSrcEditorCommand ecMatchBracket = 250;
constexpr TSrcEditorCommand ecCommentBlock = 251;

constexpr TSrcEditorCommand ecGotoMarker0 = 301;
constexpr TSrcEditorCommand ecGotoMarker1 = 302;
constexpr TSrcEditorCommand ecGotoMarker2 = 303;
constexpr TSrcEditorCommand ecGotoMarker3 = 304;
constexpr TSrcEditorCommand ecGotoMarker4 = 305;
constexpr TSrcEditorCommand ecGotoMarker5 = 306;
constexpr TSrcEditorCommand ecGotoMarker6 = 307;
constexpr TSrcEditorCommand ecGotoMarker7 = 308;
constexpr TSrcEditorCommand ecGotoMarker8 = 309;
constexpr TSrcEditorCommand ecGotoMarker9 = 310;
constexpr TSrcEditorCommand ecSetMarker0 = 351;
constexpr TSrcEditorCommand ecSetMarker1 = 352;
constexpr TSrcEditorCommand ecSetMarker2 = 353;
constexpr TSrcEditorCommand ecSetMarker3 = 354;
constexpr TSrcEditorCommand ecSetMarker4 = 355;
constexpr TSrcEditorCommand ecSetMarker5 = 356;
constexpr TSrcEditorCommand ecSetMarker6 = 357;
constexpr TSrcEditorCommand ecSetMarker7 = 358;
constexpr TSrcEditorCommand ecSetMarker8 = 359;
constexpr TSrcEditorCommand ecSetMarker9 = 360;

// Sent by the control itself when it gains and loses the focus; they have
// no name in the command table.
constexpr TSrcEditorCommand ecGotFocus = 480;
constexpr TSrcEditorCommand ecLostFocus = 481;

constexpr TSrcEditorCommand ecContextHelp = 490;

constexpr TSrcEditorCommand ecDeleteLastChar = 501;
constexpr TSrcEditorCommand ecDeleteChar = 502;
constexpr TSrcEditorCommand ecDeleteWord = 503;
constexpr TSrcEditorCommand ecDeleteLastWord = 504;
constexpr TSrcEditorCommand ecDeleteBOL = 505;
constexpr TSrcEditorCommand ecDeleteEOL = 506;
constexpr TSrcEditorCommand ecDeleteLine = 507;
constexpr TSrcEditorCommand ecClearAll = 508;
constexpr TSrcEditorCommand ecLineBreak = 509;
constexpr TSrcEditorCommand ecInsertLine = 510;
constexpr TSrcEditorCommand ecChar = 511;

constexpr TSrcEditorCommand ecImeStr = 550;

constexpr TSrcEditorCommand ecUndo = 601;
constexpr TSrcEditorCommand ecRedo = 602;
constexpr TSrcEditorCommand ecCut = 603;
constexpr TSrcEditorCommand ecPaste = 604;

constexpr TSrcEditorCommand ecBlockIndent = 610;
constexpr TSrcEditorCommand ecBlockUnindent = 611;
constexpr TSrcEditorCommand ecTab = 612;
constexpr TSrcEditorCommand ecShiftTab = 613;

constexpr TSrcEditorCommand ecUpperCase = 620;
constexpr TSrcEditorCommand ecLowerCase = 621;
constexpr TSrcEditorCommand ecToggleCase = 622;
constexpr TSrcEditorCommand ecTitleCase = 623;
constexpr TSrcEditorCommand ecUpperCaseBlock = 625;
constexpr TSrcEditorCommand ecLowerCaseBlock = 626;
constexpr TSrcEditorCommand ecToggleCaseBlock = 627;

constexpr TSrcEditorCommand ecString = 630;

constexpr TSrcEditorCommand ecAutoCompletion = 650;

constexpr TSrcEditorCommand ecUserFirst = 1001;

// ---------------------------------------------------------------------------
// The command table: 100 (number, name) pairs in table order.
struct TSrcEditorCommandEntry {
  TSrcEditorCommand Value;
  const char* Name;
};
constexpr int EditorCommandCount = 100;
const TSrcEditorCommandEntry* EditorCommandTable();

// Number to name; false when the number has no name.
bool CommandToIdent(int command, std::string& ident);
// Name to number (names compare without regard to ASCII case); false when
// the name is not in the table.
bool CommandFromIdent(const std::string& ident, int& command);
// The name, or the number in decimal when it has none.
std::string CommandToText(TSrcEditorCommand command);
// The same conversions under their stream-registry names.
inline bool EditorCommandToIdent(int command, std::string& ident) { return CommandToIdent(command, ident); }
inline bool IdentToEditorCommand(const std::string& ident, int& command) { return CommandFromIdent(ident, command); }
// Name or decimal number to a command; false for anything else.
bool TextToCommand(const std::string& text, TSrcEditorCommand& command);

// ---------------------------------------------------------------------------
// Shortcuts (the toolkit's, platform/Menus.h): key code in the low byte,
// Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
using TSrcShortCut = std::uint16_t;
constexpr TSrcShortCut scShiftMask = 0x2000;
constexpr TSrcShortCut scCtrlMask = 0x4000;
constexpr TSrcShortCut scAltMask = 0x8000;
// Key codes above 255 have no shortcut (0).
TSrcShortCut SrcShortCut(std::uint16_t key, TShiftState shift);
void SrcShortCutToKey(TSrcShortCut shortCut, std::uint16_t& key, TShiftState& shift);
// Textual form, for example "Ctrl+Z", "Shift+Ctrl+Left"; "" for 0.
std::string SrcShortCutToText(TSrcShortCut shortCut);

// ---------------------------------------------------------------------------
BQS_DECLARE_EXCEPTION(ESrcKeyError, Exception);
extern const char* const SShortcutAlreadyExists;  // "Shortcut already exists"

class TSrcEditKeyStrokes;

class TSrcEditKeyStroke : public TPersistent {
 public:
  const char* ClassName() const override { return "TSrcEditKeyStroke"; }
  // From another key stroke: command and both keys, without a duplicate
  // test. Anything else: the base class.
  void Assign(TPersistent* source) override;

  std::uint16_t Key() const { return FKey; }
  void SetKey(std::uint16_t value) { FKey = value; }
  TShiftState Shift() const { return FShift; }
  void SetShift(TShiftState value) { FShift = value; }
  std::uint16_t Key2() const { return FKey2; }
  void SetKey2(std::uint16_t value) { FKey2 = value; }
  TShiftState Shift2() const { return FShift2; }
  void SetShift2(TShiftState value) { FShift2 = value; }
  TSrcEditorCommand Command() const { return FCommand; }
  void SetCommand(TSrcEditorCommand value) { FCommand = value; }

  // Checked setters: a value that another binding of the collection already
  // has (with the same other key) raises ESrcKeyError "Shortcut already
  // exists" and changes nothing. 0 is always accepted.
  TSrcShortCut ShortCut() const { return SrcShortCut(FKey, FShift); }
  void SetShortCut(TSrcShortCut value);
  TSrcShortCut ShortCut2() const { return SrcShortCut(FKey2, FShift2); }
  void SetShortCut2(TSrcShortCut value);

  // For lists: "<command> - <shortcut>[ <shortcut2>]".
  std::string DisplayName() const;

  TSrcEditKeyStrokes* Collection() const { return FCollection; }
  int Index() const;

 private:
  friend class TSrcEditKeyStrokes;
  explicit TSrcEditKeyStroke(TSrcEditKeyStrokes* collection) : FCollection(collection) {}

  std::uint16_t FKey = 0;
  TShiftState FShift;
  std::uint16_t FKey2 = 0;
  TShiftState FShift2;
  TSrcEditorCommand FCommand = ecNone;
  TSrcEditKeyStrokes* FCollection = nullptr;
};

class TSrcEditKeyStrokes : public TPersistent {
 public:
  explicit TSrcEditKeyStrokes(TPersistent* owner);
  ~TSrcEditKeyStrokes() override;
  const char* ClassName() const override { return "TSrcEditKeyStrokes"; }

  // The control (the persistence owner).
  TPersistent* Owner() const { return FOwner; }

  // Appends a new empty binding.
  TSrcEditKeyStroke* Add();
  // Appends a binding without a duplicate test.
  void AddBinding(TSrcEditorCommand command, std::uint16_t key, TShiftState shift, std::uint16_t key2 = 0,
                  TShiftState shift2 = TShiftState());
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TSrcEditKeyStroke* Items(int index) const;
  int IndexOf(const TSrcEditKeyStroke* item) const;

  // Index of the first binding of one key (no second key), or -1. A key of
  // 0 never matches.
  int FindSingleKey(std::uint16_t key, TShiftState shift) const;
  // Index of the first chord with these four values, or -1. A first key of
  // 0 never matches.
  int FindChord(std::uint16_t key1, TShiftState shift1, std::uint16_t key2, TShiftState shift2) const;
  // Index of the first binding with these two shortcuts, or -1.
  int FindShortCuts(TSrcShortCut shortCut, TSrcShortCut shortCut2) const;
  // Index of the first binding of a command, or -1.
  int FindCommand(TSrcEditorCommand command) const;
  // Lookups by key code under their older names.
  int FindKeycode(std::uint16_t key, TShiftState shift) const { return FindSingleKey(key, shift); }
  int FindKeycode2(std::uint16_t key1, TShiftState shift1, std::uint16_t key2, TShiftState shift2) const {
    return FindChord(key1, shift1, key2, shift2);
  }
  int FindShortcut(TSrcShortCut shortCut) const;
  int FindShortcut2(TSrcShortCut shortCut, TSrcShortCut shortCut2) const;

  // From another collection: a copy of each binding in order. Anything
  // else: the base class.
  void Assign(TPersistent* source) override;
  // Same count and, item by item, the same command and shortcuts.
  bool Equals(const TSrcEditKeyStrokes* other) const;
  // Whether every shortcut of either finds the same command here as in the
  // other (a shortcut of 0 is never found).
  bool FindsAsIn(const TSrcEditKeyStrokes* other) const;

  // Clears and adds the 82 default bindings.
  void LoadDefaults();
  // LoadDefaults under its other name.
  void ResetDefaults() { LoadDefaults(); }

  // --- storing the bindings as differences from a base ---------------------
  // Text form, one property after the other (nothing when the collection
  // equals the base):
  //   RemovedKeystrokes = <
  //     item
  //       Command = ecDeleteLine
  //       ShortCut = 16473
  //     end>
  //   AddedKeystrokes = <>
  // Within an item, ShortCut and ShortCut2 are left out when 0; Command is a
  // name of the command table or a decimal number. base null: the defaults.
  // Read back into the base, the text makes every shortcut find the command
  // it finds here: when the bindings on one side only do not (order and
  // repetition decide), it removes all of the base and adds all of these.
  void SaveDifferences(TStrings* dest, const TSrcEditKeyStrokes* base = nullptr) const;
  void SaveDifferences(TStream* dest, const TSrcEditKeyStrokes* base = nullptr) const;
  // Applies stored differences: each removed binding is deleted when the
  // collection has it (same shortcuts and command); each added binding is
  // appended as stored, duplicates included. Raises EReadError "Invalid
  // property value" for text it cannot read; nothing changes then.
  void LoadDifferences(TStrings* source);
  void LoadDifferences(TStream* source);

 private:
  std::unique_ptr<TSrcEditKeyStroke> NewItem() {
    return std::unique_ptr<TSrcEditKeyStroke>(new TSrcEditKeyStroke(this));
  }
  // Whether a binding with the same shortcuts and command is in the list.
  bool HasBinding(const TSrcEditKeyStroke* item) const;
  // Deletes each removed binding found first for its shortcuts with the same
  // command, then appends copies of the added ones.
  void ApplyDifferences(const std::vector<const TSrcEditKeyStroke*>& removed,
                        const std::vector<const TSrcEditKeyStroke*>& added);

  TPersistent* FOwner;
  std::vector<std::unique_ptr<TSrcEditKeyStroke>> FItems;
};
