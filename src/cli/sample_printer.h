// What ventari-cli stream prints for each two-axis data message: the data display's line, or
// one JSON object a line with the values and the windsock's figures over the "&2 min" window in
// m/s. "warming_up" is true while that window is still filling: its averages and gusts are then
// those of the samples so far, not yet of two minutes.
#pragma once

#include <QString>
#include <functional>

namespace ventari {

struct LiveDisplays;
class TwoAxisDataApplier;

// Selects the windsock's two-minute window in m/s and prints every data message from now on.
void PrintEachSample(LiveDisplays& displays, TwoAxisDataApplier& applier, bool json,
                     std::function<void(const QString&)> print);

}  // namespace ventari
