// The alarm's judgement of one record: the wind speed and direction it carries, and whether they
// violate the thresholds under the alarm conditions the user chose.
#pragma once

namespace ventari {

struct AlarmThresholds {
  double speed = 40;       // in the anemometer's speed unit
  double direction1 = 90;  // degrees; the direction window excludes both bounds
  double direction2 = 180;
};

// Which alarms are allowed and how the speed alarm triggers.
struct AlarmConditions {
  bool windspeed = true;      // "Allow Windspeed alarm"
  bool direction = false;     // "Allow Direction alarm"
  bool triggerBelow = false;  // "Trigger below threshold" (else above)
};

struct WindReading {
  double speed = 0;
  double direction = 0;  // degrees
};

// The reading of a U, V pair: speed sqrt(U² + V²) and direction atan2(U, V) in degrees. A
// negative direction (U < 0) reads 359, not 360 plus the angle; U = V = 0 reads 0 degrees, and
// a component written as -0 counts as 0.
WindReading ReadingFromUv(double u, double v);

// True when the reading violates a threshold of an allowed alarm. The speed alarm triggers
// strictly above (or below) the threshold; the direction alarm strictly between the two
// directions.
bool ViolatesThresholds(const WindReading& reading, const AlarmThresholds& thresholds,
                        const AlarmConditions& conditions);

}  // namespace ventari
