// Starting a program on Qt.
#include "platform/qt/QtApplication.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdlib>

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/QtWidgetset.h"

namespace {
// The program speaks Russian whatever the user's locale: Qt's own texts
// (the standard dialogs, the buttons of message boxes) come from Qt's
// Russian translations when they are installed.
void InstallRussianTranslations(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ru", "qtwebengine_ru"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QString::fromLatin1(name), dir))
      app.installTranslator(translator);
    else
      delete translator;
  }
}
}  // namespace

TQtPlatform::TQtPlatform(int& argc, char** argv) {
  if (!QApplication::instance()) {
    FOwnApp = std::make_unique<QApplication>(argc, argv);
    InstallRussianTranslations(*FOwnApp);
  }
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

std::vector<std::string> QtFontListBackend::Families() {
  std::vector<std::string> out;
  for (const QString& family : QFontDatabase::families()) out.push_back(family.toUtf8().toStdString());
  return out;
}
