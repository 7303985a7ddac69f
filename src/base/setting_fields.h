// The anemometer's settings as fields with named values, the way the headless `set` command
// sees the configuration dialogs of either family: what each field offers on the model found,
// what the last configuration read shows, and one exchange per dialog to change them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace ventari {

// One setting a dialog offers: its name ("OutputRate", "ReportMode", "Aip[3]") and its values in
// index order, as the dialog's items read without "&" ("1 Hz", "POLAR CAL", "off"/"on").
struct SettingField {
  QString name;
  QStringList values;
};

// How a dialog's exchange ended.
struct SettingOutcome {
  enum class Result {
    kConfirmed,     // the anemometer took every setting sent
    kNoConfigMode,  // configuration mode was not reached: nothing was sent
    kNotConfirmed,  // something was sent but not acknowledged, or the anemometer moved
  };
  Result result = Result::kConfirmed;
  // What the user is told when it is not confirmed.
  QString message;
  // The message has been shown already (through Prompts).
  bool told = false;
};

class FamilySettings {
 public:
  virtual ~FamilySettings() = default;

  // The fields this model's dialogs offer (neither hidden nor disabled), in dialog order.
  virtual std::vector<SettingField> Fields() const = 0;
  // The value index the configuration last read (or set) holds for `field`; none while unknown.
  virtual std::optional<int> Current(const QString& field) const = 0;
  // Selects the requested value indices in their dialogs and runs each dialog's exchange once;
  // the dialog that changes the line (comms, BAUD) goes last. One outcome per dialog run.
  virtual std::vector<SettingOutcome> Apply(
      const std::vector<std::pair<QString, int>>& requests) = 0;
  // Reads the configuration again at the settings now in use.
  virtual void ReadBack() = 0;
};

}  // namespace ventari
