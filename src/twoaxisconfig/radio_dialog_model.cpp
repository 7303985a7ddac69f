#include "twoaxisconfig/radio_dialog_model.h"

#include "twoaxisconfig/config_exchange.h"

namespace ventari {

void RadioDialogModel::Activate() {
  saved_ = Selection();
  activated_ = saved_;
}

void RadioDialogModel::Select(int group, int index) {
  const auto groups = Groups();
  if (group < 0 || group >= static_cast<int>(groups.size())) return;
  groups[static_cast<std::size_t>(group)].select(index);
  Notify();
}

void RadioDialogModel::Cancel() { Restore(saved_); }

std::vector<int> RadioDialogModel::Selection() const {
  std::vector<int> selection;
  for (const RadioGroup& group : Groups()) selection.push_back(group.selected());
  return selection;
}

void RadioDialogModel::Restore(const std::vector<int>& selection) {
  const auto groups = Groups();
  for (std::size_t i = 0; i < groups.size() && i < selection.size(); ++i) {
    groups[i].select(selection[i]);
  }
  Notify();
}

SettingOutcome RadioDialogModel::Exchange(const std::function<SettingOutcome()>& body) {
  const SettingOutcome outcome = RunConfigExchange(
      p_,
      [this](bool busy) {
        busy_ = busy;
        Notify();
      },
      body);
  if (outcome.result == SettingOutcome::Result::kNoConfigMode) Restore(activated_);
  return outcome;
}

}  // namespace ventari
