// ventari-cli flash: programs a Kestrix II's firmware through boot mode with the board in the
// flash programmer on --port, printing the log as it goes. An interruption (SIGINT) aborts.
#pragma once

namespace ventari {

struct CliInvocation;

// Done when programmed, not done when programming failed, incomplete when aborted.
int FlashCommand(const CliInvocation& call);

}  // namespace ventari
