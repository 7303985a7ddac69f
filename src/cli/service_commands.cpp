#include "cli/service_commands.h"

#include "cli/diag_command.h"
#include "cli/eeprom_command.h"
#include "cli/srec_command.h"

namespace ventari {

std::span<const ServiceCommand> ServiceCommands() {
  static const ServiceCommand kCommands[] = {
      {"srec", "read an S-record file as kernel, application or EEPROM part", SrecCommand},
      {"eeprom", "program the EEPROM from parameter files and verify it", EepromCommand},
      {"diag", "identify a Kestrix II and show one of its diagnostics", DiagCommand},
  };
  return kCommands;
}

}  // namespace ventari
