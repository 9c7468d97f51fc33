// The key and mouse handler chains of the editing control.
//
// Six chains of extra handlers (key down, key up, key press, mouse down,
// mouse up, mouse cursor) that the control fires on every input path before
// its own handling. Handlers run from the last added to the first; the key
// chains stop as soon as a handler has consumed the key (set it to 0). A
// chain is never entered again from inside one of its own handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "SrcEditTypes.h"
#include "SrcEditTypesEx.h"
#include "platform/Classes.h"
#include "platform/Controls.h"

// A list of method pointers: each entry is the handler's object (data) and
// its code.
template <typename Method>
class TMethodList {
 public:
  struct TEntry {
    const void* Data = nullptr;
    Method Code;
  };

  int Count() const { return static_cast<int>(FList.size()); }
  const TEntry& Items(int index) const { return FList[static_cast<std::size_t>(index)]; }
  void Add(const void* data, Method code) { FList.push_back(TEntry{data, std::move(code)}); }
  // Removes every entry of the object.
  void Remove(const void* data) {
    for (std::size_t i = FList.size(); i-- > 0;)
      if (FList[i].Data == data) FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(i));
  }
  void Clear() { FList.clear(); }

 private:
  std::vector<TEntry> FList;
};

using TSrcKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TSrcKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TSrcMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
// The cursor is the toolkit's cursor number (crIBeam, crArrow, ...).
using TSrcMouseCursorEvent = TMouseCursorEvent;

class TSrcEditKbdHandler : public TObject {
 public:
  TSrcEditKbdHandler() = default;
  const char* ClassName() const override { return "TSrcEditKbdHandler"; }

  void ExecuteKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void ExecuteKeyUp(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void ExecuteKeyPress(TObject* Sender, char& Key);
  void ExecuteMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ExecuteMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ExecuteMouseCursor(TObject* Sender, const TBufferCoord& aLineCharPos, int& aCursor);

  // Registration: `data` identifies the handler's object for removal.
  void AddKeyDownHandler(const void* data, TSrcKeyEvent handler) { FKeyDownChain.Add(data, std::move(handler)); }
  void RemoveKeyDownHandler(const void* data) { FKeyDownChain.Remove(data); }
  void AddKeyUpHandler(const void* data, TSrcKeyEvent handler) { FKeyUpChain.Add(data, std::move(handler)); }
  void RemoveKeyUpHandler(const void* data) { FKeyUpChain.Remove(data); }
  void AddKeyPressHandler(const void* data, TSrcKeyPressEvent handler) { FKeyPressChain.Add(data, std::move(handler)); }
  void RemoveKeyPressHandler(const void* data) { FKeyPressChain.Remove(data); }
  void AddMouseDownHandler(const void* data, TSrcMouseEvent handler) { FMouseDownChain.Add(data, std::move(handler)); }
  void RemoveMouseDownHandler(const void* data) { FMouseDownChain.Remove(data); }
  void AddMouseUpHandler(const void* data, TSrcMouseEvent handler) { FMouseUpChain.Add(data, std::move(handler)); }
  void RemoveMouseUpHandler(const void* data) { FMouseUpChain.Remove(data); }
  void AddMouseCursorHandler(const void* data, TSrcMouseCursorEvent handler) {
    FMouseCursorChain.Add(data, std::move(handler));
  }
  void RemoveMouseCursorHandler(const void* data) { FMouseCursorChain.Remove(data); }

  const TMethodList<TSrcKeyEvent>& KeyDownChain() const { return FKeyDownChain; }
  const TMethodList<TSrcKeyEvent>& KeyUpChain() const { return FKeyUpChain; }
  const TMethodList<TSrcKeyPressEvent>& KeyPressChain() const { return FKeyPressChain; }
  const TMethodList<TSrcMouseEvent>& MouseDownChain() const { return FMouseDownChain; }
  const TMethodList<TSrcMouseEvent>& MouseUpChain() const { return FMouseUpChain; }
  const TMethodList<TSrcMouseCursorEvent>& MouseCursorChain() const { return FMouseCursorChain; }

 private:
  TMethodList<TSrcKeyEvent> FKeyDownChain;
  TMethodList<TSrcKeyEvent> FKeyUpChain;
  TMethodList<TSrcKeyPressEvent> FKeyPressChain;
  TMethodList<TSrcMouseEvent> FMouseDownChain;
  TMethodList<TSrcMouseEvent> FMouseUpChain;
  TMethodList<TSrcMouseCursorEvent> FMouseCursorChain;
  // Re-entrance guards, one per chain.
  bool FInKeyDown = false;
  bool FInKeyUp = false;
  bool FInKeyPress = false;
  bool FInMouseDown = false;
  bool FInMouseUp = false;
  bool FInMouseCursor = false;
};
