// The broker URLs, topic prefixes and instrument levels the user gives or the anemometer names.
#include "publish/broker_address.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

struct UrlCase {
  const char* url;
  const char* host;  // nullptr: refused
  int port;
  bool tls;
};

class BrokerUrl : public ::testing::TestWithParam<UrlCase> {};

TEST_P(BrokerUrl, NamesTheBrokerOrIsRefused) {
  const UrlCase& c = GetParam();
  const auto parsed = ParseBrokerUrl(QString::fromUtf8(c.url));
  if (!c.host) {
    ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << c.url;
    EXPECT_TRUE(std::get<QString>(parsed).startsWith(QStringLiteral("--mqtt takes")));
    return;
  }
  ASSERT_TRUE(std::holds_alternative<BrokerAddress>(parsed))
      << std::get<QString>(parsed).toStdString();
  const auto& address = std::get<BrokerAddress>(parsed);
  EXPECT_EQ(address.host, QString::fromUtf8(c.host));
  EXPECT_EQ(address.port, c.port);
  EXPECT_EQ(address.tls, c.tls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokerUrl,
    ::testing::Values(UrlCase{"mqtt://broker.site", "broker.site", 1883, false},
                      UrlCase{"mqtt://10.0.0.5:1884", "10.0.0.5", 1884, false},
                      UrlCase{"mqtts://broker.site", "broker.site", 8883, true},
                      UrlCase{"mqtts://h:9000/", "h", 9000, true},
                      UrlCase{"http://broker.site", nullptr, 0, false},
                      UrlCase{"mqtt://", nullptr, 0, false},
                      UrlCase{"mqtt://u:p@h", nullptr, 0, false},
                      UrlCase{"mqtt://h/topic", nullptr, 0, false},
                      UrlCase{"broker.site:1883", nullptr, 0, false}));

struct PrefixCase {
  const char* name;
  const char* prefix;
  const char* problem;  // "" when fine
};

class TopicPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(TopicPrefix, IsCheckedForWildcardsAndEmptyLevels) {
  const PrefixCase& c = GetParam();
  EXPECT_EQ(TopicPrefixProblem(QString::fromUtf8(c.prefix)).toStdString(), c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TopicPrefix,
    ::testing::Values(
        PrefixCase{"two_levels", "ventari/mast-3", ""}, PrefixCase{"one_level", "site", ""},
        PrefixCase{"empty", "", "the topic prefix is empty"},
        PrefixCase{"plus", "site/+/x", "the topic prefix \"site/+/x\" holds a wildcard (+ or #)"},
        PrefixCase{"hash", "site/#", "the topic prefix \"site/#\" holds a wildcard (+ or #)"},
        PrefixCase{"empty_inner", "site//x", "the topic prefix \"site//x\" has an empty level"},
        PrefixCase{"empty_first", "/site", "the topic prefix \"/site\" has an empty level"},
        PrefixCase{"empty_last", "site/", "the topic prefix \"site/\" has an empty level"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstrumentLevel, IsModelAndSerialFitForOneLevel) {
  const struct {
    const char* model;
    const char* serial;
    const char* level;
  } cases[] = {
      {"T7(50Hz)", "500673", "t7-50hz-500673"},
      {"T7-50", " A12345", "t7-50-A12345"},
      {"Kestrix II", "a/b+#", "kestrix-ii-a-b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstrumentLevel(QString::fromUtf8(c.model), QString::fromUtf8(c.serial)),
              QString::fromUtf8(c.level));
  }
  EXPECT_TRUE(DefaultTopicPrefix().startsWith(QStringLiteral("ventari/")));
  EXPECT_TRUE(TopicPrefixProblem(DefaultTopicPrefix()).isEmpty());
}

}  // namespace
}  // namespace ventari
