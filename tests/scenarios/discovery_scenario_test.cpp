// Finding and identifying simulated anemometers of both families, as the main window's first
// activation and File > Resynchronise do.
#include <gtest/gtest.h>

#include <QSettings>

#include "base/string_table.h"
#include "sim/two_axis_device.h"
#include "support/sim_session.h"

namespace ventari {
namespace {

using test::SimSession;

const QString kHeated = QStringLiteral("sim:kestrix2-heated");

sim::InstrumentOptions AtBaud(int baud) {
  sim::InstrumentOptions options;
  options.baud = baud;
  return options;
}

TEST(DiscoveryScenario, AKestrixAt19200WithStoredRate9600IsFoundIdentifiedAndStreams) {
  SimSession s(AtBaud(19200));
  s.StoreSettings(kHeated, 9600);
  s.StartAndSearch(kHeated);

  EXPECT_TRUE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.session.link().port.Line().baud, 19200);
  // The stored rate, then the list from its start: 9600 again, then 19200.
  EXPECT_EQ(s.tap.RatesUsed(), (std::vector<std::int32_t>{9600, 19200}));
  EXPECT_EQ(s.session.anemometer().state.Family, AnemFamily::kTwoAxis);
  EXPECT_EQ(s.session.anemometer().state.TypeCode, "F");
  EXPECT_EQ(s.session.anemometer().state.Model, AnemModel::kHeatedKestrix2);
  EXPECT_EQ(s.session.anemometer().state.ModelCaption, "Heated Kestrix 2");
  EXPECT_EQ(s.session.anemometer().state.SerialNumber.size(), 6);
  EXPECT_NE(s.session.anemometer().state.SoftwareVersion, "x.xx");
  EXPECT_TRUE(s.Menu(MenuId::kDataDisplay).visible);
  EXPECT_TRUE(s.Menu(MenuId::kHeating).visible);
  EXPECT_TRUE(s.Menu(MenuId::kFile1).enabled);
  EXPECT_TRUE(s.Menu(MenuId::kMode1).enabled);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_FALSE(s.session.commands().discovery.SearchRequested());
  EXPECT_FALSE(s.session.window().SearchingLabelVisible());
  EXPECT_FALSE(s.session.window().BusyCursor());
  EXPECT_TRUE(s.prompts.Messages().empty());
  EXPECT_EQ(s.Menu(MenuId::kResynchronise).caption, "&Resynchronise");

  // The anemometer streams again: data messages reach the data matcher.
  int messages = 0;
  s.session.link().matchers.DataPacket.SetStringHandler(
      [&](TApdDataPacket& m, const QByteArray& text) {
        EXPECT_TRUE(text.startsWith('\x02'));
        EXPECT_TRUE(text.endsWith('\x03'));
        ++messages;
        m.SetEnabled(true);
      });
  s.rt.RunFor(5000);
  EXPECT_GE(messages, 3);
}

TEST(DiscoveryScenario, AnAnemometerAtTheStoredRateIsFoundWithoutTryingTheList) {
  SimSession s(AtBaud(38400));
  s.StoreSettings(kHeated, 38400);
  s.StartAndSearch(kHeated);
  EXPECT_TRUE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.tap.RatesUsed(), (std::vector<std::int32_t>{38400}));
  // One banner attempt: the entry ended after the first "*".
  EXPECT_EQ(s.tap.SentSince().substr(0, 4), "\rQ\r*");
}

TEST(DiscoveryScenario, At1200BaudTheEighthTryFindsItAfterThe2400TryReported) {
  SimSession s(AtBaud(1200));
  s.StoreSettings(kHeated, 9600);
  s.StartAndSearch(kHeated);
  EXPECT_TRUE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.session.link().port.Line().baud, 1200);
  ASSERT_EQ(s.prompts.Messages().size(), 1u);
  EXPECT_EQ(s.prompts.Messages()[0].text, LoadStr(kStrPortDetectionFailed));
  EXPECT_EQ(s.prompts.Messages()[0].caption, "Warning");
  EXPECT_EQ(s.session.anemometer().state.TypeCode, "F");
}

