// The boot dialogue's transfers against a scripted processor: the length exchange with its
// echoes, the block upload's echo check per 512 bytes and its progress lines, and the bounded
// waits that Abort ends.
#include "service/flash_transfer.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "support/channel_on_line.h"

namespace ventari {
namespace {

class FlashTransferTest : public ::testing::Test, protected test::ChannelOnLine {
 protected:
  FlashTransferTest() {
    transfer.Listen();
    for (std::size_t i = 0; i < image.bytes.size(); ++i) {
      image.bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
    }
  }
  // The processor echoes every byte; the one at `wrongAt` comes back changed, and bytes from
  // `silentFrom` on are not echoed.
  void Echo(std::size_t wrongAt = SIZE_MAX, std::size_t silentFrom = SIZE_MAX) {
    line.SetResponder([this, wrongAt, silentFrom](test::ScriptedLine& l, std::uint8_t byte) {
      const std::size_t index = heard++;
      if (index >= silentFrom) return;
      l.DeliverIn(2, std::string(1, static_cast<char>(index == wrongAt ? byte ^ 1 : byte)));
    });
  }
  QStringList Log() const { return QStringList(log.Lines().begin(), log.Lines().end()); }

  bool abort = false;
  FlashLog log;
  FlashTransfer transfer{port, channel, abort, log};
  FlashImage image{};
  std::size_t heard = 0;
};

struct UploadCase {
  std::uint32_t length;
  QStringList progress;
};

class BlockUpload : public FlashTransferTest, public ::testing::WithParamInterface<UploadCase> {};

TEST_P(BlockUpload, EchoesAreCheckedPerBlockAndProgressIsLogged) {
  Echo();
  const std::int64_t start = rt.NowMs();
  EXPECT_EQ(transfer.Upload(image, GetParam().length), TransferOutcome::kDone);
  EXPECT_EQ(Log(), GetParam().progress);
  const std::int64_t blocks = (GetParam().length + 511) / 512;
  EXPECT_EQ(rt.NowMs() - start, blocks * FlashTransfer::kBlockEchoMs);
  EXPECT_EQ(line.Sent().size(), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, BlockUpload,
    ::testing::Values(
        UploadCase{1, {"1 bytes transferred"}}, UploadCase{512, {"512 bytes transferred"}},
        // A multiple of 1024 is logged after its block and again at the end.
        UploadCase{1024, {"1024 bytes transferred", "1024 bytes transferred"}},
        UploadCase{
            2500, {"1024 bytes transferred", "2048 bytes transferred", "2500 bytes transferred"}}));

TEST_F(FlashTransferTest, AWrongOrMissingEchoEndsTheUploadAtItsBlock) {
  Echo(/*wrongAt=*/700);
  EXPECT_EQ(transfer.Upload(image, 2048), TransferOutcome::kUnexpected);
  EXPECT_EQ(line.Sent().size(), 1024u);
  EXPECT_TRUE(Log().isEmpty());

  heard = 0;
  line.ClearSent();
  transfer.StopListening();
  transfer.Listen();
  // The last byte of an exact block of 512 is checked like every other.
  Echo(SIZE_MAX, /*silentFrom=*/1023);
  EXPECT_EQ(transfer.Upload(image, 1024), TransferOutcome::kTimeout);
  EXPECT_EQ(line.Sent().size(), 1024u);
}

TEST_F(FlashTransferTest, AbortStopsTheUploadBeforeTheNextByte) {
  Echo();
  rt.Schedule(1500, [this] { abort = true; });
  EXPECT_EQ(transfer.Upload(image, 4096), TransferOutcome::kAborted);
  EXPECT_EQ(line.Sent().size(), 1024u);
  EXPECT_EQ(Log().last(), " Upload aborted ");
}

TEST_F(FlashTransferTest, TheLengthGoesHighByteFirstEachWaitingForItsEcho) {
  Echo();
  std::uint32_t agreed = 0;
  EXPECT_EQ(transfer.ExchangeLength(0x09C4, agreed), TransferOutcome::kDone);
  EXPECT_EQ(agreed, 0x09C4u);
  EXPECT_EQ(line.SentText(), std::string("\x09\xC4", 2));
  EXPECT_LT(line.Sent()[1].atMs - line.Sent()[0].atMs, 20);
}

TEST_F(FlashTransferTest, AFailedLengthByteKeepsTheSecondBack) {
  Echo(/*wrongAt=*/0);
  std::uint32_t agreed = 1;
  EXPECT_EQ(transfer.ExchangeLength(0xF000, agreed), TransferOutcome::kUnexpected);
  EXPECT_EQ(agreed, 0u);
  EXPECT_EQ(line.Sent().size(), 1u);

  // Silence: the wait is bounded.
  line.SetResponder({});
  line.ClearSent();
  const std::int64_t start = rt.NowMs();
  EXPECT_EQ(transfer.ExchangeLength(0xF000, agreed), TransferOutcome::kTimeout);
  EXPECT_EQ(rt.NowMs() - start, FlashTransfer::kEchoLimitMs);
  EXPECT_EQ(line.Sent().size(), 1u);

  // Abort ends the wait at once.
  rt.Schedule(40, [this] { abort = true; });
  const std::int64_t pressed = rt.NowMs() + 40;
  EXPECT_EQ(transfer.ExchangeLength(0xF000, agreed), TransferOutcome::kAborted);
  EXPECT_LE(rt.NowMs() - pressed, kTimerTickMs);
}

}  // namespace
}  // namespace ventari
