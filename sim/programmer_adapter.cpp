#include "sim/programmer_adapter.h"

namespace ventari::sim {
namespace {

// The adapter's commands. The computer wakes it with 0x5A before anything else.
constexpr std::uint8_t kPowerOn = 6;
constexpr std::uint8_t kHoldReset = 4;
constexpr std::uint8_t kNormalMode = 2;
constexpr std::uint8_t kBootMode = 1;
constexpr std::uint8_t kRelease = 3;

template <typename T>
void Keep(std::deque<T>& history, const T& entry) {
  history.push_back(entry);
  if (history.size() > ProgrammerAdapter::kHistory) history.pop_front();
}

}  // namespace

ProgrammerAdapter::ProgrammerAdapter(Runtime& runtime, H8BootDevice& processor)
    : runtime_(runtime), processor_(processor) {}

void ProgrammerAdapter::ControlLines(bool dtr, bool rts) {
  if (dtr == dtr_ && rts == rts_) return;
  Keep(changes_, {runtime_.NowMs(), dtr, rts});
  // A bit is taken as the clock falls; the data may change only while the clock is high.
  if (dtr_ && !dtr && inFrame_ && bits_ < 8) {
    value_ = static_cast<std::uint8_t>(value_ << 1 | (rts ? 0 : 1));
    ++bits_;
  }
  if (!dtr && !dtr_) {
    if (!rts_ && rts) {
      inFrame_ = true;
      bits_ = 0;
      value_ = 0;
    } else if (rts_ && !rts && inFrame_) {
      inFrame_ = false;
      if (bits_ == 8) Obey(value_);
    }
  }
  dtr_ = dtr;
  rts_ = rts;
}

void ProgrammerAdapter::Obey(std::uint8_t control) {
  Keep(bytes_, {runtime_.NowMs(), control});
  switch (control) {
    case kPowerOn:
      powered_ = true;
      return;
    case kHoldReset:
      processor_.HoldReset();
      return;
    case kNormalMode:
      bootMode_ = false;
      return;
    case kBootMode:
      bootMode_ = true;
      return;
    case kRelease:
      if (powered_) processor_.Release(bootMode_);
      return;
    default:
      return;
  }
}

}  // namespace ventari::sim
