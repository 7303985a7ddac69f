#include "service/ext_tests_model.h"

#include <string_view>

#include "base/number_text.h"

namespace ventari {
namespace {

constexpr int kStatPrecision = 4;
constexpr int kStatDecimals = 4;

QString StatText(float value) { return FixedText(value, kStatPrecision, kStatDecimals); }

std::size_t RowIndex(ExtTestsRow row) { return static_cast<std::size_t>(row); }

}  // namespace

ExtTestsModel::ExtTestsModel(Prompts& prompts) : prompts_(prompts) { ShowStatistics(); }

const QString& ExtTestsModel::Label(ExtTestsRow row, int axis) const {
  return labels_.at(RowIndex(row)).at(static_cast<std::size_t>(axis));
}

void ExtTestsModel::StartCollection() {
  ring_.StartTest();
  badLines_ = 0;
  collecting_ = true;
  visible_ = true;
  green_ = false;
  ShowStatistics();
}

void ExtTestsModel::ForgetUnit() {
  ring_ = DowncountRing();
  badLines_ = 0;
  logFlag_ = false;
  green_ = false;
  ShowStatistics();
}

void ExtTestsModel::AddLine(const QByteArray& line) {
  if (!collecting_) return;
  const auto values = ParseDowncountLine(std::string_view(line.constData(), line.size()));
  if (!values) {
    ++badLines_;
    changed_.Notify();
    return;
  }
  ring_.Add(*values);
  green_ = ring_.Count() == kDowncountRingSize;
  ShowStatistics();
}

void ExtTestsModel::ShowStatistics() {
  // With no sample the labels keep the texts the window is designed with.
  if (ring_.Count() == 0) {
    for (std::size_t row = 0; row < labels_.size(); ++row) {
      labels_[row].fill(row == RowIndex(ExtTestsRow::kMin) ? QStringLiteral("999")
                                                           : QStringLiteral("0"));
    }
    changed_.Notify();
    return;
  }
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    const AxisStatistics s = ring_.Statistics(axis);
    const auto a = static_cast<std::size_t>(axis);
    labels_[RowIndex(ExtTestsRow::kStdDev)][a] = StatText(s.stdDev);
    labels_[RowIndex(ExtTestsRow::kMax)][a] = QString::number(s.maximum);
    labels_[RowIndex(ExtTestsRow::kMin)][a] = QString::number(s.minimum);
    labels_[RowIndex(ExtTestsRow::kAverage)][a] = StatText(s.average);
  }
  changed_.Notify();
}

bool ExtTestsModel::Passed() const {
  return ring_.Count() == kDowncountRingSize && ring_.AllWithin(kDowncountLow, kDowncountHigh);
}

void ExtTestsModel::BtnOKExtDwncntsClick() {
  collecting_ = false;
  logFlag_ = prompts_.Ask(
                 QStringLiteral("Do you wish to log the standard deviation test data and results?"),
                 QStringLiteral("LOG DOWNCOUNTS?"),
                 {PromptButton::kOk, PromptButton::kCancel}) == PromptButton::kOk;
  visible_ = false;
  changed_.Notify();
  if (stopTest_) stopTest_();
}

void ExtTestsModel::EndCollection() {
  collecting_ = false;
  visible_ = false;
  changed_.Notify();
}

void ExtTestsModel::Hide() {
  visible_ = false;
  changed_.Notify();
}

}  // namespace ventari
