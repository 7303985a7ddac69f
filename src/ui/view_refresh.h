// Repaints a view when its model announces a change, coalesced: the first change after a quiet
// spell is shown on the next turn of the event loop, and later ones at most once per interval,
// so a 50 Hz stream repaints a window at most 25 times a second (a view that scrolls as a whole,
// text or the strip chart, which no eye follows faster, 10 times). A window that only shows its
// model may be held while it is hidden: it then costs nothing until it is shown, and shows the
// model as it is then.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "base/change_notifier.h"
#include "ui/guarded_handler.h"

namespace ventari {

class ViewRefresh : public QObject {
 public:
  static constexpr int kMinIntervalMs = 40;
  static constexpr int kScrollIntervalMs = 100;

  // `sync` mirrors the model into the view; it runs while `owner` lives, at most once every
  // `intervalMs`.
  ViewRefresh(QObject* owner, ChangeNotifier& notifier, std::function<void()> sync,
              int intervalMs = kMinIntervalMs)
      : QObject(owner), notifier_(notifier), sync_(std::move(sync)), intervalMs_(intervalMs) {
    timer_.setSingleShot(true);
    OnSignal(&timer_, &QTimer::timeout, this, [this] { SyncNow(); });
    subscription_ = notifier_.Subscribe([this] { Schedule(); });
  }
  ~ViewRefresh() override { notifier_.Unsubscribe(subscription_); }
  ViewRefresh(const ViewRefresh&) = delete;
  ViewRefresh& operator=(const ViewRefresh&) = delete;

  // Mirrors the model now and forgets a pending refresh; while the window held is hidden, only
  // notes that it is to be mirrored when shown.
  void SyncNow() {
    timer_.stop();
    if (held_ != nullptr && held_->isHidden()) {
      stale_ = true;
      return;
    }
    stale_ = false;
    lastSync_.start();
    sync_();
  }

  // From now on changes are not mirrored while `window` is hidden, and are when it is shown.
  void HoldWhileHidden(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Schedule() {
    if (held_ != nullptr && held_->isHidden()) {
      stale_ = true;
      return;
    }
    if (timer_.isActive()) return;
    const qint64 since = lastSync_.isValid() ? lastSync_.elapsed() : intervalMs_;
    timer_.start(static_cast<int>(std::max<qint64>(0, intervalMs_ - since)));
  }

  ChangeNotifier& notifier_;
  std::function<void()> sync_;
  int intervalMs_;
  ChangeNotifier::Subscription subscription_ = 0;
  QTimer timer_;
  QElapsedTimer lastSync_;
  QWidget* held_ = nullptr;
  bool stale_ = false;
};

}  // namespace ventari
