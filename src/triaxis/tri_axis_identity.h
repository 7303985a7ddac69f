// What a three-axis anemometer said about itself, kept as it said it: the binary log starts with
// these texts, and the status decoder checks the serial letter against the model the data report.
#pragma once

#include <QByteArray>

namespace ventari {

struct TriAxisIdentity {
  // The SN answer after its echo, with the VER answer after its echo appended.
  QByteArray identityText;
  // First character of the SN answer: 'O' for the T7 family, 'H' for the MZ family; 0 while no
  // SN answer had one.
  char serialLetter = 0;
  // The CONFIG listing after its echo.
  QByteArray configurationText;
};

}  // namespace ventari
