// Decodes the ASCII data records of a three-axis anemometer, framed by STX and ETX, into typed
// records by the fixed character positions of the padded format. An unpadded record is first
// cut at its commas and each field set right-aligned at its padded width, so both formats read
// and show alike.
#pragma once

#include <QByteArray>
#include <optional>

#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {

class TriAxisAsciiDecoder {
 public:
  // The longest record from STX to ETX: the status, three values, the speed of sound, the
  // absolute temperature and six analogue inputs, each with its comma (92 bytes), with room.
  static constexpr int kLongestRecord = 100;

  // Reads records by `config` as it stands when each record arrives.
  explicit TriAxisAsciiDecoder(const TriAxisConfig& config) : config_(config) {}

  // `text` is the record between STX and ETX.
  TriAxisAsciiRecord Decode(const QByteArray& text) const;

  // The unpadded record `text` with each field right-aligned at its padded width, zeros after
  // the sign filling it, and empty fields left empty; nothing when a field is wider than its
  // padded width.
  static std::optional<QByteArray> Padded(const QByteArray& text, const TriAxisConfig& config);

 private:
  const TriAxisConfig& config_;
};

}  // namespace ventari
