#include "twoaxis/two_axis_data.h"

#include "base/record_field.h"
#include "link/record_collector.h"

namespace ventari {

TwoAxisDataDecoder::TwoAxisDataDecoder(RecordCollector& collector, std::function<bool()> uvLayout,
                                       Consumer consumer)
    : uvLayout_(std::move(uvLayout)), consumer_(std::move(consumer)) {
  collector.SetRecordHandler([this](const QByteArray& text) {
    OnDataPacket(text);
    return RecordCollector::Verdict::kWhole;
  });
}

TwoAxisDataRecord TwoAxisDataDecoder::Decode(const QByteArray& text, bool uv) {
  TwoAxisDataRecord record;
  record.uv = uv;
  const auto first = uv ? NumberAt(text, 4, 7) : NumberAt(text, 4, 3);
  const auto second = uv ? NumberAt(text, 12, 7) : NumberAt(text, 8, 6);
  if (first && second) {
    record.readable = true;
    record.first = *first;
    record.second = *second;
    if (!uv) record.direction = static_cast<int>(Truncated(*first));
  }
  return record;
}

}  // namespace ventari
