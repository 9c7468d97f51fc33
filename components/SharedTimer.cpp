#include "SharedTimer.h"

#include "platform/Messages.h"
#include "platform/Win32.h"

// ---- TSharedTimerHandler ----
TSharedTimer* TSharedTimerHandler::Find(uintptr_t id) const {
  return IsLive(id) ? reinterpret_cast<TSharedTimer*>(id) : nullptr;
}

void TSharedTimerHandler::HandleMessage(TMessage& msg) {
  if (msg.Msg != WM_TIMER) {
    DefaultHandling(msg);
    return;
  }
  msg.Result = 0;
  // A late tick of a timer that is gone names no live object.
  if (TSharedTimer* timer = Find(uintptr_t(msg.WParam))) timer->Tick();
}

// ---- TSharedTimer ----
TSharedTimer::TSharedTimer() { TSharedTimerHandler::Register(Id()); }

TSharedTimer::TSharedTimer(UINT interval, TNotifyEvent onTimer) : FInterval(interval), FOnTimer(std::move(onTimer)) {
  TSharedTimerHandler::Register(Id());
}

TSharedTimer::~TSharedTimer() {
  if (FEnabled) Stop(true);
  TSharedTimerHandler::Unregister(Id());
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
