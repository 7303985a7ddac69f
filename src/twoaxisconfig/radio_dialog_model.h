// What the radio-group dialogs of the two-axis configuration share: their groups over
// `TwoAxisConfig`, the selection saved on activation that Cancel puts back, the busy flag of
// the exchange OK runs, and the notifier their windows listen to.
#pragma once

#include <vector>

#include "base/change_notifier.h"
#include "base/setting_fields.h"
#include "twoaxisconfig/dialog_parts.h"
#include "twoaxisconfig/radio_group.h"
#include "twoaxisconfig/setting_command.h"

namespace ventari {

class RadioDialogModel {
 public:
  explicit RadioDialogModel(TwoAxisDialogParts parts) : p_(parts) {}
  virtual ~RadioDialogModel() = default;
  RadioDialogModel(const RadioDialogModel&) = delete;
  RadioDialogModel& operator=(const RadioDialogModel&) = delete;

  virtual QString Caption() const = 0;
  // The groups in the order the dialog shows them, with the layout of the model found.
  virtual std::vector<RadioGroup> Groups() const = 0;

  // The dialog is shown: its selection is saved, as what the anemometer was last known to have.
  void Activate();
  void Select(int group, int index);
  // Whether the model found lets OK be pressed at all.
  virtual bool OkOffered() const { return true; }
  // Sends the selection; the dialog closes afterwards.
  virtual SettingOutcome Ok() = 0;
  // Puts the saved selection back; nothing is sent.
  void Cancel();

  // True while OK talks to the anemometer (OK disabled).
  bool Busy() const { return busy_; }
  ChangeNotifier& Changed() { return changed_; }

 protected:
  std::vector<int> Selection() const;
  void Restore(const std::vector<int>& selection);
  // Also stands for the selection on activation when the dialog was not activated.
  void SaveSelection() {
    saved_ = Selection();
    if (activated_.empty()) activated_ = saved_;
  }
  // The exchange; when configuration mode is not reached the selection returns to the one on
  // activation, since nothing of it reached the anemometer.
  SettingOutcome Exchange(const std::function<SettingOutcome()>& body);
  void Notify() { changed_.Notify(); }

  TwoAxisDialogParts p_;
  std::vector<int> saved_;
  std::vector<int> activated_;

 private:
  bool busy_ = false;
  ChangeNotifier changed_;
};

}  // namespace ventari
