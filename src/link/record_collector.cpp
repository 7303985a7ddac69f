#include "link/record_collector.h"

#include <algorithm>
#include <cmath>

#include "link/serial_port.h"

namespace ventari {

std::int64_t RecordCollector::TimeOutMs(int recordBytes, const LineSettings& line) {
  const double onTheLine = kRecordTimes * recordBytes * ByteMs(line);
  return std::max(kShortestTimeOutMs, static_cast<std::int64_t>(std::ceil(onTheLine)));
}

RecordCollector::RecordCollector(TApdDataPacket& matcher, const SerialPort& port,
                                 RecordCounts& counts, int longestRecord)
    : matcher_(matcher), counts_(counts) {
  matcher.SetTimeOutRule([this, &port, longestRecord] {
    return TimeOutMs(matcher_.EndCond().size ? matcher_.PacketSize() : longestRecord, port.Line());
  });
  matcher.SetTimeOutHandler([this](TApdDataPacket&) {
    ++counts_.incomplete;
    matcher_.SetEnabled(true);
  });
  matcher.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) { OnRecord(text); });
}

void RecordCollector::OnRecord(const QByteArray& text) {
  const QByteArray record = FromLastStart(text);
  if (!handler_ || handler_(record)) {
    ++counts_.whole;
    recordHandedOn_.Notify();
    return;
  }
  ++counts_.bad;
  matcher_.ScanAgainAfterStart();
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
