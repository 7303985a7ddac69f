// The Kestrix II's analogue output module dialog: scaling, output type, channel 3,
// direction wrap-around and module tests, each sent as a whole line.
#pragma once

#include "twoaxisconfig/radio_dialog_model.h"

namespace ventari {

class AnalogueDialog : public RadioDialogModel {
 public:
  enum Group { kScaling, kOutputType, kTests, kChan3, kWrap };

  explicit AnalogueDialog(TwoAxisDialogParts parts) : RadioDialogModel(parts) {}

  QString Caption() const override;
  // Captions and items from the string table.
  std::vector<RadioGroup> Groups() const override;
  bool OkOffered() const override { return p_.layout.analogueOkEnabled; }
  // Lines "Z", "T", "Y", "C" and "J", in this order.
  SettingOutcome Ok() override;
};

}  // namespace ventari
