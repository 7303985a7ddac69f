#include "twoaxis/two_axis_data.h"

#include <algorithm>
#include <cmath>

#include "link/packet_matcher.h"

namespace ventari {

TwoAxisDataDecoder::TwoAxisDataDecoder(TApdDataPacket& dataPacket, std::function<bool()> uvLayout,
                                       Consumer consumer)
    : uvLayout_(std::move(uvLayout)), consumer_(std::move(consumer)) {
  dataPacket.SetStringHandler(
      [this](TApdDataPacket&, const QByteArray& text) { OnDataPacket(text); });
}

std::int64_t TwoAxisDataDecoder::Truncated(double value) {
  constexpr double kLimit = 9.0e15;
  return static_cast<std::int64_t>(std::trunc(std::clamp(value, -kLimit, kLimit)));
}

std::optional<double> TwoAxisDataDecoder::NumberAt(const QByteArray& text, int first, int count) {
  const QByteArray field = text.mid(first - 1, count).trimmed();
  if (field.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = field.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
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
