#include "app/discovery.h"

#include "base/string_table.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "threeaxis/tri_axis_config.h"
#include "threeaxis/tri_axis_listing.h"

namespace ventari {
namespace {

constexpr int kIdentifyTimeoutMs = 8000;

}  // namespace

Discovery::Discovery(const Parts& parts) : p_(parts) {}

void Discovery::Resynchronise() {
  if (p_.state.SearchRequested) {
    // The running search stops after its current try.
    p_.state.SearchRequested = false;
    p_.window.busyCursor = false;
    p_.window.searchingLabelVisible = false;
  } else {
    p_.state.SearchRequested = true;
  }
  OnActivate();
}

void Discovery::OnActivate() {
  // Message boxes shown by the search re-activate the main window; one search at a time.
  if (running_) return;
  running_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};

  MainWindowModel& window = p_.window;
  window.searchingLabelVisible = true;
  window.enabled = false;
  try {
    if (p_.state.SearchRequested) SearchAndIdentify();
  } catch (...) {
    // A port error ends the search; the window must not stay locked behind it.
    p_.state.Searching = false;
    p_.state.LastTry = false;
    window.menu.Entry(QStringLiteral("Resynchronise")).caption = LoadStr(kStrResynchronise);
    EndSearch();
    Unlock();
    throw;
  }
  Unlock();
}

void Discovery::EndSearch() {
  p_.state.SearchRequested = false;
  for (const char* name : {"File1", "Mode1", "Configuration1"}) {
    p_.window.menu.Enable(QLatin1String(name));
  }
}

void Discovery::Unlock() {
  p_.window.searchingLabelVisible = false;
  p_.window.enabled = true;
  p_.window.busyCursor = false;
}

void Discovery::SearchAndIdentify() {
  MainWindowModel& window = p_.window;
  found_ = false;
  window.busyCursor = true;
  ResetToTwoAxisLayout();
  MenuEntry& resync = window.menu.Entry(QStringLiteral("Resynchronise"));
  resync.caption = LoadStr(kStrStopResync);
  BaudRateSearch();
  resync.caption = LoadStr(kStrResynchronise);
  found_ = p_.state.InConfigMode;

  // Only an anemometer that answered in this search is identified, whichever family
  // answered an earlier one.
  if (p_.state.InConfigMode && p_.state.Family == AnemFamily::kTwoAxis) {
    IdentifyTwoAxis();
  } else if (p_.state.InConfigMode && p_.state.Family == AnemFamily::kThreeAxis) {
    IdentifyThreeAxis();
  }
  EndSearch();
}

void Discovery::ResetToTwoAxisLayout() {
  MainMenu& menu = p_.window.menu;
  for (const char* name : {"DataDisplay", "Tabular", "Mi3AxisConfig"}) {
    menu.Hide(QLatin1String(name));
  }
  for (const char* name : {"File1", "Mode1", "Configuration1"}) menu.Disable(QLatin1String(name));
  // The Graph entry too: a binary three-axis listing of an earlier search hid it.
  for (const char* name : {"Mode1", "Outputformat", "Alignment1", "Averaging1", "Anemcomms",
                           "Analogueoutputs", "Heating", "Graph1"}) {
    menu.Show(QLatin1String(name));
  }
  for (const char* name : {"Averaging1", "Analogueoutputs", "Alignment1"}) {
    menu.Enable(QLatin1String(name));
  }
  CallIfSet(p_.windows.showGraphThirdKey, false);
  CallIfSet(p_.windows.showWindsockWAxis, false);
  p_.triAxisConfig.InstantaneousAvailable = false;
  ApplyKestrixLayout(p_.layout);
}

void Discovery::BaudRateSearch() {
  AnemState& state = p_.state;
  state.Searching = true;
  CallIfSet(refreshStatus);
  p_.port.SetBaud(startBaud_);
  p_.channel.EnterConfigMode();
  CallIfSet(refreshStatus);
  for (int i = 0; i < static_cast<int>(std::size(kSearchRates)); ++i) {
    if (state.InConfigMode || !state.SearchRequested) break;
    p_.port.FlushInBuffer();
    p_.port.FlushOutBuffer();
    p_.port.SetBaud(kSearchRates[i]);
    CallIfSet(refreshStatus);
    state.LastTry = i == kReportingTry;
    p_.channel.EnterConfigMode();
  }
  state.Searching = false;
}

