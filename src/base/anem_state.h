// What the system knows about the connected anemometer. One record for the whole run; a new
// search does not clear it, each field keeps its value until a new reply replaces it.
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
  bool InConfigMode = false;
  QString TypeCode;
  std::optional<AnemModel> Model;
  QString ModelCaption = QStringLiteral("xxxxxxxxxxxxxxxxxxxxxxxx");
  QString PictureFile;
  QString SerialNumber = QStringLiteral(" xxxxxx");
  QString SoftwareVersion = QStringLiteral("x.xx");
  int LvMessageMode = 0;
  bool SearchRequested = true;
  bool Searching = false;
  bool LastTry = false;
  bool ContinuousStarted = false;
};

}  // namespace ventari
