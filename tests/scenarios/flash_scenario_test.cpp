// Flash programming of a simulated Kestrix II board in the flash programmer ("sim:boot") from
// the "Flash &memory" page, on virtual time: the control bytes on DTR and RTS, the boot
// dialogue's bytes, the log, the flash written, the ways a run can end, and the test window
// holding its other pages while a run uses the port.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "service/flash_rig.h"

namespace ventari {
namespace {

using Stage = sim::H8BootDevice::Stage;

constexpr std::size_t kKernelBytes = test::FlashRig::kKernelBytes;
constexpr std::size_t kApplicationBytes = test::FlashRig::kApplicationBytes;

class FlashScenario : public ::testing::Test, protected test::FlashRig {
 protected:
  std::vector<std::uint8_t> ControlBytes() const {
    std::vector<std::uint8_t> bytes;
    for (const auto& control : board.Adapter().Bytes()) bytes.push_back(control.value);
    return bytes;
  }
  std::string Sent() const { return s.tap.SentSince(0); }
};

TEST_F(FlashScenario, KernelAndApplicationAreProgrammedAndThePageMovesOn) {
  ProgramFromPage();

  EXPECT_EQ(s.prompts.Messages().front().text, "Program using ...ventari.s");
  EXPECT_EQ(test.flashResult, 0);
  EXPECT_EQ(test.flashFile, folder.SRecords() + "ventari.s");
  EXPECT_FALSE(programmer.WindowShown());
  ASSERT_EQ(s.prompts.Messages().size(), 3u);
  EXPECT_EQ(s.prompts.Messages()[1].caption, "Pobbin's tip");
  EXPECT_EQ(s.prompts.Messages()[2].text,
            "Connect the anemometer to the PC via a breakout box and PCI and switch the PCI ON");
  EXPECT_EQ(moves, std::vector<TestPage>{TestPage::kNonVolatileMemory});
  EXPECT_EQ(detached, 1);
  EXPECT_EQ(reattached, 1);

  // The flash holds the file; the processor runs it.
  const auto& flash = board.Processor().Flash();
  EXPECT_TRUE(std::equal(application.begin(), application.end(), flash.begin()));
  EXPECT_EQ(flash[kApplicationBytes], 0xFF);
  EXPECT_EQ(board.Processor().Kernel(), std::string(kernel.begin(), kernel.end()));
  EXPECT_EQ(board.Processor().CurrentStage(), Stage::kRunning);

  // Start-up, boot-mode entry, the reset of the last state and the one every run ends with.
  EXPECT_EQ(ControlBytes(),
            (std::vector<std::uint8_t>{0x5A, 0x5A, 0x5A, 6, 4, 2, 3, 4, 1, 3, 4, 2, 3, 4, 2, 3}));
  // A control byte is 31 steps of one tick; the sequences wait between bytes as they must.
  std::vector<std::int64_t> gaps;
  const auto& bytes = board.Adapter().Bytes();
  for (std::size_t i = 1; i < 10; ++i) gaps.push_back(bytes[i].atMs - bytes[i - 1].atMs);
  EXPECT_EQ(gaps, (std::vector<std::int64_t>{565, 565, 565, 565, 565, 565, 465, 565, 565}));
  EXPECT_EQ(bytes[11].atMs - bytes[10].atMs, 480);  // 10 ms lasts a tick too
  EXPECT_EQ(bytes[12].atMs - bytes[11].atMs, 965);
  // The second 0x5A (0101 1010) on the lines, from the start of its first step: DTR clocks,
  // RTS carries each bit inverted while DTR is high.
  const std::int64_t start = bytes[0].atMs + kTimerTickMs + 100;
  std::vector<std::tuple<std::int64_t, bool, bool>> lines;
  for (const auto& change : board.Adapter().Changes()) {
    if (change.atMs >= start && change.atMs < start + 31 * kTimerTickMs) {
      lines.emplace_back(change.atMs - start, change.dtr, change.rts);
    }
  }
  const std::vector<std::tuple<std::int64_t, bool, bool>> expectedLines{
      {30, 0, 1},  {45, 1, 1},  {75, 0, 1},    // frame opens; bit 0
      {90, 1, 1},  {105, 1, 0}, {120, 0, 0},   // 1
      {135, 1, 0}, {150, 1, 1}, {165, 0, 1},   // 0
      {180, 1, 1}, {195, 1, 0}, {210, 0, 0},   // 1
      {225, 1, 0}, {255, 0, 0},                // 1
      {270, 1, 0}, {285, 1, 1}, {300, 0, 1},   // 0
      {315, 1, 1}, {330, 1, 0}, {345, 0, 0},   // 1
      {360, 1, 0}, {375, 1, 1}, {390, 0, 1},   // 0
      {405, 1, 1}, {435, 0, 1}, {450, 0, 0}};  // frame closes
  EXPECT_EQ(lines, expectedLines);

  // On the data lines: 0x00 until answered, 0x55, each length and its program.
  const std::string sent = Sent();
  const std::size_t matching = sent.find('\x55');
  ASSERT_NE(matching, std::string::npos);
  EXPECT_GE(matching, 1u);
  EXPECT_EQ(sent.substr(0, matching), std::string(matching, '\0'));
  const std::string expected =
      std::string("\x55\x09\xC4", 3) + std::string(kernel.begin(), kernel.end()) +
      std::string("\xF0\x00", 2) + std::string(application.begin(), application.end());
  EXPECT_EQ(sent.substr(matching), expected);
  EXPECT_EQ(s.session.link().port.Line().baud, 9600);

  QStringList expectedLog{" Flash upload program for H8/3337",
                          "Getting prog data from object file " + folder.SRecords() + "fp3337.s",
                          "Flash programming max address 2499",
                          "Getting main prog data from file " + folder.SRecords() + "ventari.s",
                          "Application program max address 61439",
                          "S1 : Entering boot mode",
                          "Enter boot mode",
                          "S2 : Auto baud",
                          "Auto baud complete",
                          "Tx 0x55",
                          "S3 : Erase flash",
                          "Rx 0xAA :",
                          "Flash erase OK",
                          "S4 : Upload program header",
                          "Program length 2500",
                          "S5 : Upload program",
                          "1024 bytes transferred",
                          "2048 bytes transferred",
                          "2500 bytes transferred",
                          "File transfer complete",
                          "S6 : Check upload",
                          "Upload complete",
                          "S7 : Wait for external flash to erase.",
                          "Flash update program detected",
                          "Program length 61440",
                          "S8 : Upload application program"};
  for (int k = 1; k <= 60; ++k) expectedLog << QStringLiteral("%1 bytes transferred").arg(k * 1024);
  expectedLog << "61440 bytes transferred"
              << "File transfer complete"
              << "S9 : Check upload"
              << "Application upload complete"
              << "S10 : Reset processor"
              << "Processor reset";
  EXPECT_EQ(Log(), expectedLog);
}

// The ways a run fails once the processor is in boot mode: the line that says why, then the
// reset every run ends with, the matchers back, and the page staying with the window open.
struct FailureCase {
  const char* name;
  sim::BootFaults faults;
  const char* silentAfter;   // the processor stops answering once this line is logged ("" at once)
  QStringList lastLines;     // the log's last lines
  std::size_t bytesAfter55;  // what was sent after 0x55 (npos: 0x55 was never sent)
};

class FlashFailure : public FlashScenario, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FlashFailure, EndsWithItsLineAndTheProcessorReset) {
  const FailureCase& c = GetParam();
  board.Processor().SetBootFaults(c.faults);
  if (c.silentAfter != nullptr && *c.silentAfter == '\0') board.Processor().StopAnswering();
  programmer.Log().Changed().Subscribe([&] {
    if (c.silentAfter != nullptr && programmer.Log().Lines().back() == c.silentAfter) {
      board.Processor().StopAnswering();
    }
  });
  const std::int64_t start = s.rt.NowMs();

