// The Kestrix II's analogue output module dialog, its captions from the string table.
#pragma once

#include "twoaxisconfig/analogue_dialog.h"
#include "ui/radio_dialog.h"

namespace ventari {

class TFrmAnalogue : public RadioDialog {
 public:
  TFrmAnalogue(AnalogueDialog& model, QWidget* parent)
      : RadioDialog(model, QStringLiteral("TFrmAnalogue"), 2, parent) {}
};

}  // namespace ventari
