// A Kestrix II board's H8/3334 or H8/3337 processor as the flash programmer sees it: held in
// reset, running its application, or in boot mode, where its boot ROM matches the bit rate,
// erases the flash, loads the programming kernel into RAM with an echo of every byte, and the
// kernel then takes the application (echoed too) and writes it into the flash the board keeps.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sim/boot_faults.h"
#include "sim/sim_device.h"

namespace ventari::sim {

inline constexpr std::size_t kH8FlashSize = 65535;

class H8BootDevice : public SimDevice {
 public:
  // Where the processor is in its boot dialogue.
  enum class Stage {
    kHeld,            // in reset (or unpowered): hears nothing, says nothing
    kRunning,         // running the application in flash
    kMatching,        // boot mode: waiting for 0x00 to match the bit rate
    kMatched,         // answered 0x00; waiting for 0x55
    kErasing,         // erasing the flash before the 0xAA (or 0xFF) answer
    kKernelLength,    // the kernel's length, high byte first, each echoed
    kKernel,          // the kernel's bytes, each echoed
    kKernelStarting,  // kernel loaded (0xAA sent); it announces itself with 0x5A
    kAppLength,       // the application's length, each byte echoed
    kApplication,     // the application's bytes, echoed and written into flash
    kProgrammed,      // 0xAA sent; waits for a reset
    kFailed,          // the erase failed; waits for a reset
  };

  // How long the boot ROM takes to erase the flash, and the kernel to get ready.
  static constexpr int kEraseMs = 300;
  static constexpr int kKernelStartMs = 800;

  H8BootDevice(Runtime& runtime, std::uint32_t seed);
  ~H8BootDevice() override;

  bool InConfigMode() const override { return false; }

  // The programmer's reset line: held, or released into boot mode or normal running.
  void HoldReset();
  void Release(bool bootMode);

  Stage CurrentStage() const { return stage_; }
  void SetBootFaults(const BootFaults& faults) { bootFaults_ = faults; }
  const std::array<std::uint8_t, kH8FlashSize>& Flash() const { return flash_; }
  // The kernel loaded into RAM by the last boot, and the lengths announced.
  const std::string& Kernel() const { return kernel_; }
  std::uint16_t KernelLength() const { return kernelLength_; }
  std::uint16_t ApplicationLength() const { return appLength_; }
  // Bytes the processor has echoed since boot mode began (size bytes included).
  long long Echoed() const { return echoed_; }

 protected:
  void OnByte(std::uint8_t byte) override;
  std::string DataMessage(const WindSample& sample, std::size_t& endMarker) override;

 private:
  void Echo(std::uint8_t byte);
  void After(int ms, std::function<void()> then);
  void CancelPending();

  Stage stage_ = Stage::kHeld;
  BootFaults bootFaults_;
  std::array<std::uint8_t, kH8FlashSize> flash_;
  std::string kernel_;
  std::uint16_t kernelLength_ = 0;
  std::uint16_t appLength_ = 0;
  int lengthBytes_ = 0;
  std::uint32_t received_ = 0;
  long long echoed_ = 0;
  Runtime::EventId pending_ = 0;
};

}  // namespace ventari::sim
