// TCalvarnWindsock: the compass whose needle follows the wind, with a rolling history of polar
// samples from which it keeps the average direction and magnitude and the gusts over the last N
// samples. Magnitudes and gusts are in hundredths of the display unit. A sample costs the same
// whatever N: the sums over the window are kept as it moves (exact 64-bit integers), and so are
// the slots that can still hold its largest and smallest gust.
#pragma once

#include <cstdint>
#include <vector>

#include "displays/compass.h"

namespace ventari {

class TCalvarnWindsock : public TCompass {
 public:
  // Ten minutes at the fastest output rate of 10 samples per second. A longer window makes the
  // ring as long as the window.
  static constexpr int kRingSlots = 6000;
  // The longest window: ten minutes at 100 samples per second.
  static constexpr int kMaxRollingAverage = 60000;
  static constexpr int kNoMinGust = 9999999;
  static constexpr int kGustSamples = 3;

  TCalvarnWindsock();

  // Adds one sample (direction in degrees, magnitude), recomputes the averages and gusts over
  // the window and sets the needle.
  void SetDataSample(int direction, int magnitude);
  // 0: the needle and GetMagnitude() follow the latest sample; 1: the rolling average. The
  // history is kept.
  void SetMagDataType(int type) {
    magnitudeType_ = type;
    Changed().Notify();
  }
  int MagDataType() const { return magnitudeType_; }
  // The window length N (brought into 1 .. kMaxRollingAverage); clears the history.
  void SetRollingAverage(int samples);
  int NumRollingAveSamples() const { return rollingAverage_; }
  int NumberOfGustSamples() const { return kGustSamples; }
  // Empties the history and restarts the warm-up. The average direction, the gusts and the wrap
  // state are recomputed by the next sample.
  void InitSamples();

  int GetAverageMagnitude() const { return averageMagnitude_; }
  int GetAverageDirection() const { return averageDirection_; }
  int GetMaxGust() const { return maxGust_; }
  int GetMinGust() const { return minGust_; }
  int GetSampleCount() const { return sampleCount_; }
  // The gust value of the most recent sample.
  int GetGust() const { return gusts_[Back(writePosition_, 1)]; }
  // In the display unit: the average magnitude with type 1, else the latest sample's.
  double GetMagnitude() const;

  // While averaging warms up the rose shows "Please wait, initialising...".
  bool WaitingTextShown() const { return magnitudeType_ == 1 && sampleCount_ < rollingAverage_; }
  void Paint(QPainter& painter) override;

  // The ring as stored, for inspection.
  int WritePosition() const { return writePosition_; }
  int RingSize() const { return static_cast<int>(directions_.size()); }
  int StoredDirection(int slot) const { return directions_[slot]; }

 private:
  // Slots of the window in the order they leave it, keeping only those whose gust may still
  // become the window's largest (or smallest): the front holds it.
  class GustCandidates {
   public:
    explicit GustCandidates(bool largest) : largest_(largest) {}
    void Clear(int capacity);
    int Front() const { return slots_[head_]; }
    // `slot` leaves the window.
    void Leave(int slot);
    // `slot` joins the window with its gust; the candidates it outdoes drop out.
    void Join(int slot, const std::vector<int>& gusts);

   private:
    int At(int i) const { return slots_[(head_ + i) % static_cast<int>(slots_.size())]; }

    bool largest_;
    std::vector<int> slots_;  // a ring
    int head_ = 0;
    int count_ = 0;
  };

  // The slot `k` slots before `slot`.
  int Back(int slot, int k) const {
    const int index = slot - k;
    return index < 0 ? index + RingSize() : index;
  }
  // The window moves on by one slot: `leaving` before the sample is stored, `joining` after.
  void LeaveWindow(int leaving);
  void JoinWindow(int joining);
  // The smallest gust while warming up, when only some slots of the window count.
  int WarmUpMinGust(int p) const;

  int rollingAverage_ = 120;
  int magnitudeType_ = 0;
  int averageMagnitude_ = 0;
  int averageDirection_ = 0;
  std::vector<int> directions_;
  std::vector<int> magnitudes_;
  std::vector<int> gusts_;
  // Over the window ending with the slot before the write position (the whole ring when N is).
  std::int64_t magnitudeSum_ = 0;
  std::int64_t directionSum_ = 0;
  GustCandidates largestGusts_{true};
  GustCandidates smallestGusts_{false};
  int maxGust_ = 0;
  int minGust_ = kNoMinGust;
  int writePosition_ = 0;
  int sampleCount_ = 0;
  // Wrap tracking: a swing clockwise through north raises the following directions up to 180
  // by 360 until the wind reaches the south-west quadrant. A reset of the history keeps it.
  int previousDirection_ = 0;
  bool wrapped_ = false;
};

}  // namespace ventari
