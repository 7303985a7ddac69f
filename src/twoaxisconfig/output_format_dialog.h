// The output formatting dialog: terminator, message format, output rate, unit, vertical
// padding, sonic outputs and NMEA style of a two-axis anemometer, and the live windows that
// follow the rate and the unit.
#pragma once

#include "twoaxisconfig/radio_dialog_model.h"

namespace ventari {

class OutputFormatDialog : public RadioDialogModel {
 public:
  enum Group { kMessageTerm, kFieldFormat, kOutputRate, kOutputUnits, kVerticalPad, kSonic, kNmea };

  explicit OutputFormatDialog(TwoAxisDialogParts parts) : RadioDialogModel(parts) {}

  QString Caption() const override;
  // The rate group is the Larkvane's list for a Larkvane; the NMEA style is never shown.
  std::vector<RadioGroup> Groups() const override;
  // Every setting in the order L, O, V, P, U, A, K (V, A and K for a Kestrix only); the output
  // rate and unit then reach the windsock, the graph and the windsock's menu entry.
  SettingOutcome Ok() override;
};

}  // namespace ventari
