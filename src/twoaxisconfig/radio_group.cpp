#include "twoaxisconfig/radio_group.h"

namespace ventari {

QString ItemValue(const QString& caption) {
  QString value;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) value += caption[++i];
      continue;
    }
    value += caption[i];
  }
  return value.trimmed();
}

}  // namespace ventari
