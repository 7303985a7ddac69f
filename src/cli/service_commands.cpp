#include "cli/service_commands.h"

#include "cli/srec_command.h"

namespace ventari {

std::span<const ServiceCommand> ServiceCommands() {
  static const ServiceCommand kCommands[] = {
      {"srec", "read an S-record file as kernel, application or EEPROM part", SrecCommand},
  };
  return kCommands;
}

}  // namespace ventari
