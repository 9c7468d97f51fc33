#include "platform/NotifyIcon.h"

#include <cstring>

namespace {
INotifyIconBackend* gBackend = nullptr;

TNotifyIconRequest RequestOf(const NOTIFYICONDATA& data) {
  TNotifyIconRequest r;
  r.Wnd = data.hWnd;
  r.Id = data.uID;
  r.Flags = data.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
  if (data.uFlags & NIF_MESSAGE) r.CallbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) r.Icon = data.hIcon;
  // The field may come without its NUL: never read past it.
  if (data.uFlags & NIF_TIP) r.Tip.assign(data.szTip, strnlen(data.szTip, NotifyIconTipSize - 1));
  return r;
}
}  // namespace

void SetNotifyIconBackend(INotifyIconBackend* backend) { gBackend = backend; }
INotifyIconBackend* NotifyIconBackend() { return gBackend; }

bool TrayAvailable() { return gBackend && gBackend->TrayAvailable(); }

UINT TaskbarCreatedMessage() { return RegisterWindowMessage("TaskbarCreated"); }

UINT TrayGoneMessage() { return RegisterWindowMessage("TrayGone"); }

bool Shell_NotifyIcon(DWORD message, NOTIFYICONDATA* data) {
  if (!gBackend || !data) return false;
  switch (message) {
    case NIM_ADD: return gBackend->Add(RequestOf(*data));
    case NIM_MODIFY: return gBackend->Modify(RequestOf(*data));
    case NIM_DELETE: return gBackend->Delete(data->hWnd, data->uID);
    case NIM_SETVERSION: return gBackend->TrayAvailable();
    default: return false;
  }
}
