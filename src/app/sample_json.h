// The JSON object of one data sample, as ventari-cli stream --json prints it and the publisher
// sends it: the values and the windsock's figures over the "&2 min" window in m/s.
// "warming_up" is true while that window is still filling: its averages and gusts are then
// those of the samples so far, not yet of two minutes.
#pragma once

#include <QJsonObject>

namespace ventari {

struct LiveDisplays;
struct TriAxisConfig;
struct TriAxisSample;
struct TwoAxisSample;

// Selects the windsock's two-minute window in m/s, the figures the objects carry.
void SelectStreamWindsock(LiveDisplays& displays);

// A two-axis data message: "text" (the data display's line), "readable", "mode" ("uv" or
// "polar") with "u" and "v" or "direction" and "speed", and the windsock's figures.
QJsonObject SampleJson(const LiveDisplays& displays, const TwoAxisSample& sample);

// A three-axis record or averaged line: "text" (the table's line, null when the record added
// none), "kind" ("record", "averaged", "blocked", "malformed", "unreadable"), "status" (this
// record's address and value, null when not read, and the status message shown), "clinometer"
// (the reading this record completed, else null) and "values" keyed by the comma-separated log
// header's names (null when the record shows no values), and the windsock's figures.
QJsonObject SampleJson(const LiveDisplays& displays, const TriAxisSample& sample,
                       const TriAxisConfig& config);

}  // namespace ventari
