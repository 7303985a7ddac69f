// ventari-cli flash: programs a Kestrix II's firmware through boot mode with the board in the
// flash programmer on --port, printing the log as it goes. An interruption (SIGINT) aborts.
#pragma once

#include <QStringList>

namespace ventari {

inline constexpr int kExitFlashProgrammed = 0;
inline constexpr int kExitFlashFailed = 1;
inline constexpr int kExitFlashAborted = 3;

// `arguments` from the program name on: "ventari-cli flash --port NAME --app FILE ...".
int FlashCommand(const QStringList& arguments);

}  // namespace ventari
