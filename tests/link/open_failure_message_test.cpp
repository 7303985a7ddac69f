// What the user is told when a port cannot be opened, from QSerialPort's error and whether the
// user may open the device.
#include "link/open_failure_message.h"

#include <gtest/gtest.h>

#include "link/port_permission.h"

namespace ventari {
namespace {

#ifdef Q_OS_UNIX

TEST(OpenFailureMessageTest, SaysWhyAndHowToBeAllowed) {
  const struct {
    QSerialPort::SerialPortError error;
    PortPermission permission;
    const char* message;
  } cases[] = {
      {QSerialPort::PermissionError,
       {false, "dialout"},
       "Cannot open /dev/ttyUSB0: no permission. The port belongs to the group dialout: run sudo "
       "usermod -aG dialout $USER, then log out and in again."},
      {QSerialPort::PermissionError,
       {false, {}},
       "Cannot open /dev/ttyUSB0: no permission. Ask the administrator to let you read and write "
       "it."},
      {QSerialPort::PermissionError, {}, "Cannot open /dev/ttyUSB0: in use by another program"},
      {QSerialPort::DeviceNotFoundError, {}, "Cannot open /dev/ttyUSB0: no such port"},
      {QSerialPort::OpenError, {}, "Cannot open /dev/ttyUSB0: Input/output error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OpenFailureMessage(QStringLiteral("/dev/ttyUSB0"), RefusalOf(c.error, c.permission),
                                 c.permission.group, QStringLiteral("Input/output error")),
              QString::fromLatin1(c.message));
  }
  EXPECT_EQ(ListedPortName(QStringLiteral("/dev/ttyS0"), false), "/dev/ttyS0 (no permission)");
  EXPECT_EQ(ListedPortName(QStringLiteral("/dev/ttyS0"), true), "/dev/ttyS0");
}

#endif

}  // namespace
}  // namespace ventari
