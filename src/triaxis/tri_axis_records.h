// The data records a three-axis anemometer streams, as its ASCII and binary decoders publish
// them, and the consumer they hand each one to. A record carries everything its consumers are
// given (texts, numbers, what the live windows and the PC averaging take), so the applier in
// app/ only routes it.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace ventari {

// The status pair every record carries, for the tabular display's status decoder.
struct TriAxisStatusPair {
  int address = 0;
  int value = 0;

  bool operator==(const TriAxisStatusPair&) const = default;
};

// One value of a record: its text as the tabular display shows it, and its number; no number
// when the record holds none (an absent absolute temperature, a missing direction).
struct TriAxisField {
  QString text;
  std::optional<double> value;

  bool operator==(const TriAxisField&) const = default;
};

// The optional fields of a record, each present when the configuration enables it.
struct TriAxisOptionalFields {
  std::optional<TriAxisField> speedOfSound;  // or sonic temperature, by SosMode
  std::optional<TriAxisField> absoluteTemperature;
  std::array<std::optional<TriAxisField>, 6> analogueInputs;  // [n - 1]: channel n
};

// The PC averaging keeps this many sums: the three values, then the optional fields in record
// order.
inline constexpr std::size_t kTriAxisSumCount = 11;

// What one record adds to the PC averaging sums, by sum index: a record adds wholly or not at
// all, and an absent value (no direction, an absent absolute temperature) adds nothing while
// still holding its index.
using TriAxisSumValues = std::array<std::optional<double>, kTriAxisSumCount>;

// What a record plots, before the graph's gain and scale apply.
struct TriAxisGraphValues {
  bool polar = false;  // direction, speed and W; otherwise U, V and W
  std::array<double, 3> values{};
};

// The red, blue and green points of the chart, truncated toward zero: U, V and W times
// `graphGain`; or the direction as a share of `scale` (360 degrees is full scale), the speed
// times `graphGain` and W as it is.
std::array<std::int64_t, 3> TriAxisGraphPoints(const TriAxisGraphValues& graph, double graphGain,
                                               double scale);

// The two values the alarm checks: U and V, or the direction and the speed as read.
struct TriAxisAlarmValues {
  double first = 0;
  double second = 0;
};

// One polar sample for the windsock: whole degrees (truncated toward zero), speed and W.
struct TriAxisWindsockSample {
  int direction = 0;
  double speed = 0;
  double w = 0;
};

// One ASCII record (padded or unpadded), cut at its fixed positions.
struct TriAxisAsciiRecord {
  // U: UVW or axis values at 7, 14, 21. P: polar with a direction at 7. Q: polar without one
  // (position 7 is the comma), speed at 8 and W at 14.
  enum class Layout { kUvwOrAxis, kPolar, kPolarNoDirection };
  enum class Outcome {
    // Everything below is filled: status, line and header, values, sums, and by report mode
    // the graph, alarm and windsock values.
    kUsable,
    // Failed its report mode's test. Without PC averaging `line` is shown and logged; with it
    // nothing is shown or logged, and an ended period waits for the next accepted record.
    kPathsBlocked,
    // A UVW record with a separator missing: nothing is shown; without PC averaging an empty
    // line is logged, with it nothing is.
    kMalformed,
    // Passed the test but a field is not a number: its status is shown when it was read;
    // nothing else is shown, logged or added.
    kUnreadable,
  };

  QByteArray text;  // between STX and ETX, as received
  Layout layout = Layout::kUvwOrAxis;
  Outcome outcome = Outcome::kUnreadable;
  std::optional<TriAxisStatusPair> status;
  // U, V, W; axes 1 to 3; or direction ("---" and no number in layout Q), speed and W.
  std::array<TriAxisField, 3> values;
  TriAxisOptionalFields optional;
  // The table's line: the record's fields in columns, or the paths-blocked line.
  QString line;
  // The header of the optional columns, for the header label above them.
  QString header;
  TriAxisSumValues sums;
  std::optional<TriAxisGraphValues> graph;        // UVW records and polar records with a direction
  std::optional<TriAxisAlarmValues> alarm;        // the same records
  std::optional<TriAxisWindsockSample> windsock;  // polar records with a direction
};

// The line a rejected ASCII record shows and logs.
inline constexpr char kPathsBlockedLine[] =
    "-------------------------------------------------paths blocked"
    "------------------------------------------------------";

// One binary record: big-endian 16-bit numbers after 0xBA 0xBA, with its check byte. The
// binary format feeds no graph, windsock or alarm.
struct TriAxisBinaryRecord {
  enum class Outcome {
    // Everything below is filled; `bytes` go to the binary log after 0xBA 0xBA.
    kUsable,
    // A polar record whose direction or speed is 0xB1E0: its status is shown, nothing else
    // is shown, added or logged.
    kNoWind,
    // Fewer bytes than the configuration's layout holds: nothing is done.
    kShort,
    // The check byte after the last value is neither the XOR of the value bytes nor that of the
    // status and value bytes, or the bytes before it hold the start of another record: a byte
    // was lost or changed on the line. Only `bytes` is filled; nothing is shown, added or logged.
    kBadCheckByte,
  };

  QByteArray bytes;  // as delivered, check byte included
  Outcome outcome = Outcome::kShort;
  std::optional<TriAxisStatusPair> status;
  // U, V, W; axes 1 to 3; or direction, speed and W.
  std::array<TriAxisField, 3> values;
  TriAxisOptionalFields optional;
  QString line;
  QString header;
  TriAxisSumValues sums;
};

class TriAxisRecordConsumer {
 public:
  virtual ~TriAxisRecordConsumer() = default;
  virtual void Apply(const TriAxisAsciiRecord& record) = 0;
  virtual void Apply(const TriAxisBinaryRecord& record) = 0;
};

}  // namespace ventari
