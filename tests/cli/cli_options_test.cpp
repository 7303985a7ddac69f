// The numeric options of ventari-cli: accepted only in range, otherwise a usage message that
// names the option, before any port is opened.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QStringList>

namespace ventari {
namespace {

std::variant<CliOptions, QString> Read(const QStringList& arguments) {
  QCommandLineParser parser;
  AddCliOptions(parser);
  parser.addPositionalArgument(QStringLiteral("command"), {});
  EXPECT_TRUE(parser.parse(QStringList{QStringLiteral("ventari-cli"), QStringLiteral("stream")} +
                           arguments))
      << parser.errorText().toStdString();
  return ReadCliOptions(parser);
}

struct Refused {
  const char* option;
  const char* value;
};

TEST(CliOptions, NumbersOutOfRangeOrNotNumbersAreRefusedByName) {
  const Refused cases[] = {
      {"--seconds", "inf"},
      {"--seconds", "-inf"},
      {"--seconds", "nan"},
      {"--seconds", "1e300"},
      {"--seconds", "31536001"},
      {"--seconds", "0.09"},
      {"--seconds", "0"},
      {"--seconds", "-5"},
      {"--seconds", "ten"},
      {"--seconds", ""},
      {"--baud", "0"},
      {"--baud", "-9600"},
      {"--baud", "12345"},
      {"--baud", "9600.5"},
      {"--baud", "99999999999"},
      {"--baud", "fast"},
      {"--segment-minutes", "0"},
      {"--segment-minutes", "361"},
      {"--segment-minutes", "1.5"},
      {"--segment-minutes", "nan"},
  };
  for (const auto& [option, value] : cases) {
    const auto read = Read({QLatin1String(option), QLatin1String(value)});
    const QString* error = std::get_if<QString>(&read);
    ASSERT_NE(error, nullptr) << option << " " << value;
    EXPECT_TRUE(error->startsWith(QLatin1String(option))) << error->toStdString();
  }
}

TEST(CliOptions, TheMessagesSayWhatIsAccepted) {
  EXPECT_EQ(std::get<QString>(Read({"--seconds", "inf"})),
            "--seconds takes a number of seconds from 0.1 to 31536000 (one year)");
  EXPECT_EQ(std::get<QString>(Read({"--baud", "12345"})),
            "--baud takes one of the rates 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, "
            "115200");
  EXPECT_EQ(std::get<QString>(Read({"--segment-minutes", "0"})),
            "--segment-minutes takes a whole number from 1 to 360");
}

TEST(CliOptions, NumbersInRangeAreTakenAndAbsentOnesKeepTheirDefaults) {
  const auto none = std::get<CliOptions>(Read({}));
  EXPECT_EQ(none.baud, 0);
  EXPECT_FALSE(none.runMs.has_value());
  EXPECT_EQ(none.segmentMinutes, 0);

  struct Taken {
    QStringList arguments;
    std::int32_t baud;
    std::int64_t runMs;
    int segmentMinutes;
  };
  const Taken cases[] = {
      {{"--seconds", "0.1", "--baud", "300", "--segment-minutes", "1"}, 300, 100, 1},
      {{"--seconds", "31536000", "--baud", "115200", "--segment-minutes", "360"},
       115200,
       31536000000,
       360},
      {{"--seconds", "2.5", "--baud", "19200", "--segment-minutes", "60"}, 19200, 2500, 60},
  };
  for (const Taken& c : cases) {
    const auto options = std::get<CliOptions>(Read(c.arguments));
    EXPECT_EQ(options.baud, c.baud);
    EXPECT_EQ(options.runMs, c.runMs);
    EXPECT_EQ(options.segmentMinutes, c.segmentMinutes);
  }
}

}  // namespace
}  // namespace ventari
