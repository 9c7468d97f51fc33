#include "SrcEditKeyCmds.h"

#include <utility>

#include "platform/Menus.h"
#include "platform/Messages.h"

const char* const SShortcutAlreadyExists = "Shortcut already exists";

// ---------------------------------------------------------------------------
// The command table

namespace {

const TSrcEditorCommandEntry kEditorCommands[EditorCommandCount] = {
    {ecNone, "ecNone"},
    {ecLeft, "ecLeft"},
    {ecRight, "ecRight"},
    {ecUp, "ecUp"},
    {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"},
    {ecWordRight, "ecWordRight"},
    {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"},
    {ecPageUp, "ecPageUp"},
    {ecPageDown, "ecPageDown"},
    {ecPageLeft, "ecPageLeft"},
    {ecPageRight, "ecPageRight"},
    {ecPageTop, "ecPageTop"},
    {ecPageBottom, "ecPageBottom"},
    {ecEditorTop, "ecEditorTop"},
    {ecEditorBottom, "ecEditorBottom"},
    {ecGotoXY, "ecGotoXY"},
    {ecSelLeft, "ecSelLeft"},
    {ecSelRight, "ecSelRight"},
    {ecSelUp, "ecSelUp"},
    {ecSelDown, "ecSelDown"},
    {ecSelWordLeft, "ecSelWordLeft"},
    {ecSelWordRight, "ecSelWordRight"},
    {ecSelLineStart, "ecSelLineStart"},
    {ecSelLineEnd, "ecSelLineEnd"},
    {ecSelPageUp, "ecSelPageUp"},
    {ecSelPageDown, "ecSelPageDown"},
    {ecSelPageLeft, "ecSelPageLeft"},
    {ecSelPageRight, "ecSelPageRight"},
    {ecSelPageTop, "ecSelPageTop"},
    {ecSelPageBottom, "ecSelPageBottom"},
    {ecSelEditorTop, "ecSelEditorTop"},
    {ecSelEditorBottom, "ecSelEditorBottom"},
    {ecSelGotoXY, "ecSelGotoXY"},
    {ecSelectAll, "ecSelectAll"},
    {ecDeleteLastChar, "ecDeleteLastChar"},
    {ecDeleteChar, "ecDeleteChar"},
    {ecDeleteWord, "ecDeleteWord"},
    {ecDeleteLastWord, "ecDeleteLastWord"},
    {ecDeleteBOL, "ecDeleteBOL"},
    {ecDeleteEOL, "ecDeleteEOL"},
    {ecDeleteLine, "ecDeleteLine"},
    {ecClearAll, "ecClearAll"},
    {ecLineBreak, "ecLineBreak"},
    {ecInsertLine, "ecInsertLine"},
    {ecChar, "ecChar"},
    {ecImeStr, "ecImeStr"},
    {ecUndo, "ecUndo"},
    {ecRedo, "ecRedo"},
    {ecCut, "ecCut"},
    {ecCopy, "ecCopy"},
    {ecPaste, "ecPaste"},
    {ecScrollUp, "ecScrollUp"},
    {ecScrollDown, "ecScrollDown"},
    {ecScrollLeft, "ecScrollLeft"},
    {ecScrollRight, "ecScrollRight"},
    {ecInsertMode, "ecInsertMode"},
    {ecOverwriteMode, "ecOverwriteMode"},
    {ecToggleMode, "ecToggleMode"},
    {ecBlockIndent, "ecBlockIndent"},
    {ecBlockUnindent, "ecBlockUnindent"},
    {ecTab, "ecTab"},
    {ecShiftTab, "ecShiftTab"},
    {ecMatchBracket, "ecMatchBracket"},
    {ecCommentBlock, "ecCommentBlock"},
    {ecNormalSelect, "ecNormalSelect"},
    {ecColumnSelect, "ecColumnSelect"},
    {ecLineSelect, "ecLineSelect"},
    {ecAutoCompletion, "ecAutoCompletion"},
    {ecUserFirst, "ecUserFirst"},
    {ecContextHelp, "ecContextHelp"},
    {ecGotoMarker0, "ecGotoMarker0"},
    {ecGotoMarker1, "ecGotoMarker1"},
    {ecGotoMarker2, "ecGotoMarker2"},
    {ecGotoMarker3, "ecGotoMarker3"},
    {ecGotoMarker4, "ecGotoMarker4"},
    {ecGotoMarker5, "ecGotoMarker5"},
    {ecGotoMarker6, "ecGotoMarker6"},
    {ecGotoMarker7, "ecGotoMarker7"},
    {ecGotoMarker8, "ecGotoMarker8"},
    {ecGotoMarker9, "ecGotoMarker9"},
    {ecSetMarker0, "ecSetMarker0"},
    {ecSetMarker1, "ecSetMarker1"},
    {ecSetMarker2, "ecSetMarker2"},
    {ecSetMarker3, "ecSetMarker3"},
    {ecSetMarker4, "ecSetMarker4"},
    {ecSetMarker5, "ecSetMarker5"},
    {ecSetMarker6, "ecSetMarker6"},
    {ecSetMarker7, "ecSetMarker7"},
    {ecSetMarker8, "ecSetMarker8"},
    {ecSetMarker9, "ecSetMarker9"},
    {ecUpperCase, "ecUpperCase"},
    {ecLowerCase, "ecLowerCase"},
    {ecToggleCase, "ecToggleCase"},
    {ecTitleCase, "ecTitleCase"},
    {ecUpperCaseBlock, "ecUpperCaseBlock"},
    {ecLowerCaseBlock, "ecLowerCaseBlock"},
    {ecToggleCaseBlock, "ecToggleCaseBlock"},
    {ecString, "ecString"},
};

}  // namespace

const TSrcEditorCommandEntry* EditorCommandTable() { return kEditorCommands; }

bool CommandToIdent(int command, std::string& ident) {
  for (const TSrcEditorCommandEntry& e : kEditorCommands) {
    if (e.Value == command) {
      ident = e.Name;
      return true;
    }
  }
  return false;
}

bool CommandFromIdent(const std::string& ident, int& command) {
  for (const TSrcEditorCommandEntry& e : kEditorCommands) {
    if (SameText(ident, e.Name)) {
      command = e.Value;
      return true;
    }
  }
  return false;
}

std::string CommandToText(TSrcEditorCommand command) {
  std::string ident;
  if (CommandToIdent(command, ident)) return ident;
  return IntToStr(command);
}

bool TextToCommand(const std::string& text, TSrcEditorCommand& command) {
  int value = 0;
  if (CommandFromIdent(text, value)) {
    command = static_cast<TSrcEditorCommand>(value);
    return true;
  }
  std::string t = Trim(text);
  if (t.empty()) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  if (!TryStrToInt(t, value) || value < 0 || value > 0xFFFF) return false;
  command = static_cast<TSrcEditorCommand>(value);
  return true;
}

// ---------------------------------------------------------------------------
// Shortcuts

// The toolkit's shortcut encoding and text.
TSrcShortCut SrcShortCut(std::uint16_t key, TShiftState shift) { return ShortCut(key, shift); }

void SrcShortCutToKey(TSrcShortCut shortCut, std::uint16_t& key, TShiftState& shift) {
  ShortCutToKey(shortCut, key, shift);
}

std::string SrcShortCutToText(TSrcShortCut shortCut) { return ShortCutToText(shortCut); }

// ---------------------------------------------------------------------------
// TSrcEditKeyStroke

void TSrcEditKeyStroke::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TSrcEditKeyStroke*>(source)) {
    FCommand = src->FCommand;
    FKey = src->FKey;
    FKey2 = src->FKey2;
    FShift = src->FShift;
    FShift2 = src->FShift2;
  } else {
    TPersistent::Assign(source);
  }
}

