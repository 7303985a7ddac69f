// What the anemometer answered to the EEPROM reads that the calibration pages and the Larkvane
// software test ask outside a read-back: the texts their read-outs show.
#pragma once

#include <QString>

namespace ventari {

struct CalibrationReadouts {
  QString SOSOffsetLower;  // cell 75
  QString SOSOffsetUpper;  // cell 76
  QString CurrentAxis1;    // cell 82
  QString CurrentAxis2;    // cell 83
  QString CurrentAxis3;    // cell 84
  QString EngChecksum;     // cell 510
};

}  // namespace ventari
