// The Larkvane's four checksums (program, factory, engineering and calibration parameters) as
// its EEPROM keeps them, low byte first, and their reading in configuration mode one cell at a
// time, each reply routed to the software test's reply and awaited within a bound.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "service/eeprom_read_handler.h"
#include "service/eeprom_reads.h"
#include "service/service_link.h"

namespace ventari {

struct LarkvaneChecksum {
  int lowCell;  // the high byte is in the next cell
  const char* name;
};
inline constexpr std::array<LarkvaneChecksum, 4> kLarkvaneChecksums{{
    {12, "ROM checksum"},
    {6, "FAC checksum"},
    {8, "ENG checksum"},
    {10, "CAL checksum"},
}};

// A value in upper-case hex with at least two digits ("7A3F", "05"); "--" when it could not be
// read.
QString ChecksumText(std::optional<int> value);
// "ROM checksum : 7A3F".
QString ChecksumLine(const LarkvaneChecksum& checksum, std::optional<int> value);

struct ChecksumReading {
  bool configMode = false;  // the anemometer answered "*"
  bool complete = false;    // every cell answered
  std::array<std::optional<int>, kLarkvaneChecksums.size()> values;
};

class LarkvaneChecksums {
 public:
  LarkvaneChecksums(ServiceLink& link, EepromReadHandler& handler)
      : link_(link), handler_(handler) {}

  // One cell as the software test reads it (in configuration mode, after "VESPRANT"): the reply
  // is kept as the software test's and its leading hex number is the value. Nothing when no
  // reply came within the bound or it was not a number.
  std::optional<int> ReadCell(int address);

  // Configuration mode, "VESPRANT", then the four checksums (`unlocked` runs before the first
  // read), then out of configuration mode. Reading stops at the first cell left unanswered.
  ChecksumReading Read(const std::function<void()>& unlocked = {});

 private:
  ServiceLink& link_;
  EepromReadHandler& handler_;
};

}  // namespace ventari
