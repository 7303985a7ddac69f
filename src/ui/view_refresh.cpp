#include "ui/view_refresh.h"

#include <QEvent>

namespace ventari {

void ViewRefresh::HoldWhileHidden(QWidget& window) {
  held_ = &window;
  window.installEventFilter(this);
}

bool ViewRefresh::eventFilter(QObject* watched, QEvent* event) {
  RunGuarded(held_, [this, watched, event] {
    if (watched == held_ && event->type() == QEvent::Show && stale_) SyncNow();
  });
  return false;
}

}  // namespace ventari
