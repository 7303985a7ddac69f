#include "twoaxisconfig/dialog_layout.h"

#include "base/main_menu.h"

namespace ventari {

void ApplyKestrixLayout(TwoAxisDialogLayout& layout) { layout = TwoAxisDialogLayout{}; }

void ApplyLarkvaneLayout(TwoAxisDialogLayout& layout, MainMenu& menu) {
  layout.analogueChoicesEnabled = false;
  layout.analogueOkEnabled = false;
  layout.commsDuplexEnabled = false;
  layout.commsDataBitsEnabled = false;
  layout.kestrixBaudListVisible = false;
  layout.kestrixRateListVisible = false;
  layout.verticalPadEnabled = false;
  layout.sonicOutputsEnabled = false;
  menu.Disable(MenuId::kAveraging1);
  menu.Disable(MenuId::kAlignment1);
}

}  // namespace ventari
