#include "sim/boot_board.h"

namespace ventari::sim {

BootBoard::BootBoard(Runtime& runtime, std::uint32_t seed)
    : processor_(std::make_unique<H8BootDevice>(runtime, seed)),
      adapter_(runtime, *processor_),
      line_(std::make_unique<LineModel>(runtime, *processor_, seed + 2)) {}

BootBoard::~BootBoard() = default;

}  // namespace ventari::sim
