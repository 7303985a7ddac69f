// ventari-cli's one start-up, run as a user runs it: every command refuses an option another
// command takes, --help lists the exit statuses, and the three executables tell their version.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/version.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "support/cli_run.h"
#include "support/file_contents.h"

#if defined(VENTARI_CLI_EXECUTABLE) && defined(VENTARI_SIM_EXECUTABLE) && \
    defined(VENTARI_EXECUTABLE)

namespace ventari {
namespace {

test::CliRun RunCli(const QStringList& arguments) {
  return test::RunCli(QStringLiteral(VENTARI_CLI_EXECUTABLE), arguments, 20000);
}

// An option another command takes and `command` does not, with a value when it needs one.
QStringList OptionNotTakenBy(const CliCommand& command) {
  for (const CliCommand& other : CliCommands()) {
    for (const QCommandLineOption& option : other.options) {
      const QString name = option.names().first();
      if (TakesOption(command, name)) continue;
      QStringList given{QStringLiteral("--") + name};
      if (!option.valueName().isEmpty()) given << QStringLiteral("x");
      return given;
    }
  }
  return {};
}

TEST(CommandLine, EachCommandRefusesAnOptionThatDoesNotApplyBeforeItOpensAPort) {
  struct Case {
    QStringList arguments;
    QString option;
  };
  std::vector<Case> cases{{{"identify", "--port", "sim:t7", "--out", "x.log"}, "--out"}};
  for (const CliCommand& command : CliCommands()) {
    const QStringList option = OptionNotTakenBy(command);
    ASSERT_FALSE(option.isEmpty()) << command.name.toStdString();
    cases.push_back({QStringList{command.name} + option, option[0]});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const test::CliRun run = RunCli(c.arguments);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(
        run.err,
        QStringLiteral("ventari-cli: %1 does not apply to %2\n").arg(c.option, c.arguments[0]));
  }
}

TEST(CommandLine, HelpListsTheExitStatusesAndAVanishedPortIsNotAUsageError) {
  EXPECT_NE(kExitPortGone, kExitUsage);
  std::vector<QStringList> asked{{"--help"}};
  for (const CliCommand& command : CliCommands()) asked.push_back({command.name, "--help"});
  for (const QStringList& arguments : asked) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const test::CliRun run = RunCli(arguments);
    EXPECT_EQ(run.status, kExitDone);
    EXPECT_TRUE(run.out.contains(ExitStatusHelp())) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("  4  the port vanished and did not return")));
  }
}

TEST(CommandLine, TheReadmeListsEachCommandsOptionsAndTheExitStatuses) {
  const QString readme = QString::fromUtf8(test::FileContents(QStringLiteral(VENTARI_README)));
  for (const CliCommand& command : CliCommands()) {
    QStringList options;
    for (const QCommandLineOption& option : command.options) {
      options << "`--" + option.names().first() + "`";
    }
    EXPECT_TRUE(readme.contains("` | " + options.join(", ") + " |")) << command.name.toStdString();
  }
  for (const ExitStatus& exit : kExitStatuses) {
    const QString meaning = QString::fromLatin1(exit.meaning)
                                .replace(QStringLiteral("--reconnect-timeout"),
                                         QStringLiteral("`--reconnect-timeout`"));
    EXPECT_TRUE(readme.contains(QStringLiteral("| %1 | %2 |").arg(exit.status).arg(meaning)))
        << exit.status;
  }
}

TEST(CommandLine, TheThreeExecutablesTellTheirNameAndVersionWithoutOpeningAWindow) {
  const struct {
    const char* program;
    const char* name;
  } executables[] = {
      {VENTARI_CLI_EXECUTABLE, "ventari-cli"},
      {VENTARI_SIM_EXECUTABLE, "ventari-sim"},
      {VENTARI_EXECUTABLE, "Ventari"},
  };
  for (const auto& e : executables) {
    SCOPED_TRACE(e.name);
    const test::CliRun run = test::RunCli(QLatin1String(e.program), {"--version"}, 20000);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              QStringLiteral("%1 %2\n").arg(QLatin1String(e.name), QLatin1String(kVersion)));
  }
}

TEST(CommandLine, TheHelpNamesTheSettingsFileUnderTheUsersConfigurationFolder) {
  QTemporaryDir config;
  const QByteArray before = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  const test::CliRun app = test::RunCli(QStringLiteral(VENTARI_EXECUTABLE), {"--help"}, 20000);
  const test::CliRun cli = RunCli({"identify", "--help"});
  qputenv("XDG_CONFIG_HOME", before);
  const QString store = config.path() + QStringLiteral("/Calvarn Zurevuzizud/Ventari.conf");
  for (const test::CliRun& run : {app, cli}) {
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.simplified().contains(store)) << run.out.toStdString();
  }
}

}  // namespace
}  // namespace ventari

#endif
