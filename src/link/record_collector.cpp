#include "link/record_collector.h"

#include <algorithm>
#include <cmath>

#include "link/serial_port.h"

namespace ventari {

std::int64_t RecordCollector::TimeOutMs(int recordBytes, const LineSettings& line) {
  const double onTheLine = kRecordTimes * recordBytes * ByteMs(line);
  return std::max(kShortestTimeOutMs, static_cast<std::int64_t>(std::ceil(onTheLine)));
}

std::int64_t RecordCollector::TimeOutMs() const {
  return TimeOutMs(matcher_.EndCond().size ? matcher_.PacketSize() : longestRecord_, port_.Line());
}

RecordCollector::RecordCollector(TApdDataPacket& matcher, const SerialPort& port,
                                 RecordCounts& counts, int longestRecord)
    : matcher_(matcher), port_(port), longestRecord_(longestRecord), counts_(counts) {
  matcher.SetTimeOutRule([this] { return TimeOutMs(); });
  matcher.SetTimeOutHandler([this](TApdDataPacket&) {
    ++counts_.incomplete;
    matcher_.SetEnabled(true);
  });
  matcher.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) { OnRecord(text); });
}

void RecordCollector::OnRecord(const QByteArray& text) {
  const QByteArray record = FromLastStart(text);
  switch (handler_ ? handler_(record) : Verdict::kWhole) {
    case Verdict::kWhole:
      Settle(true);
      break;
    case Verdict::kBad:
      ++counts_.bad;
      matcher_.ScanAgainAfterStart();
      break;
    // Nothing consumed these, so nothing armed the matcher again.
    case Verdict::kHeld:
      matcher_.SetEnabled(true);
      matcher_.ScanAgainFromEnd(StartOverlap(record));
      break;
    case Verdict::kEarly:
      matcher_.SetEnabled(true);
      matcher_.ScanAgainAfterStart();
      break;
  }
}

std::size_t RecordCollector::StartOverlap(const QByteArray& record) const {
  const QByteArray& start = matcher_.StartString();
  for (qsizetype count = std::min(start.size(), record.size()); count > 0; --count) {
    if (record.endsWith(start.left(count))) return static_cast<std::size_t>(count);
  }
  return 0;
}

void RecordCollector::Settle(bool whole) {
  if (!whole) {
    ++counts_.incomplete;
    return;
  }
  ++counts_.whole;
  wholeRecord_.Notify();
}

QByteArray RecordCollector::FromLastStart(const QByteArray& text) {
  if (!matcher_.EndCond().string) return text;
  const QByteArray& start = matcher_.StartString();
  const bool framed = matcher_.IncludeStrings();
  const qsizetype last = text.lastIndexOf(start);
  if (last < (framed ? start.size() : 0)) return text;
  ++counts_.incomplete;
  return text.mid(framed ? last : last + start.size());
}

}  // namespace ventari
