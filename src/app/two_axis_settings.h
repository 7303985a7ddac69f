// A two-axis anemometer's settings as named fields over its configuration dialogs: the groups
// the dialogs offer the model found, the alignment and heating of the configuration menu, the
// averaging period ("AveragingPeriod", "0" to "3600" seconds) and the Mode menu's output
// ("MessageMode": UV or polar continuous).
#pragma once

#include <functional>

#include "app/mode_commands.h"
#include "base/main_menu.h"
#include "base/setting_fields.h"
#include "twoaxisconfig/two_axis_dialogs.h"

namespace ventari {

class TwoAxisSettings : public FamilySettings {
 public:
  // `readBack` reads the configuration again (D1, D2, D3).
  TwoAxisSettings(TwoAxisDialogs& dialogs, ModeCommands& modes, const AnemState& state,
                  TwoAxisConfig& config, const MainMenu& menu, std::function<void()> readBack);

  std::vector<SettingField> Fields() const override;
  std::optional<int> Current(const QString& field) const override;
  std::vector<SettingOutcome> Apply(const std::vector<std::pair<QString, int>>& requests) override;
  // Every offered field is unknown until the read shows it again: a read that does not reach
  // configuration mode, or a D3 reply that breaks off, confirms nothing it did not show.
  void ReadBack() override;

 private:
  // The radio dialogs in the order Apply runs them: the analogue dialog of the model, then
  // output format, then comms.
  std::vector<RadioDialogModel*> Dialogs() const;
  bool Offered(MenuId id) const;
  QStringList Alignments() const;
  QStringList MessageModes() const;
  SettingOutcome ApplyMenuSetting(const QString& field, int index);
  void ForgetOffered();

  TwoAxisDialogs& dialogs_;
  ModeCommands& modes_;
  const AnemState& state_;
  TwoAxisConfig& config_;
  const MainMenu& menu_;
  std::function<void()> readBack_;
};

}  // namespace ventari
