// ventari-cli checksums: its usage errors, and against the simulated Larkvane the four values in
// text and in JSON; another model is refused.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "support/cli_run.h"

namespace ventari {
namespace {

TEST(ChecksumsCommand, UsageErrorsEndBeforeAnythingIsOpened) {
  const QStringList cases[] = {
      {"checksums", "extra", "--port", "sim:larkvane"},
      {"checksums", "--port", "sim:larkvane", "--out", "x.log"},
      {"checksums", "--bogus"},
  };
  for (const QStringList& arguments : cases) {
    EXPECT_EQ(RunCommandLine(QStringList{"ventari-cli"} + arguments), kExitUsage)
        << arguments.join(' ').toStdString();
  }
}

#if defined(VENTARI_CLI_EXECUTABLE)

test::CliRun Checksums(const QStringList& arguments) {
  QTemporaryDir dir;
  return test::RunCli(
      QStringLiteral(VENTARI_CLI_EXECUTABLE),
      QStringList{"checksums", "--settings", dir.filePath("settings.ini")} + arguments, 120000);
}

TEST(ChecksumsCommand, ReadsTheSimulatedLarkvanesChecksumsAndRefusesAnotherModel) {
  const test::CliRun text = Checksums({"--port", "sim:larkvane", "--baud", "9600"});
  ASSERT_EQ(text.status, 0) << text.err.toStdString();
  EXPECT_EQ(text.out, QStringLiteral("ROM checksum : 7A3F\nFAC checksum : 1C05\n"
                                     "ENG checksum : 4B21\nCAL checksum : 93D6\n"));

  const test::CliRun json = Checksums({"--port", "sim:larkvane", "--baud", "9600", "--json"});
  ASSERT_EQ(json.status, 0) << json.err.toStdString();
  const QJsonObject values = QJsonDocument::fromJson(json.out.toUtf8()).object();
  EXPECT_EQ(values["rom"].toString(), QStringLiteral("7A3F"));
  EXPECT_EQ(values["cal"].toString(), QStringLiteral("93D6"));

  const test::CliRun other = Checksums({"--port", "sim:kestrix2", "--baud", "9600"});
  EXPECT_EQ(other.status, 1);
  EXPECT_TRUE(other.err.contains(QStringLiteral("needs a Larkvane"))) << other.err.toStdString();
}

#endif

}  // namespace
}  // namespace ventari
