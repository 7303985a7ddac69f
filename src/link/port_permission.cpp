#include "link/port_permission.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace ventari {

#ifdef Q_OS_UNIX

PortPermission PermissionOf(const QString& device) {
  const QByteArray path = QFile::encodeName(device);
  struct stat node {};
  if (::stat(path.constData(), &node) != 0) return {};
  if (::access(path.constData(), R_OK | W_OK) == 0 || errno != EACCES) return {};
  PortPermission permission{false, {}};
  constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
  if ((node.st_mode & kGroupReadWrite) == kGroupReadWrite) {
    if (const group* owner = ::getgrgid(node.st_gid)) {
      permission.group = QString::fromLocal8Bit(owner->gr_name);
    }
  }
  return permission;
}

OpenRefusal RefusalOf(QSerialPort::SerialPortError error, const PortPermission& permission) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return OpenRefusal::kMissing;
    // Qt reports a device locked by another program (its lock file, or TIOCEXCL) as a
    // permission error too.
    case QSerialPort::PermissionError:
      return permission.permitted ? OpenRefusal::kInUse : OpenRefusal::kNoPermission;
    default:
      return OpenRefusal::kOther;
  }
}

#else

PortPermission PermissionOf(const QString&) { return {}; }

OpenRefusal RefusalOf(QSerialPort::SerialPortError, const PortPermission&) {
  return OpenRefusal::kOther;
}

#endif

}  // namespace ventari
