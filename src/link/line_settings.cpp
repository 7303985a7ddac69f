#include "link/line_settings.h"

#include <algorithm>

namespace ventari {

Parity ParityFromCode(int code) {
  return code >= 1 && code <= 4 ? static_cast<Parity>(code) : Parity::kNone;
}

double ByteMs(const LineSettings& line) {
  const int bits = 1 + line.dataBits + (line.parity == Parity::kNone ? 0 : 1) + line.stopBits;
  return 1000.0 * bits / std::max(line.baud, 1);
}

}  // namespace ventari
