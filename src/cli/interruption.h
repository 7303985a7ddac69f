// Interruptions of a ventari-cli run (SIGINT, SIGTERM): the first is noted for the command to end
// in order at its next look (a search after its current try, a stream or log at once, flash
// programming by aborting); a second ends the process at once.
#pragma once

namespace ventari {

// From now on an interruption is noted instead of ending the process.
void CatchInterruptions();
// Whether an interruption came since CatchInterruptions().
bool Interrupted();

}  // namespace ventari
