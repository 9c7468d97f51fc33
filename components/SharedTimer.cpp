#include "SharedTimer.h"

#include "platform/Messages.h"
#include "platform/Win32.h"

namespace {
TSharedTimerHandler* gHandler = nullptr;
}  // namespace

// ---- TSharedTimerHandler ----
TSharedTimerHandler* TSharedTimerHandler::Instance() { return gHandler; }

TSharedTimerHandler::TSharedTimerHandler() {
  FHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TSharedTimerHandler::~TSharedTimerHandler() { DeallocateHWnd(FHandle); }

TSharedTimer* TSharedTimerHandler::Find(uintptr_t id) const {
  return FLive.count(id) ? reinterpret_cast<TSharedTimer*>(id) : nullptr;
}

void TSharedTimerHandler::Register(TSharedTimer* timer) {
  if (!gHandler) gHandler = new TSharedTimerHandler;
  gHandler->FLive.insert(timer->Id());
  ++gHandler->FCount;
}

void TSharedTimerHandler::Unregister(TSharedTimer* timer) {
  if (!gHandler) return;
  gHandler->FLive.erase(timer->Id());
  if (gHandler->FCount > 0) --gHandler->FCount;
  // A window whose message is being handled goes when the handling ends.
  if (gHandler->FCount == 0 && gHandler->FBusy == 0) {
    // Cleared first: the window's last messages arrive while it goes.
    auto* handler = gHandler;
    gHandler = nullptr;
    delete handler;
  }
}

void TSharedTimerHandler::WndProc(TMessage& msg) {
  ++FBusy;
  HandleMessage(msg);
  if (--FBusy == 0 && FCount == 0 && gHandler == this) {
    gHandler = nullptr;
    delete this;
  }
}

void TSharedTimerHandler::HandleMessage(TMessage& msg) {
  if (msg.Msg != WM_TIMER) {
    FHandle->DefWindowProc(msg);
    return;
  }
  msg.Result = 0;
  // A late tick of a timer that is gone names no live object.
  if (TSharedTimer* timer = Find(uintptr_t(msg.WParam))) timer->Tick();
}

// ---- TSharedTimer ----
TSharedTimer::TSharedTimer() { TSharedTimerHandler::Register(this); }

TSharedTimer::TSharedTimer(UINT interval, TNotifyEvent onTimer) : FInterval(interval), FOnTimer(std::move(onTimer)) {
  TSharedTimerHandler::Register(this);
}

TSharedTimer::~TSharedTimer() {
  if (FEnabled) Stop(true);
  TSharedTimerHandler::Unregister(this);
}

bool TSharedTimer::Start() {
  if (FInterval == 0) return false;
  if (FEnabled) Stop(true);
  TSharedTimerHandler* h = TSharedTimerHandler::Instance();
  bool ok = h && h->Handle() && SetTimer(h->Handle(), Id(), FInterval) != 0;
  if (ok) FEnabled = true;
  return ok;
}

bool TSharedTimer::Stop(bool disable) {
  if (disable) FEnabled = false;
  TSharedTimerHandler* h = TSharedTimerHandler::Instance();
  return h && h->Handle() && KillTimer(h->Handle(), Id());
}

void TSharedTimer::SetEnabled(bool enabled) {
  if (enabled)
    Start();
  else
    Stop(true);
}

void TSharedTimer::SetInterval(UINT ms) {
  if (ms == FInterval) return;
  FInterval = ms;
  if (!FEnabled) return;
  if (ms != 0)
    Start();
  else
    Stop(false);
}

void TSharedTimer::SetOnTimer(TNotifyEvent handler) {
  FOnTimer = std::move(handler);
  if (!FOnTimer && FEnabled) Stop(false);
}

void TSharedTimer::Tick() {
  if (AutoDisable) Stop(true);
  // The handler may free this timer: nothing of it is used afterwards.
  if (FOnTimer) {
    TNotifyEvent handler = FOnTimer;
    handler(this);
  }
}
