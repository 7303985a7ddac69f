// What the live windows (graph, windsock, alarm) have in common: they mirror their model when it
// announces a change (coalesced, see view_refresh.h) and whenever they are shown, they are placed
// on the screen the first time they are shown, and they tell when they closed. Those without a
// status line say in their title that the records stopped.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace ventari {

class ChangeNotifier;
class ViewRefresh;

// "Graph", or "Graph - No data from T7 for 12 s" while the records have stopped.
void ShowTitle(QWidget& window, const QString& title, const QString& noDataNotice);

class LiveWindow : public QObject {
  Q_OBJECT

 public:
  // Where a window appears the first time it is shown.
  using Placement = void (*)(QWidget& window);

  // Watches `window`, which owns this helper; `sync` mirrors the model that `changed` belongs to,
  // at most once every `intervalMs`.
  LiveWindow(QWidget& window, ChangeNotifier& changed, std::function<void()> sync,
             Placement placement, int intervalMs);

  // Mirrors the model now: what the user just did shows at once.
  void SyncNow();
  // For a window that only shows its model: nothing is mirrored while it is hidden.
  void HoldWhileHidden();

 signals:
  // The window closed: its own close handler accepted the close.
  void Closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  ViewRefresh* refresh_;
  Placement placement_;
  bool placed_ = false;
};

}  // namespace ventari
