// Calls an optional callback: one whose absence is a choice, said where it is declared.
#pragma once

#include <utility>

namespace ventari {

// Calls `f(args...)` when it is set.
template <typename F, typename... Args>
void CallIfSet(const F& f, Args&&... args) {
  if (f) f(std::forward<Args>(args)...);
}

}  // namespace ventari
