#include "service/flash_programmer.h"

#include <algorithm>

#include "base/errors.h"
#include "service/production_test.h"

namespace ventari {
namespace {

constexpr std::uint8_t kBitRateMatch = 0x00;
constexpr std::uint8_t kStartErase = 0x55;
constexpr std::uint8_t kDone = 0xAA;
constexpr std::uint8_t kEraseFailed = 0xFF;
constexpr std::uint8_t kKernelReady = 0x5A;

// The boot loader talks at 9600 baud, 8 data bits, no parity, 1 stop bit.
constexpr LineSettings kBootLine{9600, Parity::kNone, 8, 1};

QString ChipName(KernelChip chip) {
  return chip == KernelChip::kH8_3337 ? QStringLiteral("H8/3337") : QStringLiteral("H8/3334");
}

QString Received(std::uint8_t byte) {
  return QStringLiteral("Rx 0x%1 :").arg(QString::number(byte, 16).toUpper(), 2, QChar('0'));
}

}  // namespace

int FlashResultOf(FlashOutcome outcome) {
  return outcome == FlashOutcome::kProgrammed ? 0 : kNotProgrammed;
}

// Takes the readers of received bytes off the port for its lifetime, so that none of them acts
// on the boot dialogue, with the programmer listening instead; puts them back however the run
// ends.
class FlashProgrammer::Detached {
 public:
  explicit Detached(FlashProgrammer& programmer) : programmer_(programmer) {
    programmer_.link_.matcherGroup.Disconnect();
    for (const PortReader& reader : programmer_.readers_) reader.detach();
    programmer_.transfer_.Listen();
  }
  ~Detached() {
    programmer_.transfer_.StopListening();
    SerialPort& port = programmer_.link_.port;
    // What the processor said last is no reply to anything the readers wait for.
    if (port.IsOpen()) {
      try {
        port.FlushInBuffer();
      } catch (const PortError&) {
      }
    }
    for (auto it = programmer_.readers_.rbegin(); it != programmer_.readers_.rend(); ++it) {
      it->reattach();
    }
    programmer_.link_.matcherGroup.ConnectTo(port);
  }
  Detached(const Detached&) = delete;
  Detached& operator=(const Detached&) = delete;

