#include "displays/log_time.h"

namespace ventari {

WallClock SystemClock() {
  return [] { return QDateTime::currentDateTime(); };
}

QString LogDate(const QDateTime& at) { return at.toString(QStringLiteral("dd/MM/yyyy")); }

QString LogTime(const QDateTime& at) { return at.toString(QStringLiteral("HH:mm:ss")); }

}  // namespace ventari
