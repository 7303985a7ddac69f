#include "stats/binary_log_reader.h"

#include <cmath>
#include <optional>

#include "base/anem_state.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_listing.h"
#include "triaxis/tri_axis_record_rate.h"

namespace ventari {
namespace {

constexpr std::string_view kRecordStart = "\xBA\xBA";
// The listing's first line; the identity texts stand before it.
constexpr std::string_view kListingStart = "ABSTEMP ";
// The words a 50 Hz model's VER answer starts with.
constexpr std::string_view kFiftyHz = "T7 50Hz";

WindLogResult Refused(QString why) {
  WindLogResult result;
  result.refusal = std::move(why);
  return result;
}

// The configuration the header's listing gives, as the anemometer's listing sets it live.
TriAxisConfig ListedConfig(std::string_view header) {
  const std::size_t listing = header.find(kListingStart);
  const TriAxisConfigReply reply =
      ReadConfigReply(listing == std::string_view::npos ? header : header.substr(listing));
  TriAxisConfig config;
  for (std::size_t i = 0; i < kTriAxisChoices.size(); ++i) {
    if (reply.choices[i]) config.*kTriAxisChoices[i].field = *reply.choices[i];
  }
  if (reply.averaging) config.Averaging = *reply.averaging;
  for (std::size_t n = 0; n < reply.aip.size(); ++n) config.Aip[n] = reply.aip[n].value_or(false);
  return config;
}

std::optional<AnemModel> ModelOf(std::string_view header) {
  const bool fiftyHz = header.find(kFiftyHz) != std::string_view::npos;
  if (header.starts_with('O')) return fiftyHz ? AnemModel::kT7_50 : AnemModel::kT7;
  if (header.starts_with('H')) return fiftyHz ? AnemModel::kMz_50 : AnemModel::kMz;
  return std::nullopt;
}

// Walks the records of `size` bytes after their 0xBA 0xBA from `from`: each whole one is handed
// to `record`, each stretch of bytes that is not one to `unreadable`.
template <typename Record, typename Unreadable>
void WalkRecords(std::string_view content, std::size_t from, std::size_t size, Record record,
                 Unreadable unreadable) {
  std::size_t at = from;
  while (at < content.size()) {
    if (content.substr(at, kRecordStart.size()) == kRecordStart &&
        content.size() - at >= kRecordStart.size() + size) {
      record(content.substr(at + kRecordStart.size(), size));
      at += kRecordStart.size() + size;
      continue;
    }
    unreadable();
    at = content.find(kRecordStart, at + 1);
  }
}

}  // namespace

bool IsBinaryWindLog(const QString& name, std::string_view content) {
  return name.endsWith(QLatin1String(".bny"), Qt::CaseInsensitive) ||
         content.find(kRecordStart) != std::string_view::npos;
}

WindLogResult ReadBinaryWindLog(const QString& name, std::string_view content,
                                const WindLogOptions& options, std::int64_t modifiedUs,
                                const WindSampleSink& sink) {
  const std::size_t start = content.find(kRecordStart);
  const std::string_view header = content.substr(0, start);
  const TriAxisConfig config = ListedConfig(header);
  if (config.ReportMode < 0 || !config.IsBinary()) {
    return Refused(QStringLiteral("%1 is not a binary log of this program: its header holds no "
                                  "configuration listing of the binary format.")
                       .arg(name));
  }
  if (config.ReportsAxis()) {
    return Refused(QStringLiteral("%1 holds axis values, not wind: log the anemometer in UVW or "
                                  "polar report mode for statistics.")
                       .arg(name));
  }
  if (!options.recordsPerSecond && config.Averaging.isEmpty()) {
    return Refused(QStringLiteral("%1 gives no output rate the records can be timed by: give the "
                                  "records a second with --rate.")
                       .arg(name));
  }
  WindLogResult result;
  result.threeAxis = true;
  result.binary = true;
  result.times = RecordTimes::kDerived;
  result.recordsPerSecond =
      options.recordsPerSecond.value_or(TriAxisRecordsPerSecond(config, ModelOf(header)));
  if (start == std::string_view::npos) return result;

  const auto size = static_cast<std::size_t>(TriAxisBinaryDecoder::RecordSize(config));
  std::int64_t records = 0;
  WalkRecords(
      content, start, size, [&records](std::string_view) { ++records; }, [] {});
  const double usPerRecord = 1e6 / result.recordsPerSecond;
  const TriAxisBinaryDecoder decoder(config);
  const bool polar = config.ReportsPolar();
  std::int64_t record = 0;
  WalkRecords(
      content, start, size,
      [&](std::string_view bytes) {
        const std::int64_t timeUs =
            modifiedUs - std::llround(static_cast<double>(records - 1 - record++) * usPerRecord);
        const TriAxisBinaryRecord decoded =
            decoder.Decode(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (decoded.outcome == TriAxisBinaryRecord::Outcome::kNoWind) {
          ++result.pathsBlocked;
          return;
        }
        const auto& [first, second, w] = decoded.values;
        if (decoded.outcome != TriAxisBinaryRecord::Outcome::kUsable || !second.value || !w.value ||
            (!polar && !first.value)) {
          if (result.unreadable++ == 0) result.firstUnreadableLine = record;
          return;
        }
        ++result.samples;
        sink(polar ? WindSample{timeUs, *second.value, first.value, w.value}
                   : SampleFromUv(timeUs, *first.value, *second.value, w.value));
      },
      [&] {
        if (result.unreadable++ == 0) result.firstUnreadableLine = record + 1;
      });
  return result;
}

}  // namespace ventari
