// The web engine is the largest part of Qt the programs use, and most runs
// of the editor never show a page: the engine and its libraries live in the
// module libbqs-qtweb.so beside the executable (built from QtWebBrowser.cpp)
// and are loaded when the first browser control needs its engine
// (QtModules.h).
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <QString>
#include <QtGlobal>

#include "platform/WebBrowser.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtModules.h"

namespace {
// Whether this process may start its children in new user, PID and network
// namespaces: the web engine's sandbox needs them (there is no setuid
// sandbox helper). Tried in a child, which ends at once.
bool SandboxNamespacesWork() {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) _exit(unshare(CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNET) == 0 ? 0 : 1);
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The web engine reads its switches once, when it starts. It refuses to run
// as root with its sandbox and ends the whole process where no sandbox can
// be set up, so the program decides before it starts: without a usable
// sandbox the engine runs without one (it shows the user's own pages).
void PrepareWebEngine() {
  if (std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) return;
  if (geteuid() == 0 || !SandboxNamespacesWork()) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
}

using TMakeEngine = IWebBrowserEngine* (*)(TWebBrowser*);

TMakeEngine LoadWebModule() {
  PrepareWebEngine();
  // The engine warns, as it loads, that it was not there when the
  // application started; the program makes the shared context it asks for
  // itself (QtWebBrowser.cpp), so that warning alone is kept out.
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("initialized from a plugin"))) return;
    if (previous) previous(type, context, text);
  });
  // A browser control without its engine stays blank.
  void* make = ModuleSymbol("libbqs-qtweb.so", "BqsMakeQtWebBrowserEngine", true);
  qInstallMessageHandler(previous);
  return reinterpret_cast<TMakeEngine>(make);
}
}  // namespace

void RegisterQtWebBrowser(bool install) {
  if (!install) {
    SetWebBrowserEngineFactory(nullptr);
    return;
  }
  SetWebBrowserEngineFactory([](TWebBrowser* browser) -> std::unique_ptr<IWebBrowserEngine> {
    // Loaded once, never unloaded (Qt keeps the engine's objects to the end).
    static const TMakeEngine make = LoadWebModule();
    if (!make) return nullptr;
    return std::unique_ptr<IWebBrowserEngine>(make(browser));
  });
}