TEST(DiscoveryScenario, NothingAnsweringReportsOnceEndsAt300AndArmsNothing) {
  SimSession s;
  s.StoreSettings(QStringLiteral("/dev/ttyNothing"), 9600);
  bool labelHiddenFirst = false;
  s.prompts.onMessage = [&](const auto&) {
    labelHiddenFirst = !s.session.window().SearchingLabelVisible();
  };
  s.StartAndSearch(QStringLiteral("/dev/ttyNothing"));
  EXPECT_FALSE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.session.link().port.Line().baud, 300);
  EXPECT_EQ(s.prompts.Count(LoadStr(kStrPortDetectionFailed)), 1);
  ASSERT_EQ(s.prompts.Messages().size(), 1u);
  EXPECT_EQ(s.prompts.Messages()[0].text,
            "Port detection failed, check device connection. Click File>Resynchronise.");
  EXPECT_EQ(s.prompts.Messages()[0].caption, "Warning");
  EXPECT_TRUE(labelHiddenFirst);
  EXPECT_FALSE(s.session.window().BusyCursor());
  EXPECT_FALSE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_FALSE(s.Menu(MenuId::kDataDisplay).visible);
  EXPECT_TRUE(s.Menu(MenuId::kFile1).enabled);
  // No identification command went out.
  EXPECT_EQ(s.tap.SentSince().find("D1"), std::string::npos);
  EXPECT_EQ(s.tap.SentSince().find("SN"), std::string::npos);
}

TEST(DiscoveryScenario, ALarkvaneInPolarModeGetsO2BeforeQAndTheWindsockAndAlarm) {
  SimSession s;
  const QString port = QStringLiteral("sim:larkvane");
  s.StartAndSearch(port);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.session.anemometer().state.TypeCode, "Y");
  EXPECT_EQ(s.session.anemometer().state.LvMessageMode, 2);
  const std::string sent = s.tap.SentSince();
  const auto o2 = sent.rfind("O2\r");
  ASSERT_NE(o2, std::string::npos);
  EXPECT_EQ(sent.substr(o2), "O2\rQ\r");
  EXPECT_TRUE(s.Menu(MenuId::kWindsock1).visible);
  EXPECT_TRUE(s.Menu(MenuId::kAlarm).visible);
  EXPECT_FALSE(s.Menu(MenuId::kAveraging1).enabled);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
}

TEST(DiscoveryScenario, ATriAxisAnemometerIsAskedSnVerConfigAndLeftWithExit) {
  SimSession s;
  const QString port = QStringLiteral("sim:t7");
  s.StartAndSearch(port);
  ASSERT_TRUE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.session.anemometer().state.Family, AnemFamily::kTriAxis);
  EXPECT_EQ(s.session.anemometer().state.Model, AnemModel::kT7);
  const std::string sent = s.tap.SentSince();
  const auto sn = sent.find("SN\r");
  const auto ver = sent.find("VER\r");
  const auto config = sent.find("CONFIG\r");
  ASSERT_NE(sn, std::string::npos);
  ASSERT_NE(ver, std::string::npos);
  ASSERT_NE(config, std::string::npos);
  EXPECT_LT(sn, ver);
  EXPECT_LT(ver, config);
  EXPECT_EQ(sent.substr(sent.size() - 5), "EXIT\r");
  EXPECT_TRUE(s.Menu(MenuId::kTabular).visible);
  EXPECT_TRUE(s.Menu(MenuId::kMi3AxisConfig).visible);
  EXPECT_FALSE(s.Menu(MenuId::kMode1).visible);
  EXPECT_FALSE(s.Menu(MenuId::kAnemcomms).visible);
  EXPECT_FALSE(s.Menu(MenuId::kDataDisplay).visible);
  EXPECT_FALSE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_TRUE(s.prompts.Messages().empty());
}

