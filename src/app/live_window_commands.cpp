#include "app/live_window_commands.h"

#include <algorithm>

#include "app/session.h"

namespace ventari {
namespace {

constexpr int kBaud38400Index = 4;
constexpr int kReportAxis = 4;
constexpr int kStrFormatBinary = 0;
constexpr int kStrFormatAsciiPad = 1;
constexpr int kMessageModePoll = 1;

constexpr LiveWindowCommands::Outcome kRefuse{false, false};
constexpr LiveWindowCommands::Outcome kShow{true, false};
constexpr LiveWindowCommands::Outcome kShowAndStart{true, true};

}  // namespace

bool LiveWindowCommands::ThreeAxis() const { return s_.state.Family == AnemFamily::kThreeAxis; }

bool LiveWindowCommands::MultiWindowRefused(bool otherWindowShown) {
  if (s_.triAxisConfig.Baud < kBaud38400Index || !otherWindowShown) return false;
  s_.prompts.ShowMessage(
      QStringLiteral("Anemometer baudrate must be below 38400 to display multiple windows"),
      QStringLiteral("Information"));
  return true;
}

LiveWindowCommands::Outcome LiveWindowCommands::Graph() {
  if (!ThreeAxis()) {
    if (s_.window.menu.Entry(QStringLiteral("UVcontinuous")).checked) {
      s_.modes.UvLayout();
    } else {
      s_.modes.PolarLayout();
    }
    return kShow;
  }
  const auto& shown = s_.liveShown;
  if (MultiWindowRefused(shown.tabular || shown.windsock || s_.alarm.View().visible)) {
    return kRefuse;
  }
  const TriAxisConfig& config = s_.triAxisConfig;
  if (config.ReportsAxis()) {
    s_.prompts.ShowMessage(QStringLiteral("Graph not available in 'Axis' mode."),
                           QStringLiteral("Info"));
    return kRefuse;
  }
  if (config.ReportsUvw()) {
    s_.modes.UvLayout();
  } else if (config.ReportsPolar()) {
    s_.modes.PolarLayout();
  } else {
    return kRefuse;  // nothing known of what the records carry
  }
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Windsock() {
  if (!ThreeAxis()) return kShow;
  const auto& shown = s_.liveShown;
  if (MultiWindowRefused(shown.graph || shown.tabular || s_.alarm.View().visible)) return kRefuse;
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Tabular() {
  const auto& shown = s_.liveShown;
  if (MultiWindowRefused(shown.graph || shown.windsock)) return kRefuse;
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Alarm() {
  if (!ThreeAxis()) return kShow;
  const TriAxisConfig& config = s_.triAxisConfig;
  if (config.ReportsUvw() && config.StrFormat != kStrFormatAsciiPad) {
    s_.prompts.ShowMessage(QStringLiteral("Anemometer must be set to 'padded output' when using "
                                          "alarm in UVW mode"),
                           QStringLiteral("Information"));
    return kRefuse;
  }
  const auto& shown = s_.liveShown;
  if (MultiWindowRefused(shown.tabular || shown.windsock || s_.alarm.View().visible)) {
    return kRefuse;
  }
  if (config.ReportMode == kReportAxis) {
    s_.prompts.ShowMessage(QStringLiteral("Alarm not available in 'Axis' mode."),
                           QStringLiteral("Info"));
    return kRefuse;
  }
  return kShowAndStart;
}

void LiveWindowCommands::StartContinuous() {
  CommandChannel& channel = s_.channel;
  channel.Command("IM");
  channel.Delay(100);

  s_.triAxisListing.Expect(TriAxisReply::kConfig);
  channel.Command("CONFIG");
  channel.Timeout.Start();
  channel.WaitFor([&] { return s_.triAxisListing.Received() || channel.Timeout.fired; });
  channel.Timeout.Stop();
  channel.Timeout.fired = false;
  s_.triAxisListing.ClearReceived();

  const TriAxisConfig& config = s_.triAxisConfig;
  if (config.MessageMode == kMessageModePoll) {
    channel.SendBare("MSGMODE CONT");
    channel.SendReturn();
    s_.state.ContinuousStarted = true;
    channel.Delay(100);
  }
  channel.LeaveConfigMode();

  if (config.StrFormat == kStrFormatBinary) {
    const int inputs = static_cast<int>(std::count(config.Aip.begin(), config.Aip.end(), true));
    s_.matchers.TriAxisBinaryPkt.SetPacketSize(11 + (config.SosMode != 0 ? 2 : 0) +
                                               (config.AbsTempMode != 0 ? 2 : 0) + 2 * inputs);
    s_.matchers.TriAxisBinaryPkt.SetEnabled(true);
  } else if (config.StrFormat == 1 || config.StrFormat == 2) {
    s_.matchers.TriAxisAsciiPkt.SetEnabled(true);
  }
}

}  // namespace ventari
