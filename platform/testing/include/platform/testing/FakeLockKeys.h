// The lock keys for tests: states set by the test (or unknown), and a
// keyboard that toggles a key on its synthetic release, as the system
// does. Installed for its lifetime (the earlier backend comes back after).
#pragma once

#include <utility>
#include <vector>

#include "platform/LockKeys.h"
#include "platform/Messages.h"

class TFakeLockKeys : public ILockKeysBackend {
 public:
  TFakeLockKeys() : FPrevious(LockKeysBackend()) { SetLockKeysBackend(this); }
  ~TFakeLockKeys() override { SetLockKeysBackend(FPrevious); }
  TFakeLockKeys(const TFakeLockKeys&) = delete;
  TFakeLockKeys& operator=(const TFakeLockKeys&) = delete;

  bool Read(TLockKeyStates& states) override {
    if (!Known) return false;
    states = States;
    return true;
  }
  bool CanSendKeys() override { return Sendable; }
  bool SendKey(int vk, bool down) override {
    Sent.emplace_back(vk, down);
    if (!down) {
      if (vk == VK_NUMLOCK) States.NumLock = !States.NumLock;
      if (vk == VK_CAPITAL) States.CapsLock = !States.CapsLock;
      if (vk == VK_SCROLL) States.ScrollLock = !States.ScrollLock;
    }
    return true;
  }

  bool Known = true;
  bool Sendable = true;
  TLockKeyStates States;
  std::vector<std::pair<int, bool>> Sent;  // virtual key, press

 private:
  ILockKeysBackend* FPrevious;
};
