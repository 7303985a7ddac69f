// What the system's own matchers deliver, as the replies and data records of the anemometers
// reach them.
#include "link/system_matchers.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/packet_matcher_group.h"

namespace ventari {
namespace {

constexpr std::int64_t kTimeOutMs = 2184 * 55;

class SystemMatchersTest : public ::testing::Test {
 protected:
  SystemMatchersTest() {
    for (TApdDataPacket* matcher :
         {&m_.DataPacket, &m_.IMPacket, &m_.D1Packet, &m_.D2Packet, &m_.D3Packet,
          &m_.LarkvaneD2Packet, &m_.TriAxisPkt, &m_.TriAxisAsciiPkt, &m_.LVeeDumpPacket1}) {
      matcher->SetStringHandler([this](TApdDataPacket& sender, const QByteArray& text) {
        received_.push_back(sender.Name() + ":" + text.toStdString());
      });
    }
  }

  void Feed(std::string_view bytes) {
    group_.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  using Texts = std::vector<std::string>;

  VirtualRuntime runtime_;
  PacketMatcherGroup group_{runtime_};
  SystemMatchers m_{group_};
  Texts received_;
};

TEST_F(SystemMatchersTest, StartRepliesDeliverTheBytesAfterTheirEcho) {
  m_.D1Packet.SetEnabled(true);
  Feed("D1KESTRIX2  1234");
  m_.D2Packet.SetEnabled(true);
  Feed("D2V5.00 \r\n");
  m_.LarkvaneD2Packet.SetEnabled(true);
  Feed("D2LV 02.07.01\r\n");
  EXPECT_EQ(received_,
            (Texts{"D1Packet:KESTRIX2  ", "D2Packet:V5.00 ", "LarkvaneD2Packet:LV 02.07.01"}));
}

TEST_F(SystemMatchersTest, StrayBytesBeforeAReplyAreDropped) {
  m_.D1Packet.SetEnabled(true);
  Feed("\r\nD1KESTRIX2  CO");
  m_.IMPacket.SetEnabled(true);
  Feed("NFIGURATION MODE\r\n");
  EXPECT_EQ(received_, Texts{"D1Packet:KESTRIX2  "});
}

TEST_F(SystemMatchersTest, BytesAfterAReplyStayWhileAnotherMatcherHasPartlyMatchedThem) {
  m_.D1Packet.SetEnabled(true);
  m_.IMPacket.SetEnabled(true);
  Feed("\r\nD1KESTRIX2  CO");
  Feed("NFIGURATION MODE\r\n");
  EXPECT_EQ(received_, (Texts{"D1Packet:KESTRIX2  ", "IMPacket:CONFIGURATION MODE\r"}));
}

TEST_F(SystemMatchersTest, AbandonedPartialStartDoesNotHideTheRealOne) {
  m_.D1Packet.SetEnabled(true);
  Feed("D2D1KESTRIX2  ");
  EXPECT_EQ(received_, Texts{"D1Packet:KESTRIX2  "});
}

TEST_F(SystemMatchersTest, StartSplitOverTwoNotificationsIsRecognised) {
  m_.D1Packet.SetEnabled(true);
  Feed("xD");
  Feed("1LARKVANE  ");
  EXPECT_EQ(received_, Texts{"D1Packet:LARKVANE  "});
}

TEST_F(SystemMatchersTest, BannerIsDeliveredOnlyWithTheByteAfterIt) {
  m_.IMPacket.SetEnabled(true);
  Feed("cOnFiGuRaTiOn MoDe");
  EXPECT_TRUE(received_.empty());
  Feed("\r\n");
  EXPECT_EQ(received_, Texts{"IMPacket:cOnFiGuRaTiOn MoDe\r"});
}

TEST_F(SystemMatchersTest, TriAxisPromptReplacesTheBannerAtTheNextArming) {
  m_.IMPacket.SetStartString("T7>");
  m_.IMPacket.SetPacketSize(3);
  m_.IMPacket.SetEnabled(true);
  Feed("\r\nt7> ");
  EXPECT_EQ(received_, Texts{"IMPacket:t7> "});
}

TEST_F(SystemMatchersTest, ConfigurationReplyRunsFromOneEchoToTheNext) {
  m_.D3Packet.SetEnabled(true);
  Feed("D3\r\nM2,U1,O1,L1,P1,B3,H1,NQ,F1,E1,T1,S4,C2,G0000,K50\r\nD");
  Feed("3\r\n");
  EXPECT_EQ(received_,
            Texts{"D3Packet:D3\r\nM2,U1,O1,L1,P1,B3,H1,NQ,F1,E1,T1,S4,C2,G0000,K50\r\nD3"});
}

TEST_F(SystemMatchersTest, DataMessagesArriveOneByOneAsTheHandlerReArms) {
  Texts seen;
  m_.DataPacket.SetStringHandler([&](TApdDataPacket& sender, const QByteArray& text) {
    seen.push_back(text.toStdString());
    sender.SetEnabled(true);
  });
  m_.DataPacket.SetEnabled(true);
  Feed("\x02Q,271,003.45,M,00,\x03\r\n\x02Q,272,003.50,M,00,\x03\r\n");
  EXPECT_EQ(seen, (Texts{"\x02Q,271,003.45,M,00,\x03", "\x02Q,272,003.50,M,00,\x03"}));
}

TEST_F(SystemMatchersTest, DataMessageThatNeverEndsBlocksThePortThenStaysOff) {
  m_.DataPacket.SetEnabled(true);
  m_.D1Packet.SetEnabled(true);
  Feed("\x02Q,271,003.4");
  runtime_.RunFor(kTimeOutMs - 1);
  Feed("D1KESTRIX2  ");
  EXPECT_TRUE(received_.empty());
  runtime_.RunFor(1);
  EXPECT_FALSE(m_.DataPacket.Enabled());
  Feed("D1KESTRIX2  \x02Q,271,003.45,M,00,\x03");
  EXPECT_EQ(received_, Texts{"D1Packet:KESTRIX2  "});
}

TEST_F(SystemMatchersTest, TriAxisReplyMatcherIsTheOnlyOneSeeingBytesUntilThePrompt) {
  m_.D1Packet.SetEnabled(true);
  m_.TriAxisPkt.SetEnabled(true);
  Feed("SN\r\nD1KESTRIX2  \r\n");
  EXPECT_TRUE(received_.empty());
  Feed("T7>D1LARKVANE  ");
  EXPECT_EQ(received_, (Texts{"TriAxisPkt:SN\r\nD1KESTRIX2  \r\n", "D1Packet:LARKVANE  "}));
}

TEST_F(SystemMatchersTest, TriAxisReplyMatcherGivesUpAfterTwoMinutes) {
  m_.TriAxisPkt.SetEnabled(true);
  runtime_.RunFor(kTimeOutMs);
  EXPECT_FALSE(m_.TriAxisPkt.Enabled());
  m_.D1Packet.SetEnabled(true);
  Feed("D1KESTRIX2  ");
  EXPECT_EQ(received_, Texts{"D1Packet:KESTRIX2  "});
}

TEST_F(SystemMatchersTest, AsciiRecordIsFramedByStxAndEtxOnly) {
  m_.TriAxisAsciiPkt.SetEnabled(true);
  Feed("\"junk\x03\x02+001.23,-000.12,+000.05,M\x03");
  EXPECT_EQ(received_, Texts{"TriAxisAsciiPkt:+001.23,-000.12,+000.05,M"});
}

TEST_F(SystemMatchersTest, BinaryRecordIsHandedOverRawWithoutItsMarker) {
  std::string record;
  m_.TriAxisBinaryPkt.SetRawHandler(
      [&](TApdDataPacket&, const std::uint8_t* data, std::size_t length) {
        record.assign(reinterpret_cast<const char*>(data), length);
      });
  m_.TriAxisBinaryPkt.SetEnabled(true);
  Feed(std::string_view("\x00\xBA\xBA\x01\x00\x02\x00\x03\x00\x04\x00\xFF\xBA", 13));
  EXPECT_EQ(record, std::string("\x01\x00\x02\x00\x03\x00\x04\x00\xFF", 9));
}

TEST_F(SystemMatchersTest, EepromDumpEndsAtTheFirstBlankLine) {
  m_.LVeeDumpPacket1.SetEnabled(true);
  Feed("0010\r\n0A 1B 2C\r\n\r\r\n\r\n0030\r\n");
  EXPECT_EQ(received_, Texts{"LVeeDumpPacket1:0A 1B 2C\r\n\r"});
}

}  // namespace
}  // namespace ventari
