// The pure parts of EEPROM programming: the dump block reader, the write texts, the Larkvane's
// upload cells and program checksum, and the command line's sensor types.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <array>
#include <optional>
#include <vector>

#include "cli/eeprom_command.h"
#include "service/eeprom_programmer.h"
#include "service/eeprom_read_handler.h"
#include "service/eeprom_reads.h"
#include "service/eeprom_writer.h"
#include "service/lv_dump.h"

namespace ventari {
namespace {

struct DumpCase {
  const char* block;
  int base;
  std::vector<int> expected;  // from `base` on
  int filled;
};

TEST(LarkvaneDumpBlock, PairsBeforeCommasFillConsecutiveCells) {
  const DumpCase cases[] = {
      {"12,34,AB,\r\n56,\r\n", 16, {0x12, 0x34, 0xAB, 0x56}, 4},
      {"  ab,0f,\r\n", 0, {0xAB, 0x0F}, 2},
      {"12,34,trailing", 20, {0x12, 0x34}, 2},
      {"1,", 0, {}, 0},
      {"12,G4,56,", 0, {0x12}, 1},  // a pair that is no byte ends the block
      {"", 5, {}, 0},
      {"FE,FD,FC,", 944, {0xFE, 0xFD}, 2},  // the rest is beyond the buffer
  };
  for (const DumpCase& c : cases) {
    SCOPED_TRACE(c.block);
    std::array<std::uint8_t, 946> cells;
    cells.fill(0xFF);
    std::array<bool, 946> valid{};
    EXPECT_EQ(ParseDumpBlock(c.block, c.base, cells, valid), c.filled);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(cells[static_cast<std::size_t>(c.base) + i], c.expected[i]);
      EXPECT_TRUE(valid[static_cast<std::size_t>(c.base) + i]);
    }
    const std::size_t after = static_cast<std::size_t>(c.base) + c.expected.size();
    if (after < cells.size()) {
      EXPECT_FALSE(valid[after]);
    }
  }
}

struct ReplyCase {
  const char* reply;
  int base;
  std::optional<int> value;
};

TEST(EepromReadReply, ACellValueOrNothing) {
  const ReplyCase cases[] = {
      {"\n27", 10, 27},          {"255\r", 10, 255},         {"256", 10, std::nullopt},
      {"-1", 10, std::nullopt},  {"+5", 10, std::nullopt},   {"", 10, std::nullopt},
      {"2 7", 10, std::nullopt}, {"3E\r", 16, 0x3E},         {"3e\r", 16, 0x3E},
      {"F\r", 16, 0xF},          {"ZZ\r", 16, std::nullopt}, {"?\r\n", 16, std::nullopt},
  };
  for (const ReplyCase& c : cases) {
    EXPECT_EQ(ReadReplyValue(QString::fromLatin1(c.reply), c.base), c.value) << c.reply;
  }
}

TEST(LarkvaneDumpBound, LeavesTimeForTheWholeDumpAtTheLinesRate) {
  // D 93 at 2400 baud takes about eight seconds to arrive.
  EXPECT_GT(EepromReads::DumpBoundMs(2400), 10'000);
  EXPECT_LT(EepromReads::DumpBoundMs(38400), 4000);
}

TEST(EepromWriteText, EachFamilyItsOwnDigits) {
  EXPECT_EQ(KestrixWriteText(150, 27), QStringLiteral("W 150 27"));
  EXPECT_EQ(LarkvaneWriteText(0x1A3, 0x0F), QStringLiteral("W 1A3 F"));
  EXPECT_EQ(LarkvaneWriteText(0, 0xFF), QStringLiteral("W 0 FF"));
}

TEST(LarkvaneUpload, TheCheckBoxesChooseTheCells) {
  const auto both = LarkvaneUploadCells(true, true);
  EXPECT_EQ(both.size(), 681u);
  EXPECT_EQ(std::count(both.begin(), both.end(), 12), 0);
  EXPECT_EQ(std::count(both.begin(), both.end(), 13), 0);
  EXPECT_EQ(std::count(both.begin(), both.end(), 121), 0);
  EXPECT_EQ(LarkvaneUploadCells(true, false).size(), 10u + 107u);
  EXPECT_EQ(LarkvaneUploadCells(false, true).size(), 2u + 562u);
  EXPECT_TRUE(LarkvaneUploadCells(false, false).empty());
}

TEST(LarkvaneChecksum, FourHexDigitsOrNothing) {
  EXPECT_EQ(LarkvaneChecksumCells(QStringLiteral("A53E")),
            (std::array<std::uint8_t, 2>{0x3E, 0xA5}));
  EXPECT_EQ(LarkvaneChecksumCells(QStringLiteral("a53e")),
            (std::array<std::uint8_t, 2>{0x3E, 0xA5}));
  for (const char* bad : {"", "A53", "A53E0", "A5 E", "+A5E", "G53E", "0x3E"}) {
    EXPECT_FALSE(LarkvaneChecksumCells(QString::fromLatin1(bad))) << bad;
  }
}

TEST(EepromCommandType, TypesNameTheirSensorAndEepromSize) {
  EXPECT_EQ(EepromSensorType(QStringLiteral("FA"))->sensor, SensorState::kKestrix2Heated);
  EXPECT_TRUE(EepromSensorType(QStringLiteral("xeq"))->xeq);
  const auto lv4 = EepromSensorType(QStringLiteral("LV4"));
  EXPECT_EQ(lv4->larkvaneOption, 4);
  EXPECT_EQ(lv4->eepromSize, kLarkvaneEepromSize);
  for (const char* bad : {"", "LV5", "LV0", "G", "LV"}) {
    EXPECT_FALSE(EepromSensorType(QString::fromLatin1(bad))) << bad;
  }
}

TEST(EepromCommandType, TheReportListsWrittenReadAndDifferentCells) {
  ProductionTest test;
  test.eepromResult = 1;
  test.written[3] = true;
  test.eepromImage[3] = 9;
  test.readBackValid[3] = true;
  test.eepromReadBack[3] = 8;
  test.readBackValid[4] = true;
  const QJsonObject report = EepromReport(test, {3});
  EXPECT_EQ(report[QStringLiteral("written")].toArray(), (QJsonArray{QJsonArray{3, 9}}));
  EXPECT_EQ(report[QStringLiteral("readBack")].toArray().size(), 2);
  EXPECT_EQ(
      report[QStringLiteral("differences")].toArray()[0].toObject()[QStringLiteral("readBack")], 8);
}

}  // namespace
}  // namespace ventari
