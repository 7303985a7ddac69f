// Three-axis binary records: each field's decoding and text, the absent pattern 0xB1E0, the
// check byte that makes a damaged record bad, the layout the configuration gives, and the
// averaged record of a period.
#include "triaxis/tri_axis_binary_decoder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

#include "record_config.h"

namespace ventari::test {
namespace {

using Outcome = TriAxisBinaryRecord::Outcome;

QByteArray Bytes(std::initializer_list<int> bytes) {
  QByteArray result;
  for (int byte : bytes) result += static_cast<char>(byte);
  return result;
}

TriAxisBinaryRecord Decode(const TriAxisConfig& config, std::initializer_list<int> bytes) {
  return TriAxisBinaryDecoder(config).Decode(Bytes(bytes));
}

struct LineCase {
  const char* name;
  TriAxisConfig config;
  std::initializer_list<int> bytes;
  QString line;
  QString header;
  TriAxisSumValues sums;
};

TEST(TriAxisBinaryDecoderTest, EachFieldIsDecodedAndShownAsItsKindWants) {
  const LineCase cases[] = {
      {"uvw",
       RecordConfig(kUvw),
       {0x00, 0x1B, 0x00, 0x7B, 0xFF, 0xD3, 0x00, 0x0A, 0x5D},
       "00 1B  +01.23   -00.45   +00.10   ",
       "",
       {1.23, -0.45, 0.10}},
      {"uvw 1.28",
       RecordConfig(kUvw),
       {0x0A, 0xFF, 0x00, 0x80, 0xFF, 0x80, 0xB1, 0xE0, 0xAE},
       "0A FF  +01.28   -01.28   -200.00   ",
       "",
       {1.28, -1.28, -200}},
      {"axis",
       RecordConfig(kAxis),
       {0x00, 0x00, 0x00, 0x00, 0x7F, 0xFF, 0x80, 0x00, 0x00},
       "00 00  +00.00   +327.67   -327.68   ",
       "",
       {0, 327.67, -327.68}},
      {"polar",
       RecordConfig(kPolar),
       {0x00, 0x1B, 0x00, 0x7B, 0x01, 0xC8, 0x00, 0x0C, 0xBE},
       "00 1B    123     04.56   +00.12   ",
       "",
       {123, 4.56, 0.12}},
      {"polar north",
       RecordConfig(kPolar),
       {0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0xFF, 0xF4, 0x0E},
       "00 00    005     00.00   -00.12   ",
       "",
       {5, 0, -0.12}},
      {"speed of sound",
       RecordConfig(kUvw, 1),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x84, 0xDC, 0x58},
       "00 00  +00.00   +00.00   +00.00   340.12   ",
       "    SoS          ",
       {0, 0, 0, 340.12}},
      {"sonic kelvin",
       RecordConfig(kUvw, 2),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0xF4, 0xF5},
       "00 00  +00.00   +00.00   +00.00   005.00   ",
       "SonicT K       ",
       {0, 0, 0, 5}},
      {"sonic celsius",
       RecordConfig(kUvw, 3),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0xDF, 0xD8},
       "00 00  +00.00   +00.00   +00.00   +020.15   ",
       "SonicT C       ",
       {0, 0, 0, 20.15}},
      {"absolute celsius",
       RecordConfig(kUvw, 0, 2),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFD, 0xEC, 0x11},
       "00 00  +00.00   +00.00   +00.00   -005.32   ",
       " AbsT C          ",
       {0, 0, 0, -5.32}},
      {"absolute kelvin absent",
       RecordConfig(kUvw, 1, 1),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x84, 0xDC, 0xB1, 0xE0, 0x09},
       "00 00  +00.00   +00.00   +00.00   340.12   ------   ",
       "    SoS           AbsT K          ",
       {0, 0, 0, 340.12, std::nullopt}},
      {"absolute celsius absent",
       RecordConfig(kUvw, 0, 2),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xB1, 0xE0, 0x51},
       "00 00  +00.00   +00.00   +00.00   -------   ",
       " AbsT C          ",
       {0, 0, 0, std::nullopt}},
      {"analogue inputs",
       RecordConfig(kUvw, 0, 1, "16"),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x72, 0x83, 0x03, 0xE8, 0x80, 0x01, 0x9B},
       "00 00  +00.00   +00.00   +00.00   293.15   +0.6100   -19.9900",
       " AbsT K              Aip1                Aip6            ",
       {0, 0, 0, 293.15, 0.61, -19.99}},
      {"analogue input rounding",
       RecordConfig(kUvw, 0, 0, "2"),
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01},
       "00 00  +00.00   +00.00   +00.00   +0.0006   ",
       "    Aip2            ",
       {0, 0, 0, 0.0006}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TriAxisBinaryRecord record = Decode(c.config, c.bytes);
    ASSERT_EQ(record.outcome, Outcome::kUsable);
    EXPECT_EQ(record.line, c.line);
    EXPECT_EQ(record.header, c.header);
    EXPECT_EQ(record.sums, c.sums);
    EXPECT_EQ(record.bytes, Bytes(c.bytes));
  }
}

