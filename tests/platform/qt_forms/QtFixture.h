// The Qt platform with an application object and one shown form.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>

#include "UiFixture.h"
#include "platform/Forms.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtWidgetset.h"
#include "platform/testing/ScriptedUi.h"

inline int& QtArgc() {
  static int argc = 1;
  return argc;
}
inline char** QtArgv() {
  static char arg0[] = "platform_qt_forms_tests";
  static char* argv[] = {arg0, nullptr};
  return argv;
}

class QtFormsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QApplication::instance()) {
      // A user whose locale is not Russian: the program speaks Russian all the same.
      qputenv("LC_ALL", "C.UTF-8");
      new QApplication(QtArgc(), QtArgv());
    }
  }
  void SetUp() override {
    FPlatform = std::make_unique<TQtPlatform>(QtArgc(), QtArgv());
    InitApplication();
    Application->Initialize();
    Application->SetTitle("Qt Probe");
    Application->CreateForm(Form);
    Form->SetBounds(100, 100, 400, 300);
    FUi = std::make_unique<TUiScriptScope>();
  }
  void TearDown() override {
    DoneApplication();
    FUi.reset();
    FPlatform.reset();
  }
  void ShowForm() {
    Form->Show();
    Pump();
  }
  static void Pump() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  // The native widget of a control's window.
  static QWidget* WidgetOf(TWinControl* c) { return static_cast<QtWindowPeer*>(c->Handle())->Client(); }
  static void Key(QWidget* w, int qtKey, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(w, &release);
  }
  TScriptedUi& Ui() { return **FUi; }

  std::unique_ptr<TQtPlatform> FPlatform;
  std::unique_ptr<TUiScriptScope> FUi;
  TForm* Form = nullptr;
};
