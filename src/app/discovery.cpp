#include "app/discovery.h"

#include "app/tri_axis_question.h"
#include "base/string_table.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_listing.h"
#include "twoaxis/two_axis_config.h"

namespace ventari {
namespace {

constexpr int kIdentifyTimeoutMs = 8000;
// What a Larkvane takes to switch to its fixed-field polar format.
constexpr int kLarkvanePolarPauseMs = 1000;

}  // namespace

Discovery::Discovery(const Parts& parts) : p_(parts) {}

void Discovery::Resynchronise() {
  resynchronising_.Notify();
  if (searchRequested_) {
    // The running search stops after its current try.
    searchRequested_ = false;
    p_.window.SetBusyCursor(false);
    p_.window.SetSearchingLabelVisible(false);
  } else {
    // A port that could not be opened, or has gone, is opened again first.
    if (!p_.port.IsOpen()) p_.port.SetOpen(true);
    RequestSearch();
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
  window.SetSearchingLabelVisible(true);
  window.SetEnabled(false);
  try {
    if (searchRequested_) SearchAndIdentify();
  } catch (...) {
    // A port error ends the search; the window must not stay locked behind it.
    SetProgress(0, false);
    window.menu.SetCaption(MenuId::kResynchronise, LoadStr(kStrResynchronise));
    EndSearch();
    Unlock();
    throw;
  }
  Unlock();
}

void Discovery::EndSearch() {
  searchRequested_ = false;
  for (MenuId id : {MenuId::kFile1, MenuId::kMode1, MenuId::kConfiguration1}) {
    p_.window.menu.Enable(id);
  }
}

void Discovery::Unlock() {
  p_.window.SetSearchingLabelVisible(false);
  p_.window.SetEnabled(true);
  p_.window.SetBusyCursor(false);
}

void Discovery::SearchAndIdentify() {
  MainWindowModel& window = p_.window;
  window.SetBusyCursor(true);
  ResetToTwoAxisLayout();
  window.menu.SetCaption(MenuId::kResynchronise, LoadStr(kStrStopResync));
  BaudRateSearch();
  window.menu.SetCaption(MenuId::kResynchronise, LoadStr(kStrResynchronise));
  found_ = p_.channel.InConfigMode();
  searched_ = true;
  SetProgress(0, found_);

  // Only an anemometer that answered in this search is identified, whichever family
  // answered an earlier one.
  if (p_.channel.InConfigMode() && p_.state.Family == AnemFamily::kTwoAxis) {
    IdentifyTwoAxis();
  } else if (p_.channel.InConfigMode() && p_.state.Family == AnemFamily::kTriAxis) {
    IdentifyTriAxis();
  }
  SetProgress(0, false);
  EndSearch();
}

void Discovery::SetProgress(int searchTry, bool identifying) {
  searchTry_ = searchTry;
  identifying_ = identifying;
  progress_.Notify();
}

void Discovery::ReadTwoAxisConfiguration() {
  p_.channel.EnterConfigMode();
  if (p_.channel.InConfigMode() && p_.state.Family == AnemFamily::kTwoAxis) {
    IdentifyTwoAxis();
  } else if (p_.channel.InConfigMode()) {
    p_.channel.LeaveConfigMode();
  }
  p_.window.SetBusyCursor(false);
}

void Discovery::ResetToTwoAxisLayout() {
  MainMenu& menu = p_.window.menu;
  for (MenuId id : {MenuId::kDataDisplay, MenuId::kTabular, MenuId::kMi3AxisConfig}) {
    menu.Hide(id);
  }
  for (MenuId id : {MenuId::kFile1, MenuId::kMode1, MenuId::kConfiguration1}) menu.Disable(id);
  // The Graph entry too: a binary three-axis listing of an earlier search hid it.
  for (MenuId id :
       {MenuId::kMode1, MenuId::kOutputformat, MenuId::kAlignment1, MenuId::kAveraging1,
        MenuId::kAnemcomms, MenuId::kAnalogueoutputs, MenuId::kHeating, MenuId::kGraph1}) {
    menu.Show(id);
  }
  for (MenuId id : {MenuId::kAveraging1, MenuId::kAnalogueoutputs, MenuId::kAlignment1}) {
    menu.Enable(id);
  }
  p_.windows.ShowGraphThirdKey(false);
  p_.windows.ShowWindsockWAxis(false);
  // The output rate of the anemometer about to be found is not known yet: one a second, until
  // a configuration reply says otherwise.
  p_.twoAxisConfig.SamplesPerSecond = 1;
  p_.windows.SamplesPerSecondChanged(1);
  p_.triAxisConfig.InstantaneousAvailable = false;
  // The dialogs offer the Kestrix II's layout until a D1 reply says otherwise; no type code of an
  // earlier anemometer stands for another.
  p_.state.TypeCode.clear();
  ApplyKestrixLayout(p_.layout);
}

void Discovery::ReportDetectionFailed() {
  p_.window.SetSearchingLabelVisible(false);
  p_.prompts.ShowMessage(LoadStr(kStrPortDetectionFailed), LoadStr(kStrWarning));
  p_.window.SetBusyCursor(false);
}

void Discovery::BaudRateSearch() {
  // The search tells of its own tries: the channel's entries stay quiet.
  constexpr auto kQuiet = CommandChannel::EntryReport::kQuiet;
  p_.lineStatus.RefreshStatus();
  p_.port.SetBaud(startBaud_);
  SetProgress(1, false);
  p_.channel.EnterConfigMode(kQuiet);
  p_.lineStatus.RefreshStatus();
  for (int i = 0; i < static_cast<int>(std::size(kSearchRates)); ++i) {
    if (p_.channel.InConfigMode() || !searchRequested_) break;
    p_.port.FlushInBuffer();
    p_.port.FlushOutBuffer();
    p_.port.SetBaud(kSearchRates[i]);
    p_.lineStatus.RefreshStatus();
    SetProgress(i + 2, false);
    p_.channel.EnterConfigMode(kQuiet);
    if (!p_.channel.InConfigMode() && i == kReportingTry && tellFailure_) ReportDetectionFailed();
  }
}

void Discovery::AskUntilReplied(const char* command, TApdDataPacket& armed, TApdDataPacket& reply,
                                TApdDataPacket* alternative, bool arm, int missingMessage) {
  CommandChannel& channel = p_.channel;
  auto replied = [&] { return reply.Received != 0 || (alternative && alternative->Received != 0); };
  while (!replied()) {
    if (channel.Timeout.fired) {
      p_.window.SetBusyCursor(false);
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
  m.D1Packet.Received = 0;
  channel.Timeout.SetInterval(kIdentifyTimeoutMs);
  menu.Show(MenuId::kDataDisplay);

  AskUntilReplied("D1", m.D1Packet, m.D1Packet, nullptr, true, kStrNoResponseD1);
  p_.window.SetBusyCursor(true);
  // The D1 reply armed the D2 matcher of the model, and the D2 reply arms the D3 matcher.
  AskUntilReplied("D2", m.D2Packet, m.D2Packet, &m.LarkvaneD2Packet, false, kStrNoResponseD2);
  m.D2Packet.Received = 0;
  m.LarkvaneD2Packet.Received = 0;
  p_.window.SetBusyCursor(true);
  AskUntilReplied("D3", m.D3Packet, m.D3Packet, &m.LarkvaneD3Packet, false, kStrNoResponseD3);
  m.D3Packet.Received = 0;
  m.LarkvaneD3Packet.Received = 0;

  if (p_.state.TypeCode == QLatin1String("Y") && p_.state.LvMessageMode == 2) {
    // Larkvane in polar mode: its fixed-field format.
    channel.Command("O2");
    channel.Delay(kLarkvanePolarPauseMs);
    menu.Show(MenuId::kWindsock1);
    menu.Show(MenuId::kAlarm);
  }
  channel.LeaveConfigMode();
  m.DataPacket.SetEnabled(true);
}

}  // namespace ventari

namespace ventari {

void Discovery::IdentifyTriAxis() {
  MainMenu& menu = p_.window.menu;
  CommandChannel& channel = p_.channel;
  for (MenuId id : {MenuId::kMode1, MenuId::kOutputformat, MenuId::kAlignment1, MenuId::kAveraging1,
                    MenuId::kAnalogueoutputs, MenuId::kHeating, MenuId::kAnemcomms}) {
    menu.Hide(id);
  }
  menu.Show(MenuId::kMi3AxisConfig);
  menu.Show(MenuId::kTabular);
  p_.windows.ShowWindsockWAxis(true);

  channel.Timeout.Stop();
  channel.Timeout.fired = false;
  channel.Timeout.SetInterval(3000);
  for (TriAxisReply kind : {TriAxisReply::kSn, TriAxisReply::kVer, TriAxisReply::kConfig}) {
    if (kind == TriAxisReply::kConfig) channel.Delay(100);
    AskTriAxis(channel, p_.listing, kind, channel.Timeout.Interval());
  }
  channel.LeaveConfigMode();
  if (p_.triAxisConfig.ReportsPolar() && !p_.triAxisConfig.IsBinary()) {
    menu.Show(MenuId::kWindsock1);
    menu.Show(MenuId::kAlarm);
  }
  p_.window.SetBusyCursor(false);
}

}  // namespace ventari
