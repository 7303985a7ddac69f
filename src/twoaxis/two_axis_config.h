// The two-axis anemometer's configuration as last read or set: one selection index per setting,
// in the item order of the dialog that shows it, -1 while not yet read.
#pragma once

#include <QString>
#include <optional>

namespace ventari {

// A selection index into a list of `kItems` entries. Setting clamps: beyond the list selects
// the last item, below -1 becomes -1.
template <int kItems>
class ClampedIndex {
 public:
  static constexpr int kCount = kItems;
  ClampedIndex() = default;
  ClampedIndex& operator=(int value) {
    value_ = value < -1 ? -1 : (value >= kItems ? kItems - 1 : value);
    return *this;
  }
  operator int() const { return value_; }  // NOLINT: reads as the index it is

 private:
  int value_ = -1;
};

enum class MessageModeMark { kNeither, kUv, kPolar };

enum class AlignmentMark {
  kNone = -1,
  kUv = 0,
  kUvOffset = 1,
  kUvInverted = 2,
  kUvInvertedOffset = 3
};

struct TwoAxisConfig {
  ClampedIndex<4> SonicOutputs;
  ClampedIndex<7> BaudRate;    // Kestrix: 300 .. 38400
  ClampedIndex<5> LvBaudRate;  // Larkvane: 2400 .. 38400
  ClampedIndex<2> DataBits;    // 0 eight, 1 seven
  ClampedIndex<3> Parity;      // 0 none, 1 even, 2 odd
  ClampedIndex<2> Duplex;
  ClampedIndex<2> WrapAround;
  ClampedIndex<3> AnalogueType;
  ClampedIndex<2> Chan3Config;
  ClampedIndex<7> Scaling;
  ClampedIndex<4> AnalogueTests;
  ClampedIndex<3> LvAnalogueRange;
  ClampedIndex<2> LvWrap;
  ClampedIndex<2> LvAnalogueMode;
  QString AveragingPeriodText;  // four digits, seconds
  int AveragingPeriod = -1;
  std::optional<bool> Heating;  // enabled, disabled, or not yet read
  ClampedIndex<2> NmeaStyle;
  ClampedIndex<2> MessageTerm;
  MessageModeMark MessageMode = MessageModeMark::kNeither;
  ClampedIndex<2> FieldFormat;
  ClampedIndex<6> OutputRate;    // Kestrix: 1, 2, 4, 5, 8, 10 Hz
  ClampedIndex<3> LvOutputRate;  // Larkvane: 1, 2, 4 Hz
  int SamplesPerSecond = 1;
  ClampedIndex<5> OutputUnits;  // m/s, knots, mph, km/h, fpm
  ClampedIndex<2> VerticalPad;
  AlignmentMark Alignment = AlignmentMark::kNone;
};

}  // namespace ventari
