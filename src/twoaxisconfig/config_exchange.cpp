#include "twoaxisconfig/config_exchange.h"

#include "base/call_if_set.h"
#include "base/string_table.h"

namespace ventari {

SettingOutcome RunConfigExchange(TwoAxisDialogParts& parts,
                                 const std::function<void(bool)>& setBusy,
                                 const std::function<SettingOutcome()>& body) {
  struct Idle {
    TwoAxisDialogParts& parts;
    const std::function<void(bool)>& setBusy;
    ~Idle() {
      parts.window.SetBusyCursor(false);
      CallIfSet(setBusy, false);
    }
  };
  CallIfSet(setBusy, true);
  parts.window.SetBusyCursor(true);
  const Idle idle{parts, setBusy};

  parts.channel.EnterConfigMode();
  if (!parts.channel.InConfigMode()) {
    // The failed entry has told the user.
    return {SettingOutcome::Result::kNoConfigMode, LoadStr(kStrNoResponseStar), true};
  }
  SettingOutcome outcome;
  try {
    outcome = body();
  } catch (...) {
    parts.channel.LeaveConfigModeAfterFailure();
    throw;
  }
  parts.channel.LeaveConfigMode();
  return outcome;
}

}  // namespace ventari