// The duplicate tests compare the other key with its modifiers, so that
// Ctrl+K, B and Ctrl+K, Ctrl+B are different bindings.
void TSrcEditKeyStroke::SetShortCut(TSrcShortCut value) {
  if (value != 0 && FCollection) {
    int dup = FCollection->FindShortCuts(value, ShortCut2());
    if (dup >= 0 && FCollection->Items(dup) != this) throw ESrcKeyError(SShortcutAlreadyExists);
  }
  std::uint16_t key;
  TShiftState shift;
  SrcShortCutToKey(value, key, shift);
  if (key != FKey) FKey = key;
  if (shift != FShift) FShift = shift;
}

void TSrcEditKeyStroke::SetShortCut2(TSrcShortCut value) {
  if (value != 0 && FCollection) {
    int dup = FCollection->FindShortCuts(ShortCut(), value);
    if (dup >= 0 && FCollection->Items(dup) != this) throw ESrcKeyError(SShortcutAlreadyExists);
  }
  std::uint16_t key;
  TShiftState shift;
  SrcShortCutToKey(value, key, shift);
  if (key != FKey2) FKey2 = key;
  if (shift != FShift2) FShift2 = shift;
}

std::string TSrcEditKeyStroke::DisplayName() const {
  std::string result = CommandToText(FCommand) + " - " + SrcShortCutToText(ShortCut());
  if (ShortCut() != 0) result += " " + SrcShortCutToText(ShortCut2());
  if (result.empty()) result = ClassName();
  return result;
}

