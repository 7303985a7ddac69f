// When a matcher's settings take effect: the arming checks, and which changes wait for the next
// arming and which re-arm the matcher at once.
#include "link/packet_matcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/packet_matcher_group.h"

namespace ventari {
namespace {

using ::testing::HasSubstr;

class PacketMatcherTest : public ::testing::Test {
 protected:
  PacketMatcherTest() {
    matcher_.SetStartString("<");
    matcher_.SetEndString(">");
    matcher_.SetEndCond({.string = true});
    matcher_.SetAutoEnable(false);
    matcher_.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) {
      received_.push_back(text.toStdString());
    });
    group_.Attach(matcher_);
  }

  void Feed(std::string_view bytes) {
    group_.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  // The message of the arming error, or "" when arming succeeds.
  std::string ArmingError() {
    try {
      matcher_.SetEnabled(true);
    } catch (const std::invalid_argument& e) {
      return e.what();
    }
    return "";
  }

  VirtualRuntime runtime_;
  PacketMatcherGroup group_{runtime_};
  TApdDataPacket matcher_{"ReplyPacket"};
  std::vector<std::string> received_;
};

TEST_F(PacketMatcherTest, StartsDisarmedWithTheSystemDefaults) {
  const TApdDataPacket fresh;
  EXPECT_FALSE(fresh.Enabled());
  EXPECT_EQ(fresh.StartCond(), StartCondition::kString);
  EXPECT_EQ(fresh.EndCond(), EndConditions{});
  EXPECT_TRUE(fresh.IncludeStrings());
  EXPECT_TRUE(fresh.IgnoreCase());
  EXPECT_TRUE(fresh.AutoEnable());
  EXPECT_EQ(fresh.TimeOut(), 2184);
  EXPECT_EQ(fresh.Received, 0);
}

TEST_F(PacketMatcherTest, ArmingRefusesAMatcherThatCouldFrameNothing) {
  matcher_.SetStartString("");
  EXPECT_THAT(ArmingError(), HasSubstr("ReplyPacket"));
  matcher_.SetStartString("AB");

  matcher_.SetEndCond({.size = true});
  matcher_.SetPacketSize(1);
  EXPECT_NE(ArmingError(), "") << "size shorter than the start string";
  matcher_.SetStartCond(StartCondition::kAnyData);
  matcher_.SetPacketSize(0);
  EXPECT_NE(ArmingError(), "") << "size zero";

  matcher_.SetEndCond({.string = true});
  matcher_.SetEndString("");
  EXPECT_NE(ArmingError(), "") << "empty end string";

  matcher_.SetEndCond({});
  EXPECT_NE(ArmingError(), "") << "any data and no end";
  EXPECT_FALSE(matcher_.Enabled());

  matcher_.SetEndCond({.size = true});
  matcher_.SetPacketSize(1);
  EXPECT_EQ(ArmingError(), "");
  EXPECT_TRUE(matcher_.Enabled());
}

TEST_F(PacketMatcherTest, ArmingAnArmedMatcherKeepsItsPartialPacket) {
  matcher_.SetEnabled(true);
  Feed("<ab");
  matcher_.SetEnabled(true);
  Feed("c>");
  EXPECT_EQ(received_, std::vector<std::string>{"<abc>"});
}

TEST_F(PacketMatcherTest, NewStartStringWaitsForTheNextArming) {
  matcher_.SetEnabled(true);
  matcher_.SetStartString("[");
  Feed("[x><y>");
  matcher_.SetEnabled(true);
  Feed("[z>");
  EXPECT_EQ(received_, (std::vector<std::string>{"<y>", "[z>"}));
}

TEST_F(PacketMatcherTest, NewSizeWaitsForTheNextArming) {
  matcher_.SetEndCond({.size = true});
  matcher_.SetPacketSize(3);
  matcher_.SetEnabled(true);
  matcher_.SetPacketSize(5);
  Feed("<abcdef");
  matcher_.SetEnabled(true);
  Feed("<abcdef");
  EXPECT_EQ(received_, (std::vector<std::string>{"<ab", "<abcd"}));
}

TEST_F(PacketMatcherTest, NewEndStringReArmsAtOnce) {
  matcher_.SetEnabled(true);
  Feed("<ab");
  matcher_.SetEndString("]");
  EXPECT_TRUE(matcher_.Enabled());
  Feed("c]");  // the packet in progress was abandoned
  Feed("<x]");
  EXPECT_EQ(received_, std::vector<std::string>{"<x]"});
}

TEST_F(PacketMatcherTest, NewEndConditionReArmsAtOnceAndReleasesTheCapture) {
  TApdDataPacket other("Other");
  other.SetStartString("b");
  other.SetEndCond({.size = true});
  other.SetPacketSize(2);
  other.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) {
    received_.push_back("Other:" + text.toStdString());
  });
  group_.Attach(other);
  other.SetEnabled(true);
  matcher_.SetEnabled(true);
  Feed("<a");
  matcher_.SetPacketSize(3);
  matcher_.SetEndCond({.size = true});
  Feed("bc");
  Feed("<de");
  EXPECT_EQ(received_, (std::vector<std::string>{"Other:bc", "<de"}));
}

TEST_F(PacketMatcherTest, ChangingTheEndOfADisarmedMatcherDoesNotArmIt) {
  matcher_.SetEndString("]");
  matcher_.SetEndCond({.size = true});
  EXPECT_FALSE(matcher_.Enabled());
}

TEST_F(PacketMatcherTest, ReArmingWithABadEndLeavesTheMatcherDisarmed) {
  matcher_.SetEnabled(true);
  EXPECT_THROW(matcher_.SetEndString(""), std::invalid_argument);
  EXPECT_FALSE(matcher_.Enabled());
}

}  // namespace
}  // namespace ventari
