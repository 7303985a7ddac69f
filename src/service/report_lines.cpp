#include "service/report_lines.h"

#include <QLocale>
#include <algorithm>

namespace ventari {

namespace {

constexpr int kCellsPerRow = 20;

QStringList DumpRows(const ProductionTest& test, int size, int base, int addressDigits,
                     const QString& before, int valueDigits) {
  QStringList rows;
  const int last = std::clamp(size, 0, static_cast<int>(kEepromImageSize));
  for (int first = 0; first < last; first += kCellsPerRow) {
    QString row = QStringLiteral("%1").arg(first, addressDigits, base, QLatin1Char('0')).toUpper();
    for (int cell = first; cell < std::min(first + kCellsPerRow, last); ++cell) {
      const auto index = static_cast<std::size_t>(cell);
      const QString value = test.readBackValid[index]
                                ? QStringLiteral("%1").arg(test.eepromReadBack[index], valueDigits,
                                                           base, QLatin1Char('0'))
                                : QString(valueDigits, QLatin1Char('-'));
      row += before + value.toUpper() + QLatin1Char(' ');
    }
    rows << row;
  }
  return rows;
}

}  // namespace

QStringList ReportHeader(const ProductionTest& test, const QDate& date, bool withSensorCode) {
  return {QStringLiteral("Anemometer: ") + (withSensorCode ? test.sensorText : QString()) +
              test.serialNumber,
          QStringLiteral("Date: ") + QLocale::system().toString(date, QLocale::ShortFormat),
          QStringLiteral("Operator: ") + test.operatorName};
}

QStringList KestrixDumpRows(const ProductionTest& test, int size) {
  return DumpRows(test, size, 10, 3, QStringLiteral(" "), 3);
}

QStringList LarkvaneDumpRows(const ProductionTest& test, int size) {
  return DumpRows(test, size, 16, 4, QStringLiteral("    "), 2);
}

}  // namespace ventari
