// Three-axis ASCII records: the report modes' tests, the table line, the optional fields and
// the positions they shift, what the graph, alarm, windsock and PC averaging get, and unpadded
// records read as their padded twins.
#include "triaxis/tri_axis_ascii_decoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "record_config.h"

namespace ventari::test {
namespace {

using Outcome = TriAxisAsciiRecord::Outcome;
using Layout = TriAxisAsciiRecord::Layout;

TriAxisAsciiRecord Decode(const TriAxisConfig& config, const char* text) {
  return TriAxisAsciiDecoder(config).Decode(text);
}

struct OutcomeCase {
  const char* name;
  TriAxisConfig config;
  const char* text;
  Outcome outcome;
  QString line;
  std::optional<TriAxisStatusPair> status;
};

TEST(TriAxisAsciiDecoderTest, EachReportModeTestsItsRecordsAndBuildsTheLine) {
  const QString blocked = QString::fromLatin1(kPathsBlockedLine);
  const OutcomeCase cases[] = {
      {"uvw", RecordConfig(kUvw), "00,00,+01.23,-00.45,+00.10,", Outcome::kUsable,
       "00 00   +01.23   -00.45   +00.10   ", TriAxisStatusPair{0, 0}},
      {"uvw status", RecordConfig(kUvw), "03,1B,+01.23,-00.45,+00.10,", Outcome::kUsable,
       "03 1B   +01.23   -00.45   +00.10   ", TriAxisStatusPair{3, 0x1B}},
      {"uvw U blocked", RecordConfig(kUvw), "00,00,+99.99,-00.45,+00.10,", Outcome::kPathsBlocked,
       blocked, std::nullopt},
      {"uvw -99.99 blocked", RecordConfig(kUvw), "00,00,-99.99,-00.45,+00.10,",
       Outcome::kPathsBlocked, blocked, std::nullopt},
      {"uvw separator", RecordConfig(kUvw), "00,00,+01.23;-00.45,+00.10,", Outcome::kMalformed, "",
       std::nullopt},
      {"uvw no last comma", RecordConfig(kUvw), "00,00,+01.23,-00.45,+00.10", Outcome::kMalformed,
       "", std::nullopt},
      {"uvw empty", RecordConfig(kUvw), "", Outcome::kMalformed, "", std::nullopt},
      {"uvw not a number", RecordConfig(kUvw), "00,00,+01.x3,-00.45,+00.10,", Outcome::kUnreadable,
       "", TriAxisStatusPair{0, 0}},
      {"uvw bad status", RecordConfig(kUvw), "0x,00,+01.23,-00.45,+00.10,", Outcome::kUnreadable,
       "", std::nullopt},
      {"uvw bad status value", RecordConfig(kUvw), "00,G0,+01.23,-00.45,+00.10,",
       Outcome::kUnreadable, "", std::nullopt},
      {"axis", RecordConfig(kAxis), "00,00,+01.23,-00.45,+00.10,", Outcome::kUsable,
       "00 00   +01.23   -00.45   +00.10   ", TriAxisStatusPair{0, 0}},
      {"axis 2 empty", RecordConfig(kAxis), "00,00,+01.23,,+00.10,", Outcome::kPathsBlocked,
       blocked, std::nullopt},
      {"axis 1 blocked", RecordConfig(kAxis), "00,00,+99.99,-00.45,+00.10,", Outcome::kPathsBlocked,
       blocked, std::nullopt},
      {"axis short", RecordConfig(kAxis), "00,00,+01.23", Outcome::kUnreadable, "",
       TriAxisStatusPair{0, 0}},
      {"axis empty", RecordConfig(kAxis), "", Outcome::kUnreadable, "", std::nullopt},
      {"polar", RecordConfig(kPolar), "00,00,123,04.56,+00.12,", Outcome::kUsable,
       "00 00    123     04.56    +00.12   ", TriAxisStatusPair{0, 0}},
      {"polar no direction", RecordConfig(kPolar), "00,00,,04.56,+00.12,", Outcome::kUsable,
       "00 00    ---     04.56    +00.12   ", TriAxisStatusPair{0, 0}},
      {"polar 999", RecordConfig(kPolar), "00,00,999,04.56,+00.12,", Outcome::kPathsBlocked,
       blocked, std::nullopt},
      {"polar comma at 8", RecordConfig(kPolar), "00,00,1,,04.56,+00.12,", Outcome::kPathsBlocked,
       blocked, std::nullopt},
      {"polar separator", RecordConfig(kPolar), "00,00,123;04.56,+00.12,", Outcome::kPathsBlocked,
       blocked, std::nullopt},
      {"polar empty", RecordConfig(kPolar), "", Outcome::kPathsBlocked, blocked, std::nullopt},
      {"polar speed not a number", RecordConfig(kPolar), "00,00,123,04.x6,+00.12,",
       Outcome::kUnreadable, "", TriAxisStatusPair{0, 0}},
      {"mode not yet read", RecordConfig(-1), "00,00,+01.23,-00.45,+00.10,", Outcome::kUsable,
       "00 00   +01.23   -00.45   +00.10   ", TriAxisStatusPair{0, 0}},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TriAxisAsciiRecord record = Decode(c.config, c.text);
    EXPECT_EQ(record.outcome, c.outcome);
    EXPECT_EQ(record.line, c.line);
    EXPECT_EQ(record.status, c.status);
    EXPECT_EQ(record.text, c.text);
    if (c.outcome != Outcome::kUsable) {
      EXPECT_EQ(record.sums, TriAxisSumValues{});
      EXPECT_FALSE(record.graph || record.alarm || record.windsock);
    }
  }
}

// The headers of the optional columns.
const QString kSos = "   SoS            ";
const QString kSonicK = "SonicT K       ";
const QString kSonicC = "SonicT C       ";
const QString kAbsKAlone = " AbsT K         ";  // without a speed-of-sound column
const QString kAbsK = "AbsT K          ";
const QString kAbsC = "AbsT C          ";
const QString kAip1 = "     Aip1                ";
const QString kAip2 = "Aip2                 ";
const QString kAip3 = "Aip3                ";
const QString kAip6 = "Aip6                ";

struct OptionalCase {
  const char* name;
  TriAxisConfig config;
  const char* text;
  QString line;
  QString header;
  TriAxisSumValues sums;
};

TEST(TriAxisAsciiDecoderTest, OptionalFieldsAreReadWhereThoseBeforeThemEnd) {
  const OptionalCase cases[] = {
      {"all filled",
       RecordConfig(kUvw, 1, 1, "1"),
       "00,00,+01.23,-00.45,+00.10,340.12,+20.15,+0.1234,",
       "00 00   +01.23   -00.45   +00.10   340.12   +20.15   +0.1234   ",
       kSos + kAbsK + kAip1,
       {1.23, -0.45, 0.10, 340.12, 20.15, 0.1234}},
      {"absolute temperature empty",
       RecordConfig(kUvw, 1, 1, "1"),
       "00,00,+01.23,-00.45,+00.10,340.12,,+0.1234,",
       "00 00   +01.23   -00.45   +00.10   340.12   ------   +0.1234   ",
       kSos + kAbsK + kAip1,
       {1.23, -0.45, 0.10, 340.12, std::nullopt, 0.1234}},
      {"absolute temperature absent",
       RecordConfig(kUvw, 1, 1, "1"),
       "00,00,+01.23,-00.45,+00.10,340.12,+99.99,+0.1234,",
       "00 00   +01.23   -00.45   +00.10   340.12   ------   +0.1234   ",
       kSos + kAbsK + kAip1,
       {1.23, -0.45, 0.10, 340.12, std::nullopt, 0.1234}},
      {"absolute temperature alone",
       RecordConfig(kUvw, 0, 1),
       "00,00,+01.23,-00.45,+00.10,+20.15,",
       "00 00   +01.23   -00.45   +00.10   +20.15   ",
       kAbsKAlone,
       {1.23, -0.45, 0.10, 20.15}},
      {"sonic and celsius",
       RecordConfig(kAxis, 3, 2),
       "00,00,+01.23,-00.45,+00.10,+20.10,+20.15,",
       "00 00   +01.23   -00.45   +00.10   +20.10   +20.15   ",
       kSonicC + kAbsC,
       {1.23, -0.45, 0.10, 20.10, 20.15}},
      {"channels 1 and 3",
       RecordConfig(kUvw, 2, 0, "13"),
       "00,00,+01.23,-00.45,+00.10,293.15,+0.1000,+0.3000,",
       "00 00   +01.23   -00.45   +00.10   293.15   +0.1000   +0.3000   ",
       kSonicK + kAip1 + kAip3,
       {1.23, -0.45, 0.10, 293.15, 0.1, 0.3}},
      {"channel 6 after an empty temperature",
       RecordConfig(kUvw, 0, 2, "26"),
       "00,00,+01.23,-00.45,+00.10,,+0.2000,+0.6000,",
       "00 00   +01.23   -00.45   +00.10   ------   +0.2000   +0.6000   ",
       kAbsC + kAip2 + kAip6,
       {1.23, -0.45, 0.10, std::nullopt, 0.2, 0.6}},
      {"polar",
       RecordConfig(kPolar, 1, 0, "1"),
       "00,00,123,04.56,+00.12,340.12,+0.1234,",
       "00 00    123     04.56    +00.12   340.12   +0.1234   ",
       kSos + kAip1,
       {123, 4.56, 0.12, 340.12, 0.1234}},
      {"polar without direction",
       RecordConfig(kPolar, 1, 1, "1"),
       "00,00,,04.56,+00.12,340.12,,+0.1234,",
       "00 00    ---     04.56    +00.12   340.12   ------   +0.1234   ",
       kSos + kAbsK + kAip1,
       {std::nullopt, 4.56, 0.12, 340.12, std::nullopt, 0.1234}},
  };
  for (const OptionalCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TriAxisAsciiRecord record = Decode(c.config, c.text);
    ASSERT_EQ(record.outcome, Outcome::kUsable);
    EXPECT_EQ(record.line, c.line);
    EXPECT_EQ(record.header, c.header);
    EXPECT_EQ(record.sums, c.sums);
  }
}

TEST(TriAxisAsciiDecoderTest, OptionalFieldsKeepTheirTextsAndNumbers) {
  const TriAxisAsciiRecord record =
      Decode(RecordConfig(kUvw, 1, 1, "2"), "00,00,+01.23,-00.45,+00.10,340.12,,-0.5000,");
  EXPECT_EQ(record.optional.speedOfSound, (TriAxisField{"340.12", 340.12}));
  EXPECT_EQ(record.optional.absoluteTemperature, (TriAxisField{"------", std::nullopt}));
  EXPECT_FALSE(record.optional.analogueInputs[0]);
  EXPECT_EQ(record.optional.analogueInputs[1], (TriAxisField{"-0.5000", -0.5}));
}

TEST(TriAxisAsciiDecoderTest, AnOptionalFieldThatIsNoNumberMakesTheRecordUnreadable) {
  const std::pair<TriAxisConfig, const char*> cases[] = {
      {RecordConfig(kUvw, 1, 0, "1"), "00,05,+01.23,-00.45,+00.10,340.12,"},
      {RecordConfig(kUvw, 0, 1), "00,05,+01.23,-00.45,+00.10,+2x.15,"},
      {RecordConfig(kPolar, 2), "00,05,123,04.56,+00.12,"},
  };
  for (const auto& [config, text] : cases) {
    SCOPED_TRACE(text);
    const TriAxisAsciiRecord record = Decode(config, text);
    EXPECT_EQ(record.outcome, Outcome::kUnreadable);
    EXPECT_EQ(record.status, (TriAxisStatusPair{0, 5}));
    EXPECT_EQ(record.sums, TriAxisSumValues{});
    EXPECT_EQ(record.line, "");
    EXPECT_FALSE(record.optional.speedOfSound || record.optional.absoluteTemperature);
  }
}

TEST(TriAxisAsciiDecoderTest, UvwRecordsFeedTheGraphAndTheAlarmButNotTheWindsock) {
  const TriAxisAsciiRecord record = Decode(RecordConfig(kUvw), "00,00,+01.23,-00.45,+00.10,");
  EXPECT_EQ(record.layout, Layout::kUvwOrAxis);
  ASSERT_TRUE(record.graph && record.alarm);
  EXPECT_FALSE(record.windsock);
  EXPECT_EQ(record.alarm->first, 1.23);
  EXPECT_EQ(record.alarm->second, -0.45);
  EXPECT_EQ(TriAxisGraphPoints(*record.graph, 20, 100), (std::array<std::int64_t, 3>{24, -9, 2}));
}

TEST(TriAxisAsciiDecoderTest, PolarRecordsFeedTheWindsockGraphAndAlarm) {
  const TriAxisAsciiRecord record = Decode(RecordConfig(kPolar), "00,00,123,04.56,+00.12,");
  EXPECT_EQ(record.layout, Layout::kPolar);
  ASSERT_TRUE(record.graph && record.alarm && record.windsock);
  EXPECT_EQ(record.windsock->direction, 123);
  EXPECT_EQ(record.windsock->speed, 4.56);
  EXPECT_EQ(record.windsock->w, 0.12);
  EXPECT_EQ(record.alarm->first, 123);
  EXPECT_EQ(record.alarm->second, 4.56);
  // Direction as a share of the chart's full scale, speed by the gain, W as it is.
  EXPECT_EQ(TriAxisGraphPoints(*record.graph, 20, 720), (std::array<std::int64_t, 3>{246, 91, 0}));
}

TEST(TriAxisAsciiDecoderTest, RecordsWithoutADirectionOrInAxisModeFeedNoLiveWindow) {
  const TriAxisAsciiRecord noDirection = Decode(RecordConfig(kPolar), "00,00,,04.56,+00.12,");
  EXPECT_EQ(noDirection.layout, Layout::kPolarNoDirection);
  EXPECT_EQ(noDirection.values[0], (TriAxisField{"---", std::nullopt}));
  EXPECT_FALSE(noDirection.graph || noDirection.alarm || noDirection.windsock);
  const TriAxisAsciiRecord axis = Decode(RecordConfig(kAxis), "00,00,+01.23,-00.45,+00.10,");
  EXPECT_FALSE(axis.graph || axis.alarm || axis.windsock);
  EXPECT_EQ(axis.sums, (TriAxisSumValues{1.23, -0.45, 0.10}));
}

struct UnpaddedCase {
  const char* name;
  TriAxisConfig config;
  const char* padded;
  const char* unpadded;
};

TEST(TriAxisAsciiDecoderTest, UnpaddedRecordsReadAndShowAsTheirPaddedTwins) {
  const UnpaddedCase cases[] = {
      {"uvw", RecordConfig(kUvw), "00,00,+01.23,-00.45,+00.10,", "0,0,+1.23,-0.45,+0.10,"},
      {"uvw blocked", RecordConfig(kUvw), "00,00,+99.99,-00.45,+00.10,", "0,0,+99.99,-0.45,+0.10,"},
      {"uvw separator", RecordConfig(kUvw), "00,00,+01.23,-00.45,+00.10", "0,0,+1.23,-0.45,+00.10"},
      {"polar", RecordConfig(kPolar), "00,1B,005,04.56,+00.12,", "0,1B,5,4.56,+0.12,"},
      {"polar no direction", RecordConfig(kPolar), "00,00,,04.56,+00.12,", "0,0,,4.56,+0.12,"},
      {"axis empty", RecordConfig(kAxis), "00,00,+01.23,,+00.10,", "0,0,+1.23,,+0.10,"},
      {"optional fields", RecordConfig(kUvw, 1, 1, "16"),
       "00,00,+01.23,-00.45,+00.10,340.12,,+0.1234,-0.5000,",
       "0,0,+1.23,-0.45,+0.10,340.12,,+0.1234,-0.5000,"},
      {"temperature", RecordConfig(kPolar, 0, 2), "10,0A,270,12.50,-01.00,-05.25,",
       "10,A,270,12.50,-1.00,-5.25,"},
  };
  for (const UnpaddedCase& c : cases) {
    SCOPED_TRACE(c.name);
    TriAxisConfig unpadded = c.config;
    unpadded.StrFormat = 2;
    const TriAxisAsciiRecord expected = Decode(c.config, c.padded);
    const TriAxisAsciiRecord record = Decode(unpadded, c.unpadded);
    EXPECT_EQ(record.text, c.unpadded);
    EXPECT_EQ(record.outcome, expected.outcome);
    EXPECT_EQ(record.line, expected.line);
    EXPECT_EQ(record.header, expected.header);
    EXPECT_EQ(record.status, expected.status);
    EXPECT_EQ(record.values, expected.values);
    EXPECT_EQ(record.sums, expected.sums);
  }
}

TEST(TriAxisAsciiDecoderTest, AnUnpaddedFieldWiderThanItsColumnMakesTheRecordUnreadable) {
  TriAxisConfig config = RecordConfig(kUvw);
  config.StrFormat = 2;
  const TriAxisAsciiRecord record = TriAxisAsciiDecoder(config).Decode("0,0,+123.45,-0.45,+0.10,");
  EXPECT_EQ(record.outcome, Outcome::kUnreadable);
  EXPECT_FALSE(record.status);
  EXPECT_EQ(TriAxisAsciiDecoder::Padded("0,1B,+1.2,", config), "00,1B,+001.2,");
}

}  // namespace
}  // namespace ventari::test
