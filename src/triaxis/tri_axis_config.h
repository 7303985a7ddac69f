// The three-axis configuration record: what the system knows of a T7 or MZ's settings. Every
// drop-down setting is an index into the item list that the setup dialog shows and sends, -1
// until a listing or the dialog set it; the CONFIG listing fills the record and the setup
// dialog changes it.
#pragma once

#include <QString>
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace ventari {

struct TriAxisConfig {
  int ReportMode = -1;
  int SosMode = -1;
  int AbsTempMode = -1;
  int StrFormat = -1;
  int Terminator = -1;
  int Echo = -1;
  int MessageMode = -1;
  // The AVERAGE setting as the anemometer lists it: decimal digits, 1 to 250.
  QString Averaging;
  int Baud = -1;
  int Instantaneous = -1;
  // A 50 Hz model was identified, so instantaneous output can be chosen.
  bool InstantaneousAvailable = false;
  // Aip[n - 1]: analogue input channel n (1 to 6) is enabled.
  std::array<bool, 6> Aip{};
  int FsDef = -1;
  int DirWrap = -1;
  int Ctone = -1;
  int Align = -1;
  // PC averaging period, 0 to 60 minutes, 0 = none. A setting of this system, never listed.
  int PcAvgMinutes = 0;

  bool ReportsUvw() const { return ReportMode == 0 || ReportMode == 1; }
  bool ReportsPolar() const { return ReportMode == 2 || ReportMode == 3; }
  bool ReportsAxis() const { return ReportMode == 4; }
  bool IsBinary() const { return StrFormat == 0; }
  bool IsAsciiPadded() const { return StrFormat == 1; }
  bool IsAsciiUnpadded() const { return StrFormat == 2; }
  // Whether data records carry these optional fields; a setting not yet read counts as off.
  bool HasSpeedOfSound() const { return SosMode > 0; }
  bool HasAbsoluteTemperature() const { return AbsTempMode > 0; }
};

// Item texts in the order of their indices: the words the setup dialog shows and sends after the
// keyword ("WINDREP POLAR CAL").
inline constexpr std::array<std::string_view, 5> kReportModeItems = {
    "UVW CAL", "UVW UNCAL", "POLAR CAL", "POLAR UNCAL", "AXIS"};
inline constexpr std::array<std::string_view, 4> kSosModeItems = {"OFF", "SPEED", "SONICTEMP K",
                                                                  "SONICTEMP C"};
inline constexpr std::array<std::string_view, 3> kAbsTempModeItems = {"OFF", "ON K", "ON C"};
inline constexpr std::array<std::string_view, 3> kStrFormatItems = {"BINARY", "ASCII PAD",
                                                                    "ASCII UNPAD"};
inline constexpr std::array<std::string_view, 2> kTerminatorItems = {"CR", "CRLF"};
inline constexpr std::array<std::string_view, 2> kEchoItems = {"ON", "OFF"};
inline constexpr std::array<std::string_view, 2> kMessageModeItems = {"CONT", "POLL"};
inline constexpr std::array<std::string_view, 7> kBaudItems = {"2400",  "4800",  "9600",  "19200",
                                                               "38400", "57600", "115200"};
inline constexpr std::array<std::string_view, 2> kInstantaneousItems = {"ON", "OFF"};
inline constexpr std::array<std::string_view, 4> kFsDefItems = {"10", "20", "30", "60"};
inline constexpr std::array<std::string_view, 2> kDirWrapItems = {"360", "540"};
inline constexpr std::array<std::string_view, 3> kCtoneItems = {"DISABLE", "ON", "OFF"};
inline constexpr std::array<std::string_view, 2> kAlignItems = {"AXIS", "SPAR"};

// One drop-down setting: the keyword that names it in the listing and in its command, its items,
// and the field that holds the selected index.
struct TriAxisChoice {
  std::string_view keyword;
  std::span<const std::string_view> items;
  int TriAxisConfig::*field;
};

// Every drop-down setting, in the order of the setup dialog.
inline constexpr std::array<TriAxisChoice, 13> kTriAxisChoices = {{
    {"WINDREP", kReportModeItems, &TriAxisConfig::ReportMode},
    {"SOSREP", kSosModeItems, &TriAxisConfig::SosMode},
    {"ABSTEMP", kAbsTempModeItems, &TriAxisConfig::AbsTempMode},
    {"STRFMT", kStrFormatItems, &TriAxisConfig::StrFormat},
    {"ASCTERM", kTerminatorItems, &TriAxisConfig::Terminator},
    {"ECHO", kEchoItems, &TriAxisConfig::Echo},
    {"MSGMODE", kMessageModeItems, &TriAxisConfig::MessageMode},
    {"BAUD", kBaudItems, &TriAxisConfig::Baud},
    {"INST", kInstantaneousItems, &TriAxisConfig::Instantaneous},
    {"AOPFSD", kFsDefItems, &TriAxisConfig::FsDef},
    {"POLARWRAP", kDirWrapItems, &TriAxisConfig::DirWrap},
    {"CTONE", kCtoneItems, &TriAxisConfig::Ctone},
    {"ALIGNUVW", kAlignItems, &TriAxisConfig::Align},
}};

// Positions in kTriAxisChoices of the lists other code acts on.
inline constexpr int kReportModeChoice = 0;
inline constexpr int kStrFormatChoice = 3;
inline constexpr int kMessageModeChoice = 6;
inline constexpr int kBaudChoice = 7;
inline constexpr int kInstantaneousChoice = 8;

// The AVERAGE setting's range, and the longest PC averaging period in minutes.
inline constexpr int kMinAveraging = 1;
inline constexpr int kMaxAveraging = 250;
inline constexpr int kMaxPcAvgMinutes = 60;

// The command that selects item `index` of `choice` ("WINDREP POLAR CAL"); empty when `index` is
// not one of its items.
std::string ChoiceCommand(const TriAxisChoice& choice, int index);

}  // namespace ventari