int TSrcEditKeyStroke::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

// ---------------------------------------------------------------------------
// TSrcEditKeyStrokes

TSrcEditKeyStrokes::TSrcEditKeyStrokes(TPersistent* owner) : FOwner(owner) {}

TSrcEditKeyStrokes::~TSrcEditKeyStrokes() = default;

TSrcEditKeyStroke* TSrcEditKeyStrokes::Add() {
  FItems.push_back(NewItem());
  return FItems.back().get();
}

void TSrcEditKeyStrokes::AddBinding(TSrcEditorCommand command, std::uint16_t key, TShiftState shift, std::uint16_t key2,
                                    TShiftState shift2) {
  std::unique_ptr<TSrcEditKeyStroke> item = NewItem();
  item->FKey = key;
  item->FShift = shift;
  item->FKey2 = key2;
  item->FShift2 = shift2;
  item->FCommand = command;
  FItems.push_back(std::move(item));
}

void TSrcEditKeyStrokes::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  FItems.erase(FItems.begin() + index);
}

void TSrcEditKeyStrokes::Clear() { FItems.clear(); }

TSrcEditKeyStroke* TSrcEditKeyStrokes::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[static_cast<std::size_t>(index)].get();
}

int TSrcEditKeyStrokes::IndexOf(const TSrcEditKeyStroke* item) const {
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == item) return static_cast<int>(i);
  return -1;
}

int TSrcEditKeyStrokes::FindSingleKey(std::uint16_t key, TShiftState shift) const {
  if (key == 0) return -1;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const TSrcEditKeyStroke& k = *FItems[i];
    if (k.FKey == key && k.FShift == shift && k.FKey2 == 0) return static_cast<int>(i);
  }
  return -1;
}

int TSrcEditKeyStrokes::FindChord(std::uint16_t key1, TShiftState shift1, std::uint16_t key2,
                                  TShiftState shift2) const {
  if (key1 == 0) return -1;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const TSrcEditKeyStroke& k = *FItems[i];
    if (k.FKey == key1 && k.FShift == shift1 && k.FKey2 == key2 && k.FShift2 == shift2) return static_cast<int>(i);
  }
  return -1;
}

int TSrcEditKeyStrokes::FindShortCuts(TSrcShortCut shortCut, TSrcShortCut shortCut2) const {
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const TSrcEditKeyStroke& k = *FItems[i];
    if (k.ShortCut() == shortCut && k.ShortCut2() == shortCut2) return static_cast<int>(i);
  }
  return -1;
}

int TSrcEditKeyStrokes::FindCommand(TSrcEditorCommand command) const {
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->FCommand == command) return static_cast<int>(i);
  return -1;
}

int TSrcEditKeyStrokes::FindShortcut(TSrcShortCut shortCut) const {
  std::uint16_t key;
  TShiftState shift;
  SrcShortCutToKey(shortCut, key, shift);
  return FindSingleKey(key, shift);
}

int TSrcEditKeyStrokes::FindShortcut2(TSrcShortCut shortCut, TSrcShortCut shortCut2) const {
  std::uint16_t key1;
  std::uint16_t key2;
  TShiftState shift1;
  TShiftState shift2;
  SrcShortCutToKey(shortCut, key1, shift1);
  SrcShortCutToKey(shortCut2, key2, shift2);
  return FindChord(key1, shift1, key2, shift2);
}

void TSrcEditKeyStrokes::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TSrcEditKeyStrokes*>(source);
  if (!src) {
    TPersistent::Assign(source);
    return;
  }
  if (src == this) return;
  Clear();
  for (const auto& item : src->FItems) Add()->Assign(item.get());
}

