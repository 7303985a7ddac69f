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

TEST(CliOptions, TheBrokerOptionsAreCheckedBeforeAnyPortIsOpened) {
  const std::pair<QStringList, const char*> refused[] = {
      {{"--mqtt", "tcp://h"},
       "--mqtt takes mqtt://host[:port] or mqtts://host[:port], not \"tcp://h\""},
      {{"--mqtt-prefix", "site"}, "--mqtt-prefix needs --mqtt"},
      {{"--mqtt", "mqtt://h", "--mqtt-prefix", "site/#"},
       "--mqtt-prefix: the topic prefix \"site/#\" holds a wildcard (+ or #)"},
      {{"--mqtt", "mqtt://h", "--mqtt-qos", "2"}, "--mqtt-qos takes 0 or 1"},
      {{"--mqtt", "mqtt://h", "--mqtt-ca", "/etc/hostname"}, "--mqtt-ca applies to mqtts:// only"},
      {{"--mqtt", "mqtt://h", "--mqtt-password-file", "/etc/hostname"},
       "--mqtt-password-file needs --mqtt-user"},
      {{"--mqtt", "mqtt://h", "--mqtt-hold", "0"},
       "--mqtt-hold takes a whole number from 1 to 100000000"},
  };
  for (const auto& [arguments, message] : refused) {
    EXPECT_EQ(std::get<QString>(Read(arguments)), message) << arguments.join(' ').toStdString();
  }
  const auto taken =
      std::get<CliOptions>(Read({"--mqtt", "mqtts://h:8884", "--mqtt-qos", "0", "--mqtt-prefix",
                                 "site/north", "--mqtt-hold", "10", "--mqtt-hold-mib", "1"}));
  ASSERT_TRUE(taken.mqtt.has_value());
  EXPECT_EQ(std::tuple(taken.mqtt->broker.HostPort(), taken.mqtt->broker.tls, taken.mqtt->qos,
                       taken.mqtt->prefix, taken.mqtt->bounds.messages, taken.mqtt->bounds.bytes),
            std::tuple(QStringLiteral("h:8884"), true, 0, QStringLiteral("site/north"),
                       std::size_t{10}, std::size_t{1024 * 1024}));
  EXPECT_FALSE(std::get<CliOptions>(Read({})).mqtt.has_value());
}

}  // namespace
}  // namespace ventari
