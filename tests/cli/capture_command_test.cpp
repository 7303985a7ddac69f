// ventari-cli capture: its usage errors, and against the simulated Kestrix II the file holding
// what the line answered to the texts typed.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "support/cli_run.h"
#include "support/file_contents.h"

namespace ventari {
namespace {

TEST(CaptureCommand, UsageErrorsEndBeforeAnythingIsOpened) {
  const QStringList cases[] = {
      {"capture", "--port", "sim:kestrix2"},
      {"capture", "extra", "--port", "sim:kestrix2", "--out", "x.dat"},
      {"capture", "--port", "sim:kestrix2", "--out", "x.dat", "--json"},
      {"capture", "--out", "x.dat"},
  };
  for (const QStringList& arguments : cases) {
    EXPECT_EQ(RunCommandLine(QStringList{"ventari-cli"} + arguments), kExitUsage)
        << arguments.join(' ').toStdString();
  }
}

#if defined(VENTARI_CLI_EXECUTABLE)

test::CliRun Capture(const QTemporaryDir& dir, const QStringList& arguments) {
  return test::RunCli(QStringLiteral(VENTARI_CLI_EXECUTABLE),
                      QStringList{"capture", "--settings", dir.filePath("settings.ini"), "--port",
                                  "sim:kestrix2", "--baud", "9600"} +
                          arguments,
                      120000);
}

TEST(CaptureCommand, WritesWhatTheLineAnsweredToTheTypedTexts) {
  QTemporaryDir dir;
  const QString out = dir.filePath("line.dat");
  const test::CliRun run =
      Capture(dir, {"--out", out, "--seconds", "2", "--send", "*", "--send", "D1"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Log file " + out + " closed\n");
  const QByteArray captured = test::FileContents(out);
  EXPECT_TRUE(captured.contains("CONFIGURATION MODE\r\n")) << captured.toStdString();
  EXPECT_TRUE(captured.contains("E100234\r\n")) << captured.toStdString();
}

TEST(CaptureCommand, AFileThatCannotBeCreatedIsAFileError) {
  QTemporaryDir dir;
  const test::CliRun run = Capture(dir, {"--out", dir.filePath("no/such/x.dat"), "--seconds", "1"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_TRUE(run.err.contains("Can't perform one of the following file operations"))
      << run.err.toStdString();
}

#endif

}  // namespace
}  // namespace ventari
