// The fuzz targets' assertion: a broken invariant stops the run at once, as a crash libFuzzer
// keeps the input of, in every build type.
#pragma once

namespace ventari {

inline void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace ventari