TEST(TriAxisBinaryDecoderTest, FieldsKeepTheirTextsAndStatus) {
  const TriAxisBinaryRecord record =
      Decode(RecordConfig(kUvw, 3, 0, "3"),
             {0x06, 0x01, 0x00, 0x7B, 0xFF, 0xD3, 0x00, 0x0A, 0x07, 0xDF, 0xFF, 0x9C, 0xE6});
  EXPECT_EQ(record.status, (TriAxisStatusPair{6, 1}));
  EXPECT_EQ(record.values[1], (TriAxisField{"-00.45", -0.45}));
  EXPECT_EQ(record.optional.speedOfSound, (TriAxisField{"+020.15", 20.15}));
  EXPECT_FALSE(record.optional.absoluteTemperature);
  EXPECT_EQ(record.optional.analogueInputs[2], (TriAxisField{"-0.0610", -0.061}));
}

TEST(TriAxisBinaryDecoderTest, APolarRecordWithoutDirectionOrSpeedShowsOnlyItsStatus) {
  for (const auto& bytes :
       {std::initializer_list<int>{0x00, 0x05, 0xB1, 0xE0, 0x01, 0xC8, 0x00, 0x0C, 0x94},
        std::initializer_list<int>{0x00, 0x05, 0x00, 0x7B, 0xB1, 0xE0, 0x00, 0x0C, 0x26}}) {
    const TriAxisBinaryRecord record = Decode(RecordConfig(kPolar), bytes);
    EXPECT_EQ(record.outcome, Outcome::kNoWind);
    EXPECT_EQ(record.status, (TriAxisStatusPair{0, 5}));
    EXPECT_EQ(record.line, "");
    EXPECT_EQ(record.sums, TriAxisSumValues{});
  }
}

TEST(TriAxisBinaryDecoderTest, OnlyACheckByteOverTheValuesOrOverStatusAndValuesPasses) {
  // The value bytes' XOR is 0x5D; with the status 0x00 0x1B it is 0x46.
  for (int check = 0; check < 256; ++check) {
    const TriAxisBinaryRecord record =
        Decode(RecordConfig(kUvw), {0x00, 0x1B, 0x00, 0x7B, 0xFF, 0xD3, 0x00, 0x0A, check});
    const bool good = check == 0x5D || check == 0x46;
    EXPECT_EQ(record.outcome, good ? Outcome::kUsable : Outcome::kBadCheckByte) << check;
    EXPECT_EQ(record.line.isEmpty(), !good) << check;
  }
}

TEST(TriAxisBinaryDecoderTest,
     ARecordCutShortAndJoinedToTheNextOnesStartIsBadThoughItsCheckPasses) {
  // Status and U, then 0xBA 0xBA and the next record's status; the check byte 0x60 is the XOR
  // of the value bytes.
  const TriAxisBinaryRecord record =
      Decode(RecordConfig(kUvw), {0x00, 0x1B, 0x00, 0x7B, 0xBA, 0xBA, 0x00, 0x1B, 0x60});
  EXPECT_EQ(record.outcome, Outcome::kBadCheckByte);
  EXPECT_TRUE(record.line.isEmpty());
}

