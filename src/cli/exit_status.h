// The exit statuses of ventari-cli, one list for every command: what each number means is the
// same whatever the command, and --help and the README show this list.
#pragma once

#include <QString>

namespace ventari {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNotDone = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitIncomplete = 3;
inline constexpr int kExitPortGone = 4;
// As a shell gives a program that SIGINT ended: the user would not wait for the orderly stop.
inline constexpr int kExitCutShort = 130;

struct ExitStatus {
  int status;
  const char* meaning;
};

inline constexpr ExitStatus kExitStatuses[] = {
    {kExitDone,
     "done: the anemometer found, the file read, the settings confirmed, the EEPROM or "
     "calibration verified, the flash programmed, the capture written"},
    {kExitNotDone,
     "not done: no anemometer found or not the model the command needs, a file refused, no "
     "answer, flash programming failed, diag's diagnostic not switched on or its debug output "
     "left on, the MQTT broker refused the user name or password or its certificate was not "
     "verified"},
    {kExitUsage,
     "usage: an option or word the command does not take, a value out of range or one this "
     "anemometer refuses, a port that cannot be opened, diag on another model than a Kestrix II"},
    {kExitIncomplete,
     "incomplete: a log or capture not completely written, a setting not confirmed, a "
     "read-back that does not verify, flash programming aborted"},
    {kExitPortGone,
     "the port vanished and did not return within --reconnect-timeout, or no anemometer "
     "answered on it by then"},
    {kExitCutShort,
     "interrupted again while stopping: the stop was cut short, the port closed, the anemometer "
     "perhaps left in configuration mode or sending"},
};

// "Exit status:" and one line per status, as --help shows them.
QString ExitStatusHelp();

}  // namespace ventari
