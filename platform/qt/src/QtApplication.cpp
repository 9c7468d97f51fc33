// Starting a program on Qt.
#include "platform/qt/QtApplication.h"

#include <QApplication>
#include <QFontDatabase>
#include <QRegularExpression>

#include <cstdlib>

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

TQtPlatform::TQtPlatform(int& argc, char** argv) {
  if (!QApplication::instance()) {
    FOwnApp = std::make_unique<QApplication>(argc, argv);
  }
  InstallRussianDialogs();
  QApplication::setQuitOnLastWindowClosed(false);
  FWidgetset = std::make_unique<QtWidgetset>();
  RegisterQtForms(*FWidgetset);
  RegisterQtStdControls(*FWidgetset);
  SetWidgetset(FWidgetset.get());
  SetUiService(&FUi);
  SetMenuBackend(&FMenus);
  SetShellBackend(&FShell);
  SetFontListBackend(&FFontList);
  SetSoundBackend(&FSound);
  SetLockKeysBackend(&FLockKeys);
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
  SetSoundBackend(nullptr);
  SetLockKeysBackend(nullptr);
  SetNotifyIconBackend(nullptr);
  FNotifyIcons.reset();
  SetShellBackend(nullptr);
  SetFontListBackend(nullptr);
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

QString QtFamilyName(const QString& listed) {
  // A family several foundries make is listed once per foundry, as
  // "Family [Foundry]"; a font is named by its family alone.
  static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
  return QString(listed).remove(foundry);
}

std::vector<std::string> QtFontListBackend::Families() {
  std::vector<std::string> out;
  for (const QString& family : QFontDatabase::families()) out.push_back(QtFamilyName(family).toUtf8().toStdString());
  return out;
}
