// The keyboard's lock keys (Num Lock, Caps Lock, Scroll Lock): their
// toggled states as the system shows them now, and synthetic key events
// that make the system toggle one.
//
// The states are read from the system at every query, never from the key
// messages the program has seen: a lock key pressed in another program,
// or before the program started, shows at once. Where the system cannot
// say (no backend, a desktop without the query) the states are unknown;
// where it accepts no synthetic keys the lock keys cannot be toggled.
// The widget set's backend answers; tests install a fake.
#pragma once

#include <cstdint>

struct TLockKeyStates {
  bool Known = false;  // the three flags are meaningful
  bool NumLock = false;
  bool CapsLock = false;
  bool ScrollLock = false;
};

class ILockKeysBackend {
 public:
  virtual ~ILockKeysBackend() = default;
  // The states now; false when the system cannot tell.
  virtual bool Read(TLockKeyStates& states) = 0;
  // Whether SendKey reaches the system.
  virtual bool CanSendKeys() = 0;
  // One synthetic press (`down`) or release of VK_NUMLOCK, VK_CAPITAL or
  // VK_SCROLL; false when it was not sent.
  virtual bool SendKey(int vk, bool down) = 0;
};
void SetLockKeysBackend(ILockKeysBackend* backend);
ILockKeysBackend* LockKeysBackend();

// The states now (Known false without a backend or an answer).
TLockKeyStates ReadLockKeys();
// Whether the lock keys can be toggled by synthetic key events.
bool CanToggleLockKeys();

// keybd_event flags.
constexpr uint32_t KEYEVENTF_EXTENDEDKEY = 0x0001;
constexpr uint32_t KEYEVENTF_KEYUP = 0x0002;
// A synthetic key event for the system: only the three lock keys are
// carried (anything else, or no backend, is dropped). The scan code and
// the extended flag are accepted as given; the system picks the key by its
// virtual key.
void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extraInfo);
