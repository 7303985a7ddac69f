// The byte dialogue with the processor's boot loader and kernel: reading what it sent, waiting
// (bounded, and open to Abort) for its answers, the program length exchange and the block upload
// with its echo check. While it listens, every byte the port receives is queued for it, whoever
// else may still be reading the port.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "base/runtime.h"
#include "link/command_channel.h"
#include "link/serial_port.h"
#include "service/flash_log.h"
#include "service/srecord_reader.h"

namespace ventari {

enum class TransferOutcome { kDone, kTimeout, kUnexpected, kAborted };

class FlashTransfer {
 public:
  // The processor echoes each byte at once: a length byte whose echo has not come within this
  // time never will.
  static constexpr int kEchoLimitMs = 5000;
  static constexpr std::uint32_t kBlockBytes = 512;
  // After a block has gone, the time its echoes have to come back.
  static constexpr int kBlockEchoMs = 1000;
  static constexpr std::uint32_t kProgressBytes = 1024;

  FlashTransfer(SerialPort& port, CommandChannel& channel, const bool& abort, FlashLog& log)
      : port_(port), channel_(channel), abort_(abort), log_(log) {}
  ~FlashTransfer() { StopListening(); }
  FlashTransfer(const FlashTransfer&) = delete;
  FlashTransfer& operator=(const FlashTransfer&) = delete;

  // From now on the port's received bytes are queued for Read; StopListening forgets them.
  void Listen();
  void StopListening();

  // A byte received, without waiting.
  std::optional<std::uint8_t> Read();
  // A byte received within `limitMs`; nothing when the time ran out or Abort was pressed.
  std::optional<std::uint8_t> WaitForByte(int limitMs);
  // PutChar queues the byte whatever the driver still holds, so none is ever dropped.
  void Send(std::uint8_t byte) { port_.PutChar(byte); }

  // Sends `length` high byte first, each waiting for its echo; stops at the first byte that
  // fails. `agreed` is the length when both were echoed, else 0.
  TransferOutcome ExchangeLength(std::uint32_t length, std::uint32_t& agreed);
  // Sends image bytes [0, length) in blocks, checking each block's echo.
  TransferOutcome Upload(const FlashImage& image, std::uint32_t length);

 private:
  SerialPort& port_;
  CommandChannel& channel_;
  const bool& abort_;
  FlashLog& log_;
  int consumer_ = 0;
  std::deque<std::uint8_t> received_;
};

}  // namespace ventari
