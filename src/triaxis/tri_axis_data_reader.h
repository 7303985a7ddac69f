// Reads a three-axis anemometer's data records off the port: installs itself on the ASCII and
// the binary record collectors, decodes each record they hand on and gives it to `consumer`.
// A binary record whose check byte fails goes to the consumer too (it tells the status panel)
// and is reported back to its collector as bad.
//
// A binary record that lost a byte or two on the line ends on the next record's first 0xBA (or
// both), which passes as its check byte 2 times in 256; the next record would then be lost with
// it. So a record whose check byte is 0xBA is held until the bytes after it show the next
// record's start (0xBA 0xBA) following it whole: then it is handed on; otherwise it was cut short
// and is dropped, and the next record is read from its 0xBA. When nothing follows within
// a record's time-out, its check byte was its own. A record read from an 0xBA just before the
// next start, which begins with 0xBA, is none: the next record is read from its second byte.
#pragma once

#include <optional>

#include "base/timer.h"
#include "link/record_collector.h"
#include "triaxis/tri_axis_ascii_decoder.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {

class Runtime;
struct TriAxisConfig;

class TriAxisDataReader {
 public:
  TriAxisDataReader(Runtime& runtime, RecordCollector& ascii, RecordCollector& binary,
                    const TriAxisConfig& config, TriAxisRecordConsumer& consumer);
  ~TriAxisDataReader();
  TriAxisDataReader(const TriAxisDataReader&) = delete;
  TriAxisDataReader& operator=(const TriAxisDataReader&) = delete;

 private:
  RecordCollector::Verdict OnBinary(const QByteArray& bytes);
  // Hands the held record on, or drops it.
  void SettleHeld(bool whole);

  RecordCollector& asciiCollector_;
  RecordCollector& binaryCollector_;
  TriAxisRecordConsumer& consumer_;
  TriAxisAsciiDecoder ascii_;
  TriAxisBinaryDecoder binary_;
  std::optional<TriAxisBinaryRecord> held_;
  Timer heldTimer_;
};

}  // namespace ventari
