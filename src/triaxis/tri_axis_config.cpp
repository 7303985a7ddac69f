#include "triaxis/tri_axis_config.h"

namespace ventari {

std::string ChoiceCommand(const TriAxisChoice& choice, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= choice.items.size()) return {};
  std::string command(choice.keyword);
  command += ' ';
  command += choice.items[static_cast<std::size_t>(index)];
  return command;
}

}  // namespace ventari
