// Whether this user may open a serial device and, when not, the group that may: the platform's
// own checks (on POSIX systems the device node's mode and owning group). Windows tells nothing
// of the kind: every device counts as permitted and a refusal is told in the system's words.
#pragma once

#include <QSerialPort>
#include <QString>

#include "link/open_failure_message.h"

namespace ventari {

struct PortPermission {
  // False only for a device that exists and that this user may not read and write.
  bool permitted = true;
  // The group owning the device when its members may read and write it; empty otherwise.
  QString group;
};

PortPermission PermissionOf(const QString& device);

// Why QSerialPort's `error` refused to open a device of `permission`.
OpenRefusal RefusalOf(QSerialPort::SerialPortError error, const PortPermission& permission);

}  // namespace ventari