TEST(TriAxisBinaryDecoderTest, TheConfigurationGivesTheRecordsLength) {
  // With SPEED and two analogue inputs the collector's packet, 0xBA 0xBA included, is 17 bytes.
  EXPECT_EQ(TriAxisBinaryDecoder::RecordSize(RecordConfig(kUvw, 1, 0, "12")) + 2, 17);
  EXPECT_EQ(TriAxisBinaryDecoder::RecordSize(RecordConfig(kUvw)) + 2, 11);
  EXPECT_EQ(TriAxisBinaryDecoder::RecordSize(RecordConfig(kUvw, 3, 2, "123456")) + 2, 27);

  const TriAxisConfig config = RecordConfig(kUvw, 1);
  const TriAxisBinaryRecord shortRecord =
      Decode(config, {0x00, 0x1B, 0x00, 0x7B, 0xFF, 0xD3, 0x00, 0x0A, 0x5D});
  EXPECT_EQ(shortRecord.outcome, Outcome::kShort);
  EXPECT_FALSE(shortRecord.status);
  EXPECT_EQ(Decode(config, {}).outcome, Outcome::kShort);

  // Bytes beyond the layout are left alone; the check byte stands where the layout ends.
  const TriAxisBinaryRecord longer = Decode(
      RecordConfig(kUvw), {0x00, 0x1B, 0x00, 0x7B, 0xFF, 0xD3, 0x00, 0x0A, 0x5D, 0x84, 0xDC});
  EXPECT_EQ(longer.outcome, Outcome::kUsable);
  EXPECT_EQ(longer.line, "00 1B  +01.23   -00.45   +00.10   ");
}

struct AveragedCase {
  const char* name;
  TriAxisConfig config;
  TriAxisAverages averages;
  QString line;
  std::initializer_list<int> bytes;
};

TEST(TriAxisAveragedRecordTest, AveragesAreStoredScaledAndTruncatedWithACheckByte) {
  const AveragedCase cases[] = {
      {"polar",
       RecordConfig(kPolar),
       {123.6, 4.5, 0.25},
       "124,4.50,0.25",
       {0x00, 0x00, 0x00, 0x7B, 0x01, 0xC2, 0x00, 0x19, 0xA1}},
      {"uvw with speed of sound and a channel",
       RecordConfig(kUvw, 1, 0, "4"),
       {1.234, -0.456, 0.1, 340.12, 0.6123},
       "1.23,-0.46,0.10,340.12,0.61",
       {0x00, 0x00, 0x00, 0x7B, 0xFF, 0xD3, 0x00, 0x0A, 0x84, 0xDC, 0x02, 0x64, 0x63}},
      {"absolute temperature is no channel",
       RecordConfig(kAxis, 0, 2, "1"),
       {0, 0, 0, 20.5, 1.5},
       "0.00,0.00,0.00,20.50,1.50",
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x02, 0x05, 0xDC, 0xD3}},
      // 4.56 x 100 is 455.99999999999994 in binary floating point.
      {"no rounding noise truncated away",
       RecordConfig(kUvw),
       {4.56, -4.56, 0.29},
       "4.56,-4.56,0.29",
       {0x00, 0x00, 0x01, 0xC8, 0xFE, 0x38, 0x00, 0x1D, 0x12}},
      {"a field no record of the period had",
       RecordConfig(kPolar, 0, 1),
       {std::nullopt, 4.5, 0.25, std::nullopt},
       ",4.50,0.25,",
       {0x00, 0x00, 0xB1, 0xE0, 0x01, 0xC2, 0x00, 0x19, 0xB1, 0xE0, 0xDA}},
      // Averages beyond the configuration's field count (a stale count) are left out.
      {"field count from the configuration",
       RecordConfig(kUvw),
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
       "1.00,2.00,3.00",
       {0x00, 0x00, 0x00, 0x64, 0x00, 0xC8, 0x01, 0x2C, 0x81}},
  };
  for (const AveragedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TriAxisAveragedBinaryRecord record = BuildAveragedBinaryRecord(c.averages, c.config);
    EXPECT_EQ(record.line, c.line);
    EXPECT_EQ(record.bytes, Bytes(c.bytes));
    EXPECT_EQ(record.bytes.size(), TriAxisBinaryDecoder::RecordSize(c.config));
    EXPECT_EQ(TriAxisAveragedLine(c.averages, c.config), c.line);
  }
}

TEST(TriAxisAveragedRecordTest, TheFieldCountFollowsTheConfiguration) {
  EXPECT_EQ(TriAxisAveragedFieldCount(RecordConfig(kUvw)), 3);
  EXPECT_EQ(TriAxisAveragedFieldCount(RecordConfig(kPolar, 2, 1, "246")), 8);
  EXPECT_EQ(TriAxisAveragedFieldCount(RecordConfig(-1, -1, -1)), 3);
}

}  // namespace
}  // namespace ventari::test
