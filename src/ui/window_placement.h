// Where a window first appears.
#pragma once

#include <QScreen>
#include <QWidget>

namespace ventari {

// Centres `window` on the screen it is on.
inline void CentreOnScreen(QWidget& window) {
  if (const QScreen* where = window.screen()) {
    window.move(where->availableGeometry().center() - window.frameGeometry().center() +
                window.pos());
  }
}

}  // namespace ventari
