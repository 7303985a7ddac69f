#include <gtest/gtest.h>

#include "app/mode_commands.h"
#include "app/two_axis_reply_applier.h"
#include "link/command_channel.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "support/channel_on_line.h"
#include "support/recorded_live_windows.h"

namespace ventari {
namespace {

class TwoAxisRepliesTest : public ::testing::Test, protected test::ChannelOnLine {
 protected:
  const MenuEntry& Menu(MenuId id) { return window.menu.Entry(id); }

  SystemMatchers& m = matchers;
  TwoAxisConfig config;
  TwoAxisDialogLayout layout;
  test::RecordedLiveWindows windows;
  ModeCommands modes{channel, state, window.menu, config, windows};
  TwoAxisReplyApplier replies{m, state, window.menu, config, layout, modes, windows};
};

TEST_F(TwoAxisRepliesTest, D1OfAHeatedKestrixGivesTypeSerialModelAndArmsD2) {
  replies.OnD1Packet("\r\nF123456\r");
  EXPECT_EQ(state.TypeCode, "F");
  EXPECT_EQ(state.SerialNumber, "123456");
  EXPECT_EQ(state.Model, AnemModel::kHeatedKestrix2);
  EXPECT_EQ(state.ModelCaption, "Heated Kestrix 2");
  EXPECT_EQ(state.PictureFile, "Kestrix2.jpg");
  EXPECT_TRUE(Menu(MenuId::kHeating).visible);
  EXPECT_TRUE(m.D2Packet.Enabled());
  EXPECT_FALSE(m.LarkvaneD2Packet.Enabled());
}

TEST_F(TwoAxisRepliesTest, D1OfALarkvaneSetsItsLayoutAndArmsItsOwnD2) {
  replies.OnD1Packet("\r\nY000042\r");
  EXPECT_EQ(state.Model, AnemModel::kLarkvane);
  EXPECT_EQ(state.ModelCaption, "Larkvane");
  EXPECT_EQ(state.PictureFile, "Larkvane2.jpg");
  EXPECT_FALSE(Menu(MenuId::kHeating).visible);
  EXPECT_FALSE(Menu(MenuId::kAveraging1).enabled);
  EXPECT_FALSE(Menu(MenuId::kAlignment1).enabled);
  EXPECT_FALSE(layout.analogueOkEnabled);
  EXPECT_FALSE(layout.kestrixBaudListVisible);
  EXPECT_TRUE(m.LarkvaneD2Packet.Enabled());
  EXPECT_FALSE(m.D2Packet.Enabled());
}

TEST_F(TwoAxisRepliesTest, D1OfAnUnknownTypeArmsNothingAndShortRepliesAreSafe) {
  replies.OnD1Packet("\r\nQ12");
  EXPECT_EQ(state.TypeCode, "Q");
  EXPECT_EQ(state.SerialNumber, "12");
  EXPECT_FALSE(m.D2Packet.Enabled());
  EXPECT_FALSE(m.LarkvaneD2Packet.Enabled());
  replies.OnD1Packet("\r\n");
  EXPECT_EQ(state.TypeCode, "");
}

TEST_F(TwoAxisRepliesTest, D2VersionDecidesTheInvertedAlignmentEntries) {
  replies.OnD2Packet("\r\n2.99");
  EXPECT_EQ(state.SoftwareVersion, "2.99");
  EXPECT_FALSE(Menu(MenuId::kAlignUVinverted).visible);
  EXPECT_TRUE(m.D3Packet.Enabled());
  replies.OnD2Packet("\r\n3.00");
  EXPECT_TRUE(Menu(MenuId::kAlignUVinverted).visible);
  EXPECT_TRUE(Menu(MenuId::kAlignUVinvertedoffset).visible);
}

TEST_F(TwoAxisRepliesTest, AD2VersionThatIsNoNumberRaisesAndLeavesD3Disarmed) {
  EXPECT_THROW(replies.OnD2Packet("\r\nv3.x"), ReplyConversionError);
  EXPECT_FALSE(m.D3Packet.Enabled());
}

TEST_F(TwoAxisRepliesTest, LarkvaneD2ReadsTheVersionFromCharactersSixToEight) {
  replies.OnLarkvaneD2Packet("\r\nLV1 X205 \r\n");
  EXPECT_EQ(state.SoftwareVersion, "2.05");
  EXPECT_TRUE(m.LarkvaneD3Packet.Enabled());
  replies.OnLarkvaneD2Packet("\r\nab");  // short: no crash
  EXPECT_EQ(state.SoftwareVersion, ".");
}

TEST_F(TwoAxisRepliesTest, KestrixD3FieldsFollowTheirLetterRules) {
  replies.OnD3Packet("D3\r\nA2 B3 C2 E1 F5 G0060 H0 J3 K2 L1 O2 P2 T3 V2 X3 Y1 Z7\r\nD3");
  EXPECT_EQ(config.SonicOutputs, 2);
  EXPECT_EQ(config.BaudRate, 4);  // 9600
  EXPECT_EQ(config.WrapAround, 1);
  EXPECT_EQ(config.Duplex, 0);
  EXPECT_EQ(config.DataBits, 1);  // seven bits
  EXPECT_EQ(config.Parity, 1);    // even
  EXPECT_EQ(config.AveragingPeriodText, "0060");
  EXPECT_EQ(config.AveragingPeriod, 60);
  EXPECT_EQ(config.Heating, true);
  EXPECT_TRUE(Menu(MenuId::kHeatingEnabled).checked);
  EXPECT_EQ(config.AnalogueTests, 3);
  EXPECT_EQ(config.NmeaStyle, 1);
  EXPECT_EQ(config.MessageTerm, 0);
  EXPECT_EQ(config.FieldFormat, 1);
  EXPECT_EQ(config.OutputRate, 2);  // 4 Hz
  EXPECT_EQ(config.SamplesPerSecond, 4);
  ASSERT_FALSE(windows.samplesPerSecond.empty());
  EXPECT_EQ(windows.samplesPerSecond.back(), 4);
  EXPECT_EQ(config.AnalogueType, 2);
  EXPECT_EQ(config.VerticalPad, 1);
  EXPECT_EQ(config.Alignment, AlignmentMark::kUvInverted);
  EXPECT_TRUE(Menu(MenuId::kAlignUVinverted).checked);
  EXPECT_FALSE(Menu(MenuId::kAlignUV).checked);
  EXPECT_EQ(config.Chan3Config, 0);
  EXPECT_EQ(config.Scaling, 6);
}

TEST_F(TwoAxisRepliesTest, KestrixBaudAndRateDigitsMapAsTheInstrumentCountsThem) {
  const std::pair<char, int> bauds[] = {{'1', 2}, {'2', 3}, {'3', 4}, {'4', 5},
                                        {'5', 6}, {'6', 1}, {'7', 0}, {'8', -1}};
  for (auto [digit, index] : bauds) {
    replies.OnD3Packet(QByteArray("B") + digit);
    EXPECT_EQ(config.BaudRate, index) << digit;
  }
  const std::tuple<char, int, int> rates[] = {{'1', 0, 1}, {'2', 2, 4},  {'3', 1, 2}, {'4', 3, 5},
                                              {'5', 4, 8}, {'6', 5, 10}, {'9', 0, 1}};
  for (auto [digit, index, sps] : rates) {
    replies.OnD3Packet(QByteArray("P") + digit);
    EXPECT_EQ(config.OutputRate, index) << digit;
    EXPECT_EQ(config.SamplesPerSecond, sps) << digit;
  }
}

TEST_F(TwoAxisRepliesTest, HeatingDigitOneDisablesAndClampingKeepsIndicesInTheirLists) {
  replies.OnD3Packet("H1 C9 Z0");
  EXPECT_EQ(config.Heating, false);
  EXPECT_TRUE(Menu(MenuId::kHeatingDisabled).checked);
  EXPECT_FALSE(Menu(MenuId::kHeatingEnabled).checked);
  EXPECT_EQ(config.WrapAround, 1);  // 8 clamps to the last item
  EXPECT_EQ(config.Scaling, -1);
  replies.OnD3Packet("F0");
  EXPECT_EQ(config.DataBits, -1);
  EXPECT_EQ(config.Parity, -1);
}

TEST_F(TwoAxisRepliesTest, AbsentLettersKeepTheirFieldsAndAFaultyDigitStopsTheRest) {
  replies.OnD3Packet("A1 T2");
  EXPECT_THROW(replies.OnD3Packet("A3 Bx T1"), ReplyConversionError);
  EXPECT_EQ(config.SonicOutputs, 3);  // read before the fault
  EXPECT_EQ(config.AnalogueType, 1);  // not read after it
  EXPECT_THROW(replies.OnD3Packet("G00x0"), ReplyConversionError);
  EXPECT_THROW(replies.OnD3Packet("trailing A"), ReplyConversionError);
  EXPECT_EQ(config.AveragingPeriod, -1);
}

TEST_F(TwoAxisRepliesTest, UnitsChangeAppliesScalesOnceAndDecideTheWindsockEntry) {
  window.menu.Check(MenuId::kPolarcontinuous);
  replies.OnD3Packet("U1");
  EXPECT_EQ(config.OutputUnits, 0);
  EXPECT_EQ(windows.unitScaleChanges, 1);
  EXPECT_TRUE(Menu(MenuId::kWindsock1).visible);
  replies.OnD3Packet("U1");
  EXPECT_EQ(windows.unitScaleChanges, 1);
  replies.OnD3Packet("U2");
  EXPECT_EQ(config.OutputUnits, 1);
  EXPECT_EQ(windows.unitScaleChanges, 2);
  EXPECT_FALSE(Menu(MenuId::kWindsock1).visible);
}

TEST_F(TwoAxisRepliesTest, AnM2InTheReplySendsThePolarCommandBeforeReadingOn) {
  EnterTwoAxisConfigMode();  // as during identification
  replies.OnD3Packet("M2 U1");
  EXPECT_EQ(line.SentText(), "\rM2\rQ\r");
  EXPECT_TRUE(Menu(MenuId::kPolarcontinuous).checked);
  EXPECT_FALSE(Menu(MenuId::kUVcontinuous).checked);
  EXPECT_EQ(config.MessageMode, MessageModeMark::kPolar);
  EXPECT_TRUE(Menu(MenuId::kWindsock1).visible);
  EXPECT_TRUE(Menu(MenuId::kAlarm).visible);
}

TEST_F(TwoAxisRepliesTest, OtherModeDigitsRemoveBothMarksAndSendNothing) {
  window.menu.Check(MenuId::kUVcontinuous);
  replies.OnD3Packet("M0");
  EXPECT_FALSE(Menu(MenuId::kUVcontinuous).checked);
  EXPECT_FALSE(Menu(MenuId::kPolarcontinuous).checked);
  EXPECT_TRUE(line.Sent().empty());
}

TEST_F(TwoAxisRepliesTest, LarkvaneD3FieldsAndModeWithoutSending) {
  replies.OnLarkvaneD3Packet("D3\r\nB5 F3 L2 M2 O2 P3 S9 C2 T1 U1,\r\n");
  EXPECT_EQ(config.LvBaudRate, 4);
  EXPECT_EQ(config.DataBits, 0);
  EXPECT_EQ(config.Parity, 2);
  EXPECT_EQ(config.MessageTerm, 1);
  EXPECT_EQ(state.LvMessageMode, 2);
  EXPECT_TRUE(Menu(MenuId::kPolarcontinuous).checked);
  EXPECT_EQ(config.FieldFormat, 1);
  EXPECT_EQ(config.LvOutputRate, 1);
  EXPECT_EQ(config.SamplesPerSecond, 2);
  EXPECT_EQ(config.LvAnalogueRange, 0);
  EXPECT_EQ(config.LvWrap, 1);
  EXPECT_EQ(config.LvAnalogueMode, 0);
  EXPECT_EQ(config.OutputUnits, 0);
  EXPECT_TRUE(line.Sent().empty());
  replies.OnLarkvaneD3Packet("S3 P4 B6");
  EXPECT_EQ(config.LvAnalogueRange, 1);
  EXPECT_EQ(config.LvOutputRate, 0);
  EXPECT_EQ(config.LvBaudRate, -1);
}

}  // namespace
}  // namespace ventari
