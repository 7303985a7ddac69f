#include "cli/service_commands.h"

#include <array>

namespace ventari {

std::span<const ServiceCommand> ServiceCommands() {
  static const std::array<ServiceCommand, 0> kCommands{};
  return kCommands;
}

}  // namespace ventari
