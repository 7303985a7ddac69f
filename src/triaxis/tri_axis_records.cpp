#include "triaxis/tri_axis_records.h"

#include "base/record_field.h"

namespace ventari {

std::array<std::int64_t, 3> TriAxisGraphPoints(const TriAxisGraphValues& graph, double graphGain,
                                               double scale) {
  const auto& [first, second, third] = graph.values;
  if (graph.polar) {
    return {Truncated(scale * first / 360.0), Truncated(second * graphGain), Truncated(third)};
  }
  return {Truncated(first * graphGain), Truncated(second * graphGain),
          Truncated(third * graphGain)};
}

}  // namespace ventari
