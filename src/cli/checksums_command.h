// ventari-cli checksums: the four checksums a Larkvane keeps in its EEPROM (program, factory,
// engineering and calibration parameters), read as the software test page reads them.
#pragma once

#include <QStringList>

namespace ventari {

// Exit status: 0 read, 1 no Larkvane found or a cell unanswered, 2 usage or port error.
int ChecksumsCommand(const QStringList& arguments);

}  // namespace ventari
