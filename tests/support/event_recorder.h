// Records the events of one kind that a watched object receives (its paints and their areas, the
// layout requests of a window), to check what a change costs the screen.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRect>
#include <vector>

namespace ventari::test {

struct EventRecorder : QObject {
  explicit EventRecorder(QEvent::Type kind) : kind(kind) {}
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != kind) return false;
    ++count;
    if (kind == QEvent::Paint) areas.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
  QEvent::Type kind;
  int count = 0;
  std::vector<QRect> areas;  // of the paints
};

}  // namespace ventari::test
