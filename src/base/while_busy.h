// Runs a model's piece of work with its busy flag up (the busy cursor shown, its buttons
// disabled), telling the model's watchers as the flag rises and again as it falls, however the
// work ends.
#pragma once

#include <QScopeGuard>

#include "base/change_notifier.h"

namespace ventari {

template <typename Work>
auto WhileBusy(bool& busy, ChangeNotifier& changed, Work work) {
  busy = true;
  changed.Notify();
  const auto idle = qScopeGuard([&busy, &changed] {
    busy = false;
    changed.Notify();
  });
  return work();
}

}  // namespace ventari
