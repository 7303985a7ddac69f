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
  // No status address is 0xBA (they run from 0 to 10): a record that begins with one began a
  // byte early, at an 0xBA just before a record's start (0xBA 0xBA 0xBA): the held record's own
  // check byte, or the last byte of one dropped as bad. Read after a held record, a record that
  // does not begin so shows that the start followed its check byte at once: it was that start.
  const bool early = bytes.startsWith(kStartByte);
  if (held_) SettleHeld(early);
  if (early) return RecordCollector::Verdict::kEarly;
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