TEST(DiscoveryScenario, ATwoAxisAnemometerFoundAfterATriAxisOneIsIdentifiedAndLeftWithQ) {
  SimSession s;
  s.StartAndSearch(QStringLiteral("sim:mz"));
  ASSERT_EQ(s.session.anemometer().state.Family, AnemFamily::kTriAxis);

  s.session.link().port.SetName(kHeated);
  const auto from = s.rt.NowMs();
  s.session.commands().discovery.Resynchronise();
  ASSERT_TRUE(s.session.commands().discovery.Found());
  EXPECT_EQ(s.session.anemometer().state.Family, AnemFamily::kTwoAxis);
  EXPECT_EQ(s.session.anemometer().state.TypeCode, "F");
  const std::string sent = s.tap.SentSince(from);
  EXPECT_NE(sent.find("D3\r"), std::string::npos);
  EXPECT_EQ(sent.find("SN\r"), std::string::npos);
  EXPECT_EQ(sent.substr(sent.size() - 2), "Q\r");
  EXPECT_TRUE(s.Menu(MenuId::kDataDisplay).visible);
  EXPECT_FALSE(s.Menu(MenuId::kTabular).visible);
}

TEST(DiscoveryScenario, TheGraphEntryHiddenForABinaryTriAxisListingReturnsForTwoAxis) {
  SimSession s;
  s.StartAndSearch(QStringLiteral("sim:t7-50"));
  EXPECT_TRUE(s.session.anemometer().triAxisConfig.InstantaneousAvailable);
  CommandChannel& channel = s.session.link().channel;
  channel.Command("IM");
  channel.Delay(1000);
  channel.Command("STRFMT BINARY");
  channel.Delay(1000);
  channel.Command("EXIT");
  s.session.commands().discovery.Resynchronise();
  ASSERT_TRUE(s.session.anemometer().triAxisConfig.IsBinary());
  EXPECT_FALSE(s.Menu(MenuId::kGraph1).visible);
  EXPECT_FALSE(s.Menu(MenuId::kWindsock1).visible);

  s.session.link().port.SetName(kHeated);
  s.session.commands().discovery.Resynchronise();
  ASSERT_EQ(s.session.anemometer().state.Family, AnemFamily::kTwoAxis);
  EXPECT_TRUE(s.Menu(MenuId::kGraph1).visible);
  EXPECT_FALSE(s.session.anemometer().triAxisConfig.InstantaneousAvailable);
}

TEST(DiscoveryScenario, ASearchThatFindsNothingAfterATriAxisAnemometerIdentifiesNothing) {
  SimSession s;
  s.StartAndSearch(QStringLiteral("sim:t7"));
  s.session.link().port.SetName(QStringLiteral("/dev/ttyNothing"));
  const auto from = s.rt.NowMs();
  s.session.commands().discovery.Resynchronise();
  EXPECT_FALSE(s.session.commands().discovery.Found());
  const std::string sent = s.tap.SentSince(from);
  EXPECT_EQ(sent.find("SN\r"), std::string::npos);
  EXPECT_EQ(sent.find("CONFIG\r"), std::string::npos);
}

TEST(DiscoveryScenario, AfterALarkvaneTheTypeCodeAndTheDialogsLayoutAgreeWhateverIsFound) {
  const struct {
    const char* port;
    bool found;
  } cases[] = {{"sim:t7", true}, {"/dev/ttyNothing", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.port);
    SimSession s;
    s.StartAndSearch(QStringLiteral("sim:larkvane"));
    ASSERT_FALSE(s.session.anemometer().dialogLayout.kestrixBaudListVisible);
    s.session.link().port.SetName(QString::fromLatin1(c.port));
    s.session.commands().discovery.Resynchronise();
    EXPECT_EQ(s.session.commands().discovery.Found(), c.found);
    EXPECT_TRUE(s.session.anemometer().dialogLayout.kestrixBaudListVisible);
    EXPECT_NE(s.session.anemometer().state.TypeCode, "Y");
  }
}

TEST(DiscoveryScenario, ResynchroniseWhenIdleSearchesAtOnce) {
  SimSession s;
  s.StartAndSearch(kHeated);
  ASSERT_FALSE(s.session.commands().discovery.SearchRequested());
  const auto writes = s.tap.Writes().size();
  s.session.commands().discovery.OnActivate();  // a plain activation does not search again
  EXPECT_EQ(s.tap.Writes().size(), writes);
  s.session.commands().discovery.Resynchronise();
  EXPECT_GT(s.tap.Writes().size(), writes);
  EXPECT_TRUE(s.session.commands().discovery.Found());
}

