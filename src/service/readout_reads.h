// The reads of the calibration pages: "R n\r\n" sent raw with the EEPROM-read matcher waiting for
// the echo, the reply landing in the read-out of that cell. Each read waits its fixed time and,
// on a slow line, on until the reply is in, within the bound of a single cell read.
#pragma once

#include <QString>
#include <optional>

#include "service/calibration_readouts.h"
#include "service/eeprom_read_handler.h"
#include "service/service_link.h"

namespace ventari {

class ReadoutReads {
 public:
  ReadoutReads(ServiceLink& link, EepromReadHandler& handler, CalibrationReadouts& readouts)
      : link_(link), handler_(handler), readouts_(readouts) {}

  // The read-out that cell `address` (75, 76, 82, 83, 84 or 510) lands in.
  QString& Readout(int address) const;
  // Clears the read-out and reads the cell into it: the matcher gets the string end condition,
  // which stays until Restore().
  void Read(int address, int waitMs);
  // The matcher's packet-size end condition back.
  void Restore();
  // The cell value a read-out holds; nothing when it is empty or not a cell value.
  std::optional<int> Value(int address);

 private:
  ServiceLink& link_;
  EepromReadHandler& handler_;
  CalibrationReadouts& readouts_;
};

}  // namespace ventari
