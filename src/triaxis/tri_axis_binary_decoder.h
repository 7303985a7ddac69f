// Decodes the binary data records of a three-axis anemometer, the bytes after 0xBA 0xBA, into
// typed records by the layout the configuration gives; and builds the averaged record that
// stands for a PC-averaging period in the binary log.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>

#include "triaxis/pc_averaging.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {

class TriAxisBinaryDecoder {
 public:
  // Reads records by `config` as it stands when each record arrives.
  explicit TriAxisBinaryDecoder(const TriAxisConfig& config) : config_(config) {}

  // `bytes` follow the two 0xBA: status address and value, the values, the check byte.
  TriAxisBinaryRecord Decode(const QByteArray& bytes) const;

  // How many bytes follow 0xBA 0xBA in a record of `config`'s layout.
  static int RecordSize(const TriAxisConfig& config);

 private:
  const TriAxisConfig& config_;
};

// The averages of one PC-averaging period, by sum index; none for a field no record of the
// period had.
using TriAxisAverages = PcAveraging::Averages;

// How many values an averaged line or record holds: the three values and each optional field
// `config` enables.
int TriAxisAveragedFieldCount(const TriAxisConfig& config);

// The averaged line of a period: the averages joined by commas, each with 2 decimals but a
// polar direction with none; a field without an average is left empty.
QString TriAxisAveragedLine(const TriAxisAverages& averages, const TriAxisConfig& config);

// The averaged record of a period as the binary log holds it after 0xBA 0xBA: status 0 and 0,
// each average as a big-endian 16-bit number truncated toward zero (a polar direction as it
// is, analogue inputs times 1000, the rest times 100), a field without an average as the
// anemometer's absent pattern 0xB1E0, and the XOR of the value bytes.
struct TriAxisAveragedBinaryRecord {
  QByteArray bytes;
  QString line;  // as TriAxisAveragedLine gives it
};
TriAxisAveragedBinaryRecord BuildAveragedBinaryRecord(const TriAxisAverages& averages,
                                                      const TriAxisConfig& config);

}  // namespace ventari
