// The binary log read back: the records' layout and rate from the listing in its header, each
// record timed back from the modification time, bytes that are no record counted.
#include "stats/binary_log_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/golden_file.h"

namespace ventari {
namespace {

constexpr std::int64_t kModifiedUs = 1'765'306'230'000'000;

struct Read {
  WindLogResult result;
  std::vector<WindSample> samples;
};

Read ReadLog(const QByteArray& content, WindLogOptions options = {}) {
  Read read;
  read.result = ReadBinaryWindLog(
      QStringLiteral("run.bny"),
      std::string_view(content.constData(), static_cast<std::size_t>(content.size())), options,
      kModifiedUs, [&read](const WindSample& sample) { read.samples.push_back(sample); });
  return read;
}

// Polar, speed of sound and two inputs, AVERAGE 10: one record a second, five records of 17
// bytes.
QByteArray Golden() {
  return test::GoldenContents(QStringLiteral("scenarios/golden/tabular_binary.bny"));
}

TEST(BinaryLogReader, BytesThatAreNoRecordAreCountedAndAGivenRateWins) {
  const QByteArray golden = Golden();
  const qsizetype header = golden.indexOf("\xBA\xBA");
  // Garbage after the first record, and a record cut short at the end.
  const QByteArray content =
      golden.left(header + 17) + "zz" + golden.mid(header + 17) + "\xBA\xBA\x01";
  WindLogOptions options;
  options.recordsPerSecond = 4;
  const Read read = ReadLog(content, options);
  EXPECT_EQ(read.result.unreadable, 2);
  EXPECT_EQ(read.result.firstUnreadableLine, 2);
  EXPECT_EQ(read.result.recordsPerSecond, 4);
  ASSERT_GE(read.samples.size(), 2u);
  EXPECT_EQ(read.samples[1].timeUs - read.samples[0].timeUs, 250'000);
}

TEST(BinaryLogReader, AHeaderWithoutABinaryListingIsRefused) {
  for (const char* content : {"", "O300451\r\nABSTEMP OFF\r\nSTRFMT ASCII PAD\r\n\xBA\xBA"}) {
    EXPECT_FALSE(ReadLog(content).result.refusal.isEmpty()) << content;
  }
}

}  // namespace
}  // namespace ventari
