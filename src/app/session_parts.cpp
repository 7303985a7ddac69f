#include "app/session_parts.h"

#include "base/errors.h"
#include "link/qt_serial_port.h"

namespace ventari {

AnemometerLink::AnemometerLink(Runtime& runtime, SerialBackendFactory portFactory, AnemState& state,
                               Prompts& prompts, MainWindowModel& window)
    : port(runtime, std::move(portFactory)),
      matcherGroup(runtime),
      matchers(matcherGroup),
      channel(runtime, port, state, matchers.IMPacket, prompts, window),
      terminal(runtime, port, prompts) {
  matcherGroup.ConnectTo(port);
  // An error in a reply's or a record's handler is shown, and matching goes on.
  matcherGroup.SetErrorReporter(
      [&prompts](const std::exception& error) { ShowError(prompts, error); });
}

LiveDisplays::LiveDisplays(Runtime& runtime, Prompts& prompts, Anemometer& anemometer,
                           const MainMenu& menu, AnemometerLink& link,
                           SerialBackendFactory alarmPortFactory, WallClock clock,
                           std::function<void()> liveWindowClosed)
    : dataDisplay(runtime, prompts, anemometer.state, menu, clock),
      graph({anemometer.state, anemometer.twoAxisConfig,
             [&anemometer] { return anemometer.triAxisConfig.ReportMode; },
             [&link] {
               if (link.port.IsOpen()) link.port.FlushInBuffer();
             }}),
      alarm({runtime, prompts, anemometer.state, anemometer.twoAxisConfig, anemometer.triAxisConfig,
             menu, link.port, std::move(alarmPortFactory),
             [] { return QtSerialPort::AvailablePortNames(); }, std::move(liveWindowClosed)}),
      tabular(runtime, prompts, anemometer.state, anemometer.triAxisConfig,
              anemometer.triAxisIdentity, std::move(clock)) {}

void LiveDisplays::SetGraphPresentation(bool uv) { graph.SetPresentation(uv); }
void LiveDisplays::ApplyUnitScales() { graph.ApplyUnitScales(); }
void LiveDisplays::ShowGraphThirdKey(bool visible) { graph.ShowThirdKey(visible); }
void LiveDisplays::SamplesPerSecondChanged(double samplesPerSecond) {
  windsockWindow.SetSamplesPerSecond(samplesPerSecond);
}
void LiveDisplays::ShowWindsockWAxis(bool visible) { windsockWindow.ShowWAxis(visible); }

Decoding::Decoding(Runtime& runtime, AnemometerLink& link, Anemometer& anemometer, MainMenu& menu,
                   ModeCommands& modes, LiveDisplays& displays, WallClock clock,
                   std::function<bool()> graphShown,
                   std::function<void(const QByteArray& text)> toServicePages)
    : statisticsFeed(displays.statistics, anemometer.state, anemometer.twoAxisConfig,
                     anemometer.triAxisConfig, std::move(clock)),
      dataCollector(link.matchers.DataPacket, link.port, recordCounts,
                    TwoAxisDataDecoder::kLongestMessage),
      triAxisAsciiCollector(link.matchers.TriAxisAsciiPkt, link.port, recordCounts,
                            TriAxisAsciiDecoder::kLongestRecord),
      // Ended by size: its packet size, set as output starts, is its length.
      triAxisBinaryCollector(link.matchers.TriAxisBinaryPkt, link.port, recordCounts, 0),
      twoAxisReplies(link.matchers, anemometer.state, menu, anemometer.twoAxisConfig,
                     anemometer.dialogLayout, modes, displays),
      triAxisReplies(anemometer.state, menu, anemometer.triAxisConfig, anemometer.triAxisIdentity,
                     displays),
      triAxisListing(link.matchers.TriAxisPkt, triAxisReplies),
      dataApplier({link.matchers.DataPacket, link.port, displays.dataDisplay, displays.graph,
                   displays.windsockWindow, displays.alarm, statisticsFeed,
                   std::move(toServicePages)}),
      dataDecoder(
          dataCollector, [&modes] { return modes.UvChecked(); },
          [this](const QByteArray& text, const TwoAxisDataRecord& record) {
            dataApplier.Apply(text, record);
          }),
      triAxisData({runtime, link.matchers.TriAxisAsciiPkt, link.matchers.TriAxisBinaryPkt,
                   anemometer.triAxisConfig, displays.tabular, displays.graph,
                   displays.windsockWindow, displays.alarm, statisticsFeed, std::move(graphShown)}),
      triAxisReader(runtime, triAxisAsciiCollector, triAxisBinaryCollector,
                    anemometer.triAxisConfig, triAxisData) {}

Commands::Commands(Runtime& runtime, Prompts& prompts, MainWindowModel& window,
                   Anemometer& anemometer, AnemometerLink& link, LiveDisplays& displays,
                   ModeCommands& modeCommands, Decoding& decoding)
    : modes(modeCommands),
      discovery({link.channel, link.port, anemometer.state, window, link.matchers, prompts,
                 anemometer.dialogLayout, displays, decoding.triAxisListing,
                 anemometer.triAxisConfig, anemometer.twoAxisConfig, link.terminal}),
      portsDialog(link.port, link.matchers, link.channel, prompts, window, link.terminal,
                  link.portChosen),
      liveCommands({link.channel, prompts, anemometer.state, anemometer.triAxisConfig,
                    link.matchers, decoding.triAxisListing, modeCommands, displays.alarm,
                    decoding.triAxisData, displays.tabular}),
      twoAxisDialogs({link.channel, link.port, anemometer.state, anemometer.twoAxisConfig,
                      anemometer.dialogLayout, prompts, window, displays, link.terminal}),
      twoAxisSettings(twoAxisDialogs, modes, anemometer.state, anemometer.twoAxisConfig,
                      window.menu, [this] { discovery.ReadTwoAxisConfiguration(); }),
      setup({runtime, link.channel, link.port, link.matchers, anemometer.triAxisConfig, window,
             prompts, displays.tabular, displays.graph, liveCommands}) {}

}  // namespace ventari
