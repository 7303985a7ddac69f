#include "stats/wind_rose.h"

#include <algorithm>
#include <cmath>

namespace ventari {

WindRose::WindRose(int sectors)
    : counts_(static_cast<std::size_t>(std::clamp(sectors, kMinSectors, kMaxSectors))) {}

void WindRose::Add(const WindSample& sample) {
  if (!sample.direction || sample.speed == 0) return;
  const double width = 360.0 / Sectors();
  const double turned = std::fmod(*sample.direction + width / 2, 360.0);
  const int sector =
      std::clamp(static_cast<int>((turned < 0 ? turned + 360 : turned) / width), 0, Sectors() - 1);
  const int speedClass =
      std::clamp(static_cast<int>(std::fabs(sample.speed) / kClassWidth), 0, kClassCount - 1);
  ++counts_[static_cast<std::size_t>(sector)][static_cast<std::size_t>(speedClass)];
  ++total_;
}

std::int64_t WindRose::Count(int sector, int speedClass) const {
  if (sector < 0 || sector >= Sectors() || speedClass < 0 || speedClass >= kClassCount) return 0;
  return counts_[static_cast<std::size_t>(sector)][static_cast<std::size_t>(speedClass)];
}

double WindRose::Frequency(int sector, int speedClass) const {
  return total_ > 0 ? static_cast<double>(Count(sector, speedClass)) / static_cast<double>(total_)
                    : 0;
}

QString WindRose::ClassName(int speedClass) {
  if (speedClass >= kClassCount - 1) {
    return QStringLiteral(">%1").arg((kClassCount - 1) * kClassWidth);
  }
  return QStringLiteral("%1-%2").arg(speedClass * kClassWidth).arg((speedClass + 1) * kClassWidth);
}

}  // namespace ventari
