#include "sim/h8_boot_device.h"

namespace ventari::sim {
namespace {

constexpr std::uint8_t kBitRateMatch = 0x00;
constexpr std::uint8_t kStartErase = 0x55;
constexpr std::uint8_t kDone = 0xAA;
constexpr std::uint8_t kEraseFailed = 0xFF;
constexpr std::uint8_t kKernelReady = 0x5A;

std::string Byte(std::uint8_t byte) { return std::string(1, static_cast<char>(byte)); }

}  // namespace

H8BootDevice::H8BootDevice(Runtime& runtime, std::uint32_t seed)
    : SimDevice(runtime, LineSettings{}, seed) {
  flash_.fill(0xFF);
}

H8BootDevice::~H8BootDevice() { CancelPending(); }

void H8BootDevice::HoldReset() {
  CancelPending();
  stage_ = Stage::kHeld;
}

void H8BootDevice::Release(bool bootMode) {
  CancelPending();
  stage_ = bootMode ? Stage::kMatching : Stage::kRunning;
  echoed_ = 0;
}

void H8BootDevice::OnByte(std::uint8_t byte) {
  switch (stage_) {
    case Stage::kMatching:
      if (byte == kBitRateMatch) {
        stage_ = Stage::kMatched;
        Reply(Byte(kBitRateMatch));
      }
      return;
    case Stage::kMatched:
      // Further 0x00 sent while the answer was on its way are ignored.
      if (byte != kStartErase) return;
      stage_ = Stage::kErasing;
      After(kEraseMs, [this] {
        if (bootFaults_.eraseFails) {
          stage_ = Stage::kFailed;
          Transmit(Byte(kEraseFailed));
          return;
        }
        flash_.fill(0xFF);
        stage_ = Stage::kKernelLength;
        kernelLength_ = 0;
        lengthBytes_ = 0;
        Transmit(Byte(kDone));
      });
      return;
    case Stage::kKernelLength:
      Echo(byte);
      kernelLength_ = static_cast<std::uint16_t>(kernelLength_ << 8 | byte);
      if (++lengthBytes_ < 2) return;
      stage_ = Stage::kKernel;
      kernel_.clear();
      received_ = 0;
      break;
    case Stage::kKernel:
      Echo(byte);
      kernel_.push_back(static_cast<char>(byte));
      ++received_;
      break;
    case Stage::kAppLength:
      Echo(byte);
      appLength_ = static_cast<std::uint16_t>(appLength_ << 8 | byte);
      if (++lengthBytes_ < 2) return;
      stage_ = Stage::kApplication;
      received_ = 0;
      break;
    case Stage::kApplication:
      Echo(byte);
      // Programming flash only clears bits; an erased cell takes the byte as it is.
      if (received_ < flash_.size()) flash_[received_] &= byte;
      ++received_;
      break;
    default:
      return;
  }
  if (stage_ == Stage::kKernel && received_ >= kernelLength_) {
    stage_ = Stage::kKernelStarting;
    Transmit(Byte(kDone));
    After(kKernelStartMs, [this] {
      stage_ = Stage::kAppLength;
      appLength_ = 0;
      lengthBytes_ = 0;
      Transmit(Byte(kKernelReady));
    });
  } else if (stage_ == Stage::kApplication && received_ >= appLength_) {
    stage_ = Stage::kProgrammed;
    Transmit(Byte(kDone));
  }
}

std::string H8BootDevice::DataMessage(const WindSample&, std::size_t& endMarker) {
  endMarker = std::string::npos;
  return {};
}

void H8BootDevice::Echo(std::uint8_t byte) {
  const bool wrong = echoed_ == bootFaults_.wrongEchoAt;
  ++echoed_;
  Transmit(Byte(wrong ? static_cast<std::uint8_t>(~byte) : byte));
}

void H8BootDevice::After(int ms, std::function<void()> then) {
  CancelPending();
  pending_ = runtime().Schedule(ms, [this, then = std::move(then)] {
    pending_ = 0;
    then();
  });
}

void H8BootDevice::CancelPending() {
  runtime().Cancel(pending_);
  pending_ = 0;
}

}  // namespace ventari::sim
