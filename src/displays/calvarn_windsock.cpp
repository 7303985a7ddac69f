#include "displays/calvarn_windsock.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ventari {

TCalvarnWindsock::TCalvarnWindsock()
    : directions_(kRingSlots), magnitudes_(kRingSlots), gusts_(kRingSlots) {
  InitSamples();
}

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
  // The window the first sample moves on from: empty slots, oldest first.
  magnitudeSum_ = 0;
  directionSum_ = 0;
  largestGusts_.Clear(RingSize());
  smallestGusts_.Clear(RingSize());
  const int n = rollingAverage_;
  const int oldest = n == RingSize() ? n : n + 1;
  for (int k = oldest; k > oldest - n; --k) JoinWindow(Back(0, k));
  ChangedAll();
}

void TCalvarnWindsock::SetDataSample(int direction, int magnitude) {
  // The warm-up text covers more than the needle, and goes with the last sample it waits for.
  if (WaitingTextShown()) ChangedAll();
  const int n = rollingAverage_;
  const int p = writePosition_;
  if (sampleCount_ < n) ++sampleCount_;

  if (direction < 90 && previousDirection_ > 270) wrapped_ = true;
  bool unwrap = false;
  if (wrapped_ && direction > 180 && direction < 270) {
    wrapped_ = false;
    unwrap = true;
  }

  // The window is the N slots ending with the slot before p (from p itself when N is the whole
  // ring): one slot leaves it and one joins.
  const bool wholeRing = n == RingSize();
  LeaveWindow(wholeRing ? p : Back(p, n + 1));
  directions_[p] = wrapped_ && direction <= 180 ? direction + 360 : direction;
  magnitudes_[p] = magnitude;
  // The gust of a slot averages the samples before it, not the sample itself.
  std::int64_t gustSum = 0;
  for (int k = 1; k <= kGustSamples; ++k) gustSum += magnitudes_[Back(p, k)];
  gusts_[p] = static_cast<int>(gustSum / kGustSamples);
  JoinWindow(wholeRing ? p : Back(p, 1));

  if (unwrap) {
    const int ringSlots = RingSize();
    int f = Back(p, n);
    for (int i = 0; i < n; ++i) {
      if (directions_[f] >= 360) {
        directions_[f] -= 360;
        directionSum_ -= 360;
      }
      f = f + 1 == ringSlots ? 0 : f + 1;
    }
  }
  maxGust_ = std::max(0, gusts_[largestGusts_.Front()]);
  minGust_ =
      sampleCount_ < n ? WarmUpMinGust(p) : std::min(kNoMinGust, gusts_[smallestGusts_.Front()]);
  averageMagnitude_ = static_cast<int>(magnitudeSum_ / n);
  averageDirection_ = static_cast<int>(directionSum_ / n);

  if (magnitudeType_ == 1) {
    if (averageDirection_ > 360) averageDirection_ -= 360;
    SetBearing(averageDirection_);
  } else {
    SetBearing(direction);
  }
  previousDirection_ = direction;
  writePosition_ = p + 1 == RingSize() ? 0 : p + 1;
}

void TCalvarnWindsock::LeaveWindow(int leaving) {
  magnitudeSum_ -= magnitudes_[leaving];
  directionSum_ -= directions_[leaving];
  largestGusts_.Leave(leaving);
  smallestGusts_.Leave(leaving);
}

void TCalvarnWindsock::JoinWindow(int joining) {
  magnitudeSum_ += magnitudes_[joining];
  directionSum_ += directions_[joining];
  largestGusts_.Join(joining, gusts_);
  smallestGusts_.Join(joining, gusts_);
}

int TCalvarnWindsock::WarmUpMinGust(int p) const {
  // While warming up only the slots numbered above the gust samples and up to N count.
  const int n = rollingAverage_;
  const int ringSlots = RingSize();
  int minGust = kNoMinGust;
  int f = Back(p, n);
  for (int i = 0; i < n; ++i) {
    if (gusts_[f] < minGust && kGustSamples < f && f <= n) minGust = gusts_[f];
    f = f + 1 == ringSlots ? 0 : f + 1;
  }
  return minGust;
}

void TCalvarnWindsock::GustCandidates::Clear(int capacity) {
  slots_.assign(static_cast<std::size_t>(capacity), 0);
  head_ = 0;
  count_ = 0;
}

void TCalvarnWindsock::GustCandidates::Leave(int slot) {
  if (count_ == 0 || slots_[head_] != slot) return;
  head_ = head_ + 1 == static_cast<int>(slots_.size()) ? 0 : head_ + 1;
  --count_;
}

void TCalvarnWindsock::GustCandidates::Join(int slot, const std::vector<int>& gusts) {
  // A candidate no better than the newcomer leaves the window before it: it is out of the race.
  const int gust = gusts[slot];
  while (count_ > 0) {
    const int last = gusts[At(count_ - 1)];
    if (largest_ ? last > gust : last < gust) break;
    --count_;
  }
  slots_[(head_ + count_) % static_cast<int>(slots_.size())] = slot;
  ++count_;
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
