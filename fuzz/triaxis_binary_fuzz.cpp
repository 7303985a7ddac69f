// Any bytes read as a three-axis binary record under any configuration, and any averages
// built into an averaged record: neither may crash or read outside its input, and an averaged
// record always holds the configuration's field count.
#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "fuzz_check.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_records.h"
#include "triaxis_config_input.h"

using namespace ventari;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const TriAxisConfig config = ConsumeTriAxisConfig(input);
  TriAxisAverages averages{};
  for (auto& average : averages) {
    if (input.ConsumeBool()) average = input.ConsumeFloatingPoint<double>();
  }
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  const TriAxisBinaryDecoder decoder(config);
  const TriAxisBinaryRecord record =
      decoder.Decode(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));

  const int recordSize = TriAxisBinaryDecoder::RecordSize(config);
  Check((record.outcome == TriAxisBinaryRecord::Outcome::kShort) ==
        (static_cast<int>(bytes.size()) < recordSize));
  if (record.outcome == TriAxisBinaryRecord::Outcome::kUsable) {
    Check(record.status && record.status->address <= 0xFF && record.status->value <= 0xFF);
    for (const TriAxisField& value : record.values) Check(value.value.has_value());
  }

  const TriAxisAveragedBinaryRecord averaged = BuildAveragedBinaryRecord(averages, config);
  Check(averaged.bytes.size() == recordSize);
  Check(averaged.line.count(QLatin1Char(',')) == TriAxisAveragedFieldCount(config) - 1);
  return 0;
}