void Discovery::AskUntilReplied(const char* command, TApdDataPacket& armed, TApdDataPacket& reply,
                                TApdDataPacket* alternative, bool arm, int missingMessage) {
  CommandChannel& channel = p_.channel;
  auto replied = [&] { return reply.Tag != 0 || (alternative && alternative->Tag != 0); };
  while (!replied()) {
    if (channel.Timeout.fired) {
      p_.window.busyCursor = false;
      p_.prompts.ShowMessage(LoadStr(missingMessage), LoadStr(kStrWarning));
      break;
    }
    if (arm) armed.SetEnabled(true);
    channel.Command(command);
    if (!channel.Timeout.IsActive()) channel.Timeout.Start();
    channel.Delay(1000);
  }
  channel.Timeout.Stop();
  channel.Timeout.fired = false;
}

void Discovery::IdentifyTwoAxis() {
  SystemMatchers& m = p_.matchers;
  CommandChannel& channel = p_.channel;
  MainMenu& menu = p_.window.menu;

  channel.Timeout.fired = false;
  m.D1Packet.Tag = 0;
  channel.Timeout.SetInterval(kIdentifyTimeoutMs);
  menu.Show(QStringLiteral("DataDisplay"));

  AskUntilReplied("D1", m.D1Packet, m.D1Packet, nullptr, true, kStrNoResponseD1);
  p_.window.busyCursor = true;
  // The D1 reply armed the D2 matcher of the model, and the D2 reply arms the D3 matcher.
  AskUntilReplied("D2", m.D2Packet, m.D2Packet, &m.LarkvaneD2Packet, false, kStrNoResponseD2);
  m.D2Packet.Tag = 0;
  m.LarkvaneD2Packet.Tag = 0;
  p_.window.busyCursor = true;
  AskUntilReplied("D3", m.D3Packet, m.D3Packet, &m.LarkvaneD3Packet, false, kStrNoResponseD3);
  m.D3Packet.Tag = 0;
  m.LarkvaneD3Packet.Tag = 0;

  if (p_.state.TypeCode == QLatin1String("Y") && p_.state.LvMessageMode == 2) {
    // Larkvane in polar mode: its fixed-field format.
    channel.Command("O2");
    channel.Timer2.fired = false;
    channel.Timer2.Start();
    p_.channel.WaitFor([&channel] { return channel.Timer2.fired; });
    menu.Show(QStringLiteral("Windsock1"));
    menu.Show(QStringLiteral("Alarm"));
  }
  channel.LeaveConfigMode();
  m.DataPacket.SetEnabled(true);
}

}  // namespace ventari

namespace ventari {

void Discovery::IdentifyThreeAxis() {
  MainMenu& menu = p_.window.menu;
  CommandChannel& channel = p_.channel;
  for (const char* name : {"Mode1", "Outputformat", "Alignment1", "Averaging1", "Analogueoutputs",
                           "Heating", "Anemcomms"}) {
    menu.Hide(QLatin1String(name));
  }
  menu.Show(QStringLiteral("Mi3AxisConfig"));
  menu.Show(QStringLiteral("Tabular"));
  CallIfSet(p_.windows.showWindsockWAxis, true);

  channel.Timeout.Stop();
  channel.Timeout.fired = false;
  channel.Timeout.SetInterval(3000);
  const std::pair<TriAxisReply, const char*> questions[] = {
      {TriAxisReply::kSn, "SN"}, {TriAxisReply::kVer, "VER"}, {TriAxisReply::kConfig, "CONFIG"}};
  for (const auto& [kind, command] : questions) {
    if (kind == TriAxisReply::kConfig) channel.Delay(100);
    p_.listing.Expect(kind);
    channel.Command(command);
    channel.Timeout.Start();
    channel.WaitFor([&] { return p_.listing.Received() || channel.Timeout.fired; });
    channel.Timeout.Stop();
    channel.Timeout.fired = false;
    p_.listing.ClearReceived();
  }
  channel.LeaveConfigMode();
  if (p_.triAxisConfig.ReportsPolar() && !p_.triAxisConfig.IsBinary()) {
    menu.Show(QStringLiteral("Windsock1"));
    menu.Show(QStringLiteral("Alarm"));
  }
  p_.window.busyCursor = false;
}

}  // namespace ventari
