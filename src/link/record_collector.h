// The collector of one kind of data record: the matcher that frames it, and what became of each
// record it started. A record whose end does not come within its time-out (the line stalled
// between its start and its end) is dropped and counted, and the matcher is armed again at once,
// so records flow again with the first whole one after the line recovers; meanwhile the capture
// holds the port's other matchers back for no longer than that time-out.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/change_notifier.h"
#include "link/line_settings.h"
#include "link/packet_matcher.h"

namespace ventari {

class SerialPort;

// What became of the records the collectors started, since the run began.
struct RecordCounts {
  std::uint64_t whole = 0;       // arrived whole and were handed on
  std::uint64_t incomplete = 0;  // never ended: dropped
  std::uint64_t bad = 0;         // arrived whole but failed their check: dropped
};

class RecordCollector {
 public:
  // What a record handler made of one record.
  enum class Verdict {
    kWhole,  // handed on
    kBad,    // failed its check: dropped
    // Passed its check, but its last bytes may have been the start of the next record (its own
    // were lost): held back, and matched again from the first of its last bytes that begin the
    // start string; the handler settles it later.
    kHeld,
    // Began one byte before the next record's start (at a held record's last byte, say): none,
    // and not counted; matched again from its second byte.
    kEarly,
  };
  using RecordHandler = std::function<Verdict(const QByteArray& record)>;

  // A record may stay open for four times its time on the line at the port's rate, and never
  // less than a second, so that a sender that pauses briefly inside a record, or a port that
  // hands bytes on in bursts, does not cut it short.
  static constexpr int kRecordTimes = 4;
  static constexpr std::int64_t kShortestTimeOutMs = 1000;
  static std::int64_t TimeOutMs(int recordBytes, const LineSettings& line);
  // The time-out of a record that starts now.
  std::int64_t TimeOutMs() const;

  // Installs the handlers and the time-out of `matcher`, which frames records of at most
  // `longestRecord` bytes on the line, framing included (a matcher that ends by size: of its
  // packet size). The rate is the port's as each record starts.
  RecordCollector(TApdDataPacket& matcher, const SerialPort& port, RecordCounts& counts,
                  int longestRecord);
  RecordCollector(const RecordCollector&) = delete;
  RecordCollector& operator=(const RecordCollector&) = delete;

  // Called with each record the matcher delivers whole, as the matcher delivers it. When a
  // record ended by an end string holds its start string again, what came before that last
  // start belonged to a record that never ended: it is dropped and counted, and the rest handed
  // on. A record the handler finds bad is counted, and the bytes after its start are searched
  // again for the next record's start.
  void SetRecordHandler(RecordHandler handler) { handler_ = std::move(handler); }
  // Called by the handler once a record it held is known to have arrived whole, or not (then
  // it is dropped and counted as incomplete).
  void Settle(bool whole);
  // Told after each record handed on whole.
  ChangeNotifier& WholeRecord() { return wholeRecord_; }

 private:
  void OnRecord(const QByteArray& text);
  // `text` from the last start string it holds.
  QByteArray FromLastStart(const QByteArray& text);
  // How many of `record`'s last bytes begin the start string.
  std::size_t StartOverlap(const QByteArray& record) const;

  TApdDataPacket& matcher_;
  const SerialPort& port_;
  const int longestRecord_;
  RecordCounts& counts_;
  RecordHandler handler_;
  ChangeNotifier wholeRecord_;
};

}  // namespace ventari
