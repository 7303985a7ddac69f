#include "sim/two_axis_eeprom.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <regex>
#include <string>

#include "sim/two_axis_device.h"
#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

class TwoAxisEepromTest : public SimLineTest {
 protected:
  TwoAxisEeprom& Eeprom() { return Device().TwoAxis()->Eeprom(); }
  // Sent as the system sends raw texts: all at once.
  void Raw(const std::string& text) {
    port.PutString(text);
    runtime.RunFor(1000);
  }
};

TEST_F(TwoAxisEepromTest, KestrixTakesDecimalWritesOnlyAfterTheAccessWord) {
  Open("kestrix2", 9600);
  EnterConfig();
  Raw("W 150 27\r\n");
  EXPECT_EQ(Eeprom().Cell(150), 0xFF);
  EXPECT_NE(Take().find("?\r\n"), std::string::npos);
  Raw("\r\nMAVROTIK\r\nW 150 27\r\nW 511 200\r\n");
  EXPECT_EQ(Eeprom().Cell(150), 27);
  EXPECT_EQ(Eeprom().Cell(511), 200);
  Take();
  Raw("R 150\r\n");
  EXPECT_EQ(Take(), "R 150\r\n\n27\r\n") << "echo, then the value";
  Command("Q");
  Take();
  EnterConfig();
  Raw("W 150 3\r\n");
  EXPECT_EQ(Eeprom().Cell(150), 27) << "Q locks the cells again";
}

TEST_F(TwoAxisEepromTest, LarkvaneWritesInHexAndAnswersReadsAfterItsEcho) {
  Open("larkvane", 9600);
  EnterConfig();
  Command("VESPRANT");
  Take();
  Command("W 1A3 F");
  EXPECT_EQ(Eeprom().Cell(0x1A3), 0x0F);
  Command("W C 3E");
  Take();
  Command("R 0C");
  EXPECT_EQ(Take(), "R 0C\r\r\n3E\r\n") << "what the read's start string and size expect";
}

TEST_F(TwoAxisEepromTest, LarkvaneDumpsFrameEachBlockForItsMatcher) {
  TwoAxisEeprom eeprom(true);
  for (int a = 0; a < TwoAxisEeprom::kLarkvaneCells; ++a) {
    eeprom.SetCell(a, static_cast<std::uint8_t>(a * 7));
  }
  struct Block {
    int which;
    const char* start;
    int base;
    int count;
  };
  const Block blocks[] = {{2, "0010\r\n", 16, 32},   {2, "0030\r\n", 48, 32},
                          {2, "0050\r\n", 80, 48},   {3, "0180\r\n", 384, 180},
                          {3, "0234\r\n", 564, 180}, {3, "02E8\r\n", 744, 101},
                          {3, "034D\r\n", 845, 101}};
  for (const Block& block : blocks) {
    SCOPED_TRACE(block.start);
    const std::string dump = eeprom.Dump(block.which);
    const std::size_t begin = dump.find(block.start);
    ASSERT_NE(begin, std::string::npos);
    const std::size_t from = begin + 6;
    const std::size_t end = dump.find("\r\n\r\n", from);
    ASSERT_NE(end, std::string::npos);
    const std::string body = dump.substr(from, end - from);
    std::string expected;
    static const std::regex kByte("([0-9A-F]{2}),");
    int count = 0;
    for (auto it = std::sregex_iterator(body.begin(), body.end(), kByte);
         it != std::sregex_iterator(); ++it, ++count) {
      EXPECT_EQ(std::stoi((*it)[1].str(), nullptr, 16), (block.base + count) * 7 % 256);
    }
    EXPECT_EQ(count, block.count);
  }
}

TEST_F(TwoAxisEepromTest, FaultsSilenceReadsAndLoseWrites) {
  TwoAxisEeprom eeprom(true);
  eeprom.Command("VESPRANT");
  eeprom.LoseWrites(5, 1);
  eeprom.LoseWrites(6);
  for (int i = 0; i < 2; ++i) {
    eeprom.Command("W 5 11");
    eeprom.Command("W 6 22");
  }
  EXPECT_EQ(eeprom.Cell(5), 0x11) << "taken on the second write";
  EXPECT_EQ(eeprom.Cell(6), 0xFF) << "never taken";
  EXPECT_EQ(eeprom.WritesTo(5), 1);
  eeprom.SetSilent(true);
  EXPECT_EQ(eeprom.Command("R 05"), std::string());
  EXPECT_EQ(eeprom.Command("D 92"), std::string());
}

struct DebugCase {
  const char* writes;
  const char* pattern;  // the line after its "\n"
};

TEST_F(TwoAxisEepromTest, DebugCellsTurnTheDataIntoDiagnosticLinesOfTheirSize) {
  const DebugCase cases[] = {
      {"W 65 1\r\nW 66 0\r\n", "^0100   1100   2100   3100   \r$"},
      {"W 65 0\r\nW 66 64\r\n", "^(0[89A-F]|1[0-3])   (0[89A-F]|1[0-3])   (0[89A-F]|1[0-3]) \r$"},
      {"W 65 0\r\nW 66 8\r\n", "^(1[C-F]|2[0-4])   (1[C-F]|2[0-4])   (1[C-F]|2[0-4]) \r$"},
      {"W 65 0\r\nW 66 16\r\n", "^([78][0-9A-F]|90)   ([78][0-9A-F]|90)   ([78][0-9A-F]|90) \r$"},
      {"W 65 0\r\nW 66 1\r\n", "^((FF[DEF][0-9A-F]|00[0-2][0-9A-F]) ?){3}$"},
  };
  Open("kestrix2", 9600);
  for (const DebugCase& c : cases) {
    SCOPED_TRACE(c.writes);
    EnterConfig();
    Raw(std::string("\r\nMAVROTIK\r\nW 64 9\r\n") + c.writes + "W 67 0\r\nW 68 0\r\nW 74 85\r\n");
    Command("Q");
    Take();
    runtime.RunFor(3000);
    const std::string text = Take();
    ASSERT_EQ(text.find('\x02'), std::string::npos) << "no data messages";
    const QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    const std::string line = lines[1].toStdString();
    EXPECT_EQ(line.size(), c.pattern[1] == '0' && c.pattern[2] == '1' ? 29u : 14u);
    EXPECT_TRUE(std::regex_search(line, std::regex(c.pattern))) << line;
  }
  EnterConfig();
  Raw("\r\nMAVROTIK\r\nW 64 255\r\nW 65 1\r\nW 66 0\r\nW 67 0\r\nW 68 0\r\nW 74 0\r\n");
  Command("Q");
  Take();
  runtime.RunFor(3000);
  EXPECT_NE(Take().find('\x02'), std::string::npos) << "debug off: data again";
}

TEST_F(TwoAxisEepromTest, ADiagnosticsFaultPutsValuesOutOfRange) {
  TwoAxisEeprom eeprom(false);
  eeprom.SetDiagnosticsFault(true);
  std::mt19937 random(1);
  EXPECT_EQ(eeprom.DiagnosticLine(DebugOutput::kStatus, random),
            "\n0100   1402   2100   3100   \r");
  EXPECT_EQ(eeprom.DiagnosticLine(DebugOutput::kGain, random), "\n2A   2A   2A \r");
  EXPECT_EQ(eeprom.DiagnosticLine(DebugOutput::kCoarseDifference, random), "\n0100 0100 0100");
}

}  // namespace
}  // namespace ventari::sim
