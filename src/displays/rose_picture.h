// The three compass-rose pictures, drawn in code at the size they are shown so that they stay
// crisp at any size: plain (angular), NSEW and maritime (relative bearings around a ship).
#pragma once

#include <QImage>

namespace ventari {

enum RoseType { kPlainRose = 0, kNsewRose = 1, kShipRose = 2 };

// The rose `type` on black, `side` by `side` pixels, in the compass's logical plane of 2800 by
// 2800 units (centre at the middle, y up).
QImage DrawRosePicture(RoseType type, int side);

}  // namespace ventari
