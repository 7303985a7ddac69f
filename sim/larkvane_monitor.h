// The final assembly commands of a simulated Larkvane, heard in configuration mode after
// "VESPRANT": "D94" resets the nominal alignment and answers "OLD" with the old and the new
// alignment, "D6" answers "FAC:" with the stored and the newly computed factory checksum, and
// "M90" or "M92" turn the output after configuration mode into debug lines until "M1" or "M2".
// Faults: D94 and D6 unanswered, a new checksum that is not hex, debug lines a character short.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "sim/two_axis_eeprom.h"

namespace ventari::sim {

class LarkvaneMonitor {
 public:
  enum class Listing { kNone, kM90, kM92 };
  static constexpr int kDebugLineLength = 45;

  // Gives the checksum cells 6 to 13 and the alignment the values a unit leaves the factory with.
  explicit LarkvaneMonitor(TwoAxisEeprom& eeprom);

  // A configuration-mode command line as typed. nullopt: not one of these commands; otherwise
  // the reply (possibly empty).
  std::optional<std::string> Command(const std::string& line);

  Listing DebugListing() const { return listing_; }
  // One line of the debug listing: "\n", 45 characters, "\r".
  std::string DebugLine(std::mt19937& random) const;
  // The factory checksum that D6 computes: the 16-bit sum of the factory cells taken as words,
  // high byte first, and of the alignment cells.
  int FactoryChecksum() const;

  void SetSilent(bool silent) { silent_ = silent; }
  void SetShortDebugLines(bool shortLines) { shortLines_ = shortLines; }
  void SetGarbledChecksum(bool garbled) { garbled_ = garbled; }

 private:
  std::string D94();
  std::string D6() const;

  TwoAxisEeprom& eeprom_;
  Listing listing_ = Listing::kNone;
  bool silent_ = false;
  bool shortLines_ = false;
  bool garbled_ = false;
};

}  // namespace ventari::sim
