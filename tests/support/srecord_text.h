// S-record files for tests: EEPROM parameter files holding a chosen value per cell.
#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>

namespace ventari::test {

// An S1 file holding `value(a)` for the cells `first` to `last`, 16 to a record.
inline QByteArray SRecords(int first, int last, int (*value)(int)) {
  QByteArray text = "S00600004844521B\r\n";
  for (int a = first; a <= last; a += 16) {
    const int count = std::min(16, last - a + 1);
    int sum = count + 3 + (a >> 8) + (a & 0xFF);
    QByteArray line = QStringLiteral("S1%1%2")
                          .arg(count + 3, 2, 16, QLatin1Char('0'))
                          .arg(a, 4, 16, QLatin1Char('0'))
                          .toLatin1();
    for (int i = 0; i < count; ++i) {
      const int v = value(a + i) & 0xFF;
      sum += v;
      line += QByteArray::number(v, 16).rightJustified(2, '0');
    }
    line += QByteArray::number(~sum & 0xFF, 16).rightJustified(2, '0');
    text += line.toUpper() + "\r\n";
  }
  return text + "S9030000FC\r\n";
}

}  // namespace ventari::test
