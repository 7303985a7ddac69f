// The application's choices of a broker: which it takes and what it says of the others, and that
// they come back from the settings store as they were stored.
#include "app/broker_publishing.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/settings.h"

namespace ventari {
namespace {

TEST(BrokerPublishing, TakesUsableChoicesAndNamesTheFieldOfOthers) {
  struct Case {
    const char* url;
    const char* caFile;
    const char* prefix;
    const char* user;
    const char* passwordFile;
    const char* problem;  // empty: taken
  };
  const Case cases[] = {
      {"mqtt://broker.site:1884", "", "", "", "", ""},
      {"mqtts://broker.site", "/no/such/ca.pem", "", "", "",
       "The certificate authority file /no/such/ca.pem cannot be read"},
      {"mqtt://broker.site", "/etc/hostname", "", "", "",
       "The certificate authority file applies to mqtts:// only"},
      {"http://broker.site", "", "", "", "", "The broker: "},
      {"mqtt://broker.site", "", "site/+/wind", "", "", "The topic prefix: "},
      {"mqtt://broker.site", "", "", "", "/etc/hostname", "The password file needs a user name"},
  };
  for (const Case& c : cases) {
    BrokerSettings chosen;
    chosen.enabled = true;
    chosen.url = c.url;
    chosen.caFile = c.caFile;
    chosen.prefix = c.prefix;
    chosen.user = c.user;
    chosen.passwordFile = c.passwordFile;
    const auto request = BrokerPublishing::RequestOf(chosen);
    const QString* problem = std::get_if<QString>(&request);
    if (*c.problem == '\0') {
      ASSERT_EQ(problem, nullptr) << c.url << ": " << problem->toStdString();
      const auto& taken = std::get<PublishRequest>(request);
      EXPECT_EQ(taken.broker.HostPort(), "broker.site:1884");
      EXPECT_EQ(taken.prefix, DefaultTopicPrefix());
    } else {
      ASSERT_NE(problem, nullptr) << c.url;
      EXPECT_TRUE(problem->startsWith(c.problem)) << problem->toStdString();
    }
  }
}

TEST(BrokerPublishing, ChoicesComeBackFromTheStoreAsStored) {
  QTemporaryDir dir;
  Settings settings(dir.filePath(QStringLiteral("ventari.ini")));
  EXPECT_EQ(settings.LoadBroker(), BrokerSettings{}) << "nothing stored: not publishing";
  BrokerSettings chosen{true,
                        "mqtts://broker.site",
                        "/etc/ca.pem",
                        "farm/north",
                        0,
                        "mast-7",
                        "/etc/ventari/mast-7.password",
                        {5000, 64ull * 1024 * 1024}};
  settings.SaveBroker(chosen);
  EXPECT_EQ(settings.LoadBroker(), chosen);
}

}  // namespace
}  // namespace ventari
