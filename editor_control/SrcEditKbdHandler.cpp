#include "SrcEditKbdHandler.h"

namespace {

// Sets a re-entrance flag for the life of the object, also on failure.
class TReentranceGuard {
 public:
  explicit TReentranceGuard(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TReentranceGuard() { FFlag = false; }
  TReentranceGuard(const TReentranceGuard&) = delete;
  TReentranceGuard& operator=(const TReentranceGuard&) = delete;

 private:
  bool& FFlag;
};

// Calls the chain from the last entry to the first while `go` holds after
// each call. Entries removed by a handler are skipped.
template <typename Method, typename Call, typename Go>
void RunChain(const TMethodList<Method>& chain, Call call, Go go) {
  for (int i = chain.Count() - 1; i >= 0; --i) {
    if (i >= chain.Count()) continue;
    Method code = chain.Items(i).Code;  // a copy: the handler may change the chain
    if (code) call(code);
    if (!go()) break;
  }
}

}  // namespace

void TSrcEditKbdHandler::ExecuteKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
  if (FInKeyDown) return;
  TReentranceGuard guard(FInKeyDown);
  RunChain(
      FKeyDownChain, [&](const TSrcKeyEvent& h) { h(Sender, Key, Shift); }, [&] { return Key != 0; });
}

void TSrcEditKbdHandler::ExecuteKeyUp(TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
  if (FInKeyUp) return;
  TReentranceGuard guard(FInKeyUp);
  RunChain(
      FKeyUpChain, [&](const TSrcKeyEvent& h) { h(Sender, Key, Shift); }, [&] { return Key != 0; });
}

void TSrcEditKbdHandler::ExecuteKeyPress(TObject* Sender, char& Key) {
  if (FInKeyPress) return;
  TReentranceGuard guard(FInKeyPress);
  RunChain(
      FKeyPressChain, [&](const TSrcKeyPressEvent& h) { h(Sender, Key); }, [&] { return Key != '\0'; });
}

void TSrcEditKbdHandler::ExecuteMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FInMouseDown) return;
  TReentranceGuard guard(FInMouseDown);
  RunChain(
      FMouseDownChain, [&](const TSrcMouseEvent& h) { h(Sender, Button, Shift, X, Y); }, [] { return true; });
}

void TSrcEditKbdHandler::ExecuteMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FInMouseUp) return;
  TReentranceGuard guard(FInMouseUp);
  RunChain(
      FMouseUpChain, [&](const TSrcMouseEvent& h) { h(Sender, Button, Shift, X, Y); }, [] { return true; });
}

void TSrcEditKbdHandler::ExecuteMouseCursor(TObject* Sender, const TBufferCoord& aLineCharPos, int& aCursor) {
  if (FInMouseCursor) return;
  TReentranceGuard guard(FInMouseCursor);
  RunChain(
      FMouseCursorChain, [&](const TSrcMouseCursorEvent& h) { h(Sender, aLineCharPos, aCursor); }, [] { return true; });
}
