// The final assembly commands of a simulated Larkvane, heard in configuration mode after
// "VESPRANT": "D94" resets the nominal alignment and answers "OLD" with the old and the new
// alignment, "D6" answers "FAC:" with the stored and the newly computed factory checksum, and
// "M90" or "M92" turn the output after configuration mode into debug lines until "M1" or "M2".
// The device draws its faults and tells each reply and line which it has.
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

  // What the device's faults make of one reply or line.
  struct Spoilt {
    bool silent = false;   // D94 and D6 go unanswered
    bool garbled = false;  // D6's new checksum holds a "G"
    bool shortLine = false;
  };

  // A configuration-mode command line as typed. nullopt: not one of these commands; otherwise
  // the reply (possibly empty).
  std::optional<std::string> Command(const std::string& line, const Spoilt& spoilt);

  Listing DebugListing() const { return listing_; }
  // One line of the debug listing: "\n", 45 characters, "\r".
  std::string DebugLine(std::mt19937& random, const Spoilt& spoilt) const;
  // The factory checksum that D6 computes: the 16-bit sum of the factory cells taken as words,
  // high byte first, and of the alignment cells.
  int FactoryChecksum() const;

 private:
  std::string D94();
  std::string D6(bool garbled) const;

  TwoAxisEeprom& eeprom_;
  Listing listing_ = Listing::kNone;
};

}  // namespace ventari::sim
