// The parts a run is made of. Each window, the command line and each command gets the parts it
// uses, never the whole session.
#pragma once

#include "app/discovery.h"
#include "app/live_window_commands.h"
#include "app/mode_commands.h"
#include "app/ports_dialog.h"
#include "app/statistics_feed.h"
#include "app/tri_axis_data_applier.h"
#include "app/tri_axis_reply_applier.h"
#include "app/two_axis_data_applier.h"
#include "app/two_axis_reply_applier.h"
#include "app/two_axis_settings.h"
#include "base/anem_state.h"
#include "base/live_windows.h"
#include "base/main_window_model.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "displays/alarm_window_model.h"
#include "displays/data_display.h"
#include "displays/graph_window_model.h"
#include "displays/log_time.h"
#include "displays/tabular_display.h"
#include "displays/windsock_window_model.h"
#include "link/command_channel.h"
#include "link/packet_matcher_group.h"
#include "link/record_collector.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "link/terminal_model.h"
#include "triaxis/tri_axis_ascii_decoder.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_data_reader.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_listing.h"
#include "triaxisconfig/tri_axis_setup.h"
#include "twoaxis/two_axis_config.h"
#include "twoaxis/two_axis_data.h"
#include "twoaxisconfig/dialog_layout.h"
#include "twoaxisconfig/two_axis_dialogs.h"

namespace ventari {

// What is known about the connected anemometer.
struct Anemometer {
  AnemState state;
  TwoAxisConfig twoAxisConfig;
  TriAxisConfig triAxisConfig;
  TriAxisIdentity triAxisIdentity;
  // Which choices the two-axis configuration dialogs offer the model found.
  TwoAxisDialogLayout dialogLayout;
};

// The anemometer's port with its packet matchers, the command channel over it and the terminal
// that shows and captures its traffic.
struct AnemometerLink {
  AnemometerLink(Runtime& runtime, SerialBackendFactory portFactory, AnemState& state,
                 Prompts& prompts, MainWindowModel& window);

  SerialPort port;
  PacketMatcherGroup matcherGroup;
  SystemMatchers matchers;
  CommandChannel channel;
  TerminalModel terminal;
  // A port the user chose (the ports dialog, the terminal's "Set parameters"): told before the
  // switch; it ends the wait for a vanished port.
  ChangeNotifier portChosen;
};

// The live windows' models, and the calls identification and the mode commands make into them.
struct LiveDisplays : LiveWindows {
  LiveDisplays(Runtime& runtime, Prompts& prompts, Anemometer& anemometer, const MainMenu& menu,
               AnemometerLink& link, SerialBackendFactory alarmPortFactory, WallClock clock,
               std::function<void()> liveWindowClosed);

  void SetGraphPresentation(bool uv) override;
  void ApplyUnitScales() override;
  void ShowGraphThirdKey(bool visible) override;
  void SamplesPerSecondChanged(double samplesPerSecond) override;
  void ShowWindsockWAxis(bool visible) override;

  DataDisplay dataDisplay;
  GraphWindowModel graph;
  WindsockWindowModel windsockWindow;
  AlarmWindowModel alarm;
  TabularDisplay tabular;
  // The Statistics window's model: the periods of the records since the run began.
  LiveStatistics statistics;
};

// From the port's bytes to the anemometer's state and the displays: the data records'
// collectors, the readers of both families and the appliers that act on what they read.
// `graphShown` says whether the graph window is shown; `toServicePages` hands each two-axis
// message to the service pages.
struct Decoding {
  Decoding(Runtime& runtime, AnemometerLink& link, Anemometer& anemometer, MainMenu& menu,
           ModeCommands& modes, LiveDisplays& displays, WallClock clock,
           std::function<bool()> graphShown,
           std::function<void(const QByteArray& text)> toServicePages);

  // What became of every data record of both families since the run began.
  RecordCounts recordCounts;
  // Both appliers feed the Statistics window's model through it.
  StatisticsFeed statisticsFeed;
  RecordCollector dataCollector;  // two-axis data messages
  RecordCollector triAxisAsciiCollector;
  RecordCollector triAxisBinaryCollector;
  TwoAxisReplyApplier twoAxisReplies;
  TriAxisReplyApplier triAxisReplies;
  TriAxisListing triAxisListing;
  TwoAxisDataApplier dataApplier;
  TwoAxisDataDecoder dataDecoder;
  TriAxisDataApplier triAxisData;
  TriAxisDataReader triAxisReader;
};

// What the windows' menu entries and buttons call.
struct Commands {
  Commands(Runtime& runtime, Prompts& prompts, MainWindowModel& window, Anemometer& anemometer,
           AnemometerLink& link, LiveDisplays& displays, ModeCommands& modes, Decoding& decoding);

  ModeCommands& modes;
  Discovery discovery;
  PortsDialog portsDialog;
  LiveWindowCommands liveCommands;
  TwoAxisDialogs twoAxisDialogs;
  // The two-axis dialogs as named settings.
  TwoAxisSettings twoAxisSettings;
  // The three-axis setup dialog; the windows add how the live windows close.
  TriAxisSetup setup;
};

}  // namespace ventari
