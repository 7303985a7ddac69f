// The data records a three-axis anemometer streams, as its ASCII and binary decoders publish
// them, and the consumer they hand each one to. Like the two-axis data path, the decoders cut
// and convert the bytes only; the applier in app/ feeds the tabular display, its logs, the PC
// averaging, the graph, the windsock and the alarm.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ventari {

// The optional fields of a record, in record order, each present when the configuration
// enables it.
struct TriAxisOptionalFields {
  std::optional<double> speedOfSound;         // or sonic temperature, by SosMode
  std::optional<double> absoluteTemperature;  // enabled but empty ("------") in a record: absent
  std::array<std::optional<double>, 6> analogueInputs;
};

// One ASCII record (padded or unpadded), cut at its fixed positions.
struct TriAxisAsciiRecord {
  enum class Layout { kUvwOrAxis, kPolar, kPolarNoDirection };
  enum class Outcome { kUsable, kRejected, kMalformed, kPathsBlocked };

  QByteArray text;  // between STX and ETX
  Layout layout = Layout::kUvwOrAxis;
  Outcome outcome = Outcome::kRejected;
  int statusAddress = 0;
  int statusValue = 0;
  // U, V, W or axes 1 to 3; in polar layouts direction, speed and W (no direction: empty).
  std::array<std::optional<double>, 3> values;
  // The fields as they stand in the record, right-aligned to their padded widths.
  std::array<QString, 3> valueTexts;
  TriAxisOptionalFields optional;
};

// One binary record: big-endian 16-bit numbers after 0xBA 0xBA, with its check byte.
struct TriAxisBinaryRecord {
  QByteArray bytes;  // as delivered, check byte included
  bool checkByteValid = false;
  std::uint8_t statusAddress = 0;
  std::uint8_t statusValue = 0;
  std::array<double, 3> values{};  // scaled by 0.01
  TriAxisOptionalFields optional;
};

class TriAxisRecordConsumer {
 public:
  virtual ~TriAxisRecordConsumer() = default;
  virtual void Apply(const TriAxisAsciiRecord& record) = 0;
  virtual void Apply(const TriAxisBinaryRecord& record) = 0;
};

}  // namespace ventari
