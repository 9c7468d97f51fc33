// A notification area for tests: records every call, keeps the icons that
// show now, injects the tray's notifications and can take the tray away
// and bring it back.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Graphics.h"
#include "platform/NotifyIcon.h"
#include "platform/Widgetset.h"

class TRecordingNotifyIcon : public INotifyIconBackend {
 public:
  enum TCallKind { ckAdd, ckModify, ckDelete };
  struct TCall {
    TCallKind Kind;
    HWND Wnd;
    uintptr_t Id;
    std::string Tip;
    bool Result;
  };
  // An icon in the tray: its tip, its callback message and a copy of its
  // picture (empty when it has none).
  struct TShown {
    std::string Tip;
    UINT CallbackMessage = 0;
    std::shared_ptr<TIcon> Picture;
  };

  // Installs itself for its lifetime.
  TRecordingNotifyIcon() : FPrevious(NotifyIconBackend()) { SetNotifyIconBackend(this); }
  ~TRecordingNotifyIcon() override { SetNotifyIconBackend(FPrevious); }
  TRecordingNotifyIcon(const TRecordingNotifyIcon&) = delete;
  TRecordingNotifyIcon& operator=(const TRecordingNotifyIcon&) = delete;

  bool TrayAvailable() override { return FAvailable; }
  bool Add(const TNotifyIconRequest& icon) override {
    Key key{icon.Wnd, icon.Id};
    bool ok = FAvailable && Icons.count(key) == 0;
    if (ok) {
      Icons[key] = Shown(icon);
      FHadIcons[icon.Wnd] = true;
    }
    Calls.push_back(TCall{ckAdd, icon.Wnd, icon.Id, icon.Tip, ok});
    return ok;
  }
  bool Modify(const TNotifyIconRequest& icon) override {
    auto it = Icons.find(Key{icon.Wnd, icon.Id});
    bool ok = it != Icons.end();
    if (ok) {
      TShown now = Shown(icon);
      if (icon.Flags & NIF_TIP) it->second.Tip = now.Tip;
      if (icon.Flags & NIF_MESSAGE) it->second.CallbackMessage = now.CallbackMessage;
      if (icon.Flags & NIF_ICON) it->second.Picture = now.Picture;
    }
    Calls.push_back(TCall{ckModify, icon.Wnd, icon.Id, icon.Tip, ok});
    return ok;
  }
  bool Delete(HWND wnd, uintptr_t id) override {
    bool ok = Icons.erase(Key{wnd, id}) != 0;
    Calls.push_back(TCall{ckDelete, wnd, id, std::string(), ok});
    return ok;
  }

  // The icon of (wnd, id), or null.
  const TShown* Find(HWND wnd, uintptr_t id) const {
    auto it = Icons.find(Key{wnd, id});
    return it == Icons.end() ? nullptr : &it->second;
  }
  // The only icon in the tray (null unless there is exactly one).
  const TShown* Single() const { return Icons.size() == 1 ? &Icons.begin()->second : nullptr; }
  uintptr_t SingleId() const { return Icons.size() == 1 ? Icons.begin()->first.second : 0; }
  HWND SingleWnd() const { return Icons.size() == 1 ? Icons.begin()->first.first : nullptr; }

  // Posts a notification as the tray would (to an icon that is there, with
  // its callback message); false when the icon is not there.
  bool Notify(HWND wnd, uintptr_t id, UINT code) {
    const TShown* s = Find(wnd, id);
    return s && PostMessage(wnd, s->CallbackMessage, id, code);
  }
  // Notifies the only icon.
  bool Notify(UINT code) { return Notify(SingleWnd(), SingleId(), code); }

  // Takes the tray away (every icon goes with it, "TrayGone" to the windows
  // that had icons in it) or brings it back ("TaskbarCreated" to every
  // window that ever had icons).
  void SetAvailable(bool available) {
    if (available == FAvailable) return;
    FAvailable = available;
    if (!available) {
      std::map<HWND, bool> holders;
      for (auto& i : Icons) holders[i.first.first] = true;
      Icons.clear();
      for (auto& w : holders)
        if (Widgetset().IsWindow(w.first)) PostMessage(w.first, TrayGoneMessage(), 0, 0);
      return;
    }
    for (auto& w : FHadIcons)
      if (Widgetset().IsWindow(w.first)) PostMessage(w.first, TaskbarCreatedMessage(), 0, 0);
  }

  std::vector<TCall> Calls;
  std::map<std::pair<HWND, uintptr_t>, TShown> Icons;

 private:
  using Key = std::pair<HWND, uintptr_t>;
  static TShown Shown(const TNotifyIconRequest& icon) {
    TShown s;
    s.Tip = icon.Tip;
    s.CallbackMessage = icon.CallbackMessage;
    s.Picture = std::make_shared<TIcon>();
    if (icon.Icon && !icon.Icon->Empty()) s.Picture->Assign(const_cast<TIcon*>(icon.Icon));
    return s;
  }
  INotifyIconBackend* FPrevious;
  bool FAvailable = true;
  std::map<HWND, bool> FHadIcons;
};
