#include "app/session.h"

#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QSettings>
#include <QTemporaryDir>

#include "app/command_line.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari {
namespace {

using test::ScriptedLine;
using test::ScriptedPrompts;

class SessionTest : public ::testing::Test {
 protected:
  QString File() const { return dir.filePath("settings.ini"); }

  QTemporaryDir dir;
  VirtualRuntime rt;
  ScriptedLine line{rt};
  ScriptedPrompts prompts;
  Session session{rt, prompts, line.Factory(), [] { return QStringList{}; }, File()};
};

TEST_F(SessionTest, FirstShowOpensThePortAndCloseStoresItsSettingsAfterDisarmingData) {
  session.OnFirstShow({});
  ASSERT_TRUE(line.IsOpen());
  session.link().port.SetBaud(19200);
  session.link().matchers.DataPacket.SetEnabled(true);
  session.window().SetSearchingLabelVisible(true);
  bool hookRan = false;
  session.AddCloseHook([&] { hookRan = true; });

  const auto start = rt.NowMs();
  session.Close();
  EXPECT_TRUE(hookRan);
  EXPECT_FALSE(session.link().matchers.DataPacket.Enabled());
  EXPECT_FALSE(session.commands().discovery.SearchRequested());
  EXPECT_TRUE(session.window().BusyLabelVisible());
  EXPECT_FALSE(session.window().SearchingLabelVisible());
  EXPECT_EQ(rt.NowMs() - start, 2000);
  QSettings store(File(), QSettings::IniFormat);
  EXPECT_EQ(store.value("Baudrate").toInt(), 19200);
  EXPECT_EQ(store.value("Comport").toInt(), 1);
}

TEST(CommandLine, TheSettingsOptionNamesAnIniFile) {
  QCommandLineParser parser;
  AddSettingsOption(parser);
  ASSERT_TRUE(parser.parse({"ventari", "--settings", "/tmp/x.ini"}));
  EXPECT_EQ(SettingsFileOption(parser), "/tmp/x.ini");
  QCommandLineParser none;
  AddSettingsOption(none);
  ASSERT_TRUE(none.parse({"ventari"}));
  EXPECT_TRUE(SettingsFileOption(none).isEmpty());
}

}  // namespace
}  // namespace ventari
