#include "base/string_table.h"

#include <array>
#include <utility>

namespace ventari {
namespace {

constexpr std::pair<int, const char*> kStrings[] = {
    {1000, "Warning"},
    {1100, "No response to '*' command from Anemometer"},
    {1101, "No response to 'D1' command from Anemometer"},
    {1102, "No response to 'D2' command from Anemometer"},
    {1103, "No response to 'D3' command from Anemometer"},
    {1104, "Port detection failed, check device connection. Click File>Resynchronise."},
    {1105, "&Stop resync"},
    {1106, "&Resynchronise"},
    {1107, "U Vector"},
    {1108, "V Vector"},
    {1109, "Direction"},
    {1110, "Magnitude"},
    {1450, "Analogue output module configuration"},
    {1451, "&Scaling"},
    {1452, "&Output type"},
    {1453, "&Analogue module tests"},
    {1454, "&Channel 3 configuration"},
    {1455, "&Direction wrap-around"},
    {1456, "&Power-up tests off"},
    {1457, "Po&wer-up tests on"},
    {1458, "Co&ntinual cycling of power-up tests on"},
    {1459, "Cont&inual cycling of power-up tests off"},
    {1460, "&Status"},
    {1461, "Sonic &temperature"},
    {1462, "540 &degrees"},
    {1463, "360 de&grees"},
    {1500, "The averaging period may be set to any value between 0 and 3600 seconds"},
    {1501, "Invalid entry, averaging period range is 0 to 3600 Seconds"},
    {1502, "Invalid averaging format, you must enter 4 digits"},
};

}  // namespace

QString LoadStr(int id) {
  for (const auto& [number, text] : kStrings) {
    if (number == id) return QString::fromUtf8(text);
  }
  return {};
}

}  // namespace ventari
