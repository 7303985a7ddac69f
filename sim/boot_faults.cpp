#include "sim/boot_faults.h"

#include <charconv>

namespace ventari::sim {

bool ApplyBootFault(std::string_view text, BootFaults& faults) {
  if (text == "erase-fails") {
    faults.eraseFails = true;
    return true;
  }
  constexpr std::string_view kWrongEcho = "wrong-echo=";
  if (!text.starts_with(kWrongEcho)) return false;
  const std::string_view value = text.substr(kWrongEcho.size());
  long long at = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), at);
  if (value.empty() || error != std::errc() || end != value.data() + value.size() || at < 0) {
    return false;
  }
  faults.wrongEchoAt = at;
  return true;
}

}  // namespace ventari::sim