TEST(DiscoveryScenario, PrivilegedModeStartsWithoutSearching) {
  SimSession s;
  s.StoreSettings(kHeated, 9600);
  {
    QSettings store(s.dir.filePath("settings.ini"), QSettings::IniFormat);
    store.setValue("PrivPword", "plinkster");
  }
  s.StartAndSearch(kHeated);
  EXPECT_TRUE(s.tap.Writes().empty());
  EXPECT_TRUE(s.Menu(MenuId::kTerminal1).visible);
  EXPECT_TRUE(s.Menu(MenuId::kTest1).visible);
  s.session.commands().discovery.Resynchronise();
  EXPECT_TRUE(s.session.commands().discovery.Found());
}

TEST(DiscoveryScenario, AMissingD1ReplyIsReportedAfter8sAndDataAreArmedAnyway) {
  SimSession s;
  s.StoreSettings(QStringLiteral("/dev/ttyMute"), 9600);
  // Answers the banner but nothing else.
  s.silentLine.SetResponder([](test::ScriptedLine& l, std::uint8_t byte) {
    if (byte == '*') l.DeliverIn(10, "\r\nCONFIGURATION MODE\r\n");
  });
  s.Start(QStringLiteral("/dev/ttyMute"));
  const auto start = s.rt.NowMs();
  std::int64_t d1ReportedAt = -1;
  s.prompts.onMessage = [&](const auto& shown) {
    if (shown.text == LoadStr(kStrNoResponseD1)) d1ReportedAt = shown.atMs;
  };
  s.session.commands().discovery.OnActivate();
  EXPECT_EQ(s.prompts.Count(LoadStr(kStrNoResponseD1)), 1);
  EXPECT_EQ(s.prompts.Count(LoadStr(kStrNoResponseD2)), 1);
  EXPECT_EQ(s.prompts.Count(LoadStr(kStrNoResponseD3)), 1);
  EXPECT_GT(d1ReportedAt - start, 8000);
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
}

TEST(DiscoveryScenario, APortErrorDuringTheSearchIsRaisedWithoutLockingTheWindow) {
  SimSession s;
  s.Start(kHeated);
  s.session.link().port.SetOpen(false);
  EXPECT_THROW(s.session.commands().discovery.OnActivate(), PortError);
  EXPECT_TRUE(s.session.window().Enabled());
  EXPECT_FALSE(s.session.window().SearchingLabelVisible());
  EXPECT_FALSE(s.session.window().BusyCursor());
  EXPECT_TRUE(s.Menu(MenuId::kFile1).enabled);
  EXPECT_EQ(s.Menu(MenuId::kResynchronise).caption, "&Resynchronise");
  // Once the port is back, File > Resynchronise finds the anemometer.
  s.session.link().port.SetOpen(true);
  s.session.commands().discovery.Resynchronise();
  EXPECT_TRUE(s.session.commands().discovery.Found());
}

TEST(DiscoveryScenario, ThePortsDialogSetsTheChosenPortAndAsksToResynchronise) {
  SimSession s;
  s.StartAndSearch(kHeated);
  PortsDialog& dialog = s.session.commands().portsDialog;
  dialog.Show({"COM1", "COM12", "sim:t7"});
  EXPECT_FALSE(dialog.model.setEnabled);
  dialog.LbPortsClick(1);
  EXPECT_TRUE(dialog.model.setEnabled);
  dialog.BtnSetPortClick();
  EXPECT_EQ(s.session.link().port.ComNumber(), 12);
  EXPECT_EQ(s.session.link().port.Name(), "COM12");
  EXPECT_FALSE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_EQ(s.prompts.Count("Please Resynchronise."), 1);
  EXPECT_FALSE(dialog.model.visible);

  dialog.Show({"sim:t7"});
  dialog.LbPortsClick(0);
  dialog.BtnSetPortClick();
  EXPECT_EQ(s.session.link().port.Name(), "sim:t7");
  s.session.commands().discovery.Resynchronise();
  EXPECT_EQ(s.session.anemometer().state.Family, AnemFamily::kTriAxis);
}

