// The Statistics window's Save: asks for a file name and writes the periods as CSV there,
// header first; a file that cannot be written is told, and nothing else changes.
#pragma once

#include "base/prompts.h"
#include "stats/live_statistics.h"

namespace ventari {

// True when the file was written; false when the user cancelled or it could not be written.
bool SaveStatisticsCsv(const LiveStatistics& statistics, Prompts& prompts);

}  // namespace ventari
