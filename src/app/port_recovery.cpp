#include "app/port_recovery.h"

#include "app/discovery.h"
#include "app/live_window_commands.h"
#include "app/service.h"
#include "link/command_channel.h"
#include "link/serial_port.h"
#include "link/terminal_model.h"

namespace ventari {

PortRecovery::PortRecovery(const Parts& parts)
    : p_(parts),
      look_(parts.runtime, kLookIntervalMs, /*periodic=*/true),
      searchAgain_(parts.runtime, kSearchAgainMs),
      clearNotice_(parts.runtime, kReturnNoticeMs) {
  stateHandle_ = p_.port.AddStateConsumer([this](bool open) { PortStateChanged(open); });
  look_.SetHandler([this] { Look(); });
  searchAgain_.SetHandler([this] { Search(/*tellFailure=*/false); });
  clearNotice_.SetHandler([this] { SetNotice({}); });
  resynchronising_ = p_.discovery.Resynchronising().Subscribe([this] { StopWaiting(); });
  portChosen_ = p_.portChosen.Subscribe([this] { StopWaiting(); });
}

PortRecovery::~PortRecovery() {
  p_.port.RemoveStateConsumer(stateHandle_);
  p_.discovery.Resynchronising().Unsubscribe(resynchronising_);
  p_.portChosen.Unsubscribe(portChosen_);
}

void PortRecovery::PortStateChanged(bool open) {
  if (open) {
    // Known while the port is there: the adapter to look for should it vanish. Once it is known
    // the recovery reopens only that adapter, so a stranger's identity never replaces it.
    if (adapterOf) adapter_ = adapterOf(p_.port.Name());
    return;
  }
  if (!waiting_ && !reopening_ && !p_.port.LostReason().isEmpty()) Lost();
}

void PortRecovery::Lost() {
  // A loss before the anemometer answered again belongs to the recovery under way: the
  // anemometer, its rate and the time of the first loss are still what the first loss knew.
  if (!recovering_) {
    lostAtMs_ = p_.runtime.NowMs();
    lostBaud_ = p_.port.Line().baud;
    wasFound_ = p_.discovery.Found();
  }
  ++losses_;
  recovering_ = true;
  waiting_ = true;
  lostName_ = p_.port.Name();
  searchAgain_.Stop();
  // Whatever the anemometer was doing, the program no longer holds it in configuration mode or
  // continuous output: closing a window now sends nothing.
  p_.channel.ForgetConfigMode();
  p_.modes.ForgetContinuousOutput();
  clearNotice_.Stop();
  SetNotice(SerialPort::LostNotice(lostName_));
  look_.Start();
}

void PortRecovery::StopWaiting() {
  if (!recovering_) return;
  recovering_ = false;
  waiting_ = false;
  look_.Stop();
  searchAgain_.Stop();
  SetNotice({});
}

void PortRecovery::Look() {
  // An exchange still winding down after the loss ends first; the search must not run inside it.
  if (p_.channel.Waiting()) return;
  const QString name = PortToTry();
  if (!name.isEmpty() && TryOpen(name)) {
    Returned();
    return;
  }
  p_.port.SetName(lostName_);
}

QString PortRecovery::PortToTry() const {
  if (adapter_.isEmpty()) return lostName_;
  // The adapter wherever it is now. Another device under the lost name, or one that does not
  // say what it is, is not opened: its control lines would move and the search would talk to it.
  if (portOfAdapter) return portOfAdapter(adapter_);
  return adapterOf(lostName_) == adapter_ ? lostName_ : QString();
}

bool PortRecovery::TryOpen(const QString& name) {
  reopening_ = true;
  try {
    p_.port.SetName(name);
    p_.port.SetOpen(true);
  } catch (const PortError&) {
    reopening_ = false;
    return false;
  }
  reopening_ = false;
  return true;
}

void PortRecovery::Returned() {
  look_.Stop();
  waiting_ = false;
  ++returns_;
  const QString name = p_.port.Name();
  returnedAs_ = name == lostName_ ? name : name + QStringLiteral(" (was ") + lostName_ + ')';
  if (p_.service.Running() || !wasFound_) {
    recovering_ = false;
    SetNotice(returnedAs_ + QStringLiteral(" is back"));
    clearNotice_.Start();
    return;
  }
  SetNotice(returnedAs_ + QStringLiteral(" is back - looking for the anemometer"));
  Search(/*tellFailure=*/true);
}

void PortRecovery::Search(bool tellFailure) {
  // An exchange under way (the user's own) ends first.
  if (p_.channel.Waiting()) {
    searchAgain_.Start();
    return;
  }
  try {
    // The search starts where the anemometer was, then goes through the list.
    p_.discovery.SetStartBaud(lostBaud_);
    p_.discovery.RequestSearch(tellFailure);
    p_.discovery.OnActivate();
    if (p_.discovery.Found() && p_.state.Family == AnemFamily::kTriAxis &&
        p_.liveCommands.AnyWindowShown()) {
      p_.liveCommands.StartContinuous();
    }
  } catch (const PortError&) {
    // Gone again: the loss has been noticed and is told.
    if (waiting_) return;
    throw;
  }
  // Gone again, or the user ended the waiting during the search.
  if (waiting_ || !recovering_) return;
  if (!p_.discovery.Found()) {
    SetNotice(returnedAs_ + QStringLiteral(" is back, but no anemometer answered"));
    searchAgain_.Start();
    return;
  }
  recovering_ = false;
  SetNotice(returnedAs_ + QStringLiteral(" found again: %1 at %2 baud")
                              .arg(p_.state.ModelCaption.trimmed())
                              .arg(p_.port.Line().baud));
  clearNotice_.Start();
}

void PortRecovery::SetNotice(const QString& text) {
  p_.window.SetPortNotice(text);
  p_.terminal.SetPortNotice(text);
}

}  // namespace ventari
