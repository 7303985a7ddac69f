// The Larkvane's analogue output dialog: range, wrap-around and voltage or current mode, each
// typed character by character and ended with a lone CR.
#pragma once

#include "twoaxisconfig/radio_dialog_model.h"

namespace ventari {

class LvAnalogueDialog : public RadioDialogModel {
 public:
  enum Group { kRange, kWrap, kMode };

  explicit LvAnalogueDialog(TwoAxisDialogParts parts) : RadioDialogModel(parts) {}

  QString Caption() const override;
  std::vector<RadioGroup> Groups() const override;
  // Commands "S" + range digit ("S" alone with no range), "C" and "T".
  SettingOutcome Ok() override;
};

}  // namespace ventari
