#include "app/live_window_commands.h"

#include <QScopeGuard>

#include "app/mode_commands.h"
#include "app/tri_axis_data_applier.h"
#include "app/tri_axis_question.h"
#include "base/anem_state.h"
#include "base/prompts.h"
#include "displays/alarm_window_model.h"
#include "displays/tabular_display.h"
#include "link/command_channel.h"
#include "link/system_matchers.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_listing.h"

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

// Where the shown flag of a window other than the alarm is kept.
bool LiveWindowsShown::*ShownMember(LiveWindowKind kind) {
  switch (kind) {
    case LiveWindowKind::kGraph:
      return &LiveWindowsShown::graph;
    case LiveWindowKind::kWindsock:
      return &LiveWindowsShown::windsock;
    case LiveWindowKind::kStatistics:
      return &LiveWindowsShown::statistics;
    case LiveWindowKind::kTabular:
    case LiveWindowKind::kAlarm:  // never asked: the alarm's model keeps its own
      break;
  }
  return &LiveWindowsShown::tabular;
}

}  // namespace

bool LiveWindowCommands::TriAxis() const { return p_.state.Family == AnemFamily::kTriAxis; }

bool LiveWindowCommands::MultiWindowRefused(bool otherWindowShown) {
  if (p_.triAxisConfig.Baud < kBaud38400Index || !otherWindowShown) return false;
  p_.prompts.ShowMessage(
      QStringLiteral("Anemometer baudrate must be below 38400 to display multiple windows"),
      QStringLiteral("Information"));
  return true;
}

