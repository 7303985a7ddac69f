// Flash programming of a Kestrix II through the processor's boot mode, with the board in the
// external flash programmer on the anemometer's port: the kernel is loaded into RAM through the
// boot loader, then the kernel takes the application into flash. Every step is logged; the
// flash programming window (TFrmFlash) shows the log and offers Abort.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/change_notifier.h"
#include "service/flash_adapter.h"
#include "service/flash_log.h"
#include "service/flash_transfer.h"
#include "service/service_link.h"
#include "service/srecord_reader.h"

namespace ventari {

enum class FlashOutcome { kProgrammed, kFailed, kAborted };

// The flash result the test report prints: 0 programmed, -1 not (failed or aborted).
int FlashResultOf(FlashOutcome outcome);

class FlashProgrammer {
 public:
  // The waits the boot dialogue once had without bound. Each is far longer than the processor
  // ever takes; Abort ends any of them at once.
  static constexpr int kBitRateMatchLimitMs = 10'000;
  static constexpr int kEraseLimitMs = 30'000;
  static constexpr int kKernelLoadedLimitMs = 10'000;
  static constexpr int kKernelReadyLimitMs = 60'000;
  static constexpr int kProgrammedLimitMs = 60'000;

  explicit FlashProgrammer(ServiceLink& link);
  FlashProgrammer(const FlashProgrammer&) = delete;
  FlashProgrammer& operator=(const FlashProgrammer&) = delete;

  // Something else that reads the port's received bytes (the terminal): it is detached for a
  // run, so that no byte of the boot dialogue is taken from the programmer, and attached again
  // however the run ends. The packet matchers always are.
  void AddPortReader(std::function<void()> detach, std::function<void()> reattach);

  // Reads the kernel and the application, and programs them only when both files were read
  // whole: a file that cannot be used leaves the port and the processor untouched.
  FlashOutcome Run(const QString& kernelPath, const QString& applicationPath, KernelChip chip);
  // Programs images already read (the state sequence from entering boot mode on).
  FlashOutcome Program(const FlashImage& kernel, const FlashImage& application, KernelChip chip);

  // AbortButton: the run stops at its next look, with the processor reset; it counts as not
  // programmed.
  void Abort() { abort_ = true; }
  bool Running() const { return running_; }

  FlashLog& Log() { return log_; }
  const FlashLog& Log() const { return log_; }

  // The window: shown for a run, closed after one that succeeded; told through Changed(). It
  // cannot be closed while a run goes on: its log and Abort stay in view.
  bool WindowShown() const { return windowShown_; }
  void ShowWindow();
  void CloseWindow();
  ChangeNotifier& Changed() { return changed_; }

 private:
  struct PortReader {
    std::function<void()> detach;
    std::function<void()> reattach;
  };
  class Detached;
  class RunScope;

  // The state the boot dialogue is in; a step performs the state's action and either moves
  // on or ends the run.
  std::optional<FlashOutcome> Step();
  std::optional<FlashOutcome> Fail(const QString& line);
  std::optional<FlashOutcome> StepAfterLength(TransferOutcome outcome, std::uint32_t length,
                                              const char* timeoutLine, const char* unexpectedLine,
                                              const char* nextLine);
  std::optional<FlashOutcome> StepAfterUpload(TransferOutcome outcome, const char* nextLine);
  FlashOutcome ProgramImages(const FlashImage& kernel, const FlashImage& application);
  void SetRunning(bool running);

  ServiceLink& link_;
  FlashLog log_;
  FlashAdapter adapter_;
  bool abort_ = false;
  FlashTransfer transfer_;
  std::vector<PortReader> readers_;
  bool running_ = false;
  bool windowShown_ = false;
  ChangeNotifier changed_;

  // The run in progress.
  const FlashImage* kernel_ = nullptr;
  const FlashImage* application_ = nullptr;
  int state_ = 0;
  std::uint32_t programLength_ = 0;
  std::int64_t stateSinceMs_ = 0;
};

}  // namespace ventari
