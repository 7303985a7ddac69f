#include "sim/two_axis_device.h"

#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "sim/two_axis_message.h"
#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

// Data messages in a received text, from STX to the end of their line.
std::vector<std::string> Messages(const std::string& text) {
  std::vector<std::string> messages;
  static const std::regex kMessage("\x02[^\x02\x03]*\x03[0-9A-F]{2}\r?\n");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kMessage);
       it != std::sregex_iterator(); ++it) {
    messages.push_back(it->str());
  }
  return messages;
}

// Characters `from` to `to` (counting from 1, STX being 1) read as a number, as the system
// reads them; NaN when they are not one.
double Field(const std::string& message, int from, int to) {
  bool ok = false;
  const double value =
      QString::fromStdString(message.substr(from - 1, to - from + 1)).trimmed().toDouble(&ok);
  return ok ? value : std::nan("");
}

class TwoAxisDeviceTest : public SimLineTest {};

struct Identity {
  const char* model;
  std::string d1;
  std::string d2;
};

TEST_F(TwoAxisDeviceTest, EachModelAnswersStarThenEchoesAndIdentifiesItself) {
  const Identity identities[] = {
      {"kestrix2", "D1\r\nE100234\r\n", "D2\r\n3.05\r\n"},
      {"kestrix2-heated", "D1\r\nF100235\r\n", "D2\r\n3.05\r\n"},
      {"larkvane", "D1\r\nY200117\r\n", "D2\r\nVer  205\r\n"},
  };
  for (const Identity& identity : identities) {
    SCOPED_TRACE(identity.model);
    port.SetOpen(false);
    Open(identity.model, 9600);
    runtime.RunFor(3000);
    EXPECT_FALSE(Messages(Take()).empty()) << "streams in data mode";
    port.PutChar('*');
    runtime.RunFor(1000);
    const std::string banner = Take();
    EXPECT_NE(banner.find("CONFIGURATION MODE\r\n"), std::string::npos) << banner;
    runtime.RunFor(3000);
    EXPECT_EQ(Take(), "") << "no data in configuration mode";
    Command("D1");
    EXPECT_EQ(Take(), identity.d1);
    Command("D2");
    EXPECT_EQ(Take(), identity.d2);
    Command("Q");
    Take();
    runtime.RunFor(2000);
    EXPECT_FALSE(Messages(Take()).empty()) << "streams again after Q";
  }
}

TEST_F(TwoAxisDeviceTest, D3RepliesAreShapedForTheWayTheSystemFindsTheirFields) {
  Open("kestrix2", 9600);
  EnterConfig();
  Command("D3");
  const std::string kestrix = Take();
  EXPECT_EQ(kestrix.rfind("D3", 0), 0u);
  EXPECT_EQ(kestrix.find("D3", 1), std::string::npos) << "nothing may close the reply early";
  EXPECT_EQ(kestrix.find("d3"), std::string::npos);
  for (const char letter : std::string("ABCEFGHJKLMOPTUVXYZ")) {
    const auto at = kestrix.find(letter);
    ASSERT_NE(at, std::string::npos) << letter;
    EXPECT_EQ(kestrix.find(letter, at + 1), std::string::npos) << letter << " appears twice";
  }
  EXPECT_TRUE(std::regex_search(kestrix, std::regex("G[0-9]{4} "))) << kestrix;

  port.SetOpen(false);
  Open("larkvane", 9600);
  EnterConfig();
  Command("D3");
  const std::string larkvane = Take();
  EXPECT_EQ(larkvane.find(",\r\n"), larkvane.size() - 3) << larkvane;
  for (const char letter : std::string("BFLMOPSCTU")) {
    EXPECT_NE(larkvane.find(letter), std::string::npos) << letter;
  }
}

struct SettingCase {
  std::string command;
  std::string reported;  // what the next D3 reply then holds
};

class TwoAxisSettingsTest : public SimLineTest {
 protected:
  // Sends a setting in one of the three ways the system sends text, then asks for D3.
  std::string SetAndReport(const std::string& command, int form) {
    switch (form % 3) {
      case 0:
        Command(command);
        break;
      case 1:
        port.PutString(command + "\r\n");
        runtime.RunFor(1000);
        break;
      default:
        port.PutString(command);
        runtime.RunFor(50);
        port.PutChar('\r');
        runtime.RunFor(1000);
        break;
    }
    Take();
    Command("D3");
    return Take();
  }
};

TEST_F(TwoAxisSettingsTest, EveryKestrixSettingShowsInTheNextD3) {
  const SettingCase cases[] = {
      {"A2", "A2"}, {"C2", "C2"},       {"G0600", "G0600"}, {"H2", "H2"}, {"J3", "J3"},
      {"K2", "K2"}, {"L2", "L2"},       {"M1", "M1"},       {"O1", "O1"}, {"P6", "P6"},
      {"T3", "T3"}, {"U2", "U2"},       {"V2", "V2"},       {"X4", "X4"}, {"Y2", "Y2"},
      {"Z7", "Z7"}, {"G3600", "G3600"}, {"A0", "A0"},       {"J0", "J0"},
  };
  Open("kestrix2-heated", 9600);
  EnterConfig();
  int form = 0;
  for (const SettingCase& c : cases) {
    SCOPED_TRACE(c.command);
    const std::string reply = SetAndReport(c.command, form++);
    EXPECT_NE(reply.find(c.reported), std::string::npos) << reply;
  }
}

