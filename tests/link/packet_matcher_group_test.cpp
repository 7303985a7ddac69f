// How a group of matchers cuts packets out of the byte stream: start and end recognition, the
// capture, handlers and what may happen inside them, errors and the time-out.
#include "link/packet_matcher_group.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/virtual_runtime.h"
#include "link/packet_matcher.h"

namespace ventari {
namespace {

constexpr EndConditions kByString{.string = true};
constexpr EndConditions kBySize{.size = true};
constexpr EndConditions kByEither{.string = true, .size = true};

class PacketMatcherGroupTest : public ::testing::Test {
 protected:
  // A disarmed matcher attached to the group that records what it delivers as "name:text".
  TApdDataPacket& Matcher(const std::string& name, const QByteArray& start, EndConditions end,
                          const QByteArray& endString = {}, int size = 0) {
    TApdDataPacket& matcher = *matchers_.emplace_back(std::make_unique<TApdDataPacket>(name));
    matcher.SetStartString(start);
    matcher.SetEndString(endString);
    matcher.SetEndCond(end);
    matcher.SetPacketSize(size);
    matcher.SetAutoEnable(false);
    matcher.SetStringHandler([this](TApdDataPacket& sender, const QByteArray& text) {
      received_.push_back(sender.Name() + ":" + text.toStdString());
    });
    group_.Attach(matcher);
    return matcher;
  }

  TApdDataPacket& AnyData(const std::string& name, const QByteArray& endString) {
    TApdDataPacket& matcher = Matcher(name, {}, kByString, endString);
    matcher.SetStartCond(StartCondition::kAnyData);
    return matcher;
  }

