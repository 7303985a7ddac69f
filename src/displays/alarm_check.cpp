#include "displays/alarm_check.h"

#include <cmath>
#include <numbers>

namespace ventari {
namespace {

// Every direction of a U, V pair west of the north-south line reads this bearing.
constexpr double kWestDirection = 359;

}  // namespace

WindReading ReadingFromUv(double u, double v) {
  // Adding +0 turns -0 into +0, so that "-0.00" in a record does not flip atan2 to -180.
  u += 0.0;
  v += 0.0;
  WindReading reading;
  reading.speed = std::sqrt(u * u + v * v);
  if (u == 0 && v == 0) return reading;
  reading.direction = std::atan2(u, v) * 360 / (2 * std::numbers::pi);
  if (reading.direction < 0) reading.direction = kWestDirection;
  return reading;
}

bool ViolatesThresholds(const WindReading& reading, const AlarmThresholds& thresholds,
                        const AlarmConditions& conditions) {
  bool speedAlarm = false;
  if (conditions.windspeed) {
    speedAlarm = conditions.triggerBelow ? reading.speed < thresholds.speed
                                         : reading.speed > thresholds.speed;
  }
  const bool directionAlarm = conditions.direction && thresholds.direction1 < reading.direction &&
                              reading.direction < thresholds.direction2;
  return speedAlarm || directionAlarm;
}

}  // namespace ventari
