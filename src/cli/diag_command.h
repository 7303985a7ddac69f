// ventari-cli diag: one software diagnostic of a Kestrix II. Its lines are printed as they
// arrive, with --extended the downcount statistics at the end, and the debug output is switched
// off again however the run ends.
#pragma once

#include <QString>

namespace ventari {

struct CliInvocation;

// Not done when no anemometer was found or its debug output could not be switched on or off.
int DiagCommand(const CliInvocation& call);
// The diagnostics --test takes, as its help lists them.
QString DiagnosticTestNames();

}  // namespace ventari
