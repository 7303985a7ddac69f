// A Kestrix II board in the external flash programmer, on a simulated line: the processor with
// its boot loader and flash, the adapter driven by the port's control lines, and the line to
// the port. What the "sim:boot" port opens, and what ventari-sim --boot serves.
#pragma once

#include <cstdint>
#include <memory>

#include "base/runtime.h"
#include "sim/h8_boot_device.h"
#include "sim/line_model.h"
#include "sim/programmer_adapter.h"

namespace ventari::sim {

class BootBoard {
 public:
  explicit BootBoard(Runtime& runtime, std::uint32_t seed = 1);
  ~BootBoard();
  BootBoard(const BootBoard&) = delete;
  BootBoard& operator=(const BootBoard&) = delete;

  H8BootDevice& Processor() { return *processor_; }
  ProgrammerAdapter& Adapter() { return adapter_; }
  LineModel& Line() { return *line_; }

 private:
  std::unique_ptr<H8BootDevice> processor_;
  ProgrammerAdapter adapter_;
  std::unique_ptr<LineModel> line_;
};

}  // namespace ventari::sim
