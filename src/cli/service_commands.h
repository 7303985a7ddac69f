// The service commands of ventari-cli (firmware files, flash, EEPROM, diagnostics). Each reads
// its own options from the whole argument list, program name and command included.
#pragma once

#include <QStringList>
#include <span>

namespace ventari {

struct ServiceCommand {
  const char* name;
  const char* summary;  // one line of the help text
  int (*run)(const QStringList& arguments);
};

std::span<const ServiceCommand> ServiceCommands();

}  // namespace ventari
