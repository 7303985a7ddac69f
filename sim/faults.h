// Faults a simulated anemometer can be given: noise between messages, dropped and truncated
// messages, blocked paths, a device that stops answering and a port that disappears.
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
  // Times from the start of the run; negative means never.
  std::int64_t silentAfterMs = -1;  // the device stops hearing and sending
  std::int64_t vanishAfterMs = -1;  // the port disappears
};

// Applies one fault given as "noise=P", "drop=P", "truncate=P", "blocked=P" (probabilities) or
// "silent=MS", "vanish=MS" (milliseconds). Returns false, changing nothing, for any other text.
bool ApplyFault(std::string_view text, Faults& faults);

}  // namespace ventari::sim
