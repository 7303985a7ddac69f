#include "service/flash_transfer.h"

#include <QString>
#include <algorithm>

namespace ventari {
namespace {

QString Transferred(std::uint32_t bytes) {
  return QStringLiteral("%1 bytes transferred").arg(bytes);
}

}  // namespace

void FlashTransfer::Listen() {
  if (consumer_ != 0) return;
  received_.clear();
  consumer_ = port_.AddReceiveConsumer([this](std::span<const std::uint8_t> bytes) {
    received_.insert(received_.end(), bytes.begin(), bytes.end());
  });
}

void FlashTransfer::StopListening() {
  if (consumer_ == 0) return;
  port_.RemoveReceiveConsumer(consumer_);
  consumer_ = 0;
  received_.clear();
}

std::optional<std::uint8_t> FlashTransfer::Read() {
  if (received_.empty()) return std::nullopt;
  const std::uint8_t byte = received_.front();
  received_.pop_front();
  return byte;
}

std::optional<std::uint8_t> FlashTransfer::WaitForByte(int limitMs) {
  channel_.WaitFor([this] { return abort_ || !received_.empty(); }, limitMs);
  if (abort_) return std::nullopt;
  return Read();
}

TransferOutcome FlashTransfer::ExchangeLength(std::uint32_t length, std::uint32_t& agreed) {
  agreed = 0;
  for (const std::uint8_t byte :
       {static_cast<std::uint8_t>(length >> 8 & 0xFF), static_cast<std::uint8_t>(length & 0xFF)}) {
    Send(byte);
    const auto echo = WaitForByte(kEchoLimitMs);
    if (abort_) return TransferOutcome::kAborted;
    if (!echo) return TransferOutcome::kTimeout;
    if (*echo != byte) return TransferOutcome::kUnexpected;
  }
  agreed = length & 0xFFFF;
  return TransferOutcome::kDone;
}

TransferOutcome FlashTransfer::Upload(const FlashImage& image, std::uint32_t length) {
  length = std::min<std::uint32_t>(length, kFlashImageSize);
  std::uint32_t sent = 0;
  while (sent < length) {
    const std::uint32_t blockStart = sent;
    const std::uint32_t blockEnd = std::min(sent + kBlockBytes, length);
    for (; sent < blockEnd; ++sent) {
      if (abort_) {
        log_.Add(QStringLiteral(" Upload aborted "));
        return TransferOutcome::kAborted;
      }
      Send(image.bytes[sent]);
    }
    channel_.Delay(kBlockEchoMs);
    for (std::uint32_t at = blockStart; at < blockEnd; ++at) {
      const auto echo = Read();
      if (!echo) return TransferOutcome::kTimeout;
      if (*echo != image.bytes[at]) return TransferOutcome::kUnexpected;
    }
    if (sent % kProgressBytes == 0) log_.Add(Transferred(sent));
  }
  log_.Add(Transferred(length));
  return TransferOutcome::kDone;
}

}  // namespace ventari
