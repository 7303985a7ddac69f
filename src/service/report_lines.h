// The lines both test reports share: the unit, the date and the operator at the top, and the
// EEPROM dump rows of each family at the end.
#pragma once

#include <QDate>
#include <QStringList>

#include "service/production_test.h"

namespace ventari {

// "Anemometer: " + sensor code + serial number, "Date: " + the date in the system's short
// format, "Operator: " + name. The Larkvane report prints no sensor code: a code set for an
// earlier Kestrix II is not this unit's.
QStringList ReportHeader(const ProductionTest& test, const QDate& date, bool withSensorCode);

// The read-back cells 0 to `size` - 1, 20 to a row. Kestrix II: the row's first cell as three
// decimal digits, then " " + three digits + " " per cell. Larkvane: the first cell as four hex
// digits, then four blanks + two hex digits + " " per cell. A cell that was not read back shows
// dashes in place of its digits.
QStringList KestrixDumpRows(const ProductionTest& test, int size);
QStringList LarkvaneDumpRows(const ProductionTest& test, int size);

}  // namespace ventari
