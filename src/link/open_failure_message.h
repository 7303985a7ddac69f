// What the user is told when a port cannot be opened: the reason and, for a port this user may
// not open, how to be allowed to; and how the lists of ports mark such a port.
#pragma once

#include <QString>

namespace ventari {

enum class OpenRefusal {
  kOther,         // told in the system's own words
  kNoPermission,  // the device is there, but this user may not read and write it
  kInUse,         // another program holds it
  kMissing,       // there is no such device
};

// "Cannot open NAME: ...". `group` is the group whose members may open the port (empty when no
// group may); `systemText` the system's words for kOther.
QString OpenFailureMessage(const QString& name, OpenRefusal why, const QString& group,
                           const QString& systemText);

// A port as the lists of ports show it: its name, marked "(no permission)" when this user may not
// open it.
QString ListedPortName(const QString& name, bool permitted);

}  // namespace ventari
