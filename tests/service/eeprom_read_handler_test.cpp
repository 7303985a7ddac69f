#include "service/eeprom_read_handler.h"

#include <gtest/gtest.h>

#include <string>

#include "base/virtual_runtime.h"
#include "link/packet_matcher_group.h"
#include "link/system_matchers.h"

namespace ventari {
namespace {

class EepromReadHandlerTest : public ::testing::Test {
 protected:
  // Arms the matcher for `start` and lets `bytes` arrive.
  void Reply(const char* start, const std::string& bytes) {
    matchers.EEreadPacket.SetStartString(start);
    matchers.EEreadPacket.SetEnabled(true);
    group.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  VirtualRuntime rt;
  PacketMatcherGroup group{rt};
  SystemMatchers matchers{group};
  CalibrationReadouts readouts;
  EepromReadHandler handler{matchers.EEreadPacket, readouts};
};

struct RouteCase {
  const char* start;
  QString CalibrationReadouts::*readout;
};

TEST_F(EepromReadHandlerTest, OutsideReadBackRepliesLandInTheReadoutTheirCellNames) {
  const RouteCase cases[] = {
      {"R 75\r\n", &CalibrationReadouts::SOSOffsetLower},
      {"R 76\r\n", &CalibrationReadouts::SOSOffsetUpper},
      {"R 82\r\n", &CalibrationReadouts::CurrentAxis1},
      {"R 83\r\n", &CalibrationReadouts::CurrentAxis2},
      {"R 84\r\n", &CalibrationReadouts::CurrentAxis3},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.start);
    readouts = {};
    matchers.EEreadPacket.Received = 0;
    Reply(c.start, std::string(c.start) + "217\r\n");
    EXPECT_EQ(readouts.*c.readout, QStringLiteral("217\r"));
    EXPECT_EQ(matchers.EEreadPacket.Received, 0) << "not a read-back: no received flag";
    EXPECT_FALSE(matchers.EEreadPacket.Enabled());
  }
  readouts = {};
  Reply("R 90\r\n", "R 90\r\n5555");
  EXPECT_EQ(readouts.CurrentAxis1, QString());
  EXPECT_EQ(readouts.EngChecksum, QString());
}

TEST_F(EepromReadHandlerTest, ReadBackModeKeepsTheReplyAndRaisesTheFlag) {
  handler.readBackMode = true;
  Reply("R 82\r\n", "R 82\r\n0042");
  EXPECT_EQ(handler.EepromData, QStringLiteral("0042"));
  EXPECT_EQ(matchers.EEreadPacket.Received, 1);
  EXPECT_EQ(readouts.CurrentAxis1, QString()) << "a read-back is routed nowhere else";
  EXPECT_FALSE(matchers.EEreadPacket.Enabled());
}

TEST_F(EepromReadHandlerTest, WhileTheLarkvaneSoftwareTestRunsTheReplyIsKeptForIt) {
  handler.larkvaneSwTestRunning = true;
  Reply("R 83\r\n", "R 83\r\n12\r\n");
  EXPECT_EQ(handler.lastLarkvaneReply, QStringLiteral("12\r\n"));
  EXPECT_EQ(matchers.EEreadPacket.Received, 1);
  EXPECT_EQ(readouts.CurrentAxis2, QString());
}

}  // namespace
}  // namespace ventari
