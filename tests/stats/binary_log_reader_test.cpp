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

TEST(BinaryLogReader, RecordsAreTimedBackFromTheModificationTimeAtTheListedRate) {
  const Read read = ReadLog(Golden());
  ASSERT_TRUE(read.result.refusal.isEmpty()) << read.result.refusal.toStdString();
  EXPECT_TRUE(read.result.binary);
  EXPECT_EQ(read.result.times, RecordTimes::kDerived);
  EXPECT_EQ(read.result.recordsPerSecond, 1);
  EXPECT_EQ(read.result.unreadable, 0);
  ASSERT_EQ(read.samples.size(), 5u);
  const std::int64_t records = 5;
  EXPECT_EQ(*read.samples[0].direction, 211);
  EXPECT_NEAR(read.samples[0].speed, 1.90, 1e-9);
  EXPECT_NEAR(*read.samples[4].w, 0.05, 1e-9);
  for (std::size_t i = 0; i < read.samples.size(); ++i) {
    EXPECT_EQ(read.samples[i].timeUs,
              kModifiedUs - (records - 1 - static_cast<std::int64_t>(i)) * 1'000'000);
    EXPECT_TRUE(read.samples[i].direction.has_value());
    EXPECT_TRUE(read.samples[i].w.has_value());
  }
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
