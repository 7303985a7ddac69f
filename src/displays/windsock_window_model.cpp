#include "displays/windsock_window_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "base/number_text.h"

namespace ventari {
namespace {

constexpr int kUnitCount = static_cast<int>(std::size(kWindsockUnits));

int WithinList(int item, int count) { return item >= 0 && item < count ? item : -1; }

// Truncates toward zero, saturating at the ends of int (a garbled speed must not wrap around).
int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (value >= kMax) return std::numeric_limits<int>::max();
  if (value <= kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// The speed in hundredths of `unit`. The anemometer sends hundredths of m/s, which binary
// floating point cannot hold exactly (0.29 * 100 is 28.999...): they are taken as the nearest
// whole number first, then converted with the unit's factor (given to three decimals) in whole
// numbers, and truncated.
int SpeedInUnit(double metresPerSecond, const WindsockUnit& unit) {
  const double hundredths = std::round(metresPerSecond * 100);
  if (std::isnan(hundredths)) return 0;
  constexpr double kLimit = std::numeric_limits<int>::max();
  const auto whole = static_cast<std::int64_t>(std::clamp(hundredths, -kLimit, kLimit));
  const auto factorThousandths = static_cast<std::int64_t>(std::llround(unit.factor * 1000));
  return TruncateToInt(static_cast<double>(whole * factorThousandths / 1000));
}

}  // namespace

WindsockWindowModel::WindsockWindowModel() { windsock_.SetSize(QSize(600, 600)); }

const WindsockUnit& WindsockWindowModel::Unit() const {
  const int units = WithinList(selections_.units, kUnitCount);
  return kWindsockUnits[units < 0 ? 0 : units];
}

void WindsockWindowModel::ShowSample(int direction, double speed, std::optional<double> w) {
  const WindsockUnit& unit = Unit();
  windsock_.SetDataSample(direction, SpeedInUnit(speed, unit));

  reading_.gust = selections_.gust == kGustMax   ? windsock_.GetMaxGust()
                  : selections_.gust == kGustMin ? windsock_.GetMinGust()
                                                 : windsock_.GetGust();
  reading_.gustUnit = &unit;
  reading_.magnitude = windsock_.GetMagnitude();
  if (w) reading_.w = w;
  readingShown_ = false;
  changed_.Notify();
}

const WindsockWindowView& WindsockWindowModel::View() const {
  // The read-outs are written when asked for: most records come while no window shows them.
  if (readingShown_) return view_;
  readingShown_ = true;
  const WindsockUnit& unit = *reading_.gustUnit;
  view_.gustText = FixedText(reading_.gust * 0.01, unit.precision, unit.decimals);
  QString speedText = FixedText(reading_.magnitude, 4, 2);
  if (speedText.size() > 1 && speedText[1] == QLatin1Char('.')) speedText.prepend(QLatin1Char('0'));
  view_.windSpeedText = speedText;
  if (reading_.w) view_.wAxisText = GeneralText(*reading_.w);
  return view_;
}

void WindsockWindowModel::AveragingClick() {
  if (selections_.averaging == kContinuous) {
    windsock_.SetMagDataType(0);
    view_.gustGroupEnabled = false;
    selections_.gust = kGustCont;
    view_.gustLabelVisible = false;
  } else {
    const double seconds = selections_.averaging == kTenMinutes ? 600 : 120;
    constexpr double kLongest = TCalvarnWindsock::kMaxRollingAverage;
    windsock_.SetMagDataType(1);
    windsock_.SetRollingAverage(
        static_cast<int>(std::clamp(std::round(samplesPerSecond_ * seconds), 1.0, kLongest)));
    view_.gustGroupEnabled = true;
    view_.gustLabelVisible = true;
  }
  changed_.Notify();
}

void WindsockWindowModel::SetSamplesPerSecond(double samplesPerSecond) {
  samplesPerSecond_ = samplesPerSecond;
  AveragingClick();
}

void WindsockWindowModel::ApplySelections() {
  selections_.averaging = WithinList(selections_.averaging, 3);
  selections_.units = WithinList(selections_.units, kUnitCount);
  selections_.gust = WithinList(selections_.gust, 3);
  AveragingClick();
}

void WindsockWindowModel::SelectAveraging(int item) {
  selections_.averaging = WithinList(item, 3);
  AveragingClick();
}

void WindsockWindowModel::SelectUnits(int item) {
  selections_.units = WithinList(item, kUnitCount);
  UnitsGroupClick();
}

void WindsockWindowModel::SelectGust(int item) {
  if (!view_.gustGroupEnabled) return;
  selections_.gust = WithinList(item, 3);
  changed_.Notify();
}

void WindsockWindowModel::SelectRose(int item) {
  windsock_.SetRose(item);
  view_.roseType = windsock_.GetRose();
  changed_.Notify();
}

void WindsockWindowModel::ShowWAxis(bool visible) {
  view_.wAxisVisible = visible;
  changed_.Notify();
}

}  // namespace ventari
