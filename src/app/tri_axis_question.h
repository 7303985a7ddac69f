// Asks a three-axis anemometer in configuration mode one question ("SN", "VER", "CONFIG") and
// waits for its answer, on a deadline of its own: questions asked meanwhile (a second live
// window opened while the first waits) neither end nor prolong this wait.
#pragma once

#include "triaxis/tri_axis_listing.h"

namespace ventari {

class CommandChannel;

// Returns whether the answer came within `timeoutMs`.
bool AskTriAxis(CommandChannel& channel, TriAxisListing& listing, TriAxisReply kind, int timeoutMs);

}  // namespace ventari
