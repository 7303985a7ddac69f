// What the system knows about the connected anemometer: its family and identity. One record for
// the whole run; a new search does not clear it, each field keeps its value until a new reply
// replaces it. What the run is doing with it is kept by the part that does it (configuration
// mode by the command channel, the search by discovery, continuous output by the mode commands).
#pragma once

#include <QString>
#include <optional>

namespace ventari {

enum class AnemFamily { kTwoAxis, kTriAxis };

// Index into the fixed model list.
enum class AnemModel {
  kUnheatedKestrix2 = 0,
  kHeatedKestrix2 = 1,
  kLarkvane = 2,
  kT7 = 3,
  kMz = 4,
  kT7_50 = 5,
  kMz_50 = 6,
};

struct AnemState {
  AnemFamily Family = AnemFamily::kTwoAxis;
  QString TypeCode;
  std::optional<AnemModel> Model;
  QString ModelCaption = QStringLiteral("xxxxxxxxxxxxxxxxxxxxxxxx");
  QString PictureFile;
  QString SerialNumber = QStringLiteral(" xxxxxx");
  QString SoftwareVersion = QStringLiteral("x.xx");
  int LvMessageMode = 0;
};

}  // namespace ventari
