// A data record collector: its time-out at the line's rate, a record cut short by the next one's
// start, and a bad record whose bytes are searched again for the next record's start.
#include "link/record_collector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/null_serial_backend.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"

namespace ventari {
namespace {

TEST(RecordCollectorTest, ARecordMayStayOpenForFourRecordTimesAndAtLeastASecond) {
  const auto at = [](std::int32_t baud) {
    LineSettings line;
    line.baud = baud;
    return line;
  };
  EXPECT_EQ(RecordCollector::TimeOutMs(64, at(9600)), 1000);
  EXPECT_EQ(RecordCollector::TimeOutMs(64, at(300)), 8534);
  EXPECT_EQ(RecordCollector::TimeOutMs(100, at(2400)), 1667);
}

struct StreamCase {
  const char* name;
  bool bySize;  // framed as binary records, otherwise between STX and ETX
  std::string bytes;
  std::vector<std::string> handed;
  RecordCounts counts;
};

TEST(RecordCollectorTest, OnlyWholeGoodRecordsAreHandedOnAndTheRestIsCounted) {
  const StreamCase cases[] = {
      {"an end that never came", false, "\002a\002cd\003", {"cd"}, {1, 1, 0}},
      // A record lost its third byte, so it ends inside the next one, which is still found.
      {"a byte lost", true, "\272\272Xb\272\272def", {"Xb\272", "def"}, {1, 0, 1}},
  };
  for (const StreamCase& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualRuntime runtime;
    PacketMatcherGroup group(runtime);
    SerialPort port(runtime, [](const QString&) { return std::make_unique<NullSerialBackend>(); });
    TApdDataPacket matcher;
    matcher.SetStartString(c.bySize ? "\xBA\xBA" : "\x02");
    matcher.SetEndString("\x03");
    matcher.SetPacketSize(5);
    matcher.SetEndCond({.string = !c.bySize, .size = c.bySize});
    matcher.SetIncludeStrings(false);
    group.Attach(matcher);
    RecordCounts counts;
    RecordCollector collector(matcher, port, counts, 8);
    std::vector<std::string> handed;
    collector.SetRecordHandler([&handed](const QByteArray& record) {
      handed.push_back(record.toStdString());
      return record.startsWith('X') ? RecordCollector::Verdict::kBad
                                    : RecordCollector::Verdict::kWhole;
    });
    matcher.SetEnabled(true);
    group.Receive(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
    EXPECT_EQ(handed, c.handed);
    EXPECT_EQ(counts.whole, c.counts.whole);
    EXPECT_EQ(counts.incomplete, c.counts.incomplete);
    EXPECT_EQ(counts.bad, c.counts.bad);
  }
}

}  // namespace
}  // namespace ventari
