#include "platform/LockKeys.h"

#include "platform/Messages.h"

namespace {
ILockKeysBackend* gBackend = nullptr;

bool IsLockKey(int vk) { return vk == VK_NUMLOCK || vk == VK_CAPITAL || vk == VK_SCROLL; }
}  // namespace

void SetLockKeysBackend(ILockKeysBackend* backend) { gBackend = backend; }
ILockKeysBackend* LockKeysBackend() { return gBackend; }

TLockKeyStates ReadLockKeys() {
  TLockKeyStates states;
  if (!gBackend || !gBackend->Read(states)) return TLockKeyStates{};
  states.Known = true;
  return states;
}

bool CanToggleLockKeys() { return gBackend && gBackend->CanSendKeys(); }

void keybd_event(uint8_t vk, uint8_t, uint32_t flags, uintptr_t) {
  if (!gBackend || !IsLockKey(vk) || !gBackend->CanSendKeys()) return;
  gBackend->SendKey(vk, (flags & KEYEVENTF_KEYUP) == 0);
}