  ProgramFromPage();

  EXPECT_EQ(test.flashResult, kNotProgrammed);
  EXPECT_TRUE(programmer.WindowShown());
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(s.prompts.Messages().size(), 1u);  // the question alone
  EXPECT_EQ(reattached, 1);
  const QStringList log = Log();
  EXPECT_EQ(log.mid(log.size() - c.lastLines.size()), c.lastLines);
  const auto controls = ControlBytes();
  EXPECT_EQ(std::vector<std::uint8_t>(controls.end() - 3, controls.end()),
            (std::vector<std::uint8_t>{4, 2, 3}));
  const std::string sent = Sent();
  const std::size_t at55 = sent.find('\x55');
  if (c.bytesAfter55 == std::string::npos) {
    EXPECT_EQ(at55, std::string::npos);
    EXPECT_GE(s.rt.NowMs() - start, FlashProgrammer::kBitRateMatchLimitMs);
  } else {
    ASSERT_NE(at55, std::string::npos);
    EXPECT_EQ(sent.size() - at55 - 1, c.bytesAfter55);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FlashFailure,
    ::testing::Values(
        FailureCase{"EraseFails",
                    {.eraseFails = true},
                    nullptr,
                    {"S3 : Erase flash", "Rx 0xFF :", "Flash erase failed"},
                    0},
        // The first length byte comes back wrong: the second is never sent.
        FailureCase{"WrongSizeEcho",
                    {.wrongEchoAt = 0},
                    nullptr,
                    {"S4 : Upload program header", "Received unexpected prog size character"},
                    1},
        FailureCase{"WrongKernelEcho",
                    {.wrongEchoAt = 2 + 1500},
                    nullptr,
                    {"1024 bytes transferred", "Received unexpected character"},
                    2 + 1536},
        FailureCase{"WrongApplicationSizeEcho",
                    {.wrongEchoAt = 2 + 2500 + 1},
                    nullptr,
                    {"Flash update program detected", "Received unexpected app size character"},
                    2 + 2500 + 2},
        // The waits that had no end give up after their limits.
        FailureCase{
            "SilentChip", {}, "", {"S2 : Auto baud", "Auto baud timeout"}, std::string::npos},
        FailureCase{"SilentWhileErasing",
                    {},
                    "S3 : Erase flash",
                    {"S3 : Erase flash", "Flash erase timeout"},
                    0},
        FailureCase{"SilentBeforeTheLength",
                    {},
                    "S4 : Upload program header",
                    {"S4 : Upload program header", "Received prog size character timeout"},
                    1},
        FailureCase{"SilentWhileTheKernelStarts",
                    {},
                    "S7 : Wait for external flash to erase.",
                    {"S7 : Wait for external flash to erase.", "Flash update program timeout"},
                    2 + kKernelBytes}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlashScenario, AbortDuringTheApplicationLeavesTheUnitNotProgrammed) {
  // Abort once half the application has gone.
  bool pressed = false;
  programmer.Log().Changed().Subscribe([&] {
    if (!pressed && programmer.Log().Lines().back() == "30720 bytes transferred") {
      pressed = true;
      programmer.Abort();
    }
  });

  ProgramFromPage();

  EXPECT_EQ(test.flashResult, kNotProgrammed);
  EXPECT_TRUE(programmer.WindowShown());
  EXPECT_TRUE(moves.empty());
  EXPECT_EQ(reattached, 1);
  const QStringList log = Log();
  EXPECT_EQ(log.mid(log.size() - 3),
            (QStringList{"30720 bytes transferred", " Upload aborted ", "Programming aborted"}));
  EXPECT_EQ(board.Processor().CurrentStage(), Stage::kRunning);
  EXPECT_NE(board.Processor().Flash()[kApplicationBytes - 1], application.back());
}

TEST_F(FlashScenario, WhileARunUsesThePortTheTestWindowKeepsToItsPage) {
  Service& service = s.session.service();
  TestWindowModel& window = service.testWindow;
  service.folder.SetRoot(s.dir.path());
  window.FormShow();
  window.AnemometerTypeClick(0);
  s.prompts.inputs = {QStringLiteral("012345")};
  window.BtnSetSensorTypeClick();
  ASSERT_EQ(window.View().activePage, TestPage::kFlashMemory);
  // Halfway through the application the technician tries another tab, the report and the
  // flash window's close box.
  struct During {
    bool busy = false;
    bool moved = true;
    std::size_t writes = 0;
    std::size_t messages = 0;
    bool windowShown = false;
  } during;
  bool tried = false;
  FlashProgrammer& flash = service.flashProgrammer;
  flash.Log().Changed().Subscribe([&] {
    if (tried || flash.Log().Lines().back() != "30720 bytes transferred") return;
    tried = true;
    const std::size_t writes = s.tap.Writes().size();
    const std::size_t messages = s.prompts.Messages().size();
    during.busy = window.View().portBusy;
    during.moved = window.GoTo(TestPage::kTxdrPathLengths);
    window.OKBtnClick();
    flash.CloseWindow();
    during.windowShown = flash.WindowShown();
    during.writes = s.tap.Writes().size() - writes;
    during.messages = s.prompts.Messages().size() - messages;
  });
  s.prompts.answers = {PromptButton::kYes};

  service.flashPage.BtnProgram1Click();

  ASSERT_TRUE(tried);
  EXPECT_TRUE(during.busy);
  EXPECT_FALSE(during.moved);
  EXPECT_EQ(during.writes, 0u) << "nothing sent into the boot dialogue";
  EXPECT_EQ(during.messages, 0u);
  EXPECT_TRUE(during.windowShown);
  EXPECT_EQ(service.test.flashResult, 0);
  EXPECT_FALSE(window.View().portBusy);
  EXPECT_EQ(window.View().activePage, TestPage::kNonVolatileMemory);
}

TEST_F(FlashScenario, AMissingApplicationLeavesThePortAndTheUnitUntouched) {
  QFile::remove(folder.SRecords() + "ventari.s");
  page.Show();
  page.BrowseClick();  // cancelled: the list stays
  s.prompts.files = {s.dir.filePath("elsewhere.s")};
  page.BrowseClick();
  page.BtnProgram1Click();

  EXPECT_EQ(test.flashResult, kNotProgrammed);
  EXPECT_EQ(Log().back(), "File " + s.dir.filePath("elsewhere.s") + " not found. Aborting");
  EXPECT_TRUE(s.tap.Writes().empty());
  EXPECT_TRUE(board.Adapter().Changes().empty());
  EXPECT_FALSE(s.session.link().port.IsOpen());
  EXPECT_EQ(detached, 0);
  EXPECT_EQ(board.Processor().CurrentStage(), Stage::kHeld);
}

TEST_F(FlashScenario, APortThatCannotOpenEndsTheRunWithTheReadersBack) {
  s.session.link().port.SetName(QStringLiteral("COM7"));
  s.silentLine.FailOpen(true);
  ProgramFromPage();

  EXPECT_EQ(test.flashResult, kNotProgrammed);
  EXPECT_EQ(detached, 1);
  EXPECT_EQ(reattached, 1);
  EXPECT_EQ(Log().back(), "scripted open failure");
}

TEST_F(FlashScenario, AnswerNoLeavesEverythingAsItWas) {
  s.prompts.answers = {PromptButton::kNo};
  ProgramFromPage();
  EXPECT_TRUE(Log().isEmpty());
  EXPECT_FALSE(programmer.WindowShown());
  EXPECT_EQ(test.flashResult, kNotProgrammed);
}

}  // namespace
}  // namespace ventari