 private:
  FlashProgrammer& programmer_;
};

FlashProgrammer::FlashProgrammer(ServiceLink& link)
    : link_(link),
      adapter_(link.port, link.channel),
      transfer_(link.port, link.channel, abort_, log_) {}

void FlashProgrammer::AddPortReader(std::function<void()> detach, std::function<void()> reattach) {
  readers_.push_back({std::move(detach), std::move(reattach)});
}

void FlashProgrammer::ShowWindow() {
  windowShown_ = true;
  changed_.Notify();
}

void FlashProgrammer::CloseWindow() {
  if (running_) return;
  windowShown_ = false;
  changed_.Notify();
}

void FlashProgrammer::SetRunning(bool running) {
  running_ = running;
  if (running) abort_ = false;
  changed_.Notify();
}

// A run from its first log line to its end: running, with the abort flag cleared.
class FlashProgrammer::RunScope {
 public:
  RunScope(FlashProgrammer& programmer, KernelChip chip) : programmer_(programmer) {
    programmer_.SetRunning(true);
    programmer_.log_.Add(QStringLiteral(" Flash upload program for ") + ChipName(chip));
  }
  ~RunScope() { programmer_.SetRunning(false); }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  FlashProgrammer& programmer_;
};

FlashOutcome FlashProgrammer::Run(const QString& kernelPath, const QString& applicationPath,
                                  KernelChip chip) {
  RunScope scope(*this, chip);
  const auto log = [this](const QString& line) { log_.Add(line); };
  // Both images are read before anything is sent, so that a bad application file cannot
  // leave the processor with its flash erased.
  const auto kernel = std::make_unique<FlashImage>();
  if (!ReadKernel(kernelPath, chip, *kernel, log).ok) {
    log_.Add(QStringLiteral("Kernel upload failure"));
    return FlashOutcome::kFailed;
  }
  const auto application = std::make_unique<FlashImage>();
  if (!ReadApplication(applicationPath, *application, log).ok) return FlashOutcome::kFailed;
  return ProgramImages(*kernel, *application);
}

FlashOutcome FlashProgrammer::Program(const FlashImage& kernel, const FlashImage& application,
                                      KernelChip chip) {
  RunScope scope(*this, chip);
  return ProgramImages(kernel, application);
}

FlashOutcome FlashProgrammer::ProgramImages(const FlashImage& kernel,
                                            const FlashImage& application) {
  kernel_ = &kernel;
  application_ = &application;
  Detached detached(*this);
  std::optional<FlashOutcome> outcome;
  try {
    link_.port.SetLine(kBootLine);
    log_.Add(QStringLiteral("S1 : Entering boot mode"));
    adapter_.StartUp();
    state_ = 0;
    stateSinceMs_ = link_.runtime.NowMs();
    while (!abort_ && !outcome) outcome = Step();
  } catch (const PortError& e) {
    log_.Add(e.Message());
    outcome = FlashOutcome::kFailed;
  }
  if (!outcome) {
    log_.Add(QStringLiteral("Programming aborted"));
    outcome = FlashOutcome::kAborted;
  }
  if (link_.port.IsOpen()) {
    try {
      adapter_.ResetProcessor();
    } catch (const PortError& e) {
      log_.Add(e.Message());
      outcome = FlashOutcome::kFailed;
    }
  }
  return *outcome;
}

std::optional<FlashOutcome> FlashProgrammer::Fail(const QString& line) {
  log_.Add(line);
  return FlashOutcome::kFailed;
}

std::optional<FlashOutcome> FlashProgrammer::StepAfterLength(TransferOutcome outcome,
                                                             std::uint32_t length,
                                                             const char* timeoutLine,
                                                             const char* unexpectedLine,
                                                             const char* nextLine) {
  switch (outcome) {
    case TransferOutcome::kDone:
      programLength_ = length;
      log_.Add(QStringLiteral("Program length %1").arg(programLength_));
      log_.Add(QLatin1String(nextLine));
      return std::nullopt;
    case TransferOutcome::kTimeout:
      return Fail(QLatin1String(timeoutLine));
    case TransferOutcome::kUnexpected:
      return Fail(QLatin1String(unexpectedLine));
    case TransferOutcome::kAborted:
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<FlashOutcome> FlashProgrammer::StepAfterUpload(TransferOutcome outcome,
                                                             const char* nextLine) {
  switch (outcome) {
    case TransferOutcome::kDone:
      log_.Add(QStringLiteral("File transfer complete"));
      log_.Add(QLatin1String(nextLine));
      return std::nullopt;
    case TransferOutcome::kTimeout:
      return Fail(QStringLiteral("Received character timeout"));
    case TransferOutcome::kUnexpected:
      return Fail(QStringLiteral("Received unexpected character"));
    case TransferOutcome::kAborted:
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<FlashOutcome> FlashProgrammer::Step() {
  const auto enter = [this](int state) {
    state_ = state;
    stateSinceMs_ = link_.runtime.NowMs();
  };
  // What is left of a state's time limit.
  const auto remaining = [this](int limitMs) {
    return static_cast<int>(
        std::max<std::int64_t>(0, limitMs - (link_.runtime.NowMs() - stateSinceMs_)));
  };
  switch (state_) {
    case 0: {
      log_.Add(QStringLiteral("Enter boot mode"));
      adapter_.EnterBootMode();
      while (const auto waiting = transfer_.Read()) {
        if (*waiting == 0) break;
      }
      log_.Add(QStringLiteral("S2 : Auto baud"));
      enter(1);
      return std::nullopt;
    }
    case 1: {
      transfer_.Send(kBitRateMatch);
      const auto answer = transfer_.Read();
      link_.channel.Delay(kTimerTickMs);
      if (answer == kBitRateMatch) {
        log_.Add(QStringLiteral("Auto baud complete"));
        transfer_.Send(kStartErase);
        log_.Add(QStringLiteral("Tx 0x55"));
        log_.Add(QStringLiteral("S3 : Erase flash"));
        enter(2);
      } else if (remaining(kBitRateMatchLimitMs) == 0) {
        return Fail(QStringLiteral("Auto baud timeout"));
      }
      return std::nullopt;
    }
    case 2: {
      const auto answer = transfer_.WaitForByte(remaining(kEraseLimitMs));
      if (abort_) return std::nullopt;
      if (!answer) return Fail(QStringLiteral("Flash erase timeout"));
      log_.Add(Received(*answer));
      if (*answer == kEraseFailed) return Fail(QStringLiteral("Flash erase failed"));
      if (*answer != kDone) return Fail(QStringLiteral("Unknown return value"));
      log_.Add(QStringLiteral("Flash erase OK"));
      log_.Add(QStringLiteral("S4 : Upload program header"));
      enter(3);
      return std::nullopt;
    }
    case 3: {
      std::uint32_t length = 0;
      const auto outcome = transfer_.ExchangeLength(kernel_->highestAddress + 1, length);
      const auto ended =
          StepAfterLength(outcome, length, "Received prog size character timeout",
                          "Received unexpected prog size character", "S5 : Upload program");
      if (outcome == TransferOutcome::kDone) enter(4);
      return ended;
    }
    case 4: {
      const auto outcome = transfer_.Upload(*kernel_, programLength_);
      if (outcome == TransferOutcome::kDone) enter(5);
      return StepAfterUpload(outcome, "S6 : Check upload");
    }
    case 5: {
      const auto answer = transfer_.WaitForByte(remaining(kKernelLoadedLimitMs));
      if (abort_) return std::nullopt;
      if (!answer) return Fail(QStringLiteral("Upload complete character timeout"));
      if (*answer != kDone)
        return Fail(QStringLiteral("Incorrect upload complete character received"));
      log_.Add(QStringLiteral("Upload complete"));
      log_.Add(QStringLiteral("S7 : Wait for external flash to erase."));
      enter(6);
      return std::nullopt;
    }
    case 6: {
      const auto answer = transfer_.WaitForByte(remaining(kKernelReadyLimitMs));
      if (abort_) return std::nullopt;
      if (!answer) return Fail(QStringLiteral("Flash update program timeout"));
      if (*answer == kKernelReady) {
        log_.Add(QStringLiteral("Flash update program detected"));
        enter(7);
      }
      return std::nullopt;
    }
    case 7: {
      std::uint32_t length = 0;
      const auto outcome = transfer_.ExchangeLength(application_->highestAddress + 1, length);
      const auto ended = StepAfterLength(outcome, length, "Received app size character timeout",
                                         "Received unexpected app size character",
                                         "S8 : Upload application program");
      if (outcome == TransferOutcome::kDone) enter(8);
      return ended;
    }
    case 8: {
      const auto outcome = transfer_.Upload(*application_, programLength_);
      if (outcome == TransferOutcome::kDone) enter(9);
      return StepAfterUpload(outcome, "S9 : Check upload");
    }
    case 9: {
      const auto answer = transfer_.WaitForByte(remaining(kProgrammedLimitMs));
      if (abort_) return std::nullopt;
      if (!answer) return Fail(QStringLiteral("Application upload complete character timeout"));
      if (*answer != kDone)
        return Fail(QStringLiteral("Incorrect upload complete character received"));
      log_.Add(QStringLiteral("Application upload complete"));
      log_.Add(QStringLiteral("S10 : Reset processor"));
      enter(10);
      return std::nullopt;
    }
    default:
      adapter_.ResetProcessor();
      log_.Add(QStringLiteral("Processor reset"));
      return FlashOutcome::kProgrammed;
  }
}

}  // namespace ventari
