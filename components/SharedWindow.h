// One hidden window per kind of component, shared by the objects of that
// kind alive now: the first object makes it, the last one takes it down,
// so it never outlives the widget set it was made on. The window knows its
// objects by the identifiers they register (their addresses), so a message
// naming any other identifier can be told apart and ignored.
//
// A window whose message is being handled when its last object goes (a
// timer handler that frees its timer) is taken down once the handling ends.
#pragma once

#include <cstdint>
#include <set>

#include "platform/Messages.h"
#include "platform/Widgetset.h"

// THandler derives from TSharedWindow<THandler>, answers HandleMessage and
// makes its constructor reachable to the base.
template <typename THandler>
class TSharedWindow {
 public:
  // The window of this kind, or null while no object exists.
  static THandler* Instance() { return Slot(); }
  HWND Handle() const { return FHandle; }
  int Count() const { return FCount; }
  bool IsLive(uintptr_t id) const { return FLive.count(id) != 0; }

 protected:
  TSharedWindow() {
    FHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  }
  virtual ~TSharedWindow() {
    FGoing = true;
    DeallocateHWnd(FHandle);
  }
  TSharedWindow(const TSharedWindow&) = delete;
  TSharedWindow& operator=(const TSharedWindow&) = delete;

  static void Register(uintptr_t id) {
    if (!Slot()) Slot() = new THandler;
    Slot()->FLive.insert(id);
    ++Slot()->FCount;
  }
  static void Unregister(uintptr_t id) {
    THandler* h = Slot();
    if (!h) return;
    h->FLive.erase(id);
    if (h->FCount > 0) --h->FCount;
    if (h->FCount == 0 && h->FBusy == 0) {
      // Cleared first: the window's last messages arrive while it goes.
      Slot() = nullptr;
      delete h;
    }
  }

  virtual void HandleMessage(TMessage& msg) = 0;
  void DefaultHandling(TMessage& msg) { FHandle->DefWindowProc(msg); }

 private:
  static THandler*& Slot() {
    static THandler* handler = nullptr;
    return handler;
  }

  void WndProc(TMessage& msg) {
    // The last messages of a window that goes find the handler half gone.
    if (FGoing) return;
    ++FBusy;
    HandleMessage(msg);
    if (--FBusy == 0 && FCount == 0 && Slot() == this) {
      Slot() = nullptr;
      delete this;
    }
  }

  HWND FHandle = nullptr;
  int FCount = 0;
  int FBusy = 0;
  bool FGoing = false;
  std::set<uintptr_t> FLive;
};
