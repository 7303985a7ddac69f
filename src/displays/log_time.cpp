#include "displays/log_time.h"

namespace ventari {

WallClock SystemClock() {
  // The local time asks the system for the time zone on every call; its offset from UTC is asked
  // for once a second instead, often enough to follow a change of summer time.
  struct Offset {
    qint64 second = -1;
    int seconds = 0;
  };
  return [offset = Offset{}]() mutable {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now / 1000 != offset.second) {
      offset.second = now / 1000;
      offset.seconds = QDateTime::fromMSecsSinceEpoch(now).offsetFromUtc();
    }
    return QDateTime::fromMSecsSinceEpoch(now, Qt::OffsetFromUTC, offset.seconds);
  };
}

QString LogDate(const QDateTime& at) { return at.toString(QStringLiteral("dd/MM/yyyy")); }

QString LogTime(const QDateTime& at) { return at.toString(QStringLiteral("HH:mm:ss")); }

}  // namespace ventari
