// The live windows' models as identification and the replies change them, recorded for tests
// of the replies without the models: the output rates told and the unit scale changes.
#pragma once

#include <vector>

#include "base/live_windows.h"

namespace ventari::test {

struct RecordedLiveWindows : LiveWindows {
  void SetGraphPresentation(bool) override {}
  void ApplyUnitScales() override { ++unitScaleChanges; }
  void ShowGraphThirdKey(bool) override {}
  void SamplesPerSecondChanged(double rate) override { samplesPerSecond.push_back(rate); }
  void ShowWindsockWAxis(bool) override {}

  // Every output rate told, in order.
  std::vector<double> samplesPerSecond;
  int unitScaleChanges = 0;
};

}  // namespace ventari::test
