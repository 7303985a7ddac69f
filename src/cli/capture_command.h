// ventari-cli capture: the port's raw traffic written to a file exactly as the terminal window's
// capture writes it, with texts typed into the line as the terminal sends them.
#pragma once

namespace ventari {

struct CliInvocation;

// Done when the capture is whole; incomplete when writing failed during the capture.
int CaptureCommand(const CliInvocation& call);

}  // namespace ventari
