// The Larkvane's analogue output dialog: range, wrap-around and output mode.
#pragma once

#include "twoaxisconfig/lv_analogue_dialog.h"
#include "ui/radio_dialog.h"

namespace ventari {

class TFrmLVAnalogue : public RadioDialog {
 public:
  TFrmLVAnalogue(LvAnalogueDialog& model, QWidget* parent)
      : RadioDialog(model, QStringLiteral("TFrmLVAnalogue"), 1, parent) {}
};

}  // namespace ventari
