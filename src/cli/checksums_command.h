// ventari-cli checksums: the four checksums a Larkvane keeps in its EEPROM (program, factory,
// engineering and calibration parameters), read as the software test page reads them.
#pragma once

namespace ventari {

struct CliInvocation;

// Done when all four were read; not done when no Larkvane was found or a cell was unanswered.
int ChecksumsCommand(const CliInvocation& call);

}  // namespace ventari
