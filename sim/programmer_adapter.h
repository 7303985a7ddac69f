// The external flash programmer between the port and a Kestrix II board: the computer clocks
// control bytes to it on the modem-control lines (DTR the clock, RTS the data inverted, a frame
// opened by RTS rising and closed by RTS falling while DTR is low); it powers the board, holds
// the processor in reset and releases it into boot mode or normal running.
#pragma once

#include <cstdint>
#include <deque>

#include "base/runtime.h"
#include "sim/h8_boot_device.h"

namespace ventari::sim {

class ProgrammerAdapter {
 public:
  // What the adapter keeps of its past, for tests to look at.
  static constexpr std::size_t kHistory = 4096;

  struct LineChange {
    std::int64_t atMs;
    bool dtr;
    bool rts;
  };
  struct ControlByte {
    std::int64_t atMs;
    std::uint8_t value;
  };

  ProgrammerAdapter(Runtime& runtime, H8BootDevice& processor);

  // The port has set its lines (one of them may have changed).
  void ControlLines(bool dtr, bool rts);

  // The latest line changes and control bytes, oldest first.
  const std::deque<LineChange>& Changes() const { return changes_; }
  const std::deque<ControlByte>& Bytes() const { return bytes_; }
  bool Powered() const { return powered_; }

 private:
  void Obey(std::uint8_t control);

  Runtime& runtime_;
  H8BootDevice& processor_;
  bool dtr_ = false;
  bool rts_ = false;
  bool inFrame_ = false;
  int bits_ = 0;
  std::uint8_t value_ = 0;
  bool powered_ = false;
  bool bootMode_ = false;
  std::deque<LineChange> changes_;
  std::deque<ControlByte> bytes_;
};

}  // namespace ventari::sim
