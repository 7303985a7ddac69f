// The final assembly test's replies: fields by position however short the reply, and a new
// checksum taken only when it is hex.
#include "service/larkvane_replies.h"

#include <gtest/gtest.h>

namespace ventari {
namespace {

TEST(LarkvaneReplies, D94GivesTheOldAlignmentAndThirtyCharactersOfTheNewOne) {
  const QByteArray text =
      QByteArray("A1:12    A2:F4    A3:03    ") + "\r\n" + "NOMINAL A1:00 A2:00 A3:00 OK  ";
  const D94Reply reply = ParseD94Reply(text);
  EXPECT_EQ(reply.oldAlignment, QStringLiteral("A1:12    A2:F4    A3:03    "));
  EXPECT_EQ(reply.alignment, QStringLiteral("NOMINAL A1:00 A2:00 A3:00 OK  "));
  EXPECT_EQ(ParseD94Reply("short").alignment, QString());
}

TEST(LarkvaneReplies, D6TakesTheNewChecksumBytesOnlyWhenTheyAreHex) {
  struct Case {
    const char* text;
    bool taken;
    int high;
    int low;
  };
  const Case cases[] = {
      {"1234 5678  ENG:4B21", true, 0x56, 0x78},
      {"1234 abCD", true, 0xAB, 0xCD},
      {"1234 56G8", false, 0, 0},
      {"1234 567", false, 0, 0},
      {"1234 5 78", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const Case& c : cases) {
    const auto reply = ParseD6Reply(c.text);
    ASSERT_EQ(reply.has_value(), c.taken) << c.text;
    if (!reply) continue;
    EXPECT_EQ(reply->oldChecksum, QStringLiteral("1234"));
    EXPECT_EQ(reply->highValue, c.high);
    EXPECT_EQ(reply->lowValue, c.low);
  }
  EXPECT_EQ(D6NewChecksumText("1234 56G8"), QStringLiteral("56G8"));
}

TEST(LarkvaneReplies, ADebugLineIsFortyFiveCharacters) {
  EXPECT_TRUE(IsDebugLine(QByteArray(45, 'x')));
  EXPECT_FALSE(IsDebugLine(QByteArray(44, 'x')));
  EXPECT_FALSE(IsDebugLine(QByteArray(46, 'x')));
}

}  // namespace
}  // namespace ventari
