#include "sim/faults.h"

#include <gtest/gtest.h>

#include <regex>

#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

TEST(ApplyFaultTest, ReadsEachFaultAndRefusesAnythingElse) {
  Faults faults;
  EXPECT_TRUE(ApplyFault("noise=0.25", faults));
  EXPECT_TRUE(ApplyFault("drop=1", faults));
  EXPECT_TRUE(ApplyFault("truncate=0", faults));
  EXPECT_TRUE(ApplyFault("blocked=0.5", faults));
  EXPECT_TRUE(ApplyFault("silent=30000", faults));
  EXPECT_TRUE(ApplyFault("vanish=60000", faults));
  EXPECT_TRUE(ApplyFault("short-debug=1", faults));
  EXPECT_EQ(faults.shortDebug, 1);
  EXPECT_EQ(faults.noise, 0.25);
  EXPECT_EQ(faults.drop, 1);
  EXPECT_EQ(faults.blocked, 0.5);
  EXPECT_EQ(faults.silentAfterMs, 30000);
  EXPECT_EQ(faults.vanishAfterMs, 60000);
  for (const char* bad : {"noise", "noise=", "noise=1.5", "noise=-0.1", "drop=x", "silent=-1",
                          "silent=1.5", "loud=1"}) {
    EXPECT_FALSE(ApplyFault(bad, faults)) << bad;
  }
  EXPECT_EQ(faults.noise, 0.25);
}

class FaultsTest : public SimLineTest {
 protected:
  void Inject(const std::string& fault) {
    Faults faults;
    ASSERT_TRUE(ApplyFault(fault, faults));
    Device().Device().SetFaults(faults);
  }
  int Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return static_cast<int>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
  }
};

TEST_F(FaultsTest, NoiseComesOnlyBetweenWholeMessages) {
  Open("kestrix2", 9600);
  Inject("noise=1");
  runtime.RunFor(5500);
  const std::string text = Take();
  EXPECT_EQ(Count(text, "\x02Q,[0-9]{3},[0-9]{3}\\.[0-9]{2},M,00,\x03[0-9A-F]{2}\r\n"), 5);
  EXPECT_GT(text.size(), 5u * 24);
  EXPECT_EQ(Count(text, "\x02"), 5);
  EXPECT_EQ(Count(text, "\x03"), 5);
}

TEST_F(FaultsTest, DroppedAndTruncatedMessages) {
  Open("kestrix2", 9600);
  Inject("drop=1");
  runtime.RunFor(3000);
  EXPECT_EQ(Take(), "");
  Inject("truncate=1");
  runtime.RunFor(3500);
  const std::string text = Take();
  EXPECT_EQ(Count(text, "\x02"), 3);
  EXPECT_EQ(text.find('\x03'), std::string::npos) << "no message is ended";
}

TEST_F(FaultsTest, ASilentDeviceNeitherStreamsNorAnswers) {
  Open("t7", 19200);
  Inject("silent=1500");
  runtime.RunFor(1200);
  EXPECT_NE(Take(), "");
  runtime.RunFor(1000);
  Take();
  runtime.RunFor(2000);
  EXPECT_EQ(Take(), "");
  Command("IM");
  EXPECT_EQ(Take(), "");
  EXPECT_FALSE(Device().Device().Answering());
}

}  // namespace
}  // namespace ventari::sim
