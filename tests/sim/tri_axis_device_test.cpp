#include "sim/tri_axis_device.h"

#include <gtest/gtest.h>

#include <QString>
#include <regex>
#include <string>
#include <vector>

#include "sim/tri_axis_record.h"
#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

class TriAxisDeviceTest : public SimLineTest {
 protected:
  // Enters configuration mode and forgets the prompt.
  void EnterConfig() {
    Command("IM");
    ASSERT_TRUE(Take().ends_with("T7> "));
  }

  // The texts between STX and ETX of the ASCII records received.
  std::vector<std::string> AsciiRecords() {
    std::vector<std::string> records;
    const std::string text = Take();
    static const std::regex kRecord("\x02([^\x02\x03]*)\x03");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kRecord);
         it != std::sregex_iterator(); ++it) {
      records.push_back((*it)[1].str());
    }
    return records;
  }

  // The binary records received, each from the first 0xBA through the check byte.
  std::vector<std::string> BinaryRecords(std::size_t size) {
    std::vector<std::string> records;
    const std::string text = Take();
    for (auto at = text.find("\xBA\xBA"); at != std::string::npos && at + size <= text.size();
         at = text.find("\xBA\xBA", at + size)) {
      records.push_back(text.substr(at, size));
    }
    return records;
  }
};

struct Identity {
  const char* model;
  std::int32_t baud;
  std::string sn;
  bool fiftyHz;
  std::string version;
};

TEST_F(TriAxisDeviceTest, EachModelShowsItsPromptOnIMAndIdentifiesItself) {
  const Identity identities[] = {
      {"t7", 19200, "SN\r\nO300451\r\nT7> ", false, "2.13"},
      {"mz", 19200, "SN\r\nH400562\r\nT7> ", false, "2.13"},
      {"t7-50", 38400, "SN\r\nO500673\r\nT7> ", true, "3.05"},
      {"mz-50", 38400, "SN\r\nH600784\r\nT7> ", true, "3.05"},
  };
  for (const Identity& identity : identities) {
    SCOPED_TRACE(identity.model);
    port.SetOpen(false);
    Open(identity.model, identity.baud);
    runtime.RunFor(2500);
    EXPECT_GE(AsciiRecords().size(), 2u) << "continuous output";
    Command("IM");
    const std::string prompt = Take();
    EXPECT_EQ(prompt, "\r\nT7> ") << "the prompt and a byte after it";
    runtime.RunFor(3000);
    EXPECT_EQ(Take(), "") << "no records in configuration mode";

    Command("SN");
    EXPECT_EQ(Take(), identity.sn);
    Command("VER");
    const std::string ver = Take();
    ASSERT_TRUE(ver.starts_with("VER\r\n")) << ver;
    EXPECT_EQ(ver.substr(5).starts_with("T7 50Hz"), identity.fiftyHz) << ver;
    EXPECT_NE(ver.find("Version " + identity.version), std::string::npos) << ver;
    EXPECT_TRUE(ver.ends_with("T7> "));
    Command("CONFIG");
    const std::string config = Take();
    EXPECT_TRUE(config.starts_with("CONFIG\r\nABSTEMP OFF\r\nWINDREP POLAR CAL\r\n")) << config;
    EXPECT_EQ(config.find("INST ") != std::string::npos, identity.fiftyHz) << config;
    EXPECT_TRUE(config.ends_with("ALIGNUVW AXIS\r\nT7> ")) << config;

    Command("EXIT");
    EXPECT_EQ(Take(), "EXIT\r\n");
    runtime.RunFor(2500);
    EXPECT_GE(AsciiRecords().size(), 2u) << "continuous output again";
  }
}

struct SettingCase {
  std::string command;
  std::string listed;
};