TEST(DiscoveryScenario, APortThatCannotBeSetIsReported) {
  SimSession s;
  s.Start(kHeated);
  s.silentLine.FailOpen(true);
  PortsDialog& dialog = s.session.commands().portsDialog;
  dialog.Show({"COM3"});
  dialog.LbPortsClick(0);
  dialog.BtnSetPortClick();
  EXPECT_EQ(s.prompts.Count("Failed to set new comport."), 1);
  EXPECT_TRUE(dialog.model.setEnabled);
  EXPECT_FALSE(s.session.window().BusyCursor());
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST(DiscoveryScenario, AD2ReplyThatIsNoNumberIsShownAndIdentificationGoesOn) {
  SimSession s;
  s.StoreSettings(QStringLiteral("/dev/ttyOdd"), 9600);
  // A Kestrix II whose D2 answer is garbled and which never answers D3.
  std::string typed;
  s.silentLine.SetResponder([&typed](test::ScriptedLine& l, std::uint8_t byte) {
    if (byte == '*') l.DeliverIn(10, "\r\nCONFIGURATION MODE\r\n");
    if (byte != '\r') {
      typed += static_cast<char>(byte);
      return;
    }
    if (typed.ends_with("D1")) l.DeliverIn(10, "D1\r\nE123456\r\n");
    if (typed.ends_with("D2")) l.DeliverIn(10, "D2\r\nX.YZ\r\n");
    typed.clear();
  });
  s.Start(QStringLiteral("/dev/ttyOdd"));
  const auto start = s.rt.NowMs();
  s.session.commands().discovery.OnActivate();

  EXPECT_EQ(s.prompts.Count("'X.YZ' is not a valid floating point value"), 1);
  EXPECT_EQ(s.prompts.Count(LoadStr(kStrNoResponseD2)), 0);
  EXPECT_EQ(s.prompts.Count(LoadStr(kStrNoResponseD3)), 1);
  const std::string sent = s.tap.SentSince(start);
  EXPECT_NE(sent.find("D3\r"), std::string::npos);
  EXPECT_TRUE(sent.ends_with("Q\r"));
  EXPECT_TRUE(s.session.link().matchers.DataPacket.Enabled());
  EXPECT_EQ(s.session.anemometer().state.SoftwareVersion, "X.YZ");
}

TEST(DiscoveryScenario, APortThatHasGoneOpensAgainWithResynchroniseOrThePortsDialog) {
  SimSession s;
  s.StartAndSearch(kHeated);
  SerialPort& port = s.session.link().port;
  port.SetOpen(false);
  s.session.commands().discovery.Resynchronise();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_TRUE(s.session.commands().discovery.Found());

  port.SetOpen(false);
  PortsDialog& dialog = s.session.commands().portsDialog;
  dialog.Show({"sim:larkvane"});
  dialog.LbPortsClick(0);
  dialog.BtnSetPortClick();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.Name(), "sim:larkvane");
  EXPECT_EQ(s.prompts.Count("Please Resynchronise."), 1);
}

}  // namespace
}  // namespace ventari

namespace ventari {
namespace {

TEST(DiscoveryScenario, ATriAxisAnemometerFoundAfterA10HzKestrixAveragesOverOneSamplePerSecond) {
  SimSession s;
  s.StartAndSearch(kHeated);
  WindsockWindowModel& windsock = s.session.displays().windsockWindow;
  windsock.SetSamplesPerSecond(10);  // as a D3 reply with P6 leaves it
  s.session.anemometer().twoAxisConfig.SamplesPerSecond = 10;

  s.session.commands().portsDialog.Show({"sim:t7"});
  s.session.commands().portsDialog.LbPortsClick(0);
  s.session.commands().portsDialog.BtnSetPortClick();
  s.session.commands().discovery.Resynchronise();
  ASSERT_EQ(s.session.anemometer().state.Family, AnemFamily::kTriAxis);
  EXPECT_EQ(windsock.SamplesPerSecond(), 1);
  EXPECT_EQ(s.session.anemometer().twoAxisConfig.SamplesPerSecond, 1);
}

}  // namespace
}  // namespace ventari
