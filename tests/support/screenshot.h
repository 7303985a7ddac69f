// Saves what a window looks like when VENTARI_SCREENSHOTS names a folder, so a person can look
// at the windows the tests built.
#pragma once

#include <QString>
#include <QWidget>

namespace ventari::test {

inline void Keep(QWidget& widget, const QString& name) {
  const QString folder = qEnvironmentVariable("VENTARI_SCREENSHOTS");
  if (!folder.isEmpty()) widget.grab().save(folder + "/" + name + ".png");
}

}  // namespace ventari::test