TEST_F(TriAxisDeviceTest, SettingsAreAcknowledgedAndListed) {
  const SettingCase cases[] = {
      {"WINDREP AXIS", "WINDREP AXIS\r\n"},
      {"WINDREP POLAR UNCAL", "WINDREP POLAR UNCAL\r\n"},
      {"SOSREP SONICTEMP C", "SOSREP SONICTEMP C\r\n"},
      {"ABSTEMP ON K", "ABSTEMP ON K\r\n"},
      {"STRFMT ASCII UNPAD", "STRFMT ASCII UNPAD\r\n"},
      {"MSGMODE POLL", "MSGMODE POLL\r\n"},
      {"AVERAGE 250", "AVERAGE 250\r\n"},
      {"INST ON", "INST ON\r\n"},
      {"ANAIP 1 E", "ANAIP EDDDDD\r\n"},
      {"ANAIP 3 E", "ANAIP EDEDDD\r\n"},
      {"ANAIP 1 D", "ANAIP DDEDDD\r\n"},
      {"AOPFSD 60", "AOPFSD 60\r\n"},
      {"POLARWRAP 540", "POLARWRAP 540\r\n"},
      {"CTONE ON", "CTONE ON\r\n"},
      {"CTONE DISABLE", "CTONE DISABLED\r\n"},
      {"ALIGNUVW SPAR", "ALIGNUVW SPAR\r\n"},
  };
  Open("mz-50", 38400);
  EnterConfig();
  for (const SettingCase& c : cases) {
    SCOPED_TRACE(c.command);
    Type(c.command);
    runtime.RunFor(50);
    port.PutChar('\r');
    runtime.RunFor(2000);  // the setup screen's wait for the acknowledgement
    EXPECT_EQ(Take(), c.command + "\r\nVALID\r\nT7> ");
    Command("CONFIG");
    EXPECT_NE(Take().find("\r\n" + c.listed), std::string::npos);
  }
  for (const std::string refused :
       {"WINDREP POLAR", "AVERAGE 0", "AVERAGE 251", "ANAIP 7 E", "BAUD 1200", "FOO BAR", "B"}) {
    SCOPED_TRACE(refused);
    Command(refused);
    EXPECT_EQ(Take(), refused + "\r\nERROR\r\nT7> ");
  }
  port.SetOpen(false);
  Open("t7", 19200);
  EnterConfig();
  Command("INST ON");
  EXPECT_EQ(Take(), "INST ON\r\nERROR\r\nT7> ") << "only the 50 Hz models measure instantaneously";
}

TEST_F(TriAxisDeviceTest, EchoOffAndTheCrTerminatorShapeEveryAnswer) {
  Open("t7", 19200);
  EnterConfig();
  Command("ASCTERM CR");
  Take();
  Command("SN");
  EXPECT_EQ(Take(), "SN\rO300451\rT7> ");
  Command("ECHO OFF");
  EXPECT_EQ(Take(), "ECHO OFF\rVALID\rT7> ");
  Command("CONFIG");
  const std::string listing = Take();
  EXPECT_TRUE(listing.starts_with("ABSTEMP OFF\rWINDREP POLAR CAL\r")) << listing;
  EXPECT_NE(listing.find("\rECHO OFF\r"), std::string::npos);
}

class TriAxisBaudTest : public TriAxisDeviceTest {
 protected:
  // The setup screen's exchange: BAUD, and as soon as "Co" and one more byte came, the port
  // switches and sends "B"; the acknowledgement must come within 500 ms.
  bool ChangeBaud(std::int32_t to) {
    Type("BAUD " + std::to_string(to));
    runtime.RunFor(50);
    port.PutChar('\r');
    for (int ms = 0; ms < 2000 && Take().find("Co") == std::string::npos; ++ms) {
      runtime.RunFor(1);
    }
    runtime.RunFor(1);  // the byte after "Co"
    port.FlushInBuffer();
    port.FlushOutBuffer();
    port.SetBaud(to);
    Take();
    Type("B");
    runtime.RunFor(50);
    port.PutChar('\r');
    runtime.RunFor(500);
    return Take().find("VALID") != std::string::npos;
  }
};

TEST_F(TriAxisBaudTest, TheNewRateIsConfirmedAtItWithinTheSystemsWait) {
  Open("t7", 19200);
  EnterConfig();
  for (const std::int32_t to : {2400, 115200, 4800, 9600}) {
    SCOPED_TRACE(to);
    EXPECT_TRUE(ChangeBaud(to));
    Command("CONFIG");
    EXPECT_NE(Take().find("BAUD " + std::to_string(to) + "\r\n"), std::string::npos);
  }
}

TEST_F(TriAxisBaudTest, AnUnconfirmedRateIsGivenUp) {
  Open("t7", 19200);
  EnterConfig();
  Command("BAUD 57600");
  EXPECT_EQ(Take(), "BAUD 57600\r\nConfirm with B\r\n");
  runtime.RunFor(SimDevice::kConfirmWindowMs);
  Command("CONFIG");
  EXPECT_NE(Take().find("BAUD 19200\r\n"), std::string::npos);
}

