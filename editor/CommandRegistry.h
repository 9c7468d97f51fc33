// The commands of one window, each under the designer name of its handler
// ("N185Click", "FileSave1Execute", "XpSpeedButton6Click"): menu rows,
// button rows and form rows name their handler, and the window's registry
// turns the name into the event. A name is registered once; looking up a
// name that was never registered is an error (ECommandError), so a
// misspelt row fails at start-up and in the tests instead of leaving an
// item that silently does nothing.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

BQS_DECLARE_EXCEPTION(ECommandError, Exception);

class TCommandRegistry {
 public:
  // `window` names the window in the error messages ("Zod2uAppForm").
  explicit TCommandRegistry(std::string window);

  const std::string& Window() const { return FWindow; }

  // Registers a handler; an empty name, an empty event or a name already
  // taken is an ECommandError.
  void Add(const std::string& name, TNotifyEvent handler);
  // Registers a member function of an object that outlives the registry's
  // users (the window itself, or a component it owns).
  template <typename T>
  void Add(const std::string& name, T* object, void (T::*member)(TObject*)) {
    Add(name, [object, member](TObject* sender) { (object->*member)(sender); });
  }

  bool Contains(const std::string& name) const { return FHandlers.count(name) != 0; }
  // The handler of a name; ECommandError for a name never registered.
  const TNotifyEvent& Handler(const std::string& name) const;
  // Runs the handler of a name with this sender.
  void Run(const std::string& name, TObject* sender = nullptr) const { Handler(name)(sender); }
  // Every registered name, sorted.
  std::vector<std::string> Names() const;

 private:
  std::string FWindow;
  std::map<std::string, TNotifyEvent> FHandlers;
};
