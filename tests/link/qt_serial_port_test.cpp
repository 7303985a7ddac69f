// The USB adapters behind this machine's ports, as found again under a new name; a line that
// trickles in is handed on in batches, and an answer at once.
#include "link/qt_serial_port.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>

#include "base/qt_runtime.h"
#include "support/bounded_wait.h"
#include "support/pseudo_terminal.h"

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

TEST(QtSerialPortHandOffTest, ATricklingLineGoesInBatchesAndAnAnswerAtOnce) {
  test::PseudoTerminal pty;
  ASSERT_FALSE(pty.Path().isEmpty());
  struct Sink : SerialBackend::Sink {
    void BytesReceived(const std::uint8_t* data, std::size_t size) override {
      bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
      ++handOffs;
    }
    void DeviceLost(const QString&) override {}
    QByteArray bytes;
    int handOffs = 0;
  } sink;
  QtRuntime runtime;
  QtSerialPort port;
  port.Open(pty.Path(), LineSettings{}, sink);
  QByteArray sent;
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 200; ++i) {  // about a byte a millisecond
    sent += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(pty.Send(sent.right(1)));
    QElapsedTimer tick;
    tick.start();
    while (tick.elapsed() < 1) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  EXPECT_TRUE(test::WaitUntil(
      runtime, [&] { return sink.bytes.size() == sent.size(); }, 2000));
  EXPECT_EQ(sink.bytes, sent);
  EXPECT_LE(sink.handOffs, clock.elapsed() / QtSerialPort::kHandOffMs + 2);

  // Quick questions and answers, each answer a millisecond or so after the last: none waits for
  // the interval.
  constexpr int kExchanges = 20;
  clock.start();
  for (int i = 0; i < kExchanges; ++i) {
    const std::uint8_t question = '?';
    port.Write(&question, 1);
    sent += '!';
    ASSERT_TRUE(pty.Send("!"));
    ASSERT_TRUE(test::WaitUntil(
        runtime, [&] { return sink.bytes.size() == sent.size(); }, 2000));
  }
  EXPECT_LT(clock.elapsed(), kExchanges * QtSerialPort::kHandOffMs / 2);
}

}  // namespace
}  // namespace ventari
