// ventari-cli calibrate: stores a Kestrix II's path lengths ("paths") or calibrates its speed of
// sound in the bin at a given temperature ("sos"), as the test window's calibration pages do, and
// prints what was read, written and read back.
#pragma once

#include <QStringList>

namespace ventari {

// Exit statuses: 0 verified, 1 refused or not answered, 2 usage, 3 not verified.
int CalibrateCommand(const QStringList& arguments);

}  // namespace ventari
