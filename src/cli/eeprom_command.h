// ventari-cli eeprom: programs and verifies the EEPROM of the two-axis anemometer on --port from
// parameter files, as the Non volatile memory page does, and prints what was read back.
#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

#include "service/production_test.h"

namespace ventari {

struct CliInvocation;

// Done when verified, not done when refused or not answered, incomplete when not verified.
int EepromCommand(const CliInvocation& call);

// The sensor type of --type ("E", "EA", "F", "FA", "LV1" to "LV4", "XEQ"), or nothing.
std::optional<ProductionTest> EepromSensorType(const QString& type);

// The written cells, the read-back and the differences, as --json prints them.
QJsonObject EepromReport(const ProductionTest& test, const std::vector<int>& differences);

}  // namespace ventari
