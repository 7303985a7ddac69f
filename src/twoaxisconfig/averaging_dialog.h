// The averaging period dialog: four digits, 0 to 3600 seconds, sent as "G" and the four
// characters; the last accepted period is `AveragingPeriod` of `TwoAxisConfig`.
#pragma once

#include <QString>
#include <algorithm>

#include "base/change_notifier.h"
#include "base/setting_fields.h"
#include "twoaxisconfig/dialog_parts.h"

namespace ventari {

class AveragingDialog {
 public:
  static constexpr int kLongestPeriodS = 3600;

  explicit AveragingDialog(TwoAxisDialogParts parts) : p_(parts) {}

  QString Caption() const { return QStringLiteral("Set averaging period"); }
  // String 1500, shown on hover.
  QString Hint() const;

  // The edit's text: four characters, digits or blanks.
  const QString& Text() const { return text_; }
  void SetText(const QString& text);

  // The dialog is shown: the period it holds is the one last accepted.
  void Activate();
  // Checks the four digits and the range, then sends "G" and them. A period the anemometer
  // was never sent (no configuration mode) is not taken.
  SettingOutcome Ok();
  // The edit shows the last accepted period again.
  void Cancel();

  bool Busy() const { return busy_; }
  ChangeNotifier& Changed() { return changed_; }

 private:
  int Accepted() const { return std::max(0, p_.config.AveragingPeriod); }
  void ShowAccepted();
  SettingOutcome Refuse(int message);

  TwoAxisDialogParts p_;
  QString text_ = QStringLiteral("    ");
  bool busy_ = false;
  ChangeNotifier changed_;
};

}  // namespace ventari
