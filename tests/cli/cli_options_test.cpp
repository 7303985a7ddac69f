// The numeric options of ventari-cli: accepted only in range, otherwise a usage message that
// names the option and says what it takes.
#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QStringList>

namespace ventari {
namespace {

std::variant<CliOptions, QString> Read(const QStringList& arguments) {
  QCommandLineParser parser;
  AddCliOptions(parser);
  EXPECT_TRUE(parser.parse(QStringList{QStringLiteral("ventari-cli")} + arguments));
  return ReadCliOptions(parser);
}

TEST(CliOptions, NumbersOutOfRangeOrNotNumbersAreRefusedWithWhatIsAccepted) {
  const std::pair<const char*, QStringList> refused[] = {
      {"--seconds takes a number of seconds from 0.1 to 31536000 (one year)",
       {"inf", "-inf", "nan", "1e300", "31536001", "0.09", "0", "-5", "ten", ""}},
      {"--baud takes one of the rates 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200",
       {"0", "-9600", "12345", "9600.5", "99999999999", "fast"}},
      {"--segment-minutes takes a whole number from 1 to 360", {"0", "361", "1.5", "nan"}},
      {"--pc-avg takes a whole number of minutes from 0 to 60", {"-1", "61", "0.5", "x"}},
  };
  for (const auto& [message, values] : refused) {
    const QString option = QString::fromLatin1(message).section(' ', 0, 0);
    for (const QString& value : values) {
      EXPECT_EQ(std::get<QString>(Read({option, value})), message) << value.toStdString();
    }
  }
}

TEST(CliOptions, NumbersInRangeAreTakenAndAbsentOnesKeepTheirDefaults) {
  const auto none = std::get<CliOptions>(Read({}));
  EXPECT_EQ(none.baud, 0);
  EXPECT_FALSE(none.runMs.has_value());
  EXPECT_EQ(none.segmentMinutes, 0);
  EXPECT_FALSE(none.pcAvgMinutes.has_value());
  const auto lowest = std::get<CliOptions>(
      Read({"--seconds", "0.1", "--baud", "300", "--segment-minutes", "1", "--pc-avg", "0"}));
  EXPECT_EQ(std::tuple(lowest.runMs, lowest.baud, lowest.segmentMinutes, lowest.pcAvgMinutes),
            std::tuple(100, 300, 1, 0));
  const auto highest = std::get<CliOptions>(Read(
      {"--seconds", "31536000", "--baud", "115200", "--segment-minutes", "360", "--pc-avg", "60"}));
  EXPECT_EQ(std::tuple(highest.runMs, highest.baud, highest.segmentMinutes, highest.pcAvgMinutes),
            std::tuple(31536000000LL, 115200, 360, 60));
}

}  // namespace
}  // namespace ventari
