// Stands in for the terminal's status line: counts the refreshes and runs `onRefresh` at each.
#pragma once

#include <functional>

#include "link/line_status_view.h"

namespace ventari::test {

struct LineStatusSpy : LineStatusView {
  void RefreshStatus() override {
    ++refreshes;
    if (onRefresh) onRefresh();
  }

  int refreshes = 0;
  std::function<void()> onRefresh;
};

}  // namespace ventari::test