LiveWindowCommands::Outcome LiveWindowCommands::Graph() {
  if (!TriAxis()) {
    if (p_.modes.UvChecked()) {
      p_.modes.UvLayout();
    } else {
      p_.modes.PolarLayout();
    }
    return kShow;
  }
  const auto& shown = shown_;
  if (MultiWindowRefused(shown.tabular || shown.windsock || p_.alarm.View().visible)) {
    return kRefuse;
  }
  const TriAxisConfig& config = p_.triAxisConfig;
  if (config.ReportsAxis()) {
    p_.prompts.ShowMessage(QStringLiteral("Graph not available in 'Axis' mode."),
                           QStringLiteral("Info"));
    return kRefuse;
  }
  if (config.ReportsUvw()) {
    p_.modes.UvLayout();
  } else if (config.ReportsPolar()) {
    p_.modes.PolarLayout();
  } else {
    return kRefuse;  // nothing known of what the records carry
  }
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Windsock() {
  if (!TriAxis()) return kShow;
  const auto& shown = shown_;
  if (MultiWindowRefused(shown.graph || shown.tabular || p_.alarm.View().visible)) return kRefuse;
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Tabular() {
  const auto& shown = shown_;
  if (MultiWindowRefused(shown.graph || shown.windsock)) return kRefuse;
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Alarm() {
  if (!TriAxis()) return kShow;
  const TriAxisConfig& config = p_.triAxisConfig;
  if (config.ReportsUvw() && config.StrFormat != kStrFormatAsciiPad) {
    p_.prompts.ShowMessage(QStringLiteral("Anemometer must be set to 'padded output' when using "
                                          "alarm in UVW mode"),
                           QStringLiteral("Information"));
    return kRefuse;
  }
  const auto& shown = shown_;
  if (MultiWindowRefused(shown.tabular || shown.windsock || p_.alarm.View().visible)) {
    return kRefuse;
  }
  if (config.ReportMode == kReportAxis) {
    p_.prompts.ShowMessage(QStringLiteral("Alarm not available in 'Axis' mode."),
                           QStringLiteral("Info"));
    return kRefuse;
  }
  return kShowAndStart;
}

LiveWindowCommands::Outcome LiveWindowCommands::Statistics() {
  if (!TriAxis()) return kShow;
  const auto& shown = shown_;
  if (MultiWindowRefused(shown.graph || shown.windsock || shown.tabular ||
                         p_.alarm.View().visible)) {
    return kRefuse;
  }
  if (p_.triAxisConfig.ReportsAxis()) {
    p_.prompts.ShowMessage(QStringLiteral("Statistics not available in 'Axis' mode."),
                           QStringLiteral("Info"));
    return kRefuse;
  }
  return kShowAndStart;
}

bool LiveWindowCommands::AnyWindowShown() const {
  const LiveWindowsShown& shown = shown_;
  return shown.graph || shown.windsock || shown.tabular || shown.statistics ||
         p_.alarm.View().visible;
}

LiveWindowCommands::Outcome LiveWindowCommands::Check(LiveWindowKind kind) {
  switch (kind) {
    case LiveWindowKind::kGraph:
      return Graph();
    case LiveWindowKind::kWindsock:
      return Windsock();
    case LiveWindowKind::kTabular:
      return Tabular();
    case LiveWindowKind::kAlarm:
      return Alarm();
    case LiveWindowKind::kStatistics:
      return Statistics();
  }
  return kRefuse;
}

bool LiveWindowCommands::IsShown(LiveWindowKind kind) const {
  if (kind == LiveWindowKind::kAlarm) return p_.alarm.View().visible;
  return shown_.*ShownMember(kind);
}

bool LiveWindowCommands::Open(LiveWindowKind kind, const std::function<void()>& show) {
  if (IsShown(kind)) {
    if (kind == LiveWindowKind::kAlarm) p_.alarm.Show();
    if (show) show();
    return true;
  }
  const Outcome outcome = Check(kind);
  if (!outcome.show) return false;
  if (kind == LiveWindowKind::kAlarm) {
    p_.alarm.Show();
  } else {
    shown_.*ShownMember(kind) = true;
  }
  if (kind == LiveWindowKind::kTabular) p_.tabular.FormShow();
  if (show) show();
  if (outcome.startContinuous) StartContinuous();
  return true;
}

void LiveWindowCommands::Close(LiveWindowKind kind) {
  if (kind == LiveWindowKind::kAlarm) {
    // The alarm's model tells WindowClosed itself.
    if (p_.alarm.View().visible) p_.alarm.FormClose();
    return;
  }
  bool& shown = shown_.*ShownMember(kind);
  if (!shown) return;
  shown = false;
  WindowClosed();
}

void LiveWindowCommands::CloseAll() {
  TabularDisplay& tabular = p_.tabular;
  if (tabular.Logging() || tabular.BinaryLogOpen()) tabular.StopLogging();
  shown_ = {};
  if (p_.alarm.View().visible) {
    p_.alarm.FormClose();  // tells WindowClosed itself
    return;
  }
  WindowClosed();
}

void LiveWindowCommands::CloseForSetup() {
  // Closing can stop the data with "EXIT"; Setup's configuration mode comes after.
  if (!p_.tabular.Logging() && !p_.tabular.BinaryLogOpen()) Close(LiveWindowKind::kTabular);
  Close(LiveWindowKind::kWindsock);
  Close(LiveWindowKind::kGraph);
  Close(LiveWindowKind::kStatistics);
  closedForSetup_.Notify();
}

void LiveWindowCommands::WindowClosed() {
  if (starting_ > 0) return;
  StopWhenNoneShown();
}

void LiveWindowCommands::StopWhenNoneShown() {
  // The output goes on while any live window still shows it.
  if (AnyWindowShown()) return;
  p_.matchers.TriAxisAsciiPkt.SetEnabled(false);
  p_.matchers.TriAxisBinaryPkt.SetEnabled(false);
  p_.modes.StopContinuousOutput();
}

void LiveWindowCommands::StartContinuous() {
  {
    ++starting_;
    const auto started = qScopeGuard([this] { --starting_; });
    SwitchToContinuous();
  }
  if (starting_ == 0) StopWhenNoneShown();
}

void LiveWindowCommands::SwitchToContinuous() {
  p_.records.StartPeriods();
  // Records already streaming to another window stop at the prompt; a record cut short by it
  // is not read together with the listing.
  p_.matchers.TriAxisAsciiPkt.SetEnabled(false);
  p_.matchers.TriAxisBinaryPkt.SetEnabled(false);
  CommandChannel& channel = p_.channel;
  channel.EnterTriAxisPrompt();

  AskTriAxis(channel, p_.listing, TriAxisReply::kConfig, channel.Timeout.Interval());

  const TriAxisConfig& config = p_.triAxisConfig;
  if (config.MessageMode == kMessageModePoll) {
    channel.SendBare("MSGMODE CONT");
    channel.SendReturn();
    p_.modes.ContinuousOutputStarted();
    channel.Delay(100);
  }
  channel.LeaveConfigMode();
  p_.tabular.PrepareStatusCheck();

  if (config.StrFormat == kStrFormatBinary) {
    // Counted from the first 0xBA; a field whose setting was never listed is not sent.
    p_.matchers.TriAxisBinaryPkt.SetPacketSize(2 + TriAxisBinaryDecoder::RecordSize(config));
    p_.matchers.TriAxisBinaryPkt.SetEnabled(true);
  } else if (config.StrFormat == 1 || config.StrFormat == 2) {
    p_.matchers.TriAxisAsciiPkt.SetEnabled(true);
  }
}

}  // namespace ventari