bool TSrcEditKeyStrokes::Equals(const TSrcEditKeyStrokes* other) const {
  if (!other || other->Count() != Count()) return false;
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const TSrcEditKeyStroke& a = *FItems[i];
    const TSrcEditKeyStroke& b = *other->FItems[i];
    if (a.FCommand != b.FCommand || a.ShortCut() != b.ShortCut() || a.ShortCut2() != b.ShortCut2()) return false;
  }
  return true;
}

void TSrcEditKeyStrokes::LoadDefaults() {
  const TShiftState none;
  const TShiftState shift{ssShift};
  const TShiftState ctrl{ssCtrl};
  const TShiftState alt{ssAlt};
  const TShiftState shiftCtrl{ssShift, ssCtrl};
  const TShiftState shiftAlt{ssShift, ssAlt};
  Clear();
  AddBinding(ecUp, VK_UP, none);
  AddBinding(ecSelUp, VK_UP, shift);
  AddBinding(ecScrollUp, VK_UP, ctrl);
  AddBinding(ecDown, VK_DOWN, none);
  AddBinding(ecSelDown, VK_DOWN, shift);
  AddBinding(ecScrollDown, VK_DOWN, ctrl);
  AddBinding(ecLeft, VK_LEFT, none);
  AddBinding(ecSelLeft, VK_LEFT, shift);
  AddBinding(ecWordLeft, VK_LEFT, ctrl);
  AddBinding(ecSelWordLeft, VK_LEFT, shiftCtrl);
  AddBinding(ecRight, VK_RIGHT, none);
  AddBinding(ecSelRight, VK_RIGHT, shift);
  AddBinding(ecWordRight, VK_RIGHT, ctrl);
  AddBinding(ecSelWordRight, VK_RIGHT, shiftCtrl);
  AddBinding(ecPageDown, VK_NEXT, none);
  AddBinding(ecSelPageDown, VK_NEXT, shift);
  AddBinding(ecPageBottom, VK_NEXT, ctrl);
  AddBinding(ecSelPageBottom, VK_NEXT, shiftCtrl);
  AddBinding(ecPageUp, VK_PRIOR, none);
  AddBinding(ecSelPageUp, VK_PRIOR, shift);
  AddBinding(ecPageTop, VK_PRIOR, ctrl);
  AddBinding(ecSelPageTop, VK_PRIOR, shiftCtrl);
  AddBinding(ecLineStart, VK_HOME, none);
  AddBinding(ecSelLineStart, VK_HOME, shift);
  AddBinding(ecEditorTop, VK_HOME, ctrl);
  AddBinding(ecSelEditorTop, VK_HOME, shiftCtrl);
  AddBinding(ecLineEnd, VK_END, none);
  AddBinding(ecSelLineEnd, VK_END, shift);
  AddBinding(ecEditorBottom, VK_END, ctrl);
  AddBinding(ecSelEditorBottom, VK_END, shiftCtrl);
  AddBinding(ecToggleMode, VK_INSERT, none);
  AddBinding(ecCopy, VK_INSERT, ctrl);
  AddBinding(ecCut, VK_DELETE, shift);
  AddBinding(ecPaste, VK_INSERT, shift);
  AddBinding(ecDeleteChar, VK_DELETE, none);
  AddBinding(ecDeleteLastChar, VK_BACK, none);
  AddBinding(ecDeleteLastChar, VK_BACK, shift);
  AddBinding(ecDeleteLastWord, VK_BACK, ctrl);
  AddBinding(ecUndo, VK_BACK, alt);
  AddBinding(ecRedo, VK_BACK, shiftAlt);
  AddBinding(ecLineBreak, VK_RETURN, none);
  AddBinding(ecLineBreak, VK_RETURN, shift);
  AddBinding(ecTab, VK_TAB, none);
  AddBinding(ecShiftTab, VK_TAB, shift);
  AddBinding(ecContextHelp, 0x70 /* F1 */, none);
  AddBinding(ecSelectAll, 'A', ctrl);
  AddBinding(ecCopy, 'C', ctrl);
  AddBinding(ecPaste, 'V', ctrl);
  AddBinding(ecCut, 'X', ctrl);
  AddBinding(ecBlockIndent, 'I', shiftCtrl);
  AddBinding(ecBlockUnindent, 'U', shiftCtrl);
  AddBinding(ecLineBreak, 'M', ctrl);
  AddBinding(ecInsertLine, 'N', ctrl);
  AddBinding(ecDeleteWord, 'T', ctrl);
  AddBinding(ecDeleteLine, 'Y', ctrl);
  AddBinding(ecDeleteEOL, 'Y', shiftCtrl);
  AddBinding(ecUndo, 'Z', ctrl);
  AddBinding(ecRedo, 'Z', shiftCtrl);
  for (int i = 0; i <= 9; ++i)
    AddBinding(static_cast<TSrcEditorCommand>(ecGotoMarker0 + i), static_cast<std::uint16_t>('0' + i), ctrl);
  for (int i = 0; i <= 9; ++i)
    AddBinding(static_cast<TSrcEditorCommand>(ecSetMarker0 + i), static_cast<std::uint16_t>('0' + i), shiftCtrl);
  AddBinding(ecNormalSelect, 'N', shiftCtrl);
  AddBinding(ecColumnSelect, 'C', shiftCtrl);
  AddBinding(ecLineSelect, 'L', shiftCtrl);
  AddBinding(ecMatchBracket, 'B', shiftCtrl);
}

