// The replies of the Larkvane's final assembly test as the test window's matchers deliver them:
// the nominal alignment reset ("D94", after "OLD"), the factory checksum ("D6", after "FAC:")
// and the debug lines of "M90" and "M92". Any text is taken; fields a short reply lacks are empty.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace ventari {

// The 59 characters after "OLD".
struct D94Reply {
  QString oldAlignment;  // characters 1-27
  QString alignment;     // characters 30-59, printed in the report
};
D94Reply ParseD94Reply(const QByteArray& text);

// The 58 characters after "FAC:": the old checksum (characters 1-4), a blank, and the new
// checksum's bytes, high (characters 6-7) then low (characters 8-9).
struct D6Reply {
  QString oldChecksum;
  QString high;
  QString low;
  std::uint8_t highValue = 0;
  std::uint8_t lowValue = 0;
};
// Nothing when the new checksum's four characters are not all hex digits: nothing may then be
// written into the anemometer.
std::optional<D6Reply> ParseD6Reply(const QByteArray& text);
// The new checksum's characters as they came, for saying what was wrong with them.
QString D6NewChecksumText(const QByteArray& text);

// A debug line is exactly this long between its "\n" and its "\r".
inline constexpr int kDebugLineLength = 45;
bool IsDebugLine(const QByteArray& line);

}  // namespace ventari
