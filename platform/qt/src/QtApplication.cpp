// Starting a program on Qt.
#include "platform/qt/QtApplication.h"

#include <QApplication>

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

TQtPlatform::TQtPlatform(int& argc, char** argv) {
  if (!QApplication::instance()) {
    // The web engine shares its OpenGL contexts with the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    FOwnApp = std::make_unique<QApplication>(argc, argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  FWidgetset = std::make_unique<QtWidgetset>();
  RegisterQtForms(*FWidgetset);
  RegisterQtStdControls(*FWidgetset);
  SetWidgetset(FWidgetset.get());
  SetUiService(&FUi);
  SetMenuBackend(&FMenus);
  SetShellBackend(&FShell);
  FNotifyIcons = std::make_unique<QtNotifyIconBackend>();
  SetNotifyIconBackend(FNotifyIcons.get());
  InstallQtMenuFont();
  RegisterQtWebBrowser(true);
  InstallQtPrinters(true);
  // An exception that reaches an event handler: the application's error box
  // (or its OnException).
  SetErrorBoxHook([](const std::string& message) {
    try {
      throw Exception(message);
    } catch (...) {
      if (Application) {
        Application->HandleException(nullptr);
      } else {
        ::MessageBox(nullptr, message, std::string(), MB_OK | MB_ICONSTOP);
      }
    }
  });
}

TQtPlatform::~TQtPlatform() {
  SetErrorBoxHook(nullptr);
  InstallQtPrinters(false);
  RegisterQtWebBrowser(false);
  SetNotifyIconBackend(nullptr);
  FNotifyIcons.reset();
  SetShellBackend(nullptr);
  SetMenuBackend(nullptr);
  SetUiService(nullptr);
  SetWidgetset(nullptr);
  FWidgetset.reset();
  FOwnApp.reset();
}

int RunQtProgram(int argc, char** argv, const std::function<int()>& program) {
  SetCommandLine(argc, argv);
  TQtPlatform platform(argc, argv);
  return program();
}
