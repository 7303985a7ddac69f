// The numbered strings of the system (messages, captions and dialog texts looked up by number).
#pragma once

#include <QString>

namespace ventari {

// The text of string `id`; empty for a number that has no text.
QString LoadStr(int id);

inline constexpr int kStrWarning = 1000;
inline constexpr int kStrNoResponseStar = 1100;
inline constexpr int kStrNoResponseD1 = 1101;
inline constexpr int kStrNoResponseD2 = 1102;
inline constexpr int kStrNoResponseD3 = 1103;
inline constexpr int kStrPortDetectionFailed = 1104;
inline constexpr int kStrStopResync = 1105;
inline constexpr int kStrResynchronise = 1106;

}  // namespace ventari
