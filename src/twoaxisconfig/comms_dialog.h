// The anemometer communications dialog: baud rate, parity and data bits of a Kestrix II or a
// Larkvane, each change made at the old settings and confirmed at the new ones, the system's
// port following in between; a change the port's driver refuses is not asked of the anemometer.
#pragma once

#include <functional>

#include "link/line_settings.h"
#include "twoaxisconfig/radio_dialog_model.h"

namespace ventari {

class CommsDialog : public RadioDialogModel {
 public:
  enum Group { kBaud, kParity, kDataBits, kDuplex };
  // How long the echo of a confirmation is waited for at one setting.
  static constexpr int kEchoWaitMs = 1000;
  // How long an anemometer that heard no confirmation may take to go back to its old settings.
  static constexpr int kLapseWaitMs = 5000;
  // How long a command may take to leave the port before the port changes its settings.
  static constexpr int kDrainBoundMs = 1000;

  explicit CommsDialog(TwoAxisDialogParts parts) : RadioDialogModel(parts) {}

  QString Caption() const override;
  // The baud group is the Larkvane's list for a Larkvane.
  std::vector<RadioGroup> Groups() const override;
  // "F" + format digit, then "B" + baud digit, each confirmed at the new settings. A
  // confirmation that is not echoed is looked for at the old settings, then the new, then at the
  // old once an unconfirmed change has lapsed; the port and the selection take the settings the
  // anemometer answers at, and the user is told.
  SettingOutcome Ok() override;

 private:
  enum class Answered { kNew, kNewOnRetry, kOld, kNowhere };
  // The exchange's commands; `held` follows what the anemometer has confirmed.
  SettingOutcome Change(std::vector<int>& held);
  // Sends the setting `letter` `digit` at `old`, moves the port to `changed` once it has left,
  // and confirms the change.
  Answered Send(char letter, int digit, const LineSettings& old, const LineSettings& changed);
  // Sends `letter` alone at `changed`; without its echo there, at `old`, then again at
  // `changed`; then, once the change has lapsed, by entering configuration mode at `old`. The
  // port is left at the settings that answered (`old` when none did).
  Answered Confirm(char letter, const LineSettings& old, const LineSettings& changed);
  bool FoundAtOld();
  // Whether the port's driver takes `line`: tried, then set back, before the anemometer is told.
  bool PortTakes(const LineSettings& line);
  // The driver refused: the selection goes back to `kept` and the user is told.
  SettingOutcome Refused(const std::vector<int>& kept);
  bool Echoed(char letter);
  SettingOutcome Unconfirmed(Answered answered, const std::vector<int>& before);
};

}  // namespace ventari
