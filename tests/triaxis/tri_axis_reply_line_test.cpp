// The three-axis identification over a line: commands paced by the command channel, answers
// arriving in pieces on the port, framed by TriAxisPkt among all the system's matchers.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/tri_axis_question.h"
#include "app/tri_axis_reply_applier.h"
#include "support/channel_on_line.h"
#include "support/recorded_live_windows.h"
#include "tri_axis_answers.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_listing.h"

namespace ventari::test {
namespace {

class TriAxisReplyLineTest : public ::testing::Test, protected ChannelOnLine {
 protected:
  TriAxisReplyLineTest() { channel.Timeout.SetInterval(3000); }

  // An anemometer in configuration mode: each command line is answered 20 ms after its CR, in
  // pieces 5 ms apart, followed by `prompt`.
  void Answer(std::map<std::string, std::string> answers, std::string prompt = "T7>") {
    line.SetResponder([answers = std::move(answers), prompt, pending = std::string()](
                          ScriptedLine& l, std::uint8_t byte) mutable {
      if (byte != '\r') {
        pending.push_back(static_cast<char>(byte));
        return;
      }
      const auto answer = answers.find(pending);
      pending.clear();
      if (answer == answers.end()) return;
      const std::string reply = answer->second + prompt;
      for (std::size_t at = 0, piece = 0; at < reply.size(); at += 7, ++piece) {
        l.DeliverIn(20 + 5 * static_cast<std::int64_t>(piece), reply.substr(at, 7));
      }
    });
  }

  // What discovery does for each question.
  bool Ask(TriAxisReply kind) { return AskTriAxis(channel, listing, kind, 3000); }

  TriAxisConfig config;
  TriAxisIdentity identity;
  RecordedLiveWindows windows;
  TriAxisReplyApplier applier{state, window.menu, config, identity, windows};
  TriAxisListing listing{matchers.TriAxisPkt, applier};
};

TEST_F(TriAxisReplyLineTest, AT7_50IsIdentifiedAndItsListingRead) {
  Answer({{"SN", std::string(kT7_50Answers.sn)},
          {"VER", std::string(kT7_50Answers.ver)},
          {"CONFIG", std::string(kT7_50Answers.config)}});

  EXPECT_TRUE(Ask(TriAxisReply::kSn));
  EXPECT_TRUE(Ask(TriAxisReply::kVer));
  channel.Delay(100);
  EXPECT_TRUE(Ask(TriAxisReply::kConfig));

  EXPECT_EQ(line.SentText(), "SN\rVER\rCONFIG\r");
  EXPECT_EQ(state.SerialNumber, "200417");
  EXPECT_EQ(state.Model, AnemModel::kT7_50);
  EXPECT_EQ(state.SoftwareVersion, "3.05");
  EXPECT_TRUE(config.InstantaneousAvailable);
  EXPECT_EQ(config.ReportMode, 4);
  EXPECT_EQ(config.Baud, 5);
  EXPECT_EQ(identity.identityText, "O200417\r\nT7 50Hz Ultrasonic Anemometer Version 3.05\r\n");
  EXPECT_EQ(identity.configurationText.toStdString(), kT7_50Answers.config.substr(8));
  EXPECT_FALSE(matchers.TriAxisPkt.Enabled());
}

TEST_F(TriAxisReplyLineTest, WithoutAnAnswerTheTimeOutEndsTheWaitAndNothingChanges) {
  const std::int64_t start = rt.NowMs();
  EXPECT_FALSE(Ask(TriAxisReply::kSn));
  EXPECT_GE(rt.NowMs() - start, 3000);
  EXPECT_EQ(state.SerialNumber, " xxxxxx");
  EXPECT_EQ(identity.identityText, "");
}

TEST_F(TriAxisReplyLineTest, AReplyWhosePromptNeverCameIsDroppedWhenTheNextIsExpected) {
  // The VER answer's prompt is lost; the CONFIG answer that follows is complete.
  Answer({{"SN", std::string(kMzAnswers.sn) + "T7>"},
          {"VER", std::string(kMzAnswers.ver) + "T7"},
          {"CONFIG", std::string(kMzAnswers.config) + "T7>"}},
         "");

  EXPECT_TRUE(Ask(TriAxisReply::kSn));
  EXPECT_FALSE(Ask(TriAxisReply::kVer));
  EXPECT_TRUE(Ask(TriAxisReply::kConfig));

  EXPECT_EQ(identity.configurationText.toStdString(), kMzAnswers.config.substr(7));
  EXPECT_EQ(config.StrFormat, 0);
  EXPECT_EQ(config.Averaging, "250");
  EXPECT_EQ(identity.identityText, "H654321\r");
}

TEST_F(TriAxisReplyLineTest, AnAnswerThatNeverEndsLetsGoOfTheLineAfterTheTimeOut) {
  Answer({{"SN", "SN\r\nO12345"}}, "");  // no prompt ever comes
  EXPECT_FALSE(Ask(TriAxisReply::kSn));
  EXPECT_FALSE(matchers.TriAxisPkt.Enabled());
  // A prompt that comes later is nobody's answer.
  const auto read = listing.RepliesRead();
  line.DeliverIn(10, "\x02 record \x03T7>");
  rt.RunFor(100);
  EXPECT_EQ(listing.RepliesRead(), read);
}

}  // namespace
}  // namespace ventari::test
