// The commands of one window, each under the designer name of its handler
// ("N185Click", "FileSave1Execute", "XpSpeedButton6Click", "FormClose"):
// menu rows, button rows and form rows name their handler, and the
// window's registry turns the name into the event. A name is registered
// once; looking up a name that was never registered, or as an event of
// another kind, is an error (ECommandError), so a misspelt row fails at
// start-up and in the tests instead of leaving an item that silently does
// nothing.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

BQS_DECLARE_EXCEPTION(ECommandError, Exception);

class TCommandRegistry {
 public:
  // `window` names the window in the error messages ("Zod2uAppForm").
  explicit TCommandRegistry(std::string window);

  const std::string& Window() const { return FWindow; }

  // Registers a click-style handler (TNotifyEvent); an empty name, an
  // empty event or a name already taken is an ECommandError.
  void Add(const std::string& name, TNotifyEvent handler) { AddEvent(name, std::move(handler)); }
  // Registers a handler of another event kind (TCloseEvent, TKeyEvent ...).
  template <typename... Args>
  void AddEvent(const std::string& name, std::function<void(TObject*, Args...)> handler) {
    if (!handler) Refuse(name, "has no handler");
    Store(name, std::move(handler));
  }
  // Registers a member function of an object that outlives the registry's
  // users (the window itself, or a component it owns); its parameters
  // after the sender give the event kind.
  template <typename T, typename... Args>
  void Add(const std::string& name, T* object, void (T::*member)(TObject*, Args...)) {
    AddEvent(name, std::function<void(TObject*, Args...)>([object, member](TObject* sender, Args... args) {
               (object->*member)(sender, std::forward<Args>(args)...);
             }));
  }

  bool Contains(const std::string& name) const { return FHandlers.count(name) != 0; }
  // The click-style handler of a name; ECommandError for a name never
  // registered or registered as another kind of event.
  const TNotifyEvent& Handler(const std::string& name) const { return Event<TNotifyEvent>(name); }
  // The handler of a name as an event of this kind (TCloseEvent ...).
  template <typename TEvent>
  const TEvent& Event(const std::string& name) const {
    const TEvent* handler = std::any_cast<TEvent>(&Find(name));
    if (!handler) Refuse(name, "is another kind of event");
    return *handler;
  }
  // Runs the click-style handler of a name with this sender.
  void Run(const std::string& name, TObject* sender = nullptr) const { Handler(name)(sender); }
  // Every registered name, sorted.
  std::vector<std::string> Names() const;

 private:
  void Store(const std::string& name, std::any handler);
  const std::any& Find(const std::string& name) const;
  [[noreturn]] void Refuse(const std::string& name, const char* why) const;

  std::string FWindow;
  std::map<std::string, std::any> FHandlers;
};
