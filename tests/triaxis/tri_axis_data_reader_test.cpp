// Binary records whose last byte is 0xBA, the first byte of the next record's start: handed on
// when it was their check byte, dropped when it was the next record's, which is then still read,
// and never read with the next start as a record of its own.
#include "triaxis/tri_axis_data_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/null_serial_backend.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "record_config.h"

namespace ventari {
namespace {

// Arms the matcher again after each record, as the windows' applier does.
struct Addresses : TriAxisRecordConsumer {
  explicit Addresses(TApdDataPacket& matcher) : matcher(matcher) {}
  void Apply(const TriAxisAsciiRecord&) override {}
  void Apply(const TriAxisBinaryRecord& record) override {
    if (record.status) handed.push_back(record.status->address);
    matcher.SetEnabled(true);
  }
  TApdDataPacket& matcher;
  std::vector<int> handed;
};

// Status address `address`, then values whose bytes XOR to 0xBA.
std::string CheckedByStart(char address) { return {address, 0, 1, 0, 2, 0, 0, '\xB9'}; }
const std::string kStart = "\xBA\xBA";

struct HeldCase {
  const char* name;
  std::string bytes;
  std::vector<int> handed;
  RecordCounts counts;
};

TEST(TriAxisDataReaderTest, ARecordEndingInTheStartByteIsHandedOnOnlyWhenItWasWhole) {
  const std::string good2 = std::string{2, 0, 0, 0, 0, 0, 0, 0, 0};
  const HeldCase cases[] = {
      {"its own check byte, then the next record",
       kStart + CheckedByStart(1) + "\xBA" + kStart + good2,
       {1, 2},
       {2, 0, 0}},
      // The check byte was lost: the next record's first 0xBA passed in its place.
      {"check byte lost", kStart + CheckedByStart(1) + kStart + good2, {2}, {1, 1, 0}},
      {"two last bytes lost",
       kStart + std::string{1, 0, 0, 1, 0, 1, 0} + kStart + good2,
       {2},
       {1, 1, 0}},
      {"its own check byte, then nothing", kStart + CheckedByStart(1) + "\xBA", {1}, {1, 0, 0}},
      // Read again after the bad record, its last byte and the next start look like a record.
      {"a bad record ending in 0xBA",
       kStart + std::string{1, 0, 0, 0, 0, 0, 0, 0, '\xBA'} + kStart + good2,
       {2},
       {1, 0, 1}},
  };
  for (const HeldCase& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualRuntime runtime;
    PacketMatcherGroup group(runtime);
    SerialPort port(runtime, [](const QString&) { return std::make_unique<NullSerialBackend>(); });
    TApdDataPacket matcher;
    const TriAxisConfig config = test::RecordConfig(test::kUvw, 0, 0, "", 0);
    matcher.SetStartString("\xBA\xBA");
    matcher.SetEndCond({.size = true});
    matcher.SetPacketSize(2 + TriAxisBinaryDecoder::RecordSize(config));
    matcher.SetIncludeStrings(false);
    matcher.SetAutoEnable(false);
    group.Attach(matcher);
    RecordCounts counts;
    TApdDataPacket asciiMatcher;
    RecordCollector ascii(asciiMatcher, port, counts, 8);
    RecordCollector binary(matcher, port, counts, 0);
    Addresses consumer(matcher);
    TriAxisDataReader reader(runtime, ascii, binary, config, consumer);
    matcher.SetEnabled(true);
    group.Receive(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size());
    runtime.RunFor(RecordCollector::kShortestTimeOutMs + 100);
    EXPECT_EQ(consumer.handed, c.handed);
    EXPECT_EQ(counts.whole, c.counts.whole);
    EXPECT_EQ(counts.incomplete, c.counts.incomplete);
    EXPECT_EQ(counts.bad, c.counts.bad);
  }
}

}  // namespace
}  // namespace ventari
