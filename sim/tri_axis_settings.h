// The configuration of a three-axis anemometer as the device keeps it, the keyword-and-value
// commands that change it and the CONFIG listing that reports it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ventari::sim {

enum class TriAxisModel { kT7, kMz, kT7_50, kMz_50 };

inline bool Is50Hz(TriAxisModel model) {
  return model == TriAxisModel::kT7_50 || model == TriAxisModel::kMz_50;
}

// Every choice is an index into the value list of its keyword, in the order the setup screen
// lists them.
struct TriAxisSettings {
  int windRep = 2;            // WINDREP: UVW CAL, UVW UNCAL, POLAR CAL, POLAR UNCAL, AXIS
  int sosRep = 0;             // SOSREP: OFF, SPEED, SONICTEMP K, SONICTEMP C
  int absTemp = 0;            // ABSTEMP: OFF, ON K, ON C
  int strFmt = 1;             // STRFMT: BINARY, ASCII PAD, ASCII UNPAD
  int ascTerm = 1;            // ASCTERM: CR, CRLF
  int echo = 0;               // ECHO: ON, OFF
  int msgMode = 0;            // MSGMODE: CONT, POLL
  int average = 10;           // AVERAGE: samples per record, 1 to 250
  std::int32_t baud = 19200;  // BAUD
  int inst = 1;               // INST: ON, OFF (50 Hz models only)
  std::array<bool, 6> aip{};  // ANAIP n E / D
  int fsd = 0;                // AOPFSD: 10, 20, 30, 60
  int polarWrap = 0;          // POLARWRAP: 360, 540
  int ctone = 0;              // CTONE: DISABLE, ON, OFF
  int align = 0;              // ALIGNUVW: AXIS, SPAR

  bool Polar() const { return windRep == 2 || windRep == 3; }
  bool Axis() const { return windRep == 4; }
  int AnalogueInputs() const;
};

enum class SettingResult { kAccepted, kRejected, kBaud };

// Applies "KEYWORD VALUE" (already upper case, single blanks). A BAUD command is only checked:
// kBaud with the rate in `baud`, which the caller applies once it is confirmed.
SettingResult ApplyTriAxisSetting(TriAxisSettings& settings, TriAxisModel model,
                                  std::string_view command, std::int32_t& baud);

// The CONFIG listing: ABSTEMP first, then one "KEYWORD VALUE" line per setting, each ended by
// `lineEnd`.
std::string TriAxisListing(const TriAxisSettings& settings, TriAxisModel model,
                           std::string_view lineEnd);

}  // namespace ventari::sim
