#include "ui/live_window.h"

#include <QEvent>
#include <QWidget>

#include "ui/view_refresh.h"

namespace ventari {

void ShowTitle(QWidget& window, const QString& title, const QString& noDataNotice) {
  window.setWindowTitle(noDataNotice.isEmpty() ? title
                                               : title + QStringLiteral(" - ") + noDataNotice);
}

LiveWindow::LiveWindow(QWidget& window, ChangeNotifier& changed, std::function<void()> sync,
                       Placement placement, int intervalMs)
    : QObject(&window),
      window_(window),
      refresh_(new ViewRefresh(this, changed, std::move(sync), intervalMs)),
      placement_(placement) {
  window_.installEventFilter(this);
}

void LiveWindow::SyncNow() { refresh_->SyncNow(); }

void LiveWindow::HoldWhileHidden() { refresh_->HoldWhileHidden(window_); }

bool LiveWindow::eventFilter(QObject* watched, QEvent* event) {
  bool handled = false;
  RunGuarded(&window_, [this, watched, event, &handled] {
    if (watched != &window_) return;
    if (event->type() == QEvent::Show) {
      if (!placed_) {
        placed_ = true;
        placement_(window_);
      }
      refresh_->SyncNow();
    } else if (event->type() == QEvent::Close) {
      // The window's own handler decides first (it may refuse); the event is then handled.
      handled = true;
      static_cast<QObject&>(window_).event(event);
      if (event->isAccepted()) emit Closed();
    }
  });
  return handled;
}

}  // namespace ventari
