// Faults a simulated processor in boot mode can be given: a flash that will not erase and an
// echo that comes back wrong. (A processor that says nothing is the device's "silent" fault.)
#pragma once

#include <string_view>

namespace ventari::sim {

struct BootFaults {
  bool eraseFails = false;  // 0x55 is answered 0xFF
  // The echo of this byte, counted from 0 over every byte echoed in boot mode (the kernel's two
  // length bytes first, then the kernel, the application's length bytes, the application),
  // comes back with its bits inverted; -1: none.
  long long wrongEchoAt = -1;
};

// Applies "erase-fails" or "wrong-echo=N"; false, changing nothing, for any other text.
bool ApplyBootFault(std::string_view text, BootFaults& faults);

}  // namespace ventari::sim
