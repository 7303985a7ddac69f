// Reads a three-axis anemometer's data records off the port: installs itself on the ASCII and
// the binary record collectors, decodes each record they deliver and hands it to `consumer`.
#pragma once

#include "triaxis/tri_axis_ascii_decoder.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {

class TApdDataPacket;
struct TriAxisConfig;

class TriAxisDataReader {
 public:
  TriAxisDataReader(TApdDataPacket& asciiPacket, TApdDataPacket& binaryPacket,
                    const TriAxisConfig& config, TriAxisRecordConsumer& consumer);
  ~TriAxisDataReader();
  TriAxisDataReader(const TriAxisDataReader&) = delete;
  TriAxisDataReader& operator=(const TriAxisDataReader&) = delete;

 private:
  TApdDataPacket& asciiPacket_;
  TApdDataPacket& binaryPacket_;
  TriAxisAsciiDecoder ascii_;
  TriAxisBinaryDecoder binary_;
};

}  // namespace ventari
