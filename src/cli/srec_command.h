// ventari-cli srec: reads an S-record file as the flash and EEPROM programming would (kernel,
// application or parameter file) and shows what would be sent, or why the file is refused.
#pragma once

#include <QString>
#include <QStringList>

namespace ventari {

// What the command prints and how it exits: done when read, not done when refused (a bad file
// or none), usage.
struct SrecOutcome {
  int status = 0;
  QString out;    // standard output
  QString error;  // a usage message, for standard error
};

struct CliInvocation;

// `arguments` is the whole argument list, program name and "srec" included.
SrecOutcome RunSrec(const QStringList& arguments);
int SrecCommand(const CliInvocation& call);

}  // namespace ventari
