// Painting text and windows needs an application: one for the whole benchmark run, with no
// display.
#pragma once

#include <QApplication>

namespace ventari {

inline void EnsureGuiApplication() {
  static int argc = 1;
  static char name[] = "ventari_bench";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
}

}  // namespace ventari
