#include "triaxis/tri_axis_record_rate.h"

namespace ventari {
namespace {

constexpr double kMeasurementsPerSecond = 10;
constexpr double kMeasurementsPerSecond50Hz = 50;
constexpr int kInstantaneousOn = 0;

}  // namespace

double TriAxisRecordsPerSecond(const TriAxisConfig& config, std::optional<AnemModel> model) {
  const bool fiftyHz = model == AnemModel::kT7_50 || model == AnemModel::kMz_50;
  const double measurements = fiftyHz ? kMeasurementsPerSecond50Hz : kMeasurementsPerSecond;
  if (fiftyHz && config.Instantaneous == kInstantaneousOn) return measurements;
  bool number = false;
  const int averaged = config.Averaging.trimmed().toInt(&number);
  if (!number || averaged < kMinAveraging || averaged > kMaxAveraging) return 1;
  return measurements / averaged;
}

}  // namespace ventari
