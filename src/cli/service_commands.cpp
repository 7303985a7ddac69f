#include "cli/service_commands.h"

#include <array>

#include "cli/diag_command.h"

namespace ventari {

std::span<const ServiceCommand> ServiceCommands() {
  static const std::array kCommands{
      ServiceCommand{"diag", "identify a Kestrix II and show one of its diagnostics", &DiagCommand},
  };
  return kCommands;
}

}  // namespace ventari
