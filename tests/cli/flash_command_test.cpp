// ventari-cli flash as a user runs it: usage, a file that cannot be used, and, against a board in
// the flash programmer ("sim:boot", in real time), a run that programs and one that is
// interrupted, with the log on standard output as it comes.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "service/flash_rig.h"

#ifdef VENTARI_CLI_EXECUTABLE

namespace ventari {
namespace {

class FlashCommandTest : public ::testing::Test {
 protected:
  FlashCommandTest() {
    QDir(dir.path()).mkpath(QStringLiteral("srecords"));
    test::WriteSRecords(dir.filePath("srecords/fp3334.s"), 0, test::FirmwareBytes(40, 1));
    test::WriteSRecords(dir.filePath("app.s"), 0, test::FirmwareBytes(600, 2));
  }
  void Start(QProcess& cli, const QStringList& arguments) {
    cli.setWorkingDirectory(dir.path());
    cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE), QStringList{"flash"} + arguments);
    ASSERT_TRUE(cli.waitForStarted(5000));
  }
  int Finish(QProcess& cli, int boundMs) {
    if (!cli.waitForFinished(boundMs)) cli.kill();
    return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  }

  QTemporaryDir dir;
};

TEST_F(FlashCommandTest, UsageAndFilesAreCheckedBeforeTheProgrammerIsTouched) {
  const struct {
    QStringList arguments;
    int status;
    const char* said;
  } cases[] = {
      {{"--app", "app.s"}, 2, "--port"},
      {{"--port", "sim:boot"}, 2, "--app"},
      {{"--port", "sim:boot", "--app", "app.s", "--chip", "3336"}, 2, "--chip"},
      {{"--port", "sim:boot", "--app", "none.s", "--chip", "3334"}, 1, "none.s not found"},
      {{"--port", "sim:boot", "--app", "app.s"}, 1, "Kernel upload failure"},  // no fp3337.s
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    QProcess cli;
    Start(cli, c.arguments);
    EXPECT_EQ(Finish(cli, 5000), c.status);
    const QString said =
        QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError());
    EXPECT_TRUE(said.contains(QLatin1String(c.said))) << said.toStdString();
    EXPECT_FALSE(said.contains("S1 : Entering boot mode"));
  }
}

TEST_F(FlashCommandTest, ARunProgramsAndAnInterruptedRunEndsAsAborted) {
  // Side by side: each takes seconds of real time.
  QProcess programmed;
  QProcess interrupted;
  const QStringList arguments{"--port", "sim:boot",         "--app",   "app.s", "--chip",
                              "3334",   "--service-folder", dir.path()};
  Start(programmed, arguments);
  Start(interrupted, arguments);
  QByteArray seen;
  while (!seen.contains("S2 : Auto baud") && interrupted.waitForReadyRead(10000)) {
    seen += interrupted.readAllStandardOutput();
  }
  interrupted.terminate();
  EXPECT_EQ(Finish(interrupted, 20000), 3);
  seen += interrupted.readAllStandardOutput();
  EXPECT_TRUE(seen.startsWith(" Flash upload program for H8/3334\n")) << seen.toStdString();
  EXPECT_TRUE(seen.endsWith("Programming aborted\n")) << seen.toStdString();

  EXPECT_EQ(Finish(programmed, 60000), 0);
  const QByteArray log = programmed.readAllStandardOutput();
  EXPECT_TRUE(log.contains("Program length 40\n")) << log.toStdString();
  EXPECT_TRUE(log.contains("600 bytes transferred\nFile transfer complete\n"));
  EXPECT_TRUE(log.endsWith("Processor reset\n")) << log.toStdString();
}

}  // namespace
}  // namespace ventari

#endif  // VENTARI_CLI_EXECUTABLE
