// ventari-cli calibrate: stores a Kestrix II's path lengths ("paths") or calibrates its speed of
// sound in the bin at a given temperature ("sos"), as the test window's calibration pages do, and
// prints what was read, written and read back.
#pragma once

namespace ventari {

struct CliInvocation;

// Done when verified, not done when refused or not answered, incomplete when not verified.
int CalibrateCommand(const CliInvocation& call);

}  // namespace ventari
