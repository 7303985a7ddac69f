#include "twoaxisconfig/averaging_dialog.h"

#include "base/string_table.h"
#include "twoaxisconfig/config_exchange.h"

namespace ventari {
namespace {

constexpr int kStrHint = 1500;
constexpr int kStrOutOfRange = 1501;
constexpr int kStrNotFourDigits = 1502;
constexpr int kDigits = 4;

}  // namespace

QString AveragingDialog::Hint() const { return LoadStr(kStrHint); }

void AveragingDialog::SetText(const QString& text) {
  text_ = text;
  changed_.Notify();
}

void AveragingDialog::Activate() { changed_.Notify(); }

void AveragingDialog::ShowAccepted() {
  text_ = QString::asprintf("%.4d", Accepted());
  changed_.Notify();
}

void AveragingDialog::Cancel() { ShowAccepted(); }

SettingOutcome AveragingDialog::Refuse(int message) {
  p_.prompts.ShowMessage(LoadStr(message), LoadStr(kStrWarning));
  return {SettingOutcome::Result::kNotConfirmed, LoadStr(message), true};
}

SettingOutcome AveragingDialog::Ok() {
  const bool fourDigits =
      text_.size() == kDigits &&
      std::all_of(text_.begin(), text_.end(), [](QChar c) { return c.isDigit(); });
  if (!fourDigits) {
    ShowAccepted();
    return Refuse(kStrNotFourDigits);
  }
  const int period = text_.toInt();
  if (period > kLongestPeriodS) return Refuse(kStrOutOfRange);

  TwoAxisConfig& c = p_.config;
  const int before = c.AveragingPeriod;
  const QString beforeText = c.AveragingPeriodText;
  c.AveragingPeriod = period;
  c.AveragingPeriodText = text_;
  const SettingOutcome outcome = RunConfigExchange(
      p_,
      [this](bool busy) {
        busy_ = busy;
        changed_.Notify();
      },
      [this] {
        p_.channel.SendLine("G" + text_.toStdString());
        return SettingOutcome{};
      });
  if (outcome.result == SettingOutcome::Result::kNoConfigMode) {
    c.AveragingPeriod = before;
    c.AveragingPeriodText = beforeText;
    ShowAccepted();
  }
  return outcome;
}

}  // namespace ventari
