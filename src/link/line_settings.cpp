#include "link/line_settings.h"

namespace ventari {

Parity ParityFromCode(int code) {
  return code >= 1 && code <= 4 ? static_cast<Parity>(code) : Parity::kNone;
}

}  // namespace ventari
