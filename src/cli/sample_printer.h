// What ventari-cli stream prints for each two-axis data message (the data display's line) and
// each three-axis record or averaged line (the tabular display's line), or one JSON object a
// line with the values and the windsock's figures over the "&2 min" window in m/s.
// "warming_up" is true while that window is still filling: its averages and gusts are then
// those of the samples so far, not yet of two minutes.
#pragma once

#include <QString>
#include <functional>

namespace ventari {

struct LiveDisplays;
struct TriAxisConfig;
class TriAxisDataApplier;
class TwoAxisDataApplier;

// Selects the windsock's two-minute window in m/s and prints every data message from now on.
void PrintEachSample(LiveDisplays& displays, TwoAxisDataApplier& applier, bool json,
                     std::function<void(const QString&)> print);

// The same for a three-axis anemometer's records. In JSON: "text" (the table's line, null when
// the record added none), "kind" ("record", "averaged", "blocked", "malformed", "unreadable"),
// "status" (this record's address and value, null when not read, and the status message
// shown), "clinometer" (the reading this record completed, else null) and "values" keyed by
// the comma-separated log header's names (null when the record shows no values).
void PrintEachSample(LiveDisplays& displays, TriAxisDataApplier& applier,
                     const TriAxisConfig& config, bool json,
                     std::function<void(const QString&)> print);

}  // namespace ventari
