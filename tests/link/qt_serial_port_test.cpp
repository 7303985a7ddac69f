// The USB adapters behind this machine's ports, as found again under a new name.
#include "link/qt_serial_port.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace ventari {
namespace {

TEST(QtSerialPortAdapterTest, EveryListedAdapterLeadsBackToItsPort) {
  const QRegularExpression form(QStringLiteral("^[0-9a-f]{4}:[0-9a-f]{4}:.+$"));
  for (const QString& name : QtSerialPort::AvailablePortNames()) {
    const QString adapter = QtSerialPort::AdapterOf(name);
    if (adapter.isEmpty()) continue;  // not a USB adapter, or one without a serial number
    EXPECT_TRUE(form.match(adapter).hasMatch()) << adapter.toStdString();
    EXPECT_EQ(QtSerialPort::PortOfAdapter(adapter), name) << adapter.toStdString();
  }
}

TEST(QtSerialPortAdapterTest, NoAdapterForAnUnlistedPortNorAPortForAnUnknownAdapter) {
  EXPECT_EQ(QtSerialPort::AdapterOf(QStringLiteral("/dev/ventari-no-such-port")), QString());
  EXPECT_EQ(QtSerialPort::PortOfAdapter(QString()), QString());
  EXPECT_EQ(QtSerialPort::PortOfAdapter(QStringLiteral("0000:0000:none")), QString());
}

}  // namespace
}  // namespace ventari
