// The Kestrix II board in the flash programmer, seen from the port: control bytes clocked on DTR
// and RTS, the processor's boot dialogue with its echoes and answers, its faults.
#include "sim/boot_board.h"

#include <gtest/gtest.h>

#include "sim/boot_faults.h"
#include "sim_line_fixture.h"

namespace ventari::sim {
namespace {

using Stage = H8BootDevice::Stage;

class BootBoardTest : public SimLineTest {
 protected:
  BootBoardTest() { Open(QStringLiteral("boot"), 9600); }

  BootBoard& Board() { return *ports.BoardFor(SimulatedPorts::kBootName); }
  H8BootDevice& Processor() { return Board().Processor(); }

  // One control byte as the programmer takes it: a frame opened by RTS rising and closed by RTS
  // falling while DTR is low, the bits (inverted on RTS) taken as DTR falls.
  void Clock(std::uint8_t byte) {
    port.SetRts(false);
    port.SetDtr(false);
    port.SetRts(true);
    for (int bit = 7; bit >= 0; --bit) {
      port.SetDtr(true);
      port.SetRts((byte >> bit & 1) == 0);
      port.SetDtr(false);
    }
    port.SetDtr(true);
    port.SetRts(true);
    port.SetDtr(false);
    port.SetRts(false);
  }
  void Clock(std::initializer_list<std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) Clock(byte);
  }
  std::vector<std::uint8_t> Controls() {
    std::vector<std::uint8_t> values;
    for (const auto& control : Board().Adapter().Bytes()) values.push_back(control.value);
    return values;
  }
  void Send(const std::string& bytes) {
    port.PutString(bytes);
    runtime.RunFor(100);
  }
  // Into boot mode, matched and erased, ready for the kernel's length.
  void Erased() {
    Processor().Release(/*bootMode=*/true);
    Send(std::string(1, '\0'));
    Send("\x55");
    runtime.RunFor(H8BootDevice::kEraseMs);
    ASSERT_EQ(Take(), std::string("\0\xAA", 2));
  }
};

TEST_F(BootBoardTest, ControlBytesPowerTheBoardAndReleaseTheProcessorInTheModeSelected) {
  Clock({0x5A, 0x5A, 0x5A, 6, 4, 2, 3});
  EXPECT_EQ(Controls(), (std::vector<std::uint8_t>{0x5A, 0x5A, 0x5A, 6, 4, 2, 3}));
  EXPECT_TRUE(Board().Adapter().Powered());
  EXPECT_EQ(Processor().CurrentStage(), Stage::kRunning);
  Clock(4);
  EXPECT_EQ(Processor().CurrentStage(), Stage::kHeld);
  Clock({1, 3});
  EXPECT_EQ(Processor().CurrentStage(), Stage::kMatching);
  Clock({4, 2, 3});
  EXPECT_EQ(Processor().CurrentStage(), Stage::kRunning);
}

TEST_F(BootBoardTest, AnUnpoweredBoardAndAFrameCutShortDoNothing) {
  Clock({4, 1, 3});
  EXPECT_EQ(Processor().CurrentStage(), Stage::kHeld);
  // Four bits, then the frame closes: no byte.
  port.SetDtr(false);
  port.SetRts(true);
  for (int bit = 0; bit < 4; ++bit) {
    port.SetDtr(true);
    port.SetDtr(false);
  }
  port.SetRts(false);
  EXPECT_EQ(Controls(), (std::vector<std::uint8_t>{4, 1, 3}));
}

TEST_F(BootBoardTest, TheBootDialogueEchoesEveryByteAndWritesTheApplication) {
  Erased();
  Send(std::string("\x00\x03", 2));
  Send("abc");
  EXPECT_EQ(Take(), std::string("\x00\x03", 2) + "abc\xAA");
  EXPECT_EQ(Processor().Kernel(), "abc");
  runtime.RunFor(H8BootDevice::kKernelStartMs);
  EXPECT_EQ(Take(), "\x5A");
  Send(std::string("\x00\x04", 2));
  Send("FLSH");
  EXPECT_EQ(Take(), std::string("\x00\x04", 2) + "FLSH\xAA");
  EXPECT_EQ(std::string(Processor().Flash().begin(), Processor().Flash().begin() + 5), "FLSH\xFF");
  EXPECT_EQ(Processor().CurrentStage(), Stage::kProgrammed);
}

TEST_F(BootBoardTest, OnlyZeroMatchesTheBitRateAndFurtherZerosAreIgnored) {
  Processor().Release(true);
  Send("\x55\x01");
  EXPECT_EQ(Take(), "");
  Send(std::string(3, '\0'));
  EXPECT_EQ(Take(), std::string(1, '\0'));
  EXPECT_EQ(Processor().CurrentStage(), Stage::kMatched);
}

TEST_F(BootBoardTest, FaultsSpoilTheAnswerTheyName) {
  Processor().SetBootFaults({.eraseFails = true});
  Processor().Release(true);
  Send(std::string(1, '\0'));
  Send("\x55");
  runtime.RunFor(H8BootDevice::kEraseMs);
  EXPECT_EQ(Take(), std::string("\0\xFF", 2));
  EXPECT_EQ(Processor().CurrentStage(), Stage::kFailed);

  Processor().SetBootFaults({.wrongEchoAt = 3});
  Erased();
  Send(std::string("\x00\x03", 2) + "abc");
  EXPECT_EQ(Take(), std::string("\x00\x03", 2) +
                        "a\x9D"
                        "c\xAA");
}

TEST(BootFaults, AreReadFromTheirNames) {
  BootFaults faults;
  EXPECT_TRUE(ApplyBootFault("erase-fails", faults));
  EXPECT_TRUE(faults.eraseFails);
  EXPECT_TRUE(ApplyBootFault("wrong-echo=2502", faults));
  EXPECT_EQ(faults.wrongEchoAt, 2502);
  for (const char* bad : {"wrong-echo=", "wrong-echo=-1", "wrong-echo=1x", "silent=5", "erase"}) {
    EXPECT_FALSE(ApplyBootFault(bad, faults)) << bad;
  }
  EXPECT_EQ(faults.wrongEchoAt, 2502);
}

}  // namespace
}  // namespace ventari::sim
