// The three-axis anemometer's settings as named fields, changed through the setup dialog's own
// exchanges. Fields are the setup dialog's controls that the model found offers: the drop-down
// lists but the hidden message mode (instantaneous mode on 50 Hz models only), "Averaging" with
// the values "1" to "250" (value index 0 is "1"), the channel boxes "Aip[1]" to "Aip[6]" ("off",
// "on") while they can be used, and "PcAvgMinutes" with "0" to "60".
#pragma once

#include "base/setting_fields.h"

namespace ventari {

class CommandChannel;
class TriAxisListing;
class TriAxisSetup;

class TriAxisSettings : public FamilySettings {
 public:
  TriAxisSettings(TriAxisSetup& setup, CommandChannel& channel, TriAxisListing& listing)
      : setup_(setup), channel_(channel), listing_(listing) {}

  std::vector<SettingField> Fields() const override;
  std::optional<int> Current(const QString& field) const override;
  // One outcome per setting sent, in the order sent: the baud rate last.
  std::vector<SettingOutcome> Apply(const std::vector<std::pair<QString, int>>& requests) override;
  void ReadBack() override;

 private:
  SettingOutcome ApplyOne(const QString& field, int value);

  TriAxisSetup& setup_;
  CommandChannel& channel_;
  TriAxisListing& listing_;
};

}  // namespace ventari
