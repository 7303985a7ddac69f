#include "cli/service_commands.h"

#include "cli/flash_command.h"
#include "cli/srec_command.h"

namespace ventari {

std::span<const ServiceCommand> ServiceCommands() {
  static const ServiceCommand kCommands[] = {
      {"srec", "read an S-record file as kernel, application or EEPROM part", SrecCommand},
      {"flash", "program a Kestrix II's firmware through the flash programmer", FlashCommand},
  };
  return kCommands;
}

}  // namespace ventari
