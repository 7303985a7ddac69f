// The anemometer communications dialog: baud rates (the Kestrix II's or the Larkvane's list),
// parity, data bits and the duplex shown only.
#pragma once

#include "twoaxisconfig/comms_dialog.h"
#include "ui/radio_dialog.h"

namespace ventari {

class TFrmAnemcomms : public RadioDialog {
 public:
  TFrmAnemcomms(CommsDialog& model, QWidget* parent)
      : RadioDialog(model, QStringLiteral("TFrmAnemcomms"), 2, parent) {}
};

}  // namespace ventari