TEST_F(TwoAxisSettingsTest, TheLarkvaneTakesOnlyItsOwnCommands) {
  const SettingCase taken[] = {{"M1", "M1"}, {"O2", "O2"}, {"L2", "L2"}, {"P3", "P3"},
                               {"U5", "U5"}, {"S3", "S3"}, {"C2", "C2"}, {"T2", "T2"}};
  Open("larkvane", 9600);
  EnterConfig();
  int form = 0;
  for (const SettingCase& c : taken) {
    SCOPED_TRACE(c.command);
    EXPECT_NE(SetAndReport(c.command, form++).find(c.reported), std::string::npos);
  }
  Command("D3");
  const std::string before = Take();
  for (const std::string refused :
       {"V2", "A1", "K2", "Z3", "Y2", "J1", "X2", "H2", "G0600", "P4", "F4", "B6", "S4", "T3"}) {
    SCOPED_TRACE(refused);
    Command(refused);
    EXPECT_EQ(Take(), refused + "\r\n?\r\n");
    Command("D3");
    EXPECT_EQ(Take(), before);
  }
}

TEST_F(TwoAxisSettingsTest, TheKestrixRefusesLarkvaneCommandsAndValuesOutOfRange) {
  Open("kestrix2", 9600);
  EnterConfig();
  Command("D3");
  const std::string before = Take();
  for (const std::string refused : {"S3", "G3601", "G600", "X5", "P7", "U6", "A4", "M3", "B8"}) {
    SCOPED_TRACE(refused);
    Command(refused);
    EXPECT_EQ(Take(), refused + "\r\n?\r\n");
  }
  Command("D3");
  EXPECT_EQ(Take(), before);
}

TEST_F(TwoAxisSettingsTest, NewLineSettingsHoldOnlyWhenConfirmedAtThem) {
  Open("kestrix2", 9600);
  EnterConfig();
  // Parity even, 7 data bits, confirmed at the new format.
  Command("F5");
  port.SetDataBits(7);
  port.SetParity(Parity::kEven);
  Take();
  Command("F");
  EXPECT_EQ(Take(), "F\r\n");
  Command("B4");
  port.SetBaud(19200);
  Take();
  Command("B");
  EXPECT_EQ(Take(), "B\r\n");
  Command("D3");
  const std::string reply = Take();
  EXPECT_NE(reply.find("B4"), std::string::npos) << reply;
  EXPECT_NE(reply.find("F5"), std::string::npos) << reply;

  // A rate that is never confirmed is given up; the device is back at the old one.
  Command("B2");
  Take();
  runtime.RunFor(SimDevice::kConfirmWindowMs);
  Command("D3");
  EXPECT_NE(Take().find("B4"), std::string::npos);
}

class TwoAxisDataTest : public SimLineTest {};

TEST_F(TwoAxisDataTest, PolarMessagesCarryDirectionAndSpeedWhereTheSystemReadsThem) {
  Open("kestrix2", 9600);
  runtime.RunFor(5500);
  const auto messages = Messages(Take());
  ASSERT_EQ(messages.size(), 5u) << "1 Hz";
  for (const std::string& m : messages) {
    const double direction = Field(m, 4, 6);
    EXPECT_GE(direction, 0);
    EXPECT_LT(direction, 360);
    EXPECT_GE(Field(m, 8, 13), 0) << m;
    EXPECT_EQ(m.substr(14, 3), "M,0") << m;
  }
}

TEST_F(TwoAxisDataTest, SettingsChangeTheStreamAfterQ) {
  Open("kestrix2", 9600);
  EnterConfig();
  Command("M1");
  Command("U2");
  Command("P6");
  Command("L2");
  Command("A3");
  Command("Q");
  Take();
  runtime.RunFor(1000);
  const std::string text = Take();
  const auto messages = Messages(text);
  EXPECT_GE(messages.size(), 9u) << "10 Hz";
  for (const std::string& m : messages) {
    SCOPED_TRACE(m);
    const double u = Field(m, 4, 10);
    const double v = Field(m, 12, 18);
    ASSERT_FALSE(std::isnan(u));
    ASSERT_FALSE(std::isnan(v));
    EXPECT_EQ(m[10], ',');
    // Speed of sound, sonic temperature, the knots letter, LF only.
    EXPECT_TRUE(std::regex_search(m, std::regex(",[0-9]{3}\\.[0-9]{2},[+-][0-9]{2}\\.[0-9]{2},N,00,"
                                                "\x03[0-9A-F]{2}\n$")));
  }
}

TEST_F(TwoAxisDataTest, TheLarkvaneSendsFixedFieldsOnlyAfterO2) {
  const TwoAxisSettings settings;
  TwoAxisSettings csv = settings;
  csv.fieldFormat = 1;
  WindSample calm;
  calm.speed = 3.45;
  calm.direction = 5;
  std::size_t etx = 0;
  EXPECT_EQ(TwoAxisMessage(csv, calm, etx).substr(0, 12), "\x02Q,5,3.45,M,");
  EXPECT_EQ(TwoAxisMessage(settings, calm, etx).substr(0, 16), "\x02Q,005,003.45,M,");

  Open("larkvane", 9600);
  EnterConfig();
  Command("O2");
  Command("Q");
  Take();
  runtime.RunFor(3000);
  for (const std::string& m : Messages(Take())) {
    EXPECT_TRUE(std::regex_search(m, std::regex("^\x02Q,[0-9]{3},[0-9]{3}\\.[0-9]{2},M,"))) << m;
  }
}

TEST_F(TwoAxisDataTest, BlockedMeasurementsGiveUnreadableFields) {
  Open("kestrix2", 9600);
  Device().Device().Wind().SetBlockedProbability(1);
  runtime.RunFor(2500);
  const auto messages = Messages(Take());
  ASSERT_FALSE(messages.empty());
  for (const std::string& m : messages) {
    EXPECT_TRUE(std::isnan(Field(m, 4, 6))) << m;
    EXPECT_TRUE(std::isnan(Field(m, 8, 13))) << m;
  }
}

}  // namespace
}  // namespace ventari::sim
