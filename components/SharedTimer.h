// Light timers without a window of their own: every TSharedTimer of the
// program sets its system timer on one hidden window, TSharedTimerHandler,
// which hands each WM_TIMER to the timer it names.
//
// A timer is stopped (Enabled false), running (Enabled with a system timer
// set) or paused (Enabled without a system timer, after Stop(false), an
// interval of 0 or a cleared OnTimer). The hidden window lives exactly as
// long as some timer does: the first timer makes it, the last one takes it
// down, so it never outlives the widget set its timers ran on.
#pragma once

#include <cstdint>
#include "SharedWindow.h"
#include "platform/Classes.h"

class TSharedTimer;

// The hidden window shared by every timer, and the timers alive now.
class TSharedTimerHandler : public TSharedWindow<TSharedTimerHandler> {
 public:
  // The live timer an identifier from a timer message names, or null.
  TSharedTimer* Find(uintptr_t id) const;

 protected:
  void HandleMessage(TMessage& msg) override;

 private:
  friend class TSharedWindow<TSharedTimerHandler>;
  friend class TSharedTimer;
  TSharedTimerHandler() = default;
};

class TSharedTimer : public TObject {
 public:
  // Interval 1000 ms, no handler, stopped.
  TSharedTimer();
  // The given interval and handler, stopped (CreateEx).
  TSharedTimer(UINT interval, TNotifyEvent onTimer);
  ~TSharedTimer() override;
  TSharedTimer(const TSharedTimer&) = delete;
  TSharedTimer& operator=(const TSharedTimer&) = delete;
  const char* ClassName() const override { return "TSharedTimer"; }

  // The system timer's identifier on the shared window: this object's
  // address.
  uintptr_t Id() const { return reinterpret_cast<uintptr_t>(this); }
  UINT Interval() const { return FInterval; }
  // While enabled, a new non-zero interval restarts the timer and 0 pauses it.
  void SetInterval(UINT ms);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  // Clearing the handler of an enabled timer pauses it.
  void SetOnTimer(TNotifyEvent handler);

  // Stop after the first tick (before the handler runs).
  bool AutoDisable = false;

  // False, and nothing done, for an interval of 0; otherwise stops a
  // running timer, sets the system timer and reports whether it was set.
  bool Start();
  // Kills the system timer (reports whether there was one); `disable`
  // also clears Enabled.
  bool Stop(bool disable);

 private:
  friend class TSharedTimerHandler;
  void Tick();

  UINT FInterval = 1000;
  bool FEnabled = false;
  TNotifyEvent FOnTimer;
};
