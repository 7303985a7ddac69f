// ventari-sim in real time on a pseudo-terminal, opened by the system's own port on QSerialPort:
// silence and garbage at a wrong rate, the banner and the replies at the right one.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "base/qt_runtime.h"
#include "link/qt_serial_port.h"
#include "link/serial_port.h"
#include "support/bounded_wait.h"

// Built where ventari-sim is (pseudo-terminals are POSIX).
#ifdef VENTARI_SIM_EXECUTABLE

namespace ventari::sim {
namespace {

class VentariSimTest : public ::testing::Test {
 protected:
  ~VentariSimTest() override {
    port.SetOpen(false);
    simulator.kill();
    simulator.waitForFinished(2000);
  }

  // Starts ventari-sim and returns the path it printed.
  QString Start(const QStringList& arguments) {
    simulator.start(QStringLiteral(VENTARI_SIM_EXECUTABLE), arguments);
    if (!simulator.waitForStarted(5000)) return {};
    for (int i = 0; i < 50 && !simulator.canReadLine(); ++i) simulator.waitForReadyRead(100);
    return QString::fromLocal8Bit(simulator.readLine()).trimmed();
  }

  // Runs the event loop for `ms` milliseconds of real time.
  void RunFor(int ms) {
    bool done = false;
    runtime.Schedule(ms, [&done] { done = true; });
    runtime.WaitUntil([&done] { return done; });
  }

  bool WaitUntil(const std::function<bool()>& done, int ms) {
    return test::WaitUntil(runtime, done, ms);
  }

  // Runs until `text` has been received or `ms` passed.
  bool WaitFor(const std::string& text, int ms) {
    return WaitUntil([&] { return received.find(text) != std::string::npos; }, ms);
  }

  void Type(const std::string& command) {
    for (const char c : command) {
      port.PutChar(static_cast<std::uint8_t>(c));
      RunFor(kTimerTickMs);
    }
    RunFor(50);
    port.PutChar('\r');
  }

  QtRuntime runtime;
  QProcess simulator;
  SerialPort port{runtime, [](const QString&) { return std::make_unique<QtSerialPort>(); }};
  std::string received;
  int consumer = port.AddReceiveConsumer(
      [this](std::span<const std::uint8_t> bytes) { received.append(bytes.begin(), bytes.end()); });
};

TEST_F(VentariSimTest, APseudoTerminalClientFindsTheDeviceOnlyAtItsRate) {
  const QString path =
      Start({QStringLiteral("--model"), QStringLiteral("kestrix2"), QStringLiteral("--baud"),
             QStringLiteral("9600"), QStringLiteral("--rate"), QStringLiteral("10")});
  ASSERT_TRUE(path.startsWith(QStringLiteral("/dev/"))) << path.toStdString();
  port.SetName(path);
  port.SetBaud(19200);
  port.SetOpen(true);

  port.PutChar('*');
  RunFor(600);
  ASSERT_FALSE(received.empty()) << "the stream arrives, as garbage";
  EXPECT_TRUE(std::all_of(received.begin(), received.end(),
                          [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));

  port.SetBaud(9600);
  RunFor(300);
  received.clear();
  port.PutChar('*');
  ASSERT_TRUE(WaitFor("CONFIGURATION MODE\r\n", 2000)) << received;
  received.clear();
  Type("D1");
  EXPECT_TRUE(WaitFor("D1\r\nE100234\r\n", 1000)) << received;
}

TEST_F(VentariSimTest, BootServesAProcessorWaitingInBootMode) {
  const QString path =
      Start({QStringLiteral("--boot"), QStringLiteral("--fault"), QStringLiteral("wrong-echo=3")});
  ASSERT_TRUE(path.startsWith(QStringLiteral("/dev/"))) << path.toStdString();
  port.SetName(path);
  port.SetOpen(true);
  RunFor(300);  // the simulator sees the client before it hears anything
  port.PutChar(0x00);
  ASSERT_TRUE(WaitFor(std::string(1, '\0'), 1000));
  port.PutChar(0x55);
  ASSERT_TRUE(WaitFor("\xAA", 2000)) << received;
  port.PutString(
      std::string("\x00\x02"
                  "ab",
                  4));
  // The fourth byte echoed comes back inverted; then the kernel is loaded.
  EXPECT_TRUE(WaitFor(std::string("\x00\x02"
                                  "a\x9D\xAA",
                                  5),
                      1000));
}

TEST_F(VentariSimTest, ALinkFollowsTheDeviceUnpluggedAndPluggedInAgain) {
  const QTemporaryDir dir;
  const QString link = dir.filePath(QStringLiteral("anemometer"));
  const auto linked = [&link] { return QFileInfo(link).isSymLink(); };
  const QString path =
      Start({QStringLiteral("--model"), QStringLiteral("kestrix2"), QStringLiteral("--rate"),
             QStringLiteral("10"), QStringLiteral("--link"), link, QStringLiteral("--unplug-at"),
             QStringLiteral("1"), QStringLiteral("--replug-at"), QStringLiteral("2")});
  ASSERT_EQ(path, link) << "scripts open the link";
  port.SetName(link);
  port.SetBaud(9600);
  port.SetOpen(true);
  ASSERT_TRUE(WaitFor("\x02Q,", 2000)) << received;

  ASSERT_TRUE(WaitUntil([this] { return !port.IsOpen(); }, 2000)) << "unplugged";
  EXPECT_FALSE(port.LostReason().isEmpty());
  EXPECT_TRUE(WaitUntil([&] { return !linked(); }, 500)) << "the link goes with the device";

  ASSERT_TRUE(WaitUntil(linked, 2000)) << "plugged in again";
  port.SetOpen(true);
  received.clear();
  EXPECT_TRUE(WaitFor("\x02Q,", 2000)) << "the same device streams on";

  simulator.terminate();
  EXPECT_TRUE(simulator.waitForFinished(2000));
  EXPECT_FALSE(linked()) << "the link is removed when the simulator is stopped";
}

TEST_F(VentariSimTest, UnpluggingIsRefusedWithoutALinkOrWithAReplugBeforeIt) {
  const QString link = QTemporaryDir().filePath(QStringLiteral("anemometer"));
  const QStringList model{QStringLiteral("--model"), QStringLiteral("t7")};
  for (const QStringList& extra :
       {QStringList{QStringLiteral("--unplug-at"), QStringLiteral("1")},
        QStringList{QStringLiteral("--link"), link, QStringLiteral("--replug-at"),
                    QStringLiteral("1")},
        QStringList{QStringLiteral("--link"), link, QStringLiteral("--unplug-at"),
                    QStringLiteral("2"), QStringLiteral("--replug-at"), QStringLiteral("2")},
        QStringList{QStringLiteral("--link"), link, QStringLiteral("--unplug-at"),
                    QStringLiteral("1"), QStringLiteral("--replug-at"), QStringLiteral("2"),
                    QStringLiteral("--unplug-at"), QStringLiteral("2")}}) {
    QProcess refused;
    refused.start(QStringLiteral(VENTARI_SIM_EXECUTABLE), model + extra);
    ASSERT_TRUE(refused.waitForFinished(5000));
    EXPECT_EQ(refused.exitCode(), 2) << extra.join(' ').toStdString();
    EXPECT_TRUE(refused.readAllStandardError().startsWith("ventari-sim: "));
  }
}

}  // namespace
}  // namespace ventari::sim

#endif  // VENTARI_SIM_EXECUTABLE
