// The alarm's sound: a wave file played from its start, followed by the system beep. The window
// supplies the player; the alarm decides when it sounds.
#pragma once

#include <QString>

namespace ventari {

inline constexpr char kAlarmSoundFileName[] = "two_tone.wav";

class AlarmSound {
 public:
  virtual ~AlarmSound() = default;
  // Plays the wave file from its start; false when the player cannot (no file, no device).
  virtual bool PlayFromStart() = 0;
  virtual void Beep() = 0;
};

// The alarm's wave file: beside the executable in `applicationDir`, else in the installed data
// folder ../share/ventari relative to it. Empty when neither holds it.
QString AlarmSoundFile(const QString& applicationDir);

}  // namespace ventari
