#include "triaxis/tri_axis_data_reader.h"

#include <utility>

namespace ventari {
namespace {

constexpr char kStartByte = '\xBA';

}  // namespace

TriAxisDataReader::TriAxisDataReader(Runtime& runtime, RecordCollector& ascii,
                                     RecordCollector& binary, const TriAxisConfig& config,
                                     TriAxisRecordConsumer& consumer)
    : asciiCollector_(ascii),
      binaryCollector_(binary),
      consumer_(consumer),
      ascii_(config),
      binary_(config),
      heldTimer_(runtime) {
  asciiCollector_.SetRecordHandler([this](const QByteArray& text) {
    consumer_.Apply(ascii_.Decode(text));
    return RecordCollector::Verdict::kWhole;
  });
  binaryCollector_.SetRecordHandler([this](const QByteArray& bytes) { return OnBinary(bytes); });
  heldTimer_.SetHandler([this] { SettleHeld(true); });
}

TriAxisDataReader::~TriAxisDataReader() {
  asciiCollector_.SetRecordHandler({});
  binaryCollector_.SetRecordHandler({});
}

RecordCollector::Verdict TriAxisDataReader::OnBinary(const QByteArray& bytes) {
  if (held_) {
    // This record was read from the held record's check byte on. When the next record's start
    // followed that byte whole, the first two of 0xBA 0xBA 0xBA began this one.
    const bool followedByStart = bytes.startsWith(kStartByte);
    SettleHeld(followedByStart);
    if (followedByStart) return RecordCollector::Verdict::kEarly;
  }
  TriAxisBinaryRecord record = binary_.Decode(bytes);
  if (record.outcome == TriAxisBinaryRecord::Outcome::kBadCheckByte) {
    consumer_.Apply(record);
    return RecordCollector::Verdict::kBad;
  }
  if (bytes.endsWith(kStartByte)) {
    held_ = std::move(record);
    heldTimer_.SetInterval(static_cast<int>(binaryCollector_.TimeOutMs()));
    heldTimer_.Start();
    return RecordCollector::Verdict::kHeld;
  }
  consumer_.Apply(record);
  return RecordCollector::Verdict::kWhole;
}

void TriAxisDataReader::SettleHeld(bool whole) {
  heldTimer_.Stop();
  if (!held_) return;
  const TriAxisBinaryRecord record = *std::exchange(held_, std::nullopt);
  if (whole) consumer_.Apply(record);
  binaryCollector_.Settle(whole);
}

}  // namespace ventari
