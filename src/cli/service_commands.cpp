#include "cli/service_commands.h"

#include "cli/calibrate_command.h"
#include "cli/capture_command.h"
#include "cli/checksums_command.h"
#include "cli/diag_command.h"
#include "cli/eeprom_command.h"
#include "cli/flash_command.h"
#include "cli/srec_command.h"

namespace ventari {

std::span<const ServiceCommand> ServiceCommands() {
  static const ServiceCommand kCommands[] = {
      {"srec", "read an S-record file as kernel, application or EEPROM part", SrecCommand},
      {"flash", "program a Kestrix II's firmware through the flash programmer", FlashCommand},
      {"eeprom", "program the EEPROM from parameter files and verify it", EepromCommand},
      {"diag", "identify a Kestrix II and show one of its diagnostics", DiagCommand},
      {"calibrate", "store a Kestrix II's path lengths or calibrate its speed of sound",
       CalibrateCommand},
      {"checksums", "read the four checksums a Larkvane keeps in its EEPROM", ChecksumsCommand},
      {"capture", "write the port's raw traffic to a file, typing texts into the line",
       CaptureCommand},
  };
  return kCommands;
}

}  // namespace ventari