TEST_F(TriAxisDeviceTest, AsciiRecordsHoldTheAnnouncedFieldsAtTheirPositions) {
  Open("t7", 19200);
  EnterConfig();
  for (const char* command : {"WINDREP UVW CAL", "SOSREP SPEED", "ABSTEMP ON C", "ANAIP 1 E",
                              "ANAIP 3 E", "AVERAGE 1", "EXIT"}) {
    Command(command);
  }
  Take();
  runtime.RunFor(1000);
  const auto uvw = AsciiRecords();
  ASSERT_GE(uvw.size(), 8u) << "AVERAGE 1: every measurement";
  const std::regex kUvw(
      "[0-9]{2},[0-9A-F]{2},([+-][0-9]{2}\\.[0-9]{2},){3}[0-9]{3}\\.[0-9]{2},[+-][0-9]{2}\\.[0-9]{"
      "2},"
      "([+-][0-9]\\.[0-9]{4},){2}");
  for (const std::string& record : uvw) EXPECT_TRUE(std::regex_match(record, kUvw)) << record;

  Command("IM");
  Command("WINDREP POLAR CAL");
  Command("SOSREP OFF");
  Command("ABSTEMP OFF");
  Command("ANAIP 1 D");
  Command("ANAIP 3 D");
  Command("EXIT");
  Take();
  runtime.RunFor(1000);
  const std::regex kPolar(
      "[0-9]{2},[0-9A-F]{2},[0-9]{3},[0-9]{2}\\.[0-9]{2},[+-][0-9]{2}\\.[0-9]{2},");
  for (const std::string& record : AsciiRecords()) {
    EXPECT_TRUE(std::regex_match(record, kPolar)) << record;
  }

  Device().Device().Wind().SetBlockedProbability(1);
  runtime.RunFor(500);
  for (const std::string& record : AsciiRecords()) EXPECT_EQ(record.substr(6, 3), "999");
}

TEST_F(TriAxisDeviceTest, PaddedAndUnpaddedRecordsDifferOnlyInLeadingZeros) {
  Open("t7", 19200);
  WindSample sample;
  sample.direction = 5;
  sample.speed = 4.56;
  sample.vertical = 0.12;
  Device().Device().Wind().SetSequence({sample});
  runtime.RunFor(1500);
  auto records = AsciiRecords();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().substr(6), "005,04.56,+00.12,");
  EnterConfig();
  Command("STRFMT ASCII UNPAD");
  Command("EXIT");
  Take();
  runtime.RunFor(1500);
  records = AsciiRecords();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().substr(6), "5,4.56,+0.12,");
}

TEST_F(TriAxisDeviceTest, StatusAddressesCycleWithValuesThatAgreeWithTheConfiguration) {
  Open("mz", 19200);
  EnterConfig();
  for (const char* command : {"POLARWRAP 540", "AOPFSD 30", "SOSREP SPEED", "ANAIP 2 E",
                              "ALIGNUVW SPAR", "AVERAGE 1", "EXIT"}) {
    Command(command);
  }
  Take();
  runtime.RunFor(1100);
  const auto records = AsciiRecords();
  ASSERT_GE(records.size(), 11u);
  std::vector<int> seen(11, -1);
  for (std::size_t i = 0; i < 11; ++i) {
    const int address = std::stoi(records[i].substr(0, 2));
    ASSERT_LE(address, 10);
    seen[address] = std::stoi(records[i].substr(3, 2), nullptr, 16);
  }
  EXPECT_EQ(seen[0], 0) << "no failures";
  EXPECT_EQ(seen[1], 0x18) << "clinometer fitted, spar alignment";
  EXPECT_EQ(seen[2], 0x1B) << "polar 540, 30 full scale, speed of sound";
  EXPECT_EQ(seen[3], 1) << "one analogue input";
  EXPECT_EQ(seen[6], 2) << "serial letter H";
}

TEST_F(TriAxisDeviceTest, BinaryRecordsAreBigEndianWithACheckByte) {
  Open("t7", 19200);
  EnterConfig();
  for (const char* command :
       {"STRFMT BINARY", "SOSREP SPEED", "ANAIP 2 E", "ANAIP 5 E", "AVERAGE 1", "EXIT"}) {
    Command(command);
  }
  Take();
  runtime.RunFor(1000);
  const std::size_t size = 11 + 2 + 2 * 2;
  const auto records = BinaryRecords(size);
  ASSERT_GE(records.size(), 8u);
  for (const std::string& record : records) {
    char check = 0;
    for (std::size_t i = 2; i + 1 < size; ++i) check ^= record[i];
    EXPECT_EQ(record.back(), check);
    const int direction =
        (static_cast<unsigned char>(record[4]) << 8) | static_cast<unsigned char>(record[5]);
    EXPECT_LT(direction, 360);
    const int speedOfSound =
        (static_cast<unsigned char>(record[10]) << 8) | static_cast<unsigned char>(record[11]);
    EXPECT_NEAR(speedOfSound / 100.0, 340, 15);
  }
  Device().Device().Wind().SetBlockedProbability(1);
  for (const std::string& record : BinaryRecords(size)) {
    EXPECT_EQ(record.substr(4, 2), "\xB1\xE0");
    EXPECT_EQ(record.substr(6, 2), "\xB1\xE0");
  }
}

TEST_F(TriAxisDeviceTest, PolledOutputSendsOneRecordPerQuestionMark) {
  Open("t7", 19200);
  EnterConfig();
  Command("MSGMODE POLL");
  Command("EXIT");
  Take();
  runtime.RunFor(3000);
  EXPECT_TRUE(AsciiRecords().empty());
  port.PutChar('?');
  runtime.RunFor(100);
  EXPECT_EQ(AsciiRecords().size(), 1u);
}

}  // namespace
}  // namespace ventari::sim