bool TSrcEditKeyStrokes::HasBinding(const TSrcEditKeyStroke* item) const {
  for (const auto& k : FItems)
    if (k->ShortCut() == item->ShortCut() && k->ShortCut2() == item->ShortCut2() && k->FCommand == item->FCommand)
      return true;
  return false;
}

// ---------------------------------------------------------------------------
// Stored differences

namespace {

const char* const kRemovedKeystrokes = "RemovedKeystrokes";
const char* const kAddedKeystrokes = "AddedKeystrokes";

void WriteCollection(TStrings* dest, const char* name, const std::vector<const TSrcEditKeyStroke*>& items) {
  if (items.empty()) {
    dest->Add(std::string(name) + " = <>");
    return;
  }
  dest->Add(std::string(name) + " = <");
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TSrcEditKeyStroke* k = items[i];
    dest->Add("  item");
    dest->Add("    Command = " + CommandToText(k->Command()));
    if (k->ShortCut() != 0) dest->Add("    ShortCut = " + IntToStr(k->ShortCut()));
    if (k->ShortCut2() != 0) dest->Add("    ShortCut2 = " + IntToStr(k->ShortCut2()));
    dest->Add(i + 1 == items.size() ? "  end>" : "  end");
  }
}

[[noreturn]] void InvalidValue() { throw EReadError("Invalid property value"); }

// Splits "Name = Value"; false when there is no " = ".
bool SplitAssignment(const std::string& line, std::string& name, std::string& value) {
  std::size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  name = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

TSrcShortCut ReadShortCut(const std::string& value) {
  if (value.empty()) InvalidValue();
  for (char c : value)
    if (c < '0' || c > '9') InvalidValue();
  int v = 0;
  if (!TryStrToInt(value, v) || v < 0 || v > 0xFFFF) InvalidValue();
  return static_cast<TSrcShortCut>(v);
}

}  // namespace

void TSrcEditKeyStrokes::SaveDifferences(TStrings* dest, const TSrcEditKeyStrokes* base) const {
  std::unique_ptr<TSrcEditKeyStrokes> defaults;
  if (!base) {
    defaults = std::make_unique<TSrcEditKeyStrokes>(nullptr);
    defaults->LoadDefaults();
    base = defaults.get();
  }
  if (Equals(base)) return;
  std::vector<const TSrcEditKeyStroke*> removed;
  for (const auto& k : base->FItems)
    if (!HasBinding(k.get())) removed.push_back(k.get());
  std::vector<const TSrcEditKeyStroke*> added;
  for (const auto& k : FItems)
    if (!base->HasBinding(k.get())) added.push_back(k.get());
  // The bindings present on one side only say nothing of order and
  // repetition, which decide what a key finds. When reading them back into
  // the base would make some key find another command, every binding of
  // the base is removed and every one of this collection added, in order.
  TSrcEditKeyStrokes readBack(nullptr);
  readBack.Assign(const_cast<TSrcEditKeyStrokes*>(base));
  readBack.ApplyDifferences(removed, added);
  if (!readBack.FindsAsIn(this)) {
    removed.clear();
    for (const auto& k : base->FItems) removed.push_back(k.get());
    added.clear();
    for (const auto& k : FItems) added.push_back(k.get());
  }
  WriteCollection(dest, kRemovedKeystrokes, removed);
  WriteCollection(dest, kAddedKeystrokes, added);
}

