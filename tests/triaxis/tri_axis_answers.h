// Answers of each three-axis model to "SN", "VER" and "CONFIG" as they arrive with echo on, up
// to the prompt "T7>" (which the reply collector strips). The T7s end their lines with CR LF,
// the MZs with CR.
#pragma once

#include <string_view>

namespace ventari::test {

struct TriAxisAnswers {
  std::string_view sn;
  std::string_view ver;
  std::string_view config;
};

inline constexpr TriAxisAnswers kT7Answers = {
    "SN\r\nO123456\r\n",
    " VER\r\nT7 Ultrasonic Anemometer Version 2.11\r\n",
    "CONFIG\r\n"
    "ABSTEMP OFF\r\n"
    "WINDREP POLAR CAL\r\n"
    "SOSREP SONICTEMP C\r\n"
    "STRFMT ASCII PAD\r\n"
    "ASCTERM CRLF\r\n"
    "ECHO ON\r\n"
    "MSGMODE CONT\r\n"
    "AVERAGE 10\r\n"
    "BAUD 19200\r\n"
    "INST OFF\r\n"
    "ANAIP EEDDDD\r\n"
    "AOPFSD 30\r\n"
    "POLARWRAP 360\r\n"
    "CTONE DISABLED\r\n"
    "ALIGNUVW SPAR\r\n",
};

inline constexpr TriAxisAnswers kMzAnswers = {
    "SN\rH654321\r",
    "VER\rMZ Ultrasonic Anemometer Version 1.40\r",
    "CONFIG\r"
    "ABSTEMP ON K\r"
    "WINDREP UVW UNCAL\r"
    "SOSREP SPEED\r"
    "STRFMT BINARY\r"
    "ASCTERM CR\r"
    "ECHO OFF\r"
    "MSGMODE POLL\r"
    "AVERAGE 250\r"
    "BAUD 115200\r"
    "INST ON\r"
    "ANAIP DEDEDE\r"
    "AOPFSD 10\r"
    "POLARWRAP 540\r"
    "CTONE ON\r"
    "ALIGNUVW AXIS\r",
};

inline constexpr TriAxisAnswers kT7_50Answers = {
    "SN\r\nO200417\r\n",
    " VER\r\nT7 50Hz Ultrasonic Anemometer Version 3.05\r\n",
    "CONFIG\r\n"
    "ABSTEMP ON C\r\n"
    "WINDREP AXIS\r\n"
    "SOSREP OFF\r\n"
    "STRFMT ASCII UNPAD\r\n"
    "ASCTERM CR\r\n"
    "ECHO ON\r\n"
    "MSGMODE CONT\r\n"
    "AVERAGE 1\r\n"
    "BAUD 57600\r\n"
    "INST ON\r\n"
    "ANAIP DDDDDD\r\n"
    "AOPFSD 60\r\n"
    "POLARWRAP 540\r\n"
    "CTONE OFF\r\n"
    "ALIGNUVW AXIS\r\n",
};

// The MZ's 50 Hz firmware announces itself with the same words as the T7's.
inline constexpr TriAxisAnswers kMz_50Answers = {
    "SN\rH310052\r",
    "VER\rT7 50Hz Ultrasonic Anemometer Version 3.10\r",
    "CONFIG\r"
    "ABSTEMP OFF\r"
    "WINDREP POLAR UNCAL\r"
    "SOSREP SONICTEMP K\r"
    "STRFMT ASCII PAD\r"
    "ASCTERM CR\r"
    "ECHO ON\r"
    "MSGMODE CONT\r"
    "AVERAGE 25\r"
    "BAUD 38400\r"
    "INST ON\r"
    "ANAIP EEEEEE\r"
    "AOPFSD 20\r"
    "POLARWRAP 360\r"
    "CTONE DISABLED\r"
    "ALIGNUVW SPAR\r",
};

}  // namespace ventari::test
