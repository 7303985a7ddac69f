// A two-axis setting command as the dialogs write it: the letter and the number, whatever the
// number ("L" + 0 is "L0", "A" + -1 is "A-1").
#pragma once

#include <string>

namespace ventari {

inline std::string Setting(char letter, int number) { return letter + std::to_string(number); }

}  // namespace ventari
