// The stored default file names and program checksums that the service pages start from.
#pragma once

#include <QString>
#include <array>

namespace ventari {

struct ServiceFileNames {
  QString Kestrix2_Srec;
  QString Kestrix2_User;
  QString Kestrix2_Eng;
  QString Kestrix2_Cal;
  QString Larkvane_Cal;
  std::array<QString, 4> Larkvane_Opt;  // Larkvane_Opt1 .. Larkvane_Opt4
  QString Larkvane_ROM_CS;
  QString Larkvane_SDI12_CS;
  QString XEQ_Eng;
};

}  // namespace ventari
