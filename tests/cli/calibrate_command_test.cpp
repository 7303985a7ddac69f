// ventari-cli calibrate: what it refuses before opening any port, and against ventari-sim's
// Kestrix II in its calibration bin on a pseudo-terminal, path lengths stored and verified and the
// speed of sound calibrated, with the cells as read back.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>

#include "cli/command_line.h"

namespace ventari {
namespace {

TEST(CalibrateCommand, OptionsThatCannotRunEndWithTheUsageStatusBeforeAnyPortIsOpened) {
  const QStringList cases[] = {
      {"calibrate", "--port", "sim:kestrix2", "--axis1", "1464", "--axis2", "1436"},
      {"calibrate", "lengths", "--port", "sim:kestrix2", "--axis1", "1464", "--axis2", "1436"},
      {"calibrate", "paths", "--port", "sim:kestrix2", "--axis1", "1464"},
      {"calibrate", "paths", "--axis1", "1464", "--axis2", "1436"},
      {"calibrate", "paths", "--port", "sim:kestrix2", "--axis1", "1", "--axis2", "1",
       "--temperature", "20"},
      {"calibrate", "sos", "--port", "sim:kestrix2"},
      {"calibrate", "sos", "--port", "sim:kestrix2", "--temperature", "warm"},
      {"calibrate", "sos", "--port", "sim:kestrix2", "--temperature", "-274"},
      {"calibrate", "sos", "--port", "sim:kestrix2", "--temperature", "20", "--axis1", "1464"},
  };
  for (const QStringList& arguments : cases) {
    EXPECT_EQ(RunCommandLine(QStringList{"ventari-cli"} + arguments), 2)
        << arguments.join(' ').toStdString();
  }
}

#if defined(VENTARI_CLI_EXECUTABLE) && defined(VENTARI_SIM_EXECUTABLE)

struct Finished {
  int status = -1;
  QJsonObject json;
};

class CalibrateOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    simulator.start(QStringLiteral(VENTARI_SIM_EXECUTABLE),
                    {"--model", "kestrix2", "--rate", "10", "--fault", "sos-error=-0.25"});
    ASSERT_TRUE(simulator.waitForStarted(5000));
    for (int i = 0; i < 50 && !simulator.canReadLine(); ++i) simulator.waitForReadyRead(100);
    path = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    ASSERT_TRUE(path.startsWith("/dev/"));
  }
  void TearDown() override {
    simulator.kill();
    simulator.waitForFinished(2000);
  }
  Finished Run(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE),
              QStringList{"calibrate"} + arguments +
                  QStringList{"--port", path, "--baud", "9600", "--json", "--settings",
                              dir.filePath("settings.ini")});
    if (!cli.waitForFinished(60000)) {
      cli.kill();
      cli.waitForFinished();
      return {};
    }
    return {cli.exitCode(), QJsonDocument::fromJson(cli.readAllStandardOutput()).object()};
  }

  QTemporaryDir dir;
  QProcess simulator;
  QString path;
};

TEST_F(CalibrateOnPty, PathLengthsAreWrittenAndReadBack) {
  const Finished run = Run({"paths", "--axis1", "1464", "--axis2", "1436"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.json["result"].toString(), QStringLiteral("verified"));
  const QJsonArray cells = run.json["cells"].toArray();
  ASSERT_EQ(cells.size(), 4);
  EXPECT_EQ(cells[0].toObject()["written"].toInt(), 128);
  EXPECT_EQ(cells[0].toObject()["readBack"].toInt(), 128);
  EXPECT_TRUE(cells[2].toObject()["written"].isNull());  // axis 3 not enabled
}

TEST_F(CalibrateOnPty, TheSpeedOfSoundIsCalibratedInTheBin) {
  const Finished run = Run({"sos", "--temperature", "20.0"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.json["result"].toString(), QStringLiteral("verified"));
  EXPECT_TRUE(run.json["theoretical"].toString().startsWith("343.72006"));
  // Reading 0.25 m/s low: +25 hundredths (24 after truncation in single precision).
  const int offset = run.json["offset"].toInt();
  EXPECT_TRUE(offset == 24 || offset == 25) << offset;
  const QJsonObject written = run.json["written"].toObject();
  const QJsonObject readBack = run.json["readBack"].toObject();
  for (const char* cell : {"75", "76", "510"}) {
    EXPECT_EQ(written[cell], readBack[cell]) << cell;
  }
  EXPECT_EQ(written["76"].toInt(), 0);
}

#endif

}  // namespace
}  // namespace ventari
