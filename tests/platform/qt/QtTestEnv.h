// One QApplication and one Qt widget set for every test of the program.
#pragma once

#include <gtest/gtest.h>
#include <QApplication>

#include "platform/qt/QtWidgetset.h"

inline QtWidgetset& TestWidgetset() {
  static int argc = 1;
  static char name[] = "platform_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  static QtWidgetset* ws = [] {
    auto* w = new QtWidgetset;
    SetWidgetset(w);
    return w;
  }();
  (void)app;
  return *ws;
}