  void Feed(std::string_view bytes) {
    group_.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  using Texts = std::vector<std::string>;

  VirtualRuntime runtime_;
  PacketMatcherGroup group_{runtime_};
  std::vector<std::unique_ptr<TApdDataPacket>> matchers_;
  Texts received_;
};

TEST_F(PacketMatcherGroupTest, OverlappingStartCandidatesAreFound) {
  Matcher("A", "ABAC", kBySize, {}, 5).SetEnabled(true);
  Feed("ABABACx");
  Matcher("B", "AAB", kBySize, {}, 4).SetEnabled(true);
  Feed("AAAB!");
  EXPECT_EQ(received_, (Texts{"A:ABACx", "B:AAB!"}));
}

TEST_F(PacketMatcherGroupTest, StartStringSplitOverNotificationsIsFound) {
  Matcher("A", "START", kBySize, {}, 6).SetEnabled(true);
  Feed("xxST");
  Feed("A");
  Feed("RT!");
  EXPECT_EQ(received_, Texts{"A:START!"});
}

TEST_F(PacketMatcherGroupTest, IgnoreCaseFoldsOnlyLetters) {
  Matcher("A", "[q", kBySize, {}, 3).SetEnabled(true);
  Matcher("B", "\x02", kBySize, {}, 2).SetEnabled(true);
  Feed("{Q1\"2");  // '{' and '"' differ from '[' and STX by the letter-case bit only
  EXPECT_TRUE(received_.empty());
  Feed("[Q1");
  Feed("\x02z");
  EXPECT_EQ(received_, (Texts{"A:[Q1", "B:\x02z"}));
}

TEST_F(PacketMatcherGroupTest, CaseSensitiveMatcherComparesExactly) {
  TApdDataPacket& matcher = Matcher("A", "ab", kByString, "Z");
  matcher.SetIgnoreCase(false);
  matcher.SetEnabled(true);
  Feed("ABxZ abyz abwZ");
  EXPECT_EQ(received_, Texts{"A:abyz abwZ"});
}

TEST_F(PacketMatcherGroupTest, SizeEqualToStartLengthTakesTheNextByte) {
  Matcher("A", "AB", kBySize, {}, 2).SetEnabled(true);
  Feed("AB");
  EXPECT_TRUE(received_.empty());
  Feed("CD");
  EXPECT_EQ(received_, Texts{"A:ABC"});
}

TEST_F(PacketMatcherGroupTest, EndStringIsSoughtOnlyAfterTheStartString) {
  Matcher("A", "AB", kByString, "BC").SetEnabled(true);
  Feed("ABC");
  EXPECT_TRUE(received_.empty());
  Feed("xBC");
  EXPECT_EQ(received_, Texts{"A:ABCxBC"});
}

TEST_F(PacketMatcherGroupTest, FailedPartialEndMatchDoesNotHideOneInsideIt) {
  Matcher("A", "<", kByString, "\r\n\r\n").SetEnabled(true);
  Feed("<a\r\n\r\r\n\r\nrest");
  EXPECT_EQ(received_, Texts{"A:<a\r\n\r\r\n\r\n"});
}

TEST_F(PacketMatcherGroupTest, FirstEndConditionMetEndsThePacket) {
  TApdDataPacket& matcher = Matcher("A", "<", kByEither, ">", 5);
  matcher.SetAutoEnable(true);
  matcher.SetEnabled(true);
  Feed("<ab>");
  Feed("<abcdef>");
  EXPECT_EQ(received_, (Texts{"A:<ab>", "A:<abcd"}));
}

TEST_F(PacketMatcherGroupTest, IncludeStringsFalseRemovesOnlyTheStringsThatFramedThePacket) {
  TApdDataPacket& matcher = Matcher("A", "<<", kByEither, ">>", 7);
  matcher.SetIncludeStrings(false);
  matcher.SetAutoEnable(true);
  matcher.SetEnabled(true);
  Feed("<<ab>>");    // ended by its end string
  Feed("<<>>");      // nothing between the strings
  Feed("<<abcdef");  // ended by size: there is no end string to remove
  EXPECT_EQ(received_, (Texts{"A:ab", "A:", "A:abcde"}));
}

TEST_F(PacketMatcherGroupTest, RawHandlerSeesEveryByteValueBeforeTheStringHandler) {
  TApdDataPacket& matcher = Matcher("A", "\xBA\xBA", kBySize, {}, 5);
  std::vector<std::string> calls;
  matcher.SetRawHandler([&](TApdDataPacket&, const std::uint8_t* data, std::size_t length) {
    calls.push_back("raw:" + std::string(reinterpret_cast<const char*>(data), length));
  });
  matcher.SetStringHandler([&](TApdDataPacket&, const QByteArray& text) {
    calls.push_back("text:" + text.toStdString());
  });
  matcher.SetEnabled(true);
  Feed(std::string_view("\xBA\xBA\x00\xFF\x03", 5));
  const std::string packet("\xBA\xBA\x00\xFF\x03", 5);
  EXPECT_EQ(calls, (Texts{"raw:" + packet, "text:" + packet}));
}

TEST_F(PacketMatcherGroupTest, CaptureResetsPartialMatchesOfOtherMatchers) {
  Matcher("A", "XYZ", kBySize, {}, 4).SetEnabled(true);
  TApdDataPacket& b = Matcher("B", "Y", kByString, "!");
  b.SetEnabled(true);
  Feed("XY");  // A has matched "XY" when B takes the capture on "Y"
  b.SetEnabled(false);
  Feed("Z!!");
  EXPECT_TRUE(received_.empty());
  Feed("XYZ!");
  EXPECT_EQ(received_, Texts{"A:XYZ!"});
}

TEST_F(PacketMatcherGroupTest, OnlyTheCapturingMatcherSeesBytesUntilItsPacketEnds) {
  Matcher("A", "<", kByString, ">").SetEnabled(true);
  Matcher("B", "b", kBySize, {}, 2).SetEnabled(true);
  Feed("<ab");
  Feed("c>");
  EXPECT_EQ(received_, Texts{"A:<abc>"});
}

TEST_F(PacketMatcherGroupTest, EarlierAttachedMatcherWinsTheSameStart) {
  Matcher("First", "\n", kBySize, {}, 3).SetEnabled(true);
  Matcher("Second", "\n", kBySize, {}, 3).SetEnabled(true);
  Feed("\nab\ncd");
  EXPECT_EQ(received_, (Texts{"First:\nab", "Second:\ncd"}));
}

TEST_F(PacketMatcherGroupTest, BytesAfterADeliveredPacketAreMatchedByEveryMatcher) {
  Matcher("A", "<", kByString, ">").SetEnabled(true);
  Matcher("B", "b", kBySize, {}, 2).SetEnabled(true);
  Feed("<a>bx");
  EXPECT_EQ(received_, (Texts{"A:<a>", "B:bx"}));
}

TEST_F(PacketMatcherGroupTest, BytesThatBeganNoPacketAreNeverSeenAgain) {
  Matcher("A", "AB", kBySize, {}, 3).SetEnabled(true);
  TApdDataPacket& later = Matcher("B", "xy", kBySize, {}, 3);
  Feed("noise x");
  EXPECT_EQ(group_.BufferedBytes(), 0u);
  later.SetEnabled(true);
  Feed("yz");
  EXPECT_TRUE(received_.empty());
}

TEST_F(PacketMatcherGroupTest, PartlyMatchedStartKeepsItsBytes) {
  Matcher("A", "ABC", kBySize, {}, 4).SetEnabled(true);
  Feed("zzzAB");
  Feed("C!");
  EXPECT_EQ(received_, Texts{"A:ABC!"});
  EXPECT_EQ(group_.BufferedBytes(), 0u);
}

TEST_F(PacketMatcherGroupTest, AnyDataMatcherTakesTheCaptureWhenArmed) {
  Matcher("A", "<", kByString, ">").SetEnabled(true);
  TApdDataPacket& any = AnyData("Any", "T7>");
  any.SetIncludeStrings(false);
  any.SetEnabled(true);
  Feed("<a>\r\n");
  Feed("more T7>");
  EXPECT_EQ(received_, Texts{"Any:<a>\r\nmore "});
}

TEST_F(PacketMatcherGroupTest, AnyDataMatcherWaitsForACaptureToEnd) {
  Matcher("A", "<", kByString, ">").SetEnabled(true);
  TApdDataPacket& any = AnyData("Any", "!");
  Feed("<a");
  any.SetEnabled(true);
  Feed("b>xyz!");
  EXPECT_EQ(received_, (Texts{"A:<ab>", "Any:xyz!"}));
}

TEST_F(PacketMatcherGroupTest, TwoPacketsInOneNotificationAreBothDeliveredWhenReArmed) {
  TApdDataPacket& matcher = Matcher("A", "<", kByString, ">");
  matcher.SetStringHandler([this](TApdDataPacket& sender, const QByteArray& text) {
    received_.push_back(text.toStdString());
    EXPECT_FALSE(sender.Enabled());
    sender.SetEnabled(true);
  });
  matcher.SetEnabled(true);
  Feed("<1><2>");
  EXPECT_EQ(received_, (Texts{"<1>", "<2>"}));
}

TEST_F(PacketMatcherGroupTest, NothingIsMatchedWhileAHandlerRuns) {
  TApdDataPacket& b = Matcher("B", "b", kBySize, {}, 2);
  TApdDataPacket& a = Matcher("A", "<", kByString, ">");
  a.SetStringHandler([&](TApdDataPacket&, const QByteArray& text) {
    received_.push_back("A:" + text.toStdString());
    b.SetEnabled(true);
    Feed("bx");  // arrives while the handler waits for a reply
    received_.push_back("handler returns");
  });
  a.SetEnabled(true);
  Feed("<a>");
  EXPECT_EQ(received_, (Texts{"A:<a>", "handler returns", "B:bx"}));
}

TEST_F(PacketMatcherGroupTest, ErrorInAHandlerIsReportedAndMatchingGoesOn) {
  std::vector<std::string> reports;
  group_.SetErrorReporter([&](const std::exception& e) { reports.push_back(e.what()); });
  TApdDataPacket& matcher = Matcher("A", "<", kByString, ">");
  matcher.SetAutoEnable(true);
  matcher.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) {
    received_.push_back(text.toStdString());
    if (received_.size() == 1) throw std::runtime_error("Invalid floating point value");
  });
  matcher.SetEnabled(true);
  Feed("<1><2>");
  EXPECT_EQ(reports, Texts{"Invalid floating point value"});
  EXPECT_EQ(received_, (Texts{"<1>", "<2>"}));
}

TEST_F(PacketMatcherGroupTest, UnreportedErrorPropagatesAndLeavesTheRestForTheNextArrival) {
  TApdDataPacket& matcher = Matcher("A", "<", kByString, ">");
  matcher.SetAutoEnable(true);
  matcher.SetStringHandler([this](TApdDataPacket&, const QByteArray& text) {
    received_.push_back(text.toStdString());
    if (received_.size() == 1) throw std::runtime_error("boom");
  });
  matcher.SetEnabled(true);
  EXPECT_THROW(Feed("<1><2>"), std::runtime_error);
  EXPECT_EQ(received_, Texts{"<1>"});
  EXPECT_TRUE(matcher.Enabled());
  Feed("<3>");
  EXPECT_EQ(received_, (Texts{"<1>", "<2>", "<3>"}));
}

TEST_F(PacketMatcherGroupTest, OpenPacketTimesOutAndItsMatcherStaysDisarmed) {
  TApdDataPacket& open = Matcher("A", "<", kByString, ">");
  open.SetAutoEnable(true);
  std::vector<std::int64_t> timeOuts;
  open.SetTimeOutHandler([&](TApdDataPacket&) { timeOuts.push_back(runtime_.NowMs()); });
  open.SetEnabled(true);
  Matcher("B", "b", kBySize, {}, 2).SetEnabled(true);

  Feed("<never closed");
  runtime_.RunFor(2184 * 55 - 1);
  Feed("bx");
  EXPECT_TRUE(received_.empty());
  EXPECT_TRUE(timeOuts.empty());

  runtime_.RunFor(1);
  EXPECT_EQ(timeOuts, std::vector<std::int64_t>{2184 * 55});
  EXPECT_FALSE(open.Enabled());
  EXPECT_EQ(group_.BufferedBytes(), 0u);
  Feed(">bx<a>");
  EXPECT_EQ(received_, Texts{"B:bx"});
}

TEST_F(PacketMatcherGroupTest, TimeOutIsTheCapturingMatchersOwn) {
  TApdDataPacket& matcher = Matcher("A", "<", kByString, ">");
  matcher.SetTimeOut(10);
  matcher.SetEnabled(true);
  Feed("<");
  runtime_.RunFor(549);
  EXPECT_TRUE(matcher.Enabled());
  runtime_.RunFor(1);
  EXPECT_FALSE(matcher.Enabled());
}

TEST_F(PacketMatcherGroupTest, WaitingAnyDataMatcherTakesTheFirstByteAfterATimeOut) {
  TApdDataPacket& open = Matcher("A", "<", kByString, ">");
  open.SetEnabled(true);
  Feed("<abc");
  AnyData("Any", "!").SetEnabled(true);
  runtime_.RunFor(2184 * 55);
  Feed("xyz!");
  EXPECT_EQ(received_, Texts{"Any:xyz!"});
}

TEST_F(PacketMatcherGroupTest, DeliveredPacketEndsTheCaptureTimer) {
  TApdDataPacket& matcher = Matcher("A", "<", kByString, ">");
  matcher.SetAutoEnable(true);
  matcher.SetEnabled(true);
  Feed("<a>");
  runtime_.RunFor(2 * 2184 * 55);
  EXPECT_TRUE(matcher.Enabled());
  EXPECT_FALSE(runtime_.HasPending());
}

}  // namespace
}  // namespace ventari
