#include "displays/calvarn_windsock.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ventari {

TCalvarnWindsock::TCalvarnWindsock()
    : directions_(kRingSlots), magnitudes_(kRingSlots), gusts_(kRingSlots) {}

void TCalvarnWindsock::SetRollingAverage(int samples) {
  rollingAverage_ = std::clamp(samples, 1, kMaxRollingAverage);
  const auto ringSlots = static_cast<std::size_t>(std::max(kRingSlots, rollingAverage_));
  if (directions_.size() != ringSlots) {
    directions_.assign(ringSlots, 0);
    magnitudes_.assign(ringSlots, 0);
    gusts_.assign(ringSlots, 0);
  }
  InitSamples();
}

void TCalvarnWindsock::InitSamples() {
  std::fill(directions_.begin(), directions_.end(), 0);
  std::fill(magnitudes_.begin(), magnitudes_.end(), 0);
  std::fill(gusts_.begin(), gusts_.end(), 0);
  averageMagnitude_ = 0;
  writePosition_ = 0;
  sampleCount_ = 0;
  Changed().Notify();
}

void TCalvarnWindsock::SetDataSample(int direction, int magnitude) {
  const int n = rollingAverage_;
  const int p = writePosition_;
  if (sampleCount_ < n) ++sampleCount_;

  if (direction < 90 && previousDirection_ > 270) wrapped_ = true;
  bool unwrap = false;
  if (wrapped_ && direction > 180 && direction < 270) {
    wrapped_ = false;
    unwrap = true;
  }
  directions_[p] = wrapped_ && direction <= 180 ? direction + 360 : direction;
  magnitudes_[p] = magnitude;

  // The gust of a slot averages the samples before it, not the sample itself.
  std::int64_t gustSum = 0;
  for (int k = 1; k <= kGustSamples; ++k) gustSum += magnitudes_[Back(p, k)];
  gusts_[p] = static_cast<int>(gustSum / kGustSamples);

  // The window is the N ringSlots ending with the slot before p (from p itself when N is the whole
  // ring). Sums are 64-bit and recomputed for every sample, so nothing accumulates over a run.
  const bool warmingUp = sampleCount_ < n;
  std::int64_t magnitudeSum = 0;
  std::int64_t directionSum = 0;
  int maxGust = 0;
  int minGust = kNoMinGust;
  const int ringSlots = RingSize();
  int f = Back(p, n);
  for (int i = 0; i < n; ++i) {
    magnitudeSum += magnitudes_[f];
    if (unwrap && directions_[f] >= 360) directions_[f] -= 360;
    directionSum += directions_[f];
    const int gust = gusts_[f];
    if (gust > maxGust) maxGust = gust;
    if (gust < minGust && (!warmingUp || (kGustSamples < f && f <= n))) minGust = gust;
    f = f + 1 == ringSlots ? 0 : f + 1;
  }
  maxGust_ = maxGust;
  minGust_ = minGust;
  averageMagnitude_ = static_cast<int>(magnitudeSum / n);
  averageDirection_ = static_cast<int>(directionSum / n);

  if (magnitudeType_ == 1) {
    if (averageDirection_ > 360) averageDirection_ -= 360;
    SetBearing(averageDirection_);
  } else {
    SetBearing(direction);
  }
  previousDirection_ = direction;
  writePosition_ = p + 1 == ringSlots ? 0 : p + 1;
}

double TCalvarnWindsock::GetMagnitude() const {
  if (magnitudeType_ == 1) return averageMagnitude_ / 100.0;
  return magnitudes_[Back(writePosition_, 1)] / 100.0;
}

void TCalvarnWindsock::Paint(QPainter& painter) {
  TCompass::Paint(painter);
  if (!WaitingTextShown()) return;
  const QTransform toDevice = LogicalToDevice();
  QFont font = painter.font();
  font.setPixelSize(std::max(8, static_cast<int>(std::lround(90 * toDevice.m11()))));
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::red);
  painter.setBackground(Qt::black);
  painter.setBackgroundMode(Qt::OpaqueMode);
  const QPointF topLeft = toDevice.map(QPointF(-1300, 1300));
  painter.drawText(QRectF(topLeft, QSizeF(Size())), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Please wait, initialising..."));
  painter.restore();
}

}  // namespace ventari
