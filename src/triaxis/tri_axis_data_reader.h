// Reads a three-axis anemometer's data records off the port: installs itself on the ASCII and
// the binary record collectors, decodes each record they hand on and gives it to `consumer`.
// A binary record whose check byte fails goes to the consumer too (it tells the status panel)
// and is reported back to its collector as bad.
#pragma once

#include "link/record_collector.h"
#include "triaxis/tri_axis_ascii_decoder.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {

struct TriAxisConfig;

class TriAxisDataReader {
 public:
  TriAxisDataReader(RecordCollector& ascii, RecordCollector& binary, const TriAxisConfig& config,
                    TriAxisRecordConsumer& consumer);
  ~TriAxisDataReader();
  TriAxisDataReader(const TriAxisDataReader&) = delete;
  TriAxisDataReader& operator=(const TriAxisDataReader&) = delete;

 private:
  RecordCollector& asciiCollector_;
  RecordCollector& binaryCollector_;
  TriAxisAsciiDecoder ascii_;
  TriAxisBinaryDecoder binary_;
};

}  // namespace ventari
