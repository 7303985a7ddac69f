// Any text read as a three-axis ASCII record under any configuration: the decoder must neither
// crash nor read outside the record, and a record it calls usable must carry what its
// consumers are given.
#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "triaxis/tri_axis_ascii_decoder.h"
#include "triaxis/tri_axis_records.h"
#include "triaxis_config_input.h"

using namespace ventari;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const TriAxisConfig config = ConsumeTriAxisConfig(input);
  const std::string text = input.ConsumeRemainingBytesAsString();
  const TriAxisAsciiDecoder decoder(config);
  const TriAxisAsciiRecord record =
      decoder.Decode(QByteArray(text.data(), static_cast<qsizetype>(text.size())));

  using Outcome = TriAxisAsciiRecord::Outcome;
  if (record.outcome == Outcome::kUsable) {
    Check(record.status.has_value());
    Check(record.values[1].value && record.values[2].value);
    Check(!record.line.isEmpty());
    Check(record.windsock.has_value() == (record.layout == TriAxisAsciiRecord::Layout::kPolar));
    Check(record.graph.has_value() == record.alarm.has_value());
  } else {
    Check(!record.graph && !record.alarm && !record.windsock);
    for (const auto& sum : record.sums) Check(!sum);
    Check(record.outcome == Outcome::kPathsBlocked ? record.line == kPathsBlockedLine
                                                   : record.line.isEmpty());
  }
  return 0;
}
