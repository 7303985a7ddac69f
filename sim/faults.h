// Faults a simulated anemometer can be given: noise between messages, dropped and truncated
// messages, blocked paths, a device that stops answering, a line that stalls inside a message
// and a port that disappears, and the three-axis records' own: absent temperatures, a blocked
// speed, status conditions, malformed and non-numeric records.
#pragma once

#include <cstdint>
#include <string_view>

namespace ventari::sim {

struct Faults {
  // Probabilities, 0 to 1, drawn once per data message.
  double noise = 0;     // a burst of noise bytes goes out before the message
  double drop = 0;      // the message is not sent
  double truncate = 0;  // the message is cut before its end marker
  double blocked = 0;   // the measurement behind the message had blocked paths
  // Three-axis records only.
  double emptyTemp = 0;     // no absolute temperature: an empty field (ASCII) or 0xB1E0 (binary)
  double overTemp = 0;      // the absolute temperature reads "+99.99" (ASCII) or 0xB1E0 (binary)
  double blockedSpeed = 0;  // binary, polar: the speed alone is 0xB1E0
  double status = 0;        // the status reports a failed pair, a gain, a mismatch or an error
  double malformed = 0;     // a separator is lost (ASCII) or the check byte is wrong (binary)
  double nonNumeric = 0;    // ASCII: a digit of the first value is a letter
  // The Larkvane's final assembly replies, drawn once per reply or debug line.
  double silentChecksums = 0;  // D94 and D6 go unanswered
  double garbledChecksum = 0;  // D6's new checksum holds a letter that is no hex digit
  double shortDebug = 0;       // a debug line is one character short
  // A two-axis device, drawn once per "B" with a digit: it moves to the new rate but hears
  // nothing there, and its confirmation window brings the old settings back, still in
  // configuration mode.
  double keepRate = 0;
  // Times from the start of the run; negative means never.
  std::int64_t silentAfterMs = -1;  // the device stops hearing and sending
  std::int64_t vanishAfterMs = -1;  // the port disappears, once
  // The first data message due from then on stops halfway, before its end marker, once.
  std::int64_t stallAfterMs = -1;
  // Time from the stall until data messages go on; negative means never.
  std::int64_t resumeAfterMs = -1;
  // Time from the vanishing; negative means never. The port comes back once, the device having
  // gone on meanwhile; what it sent while the port was gone is lost.
  std::int64_t returnAfterMs = -1;
  // A Kestrix II set to "A3" in the calibration bin: the bin's temperature (degrees C) and the
  // error (m/s) of the speed of sound it measures there.
  double binTemperature = 20.0;
  double sosError = 0;
};

// Applies one fault given as "noise=P", "drop=P", "truncate=P", "blocked=P", "empty-temp=P",
// "over-temp=P", "blocked-speed=P", "status=P", "malformed=P", "non-numeric=P",
// "silent-checksums=P", "garbled-checksum=P", "short-debug=P", "keep-rate=P" (probabilities)
// or "silent=MS", "vanish=MS", "return=MS", "stall=MS", "resume=MS" (milliseconds). Returns false,
// changing nothing, for any other text.
bool ApplyFault(std::string_view text, Faults& faults);

}  // namespace ventari::sim