void TSrcEditKeyStrokes::SaveDifferences(TStream* dest, const TSrcEditKeyStrokes* base) const {
  TStringList lines;
  SaveDifferences(&lines, base);
  lines.SaveToStream(dest);
}

void TSrcEditKeyStrokes::LoadDifferences(TStrings* source) {
  // Everything is read first (into collections that are never checked for
  // duplicates), then applied in the order stored.
  struct TProperty {
    bool Removed;
    std::unique_ptr<TSrcEditKeyStrokes> Items;
  };
  std::vector<TProperty> props;
  enum { OutSide, InCollection, InItem } state = OutSide;
  TSrcEditKeyStroke* item = nullptr;
  int count = source->Count();
  for (int i = 0; i < count; ++i) {
    std::string line = Trim(source->Strings(i));
    if (line.empty()) continue;
    switch (state) {
      case OutSide: {
        std::string name;
        std::string value;
        if (!SplitAssignment(line, name, value)) InvalidValue();
        bool removed;
        if (SameText(name, kRemovedKeystrokes))
          removed = true;
        else if (SameText(name, kAddedKeystrokes))
          removed = false;
        else
          InvalidValue();
        props.push_back(TProperty{removed, std::make_unique<TSrcEditKeyStrokes>(nullptr)});
        if (value == "<>") continue;
        if (value != "<") InvalidValue();
        state = InCollection;
        break;
      }
      case InCollection:
        if (line == ">") {
          state = OutSide;
        } else if (SameText(line, "item")) {
          item = props.back().Items->Add();
          state = InItem;
        } else {
          InvalidValue();
        }
        break;
      case InItem: {
        if (SameText(line, "end")) {
          state = InCollection;
          break;
        }
        if (SameText(line, "end>")) {
          state = OutSide;
          break;
        }
        std::string name;
        std::string value;
        if (!SplitAssignment(line, name, value)) InvalidValue();
        if (SameText(name, "Command")) {
          TSrcEditorCommand command;
          if (!TextToCommand(value, command)) InvalidValue();
          item->FCommand = command;
        } else if (SameText(name, "ShortCut")) {
          SrcShortCutToKey(ReadShortCut(value), item->FKey, item->FShift);
        } else if (SameText(name, "ShortCut2")) {
          SrcShortCutToKey(ReadShortCut(value), item->FKey2, item->FShift2);
        } else {
          InvalidValue();
        }
        break;
      }
    }
  }
  if (state != OutSide) InvalidValue();

  for (TProperty& p : props) {
    std::vector<const TSrcEditKeyStroke*> items;
    for (const auto& k : p.Items->FItems) items.push_back(k.get());
    if (p.Removed)
      ApplyDifferences(items, {});
    else
      ApplyDifferences({}, items);
  }
}

void TSrcEditKeyStrokes::ApplyDifferences(const std::vector<const TSrcEditKeyStroke*>& removed,
                                          const std::vector<const TSrcEditKeyStroke*>& added) {
  for (const TSrcEditKeyStroke* k : removed) {
    int index = FindShortCuts(k->ShortCut(), k->ShortCut2());
    if (index >= 0 && FItems[static_cast<std::size_t>(index)]->FCommand == k->FCommand) Delete(index);
  }
  for (const TSrcEditKeyStroke* k : added) Add()->Assign(const_cast<TSrcEditKeyStroke*>(k));
}

bool TSrcEditKeyStrokes::FindsAsIn(const TSrcEditKeyStrokes* other) const {
  auto findsAlike = [](const TSrcEditKeyStrokes* a, const TSrcEditKeyStrokes* b) {
    for (const auto& k : a->FItems) {
      if (k->ShortCut() == 0) continue;  // never found
      int ia = a->FindShortCuts(k->ShortCut(), k->ShortCut2());
      int ib = b->FindShortCuts(k->ShortCut(), k->ShortCut2());
      if (ib < 0 ||
          a->FItems[static_cast<std::size_t>(ia)]->FCommand != b->FItems[static_cast<std::size_t>(ib)]->FCommand)
        return false;
    }
    return true;
  };
  return findsAlike(this, other) && findsAlike(other, this);
}

void TSrcEditKeyStrokes::LoadDifferences(TStream* source) {
  TStringList lines;
  lines.LoadFromStream(source);
  LoadDifferences(&lines);
}
