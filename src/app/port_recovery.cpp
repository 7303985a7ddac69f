#include "app/port_recovery.h"

#include "app/discovery.h"
#include "app/live_window_commands.h"
#include "app/ports_dialog.h"
#include "app/service.h"
#include "link/command_channel.h"
#include "link/serial_port.h"
#include "link/terminal_model.h"

namespace ventari {

PortRecovery::PortRecovery(const Parts& parts)
    : p_(parts),
      look_(parts.runtime, kLookIntervalMs, /*periodic=*/true),
      clearNotice_(parts.runtime, kReturnNoticeMs) {
  stateHandle_ = p_.port.AddStateConsumer([this](bool open) { PortStateChanged(open); });
  look_.SetHandler([this] { Look(); });
  clearNotice_.SetHandler([this] { SetNotice({}); });
  resynchronising_ = p_.discovery.Resynchronising().Subscribe([this] { StopWaiting(); });
  portChosen_ = p_.portsDialog.PortChosen().Subscribe([this] { StopWaiting(); });
}

PortRecovery::~PortRecovery() {
  p_.port.RemoveStateConsumer(stateHandle_);
  p_.discovery.Resynchronising().Unsubscribe(resynchronising_);
  p_.portsDialog.PortChosen().Unsubscribe(portChosen_);
}

void PortRecovery::PortStateChanged(bool open) {
  if (open) {
    // Known while the port is there: the adapter to look for should it vanish.
    if (adapterOf) adapter_ = adapterOf(p_.port.Name());
    return;
  }
  if (!waiting_ && !reopening_ && !p_.port.LostReason().isEmpty()) Lost();
}

void PortRecovery::Lost() {
  waiting_ = true;
  lostAtMs_ = p_.runtime.NowMs();
  lostName_ = p_.port.Name();
  lostBaud_ = p_.port.Line().baud;
  wasFound_ = p_.discovery.Found();
  // Whatever the anemometer was doing, the program no longer holds it in configuration mode or
  // continuous output: closing a window now sends nothing.
  p_.channel.ForgetConfigMode();
  p_.modes.ForgetContinuousOutput();
  clearNotice_.Stop();
  SetNotice(SerialPort::LostNotice(lostName_));
  look_.Start();
}

void PortRecovery::StopWaiting() {
  if (!waiting_) return;
  waiting_ = false;
  look_.Stop();
  SetNotice({});
}

void PortRecovery::Look() {
  // An exchange still winding down after the loss ends first; the search must not run inside it.
  if (p_.channel.Waiting()) return;
  if (TryOpen(lostName_)) {
    Returned();
    return;
  }
  const QString moved =
      (portOfAdapter && !adapter_.isEmpty()) ? portOfAdapter(adapter_) : QString();
  if (!moved.isEmpty() && moved != lostName_ && TryOpen(moved)) {
    Returned();
    return;
  }
  p_.port.SetName(lostName_);
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
  const QString name = p_.port.Name();
  const QString where =
      name == lostName_ ? name : name + QStringLiteral(" (was ") + lostName_ + ')';
  if (p_.service.Running() || !wasFound_) {
    SetNotice(where + QStringLiteral(" is back"));
    clearNotice_.Start();
    return;
  }
  SetNotice(where + QStringLiteral(" is back - looking for the anemometer"));
  try {
    // The search starts where the anemometer was, then goes through the list.
    p_.discovery.SetStartBaud(lostBaud_);
    p_.discovery.RequestSearch();
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
  if (waiting_) return;
  if (p_.discovery.Found()) {
    SetNotice(where + QStringLiteral(" found again: %1 at %2 baud")
                          .arg(p_.state.ModelCaption.trimmed())
                          .arg(p_.port.Line().baud));
  } else {
    SetNotice(where + QStringLiteral(" is back, but no anemometer answered"));
  }
  clearNotice_.Start();
}

void PortRecovery::SetNotice(const QString& text) {
  p_.window.SetPortNotice(text);
  p_.terminal.SetPortNotice(text);
}

}  // namespace ventari
