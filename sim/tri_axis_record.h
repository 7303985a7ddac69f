// The data records of a three-axis anemometer: ASCII (padded or unpadded) between STX and ETX,
// or binary after 0xBA 0xBA with big-endian fields and a check byte; both carry one status
// address and value, and exactly the optional fields the configuration announces.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sim/tri_axis_settings.h"
#include "sim/wind_generator.h"

namespace ventari::sim {

// What a binary record holds in place of a blocked wind value or an absent temperature.
inline constexpr std::uint16_t kBlockedValue = 0xB1E0;

struct TriAxisStatus {
  int address = 0;  // 0 to 10
  int value = 0;
};

// The status value the device reports at `address` for this configuration: no failures, the
// configuration byte and analogue input count that match it, the serial letter's code and a
// fitted clinometer.
TriAxisStatus StatusFor(const TriAxisSettings& settings, TriAxisModel model, int address);

// The voltage at analogue input `channel` (1 to 6) for the `count`-th record.
double AnalogueInput(int channel, std::uint64_t count);

// What spoils one record.
struct RecordFaults {
  bool emptyTemp = false;     // no absolute temperature: empty (ASCII) or 0xB1E0 (binary)
  bool overTemp = false;      // "+99.99" (ASCII) or 0xB1E0 (binary)
  bool blockedSpeed = false;  // binary, polar: the speed alone is 0xB1E0
  bool malformed = false;     // the comma after the first value lost, or a wrong check byte
  bool nonNumeric = false;    // ASCII: the first value's second character is a letter
};

// A status that reports a condition: a failed pair, an error, a gain, a configuration or type
// mismatch, by its address (`pick` chooses among them); addresses that carry none stay as they
// are.
TriAxisStatus FaultyStatus(TriAxisStatus status, unsigned pick);

// `end` receives the position of the ETX (ASCII) or of the check byte (binary).
std::string TriAxisRecord(const TriAxisSettings& settings, const WindSample& sample,
                          TriAxisStatus status, std::uint64_t count, std::size_t& end,
                          const RecordFaults& faults = {});

}  // namespace ventari::sim
