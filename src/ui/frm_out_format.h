// The output formatting dialog: terminator, message format, output rate, unit, vertical
// padding and sonic outputs.
#pragma once

#include "twoaxisconfig/output_format_dialog.h"
#include "ui/radio_dialog.h"

namespace ventari {

class TFrmOutFormat : public RadioDialog {
 public:
  TFrmOutFormat(OutputFormatDialog& model, QWidget* parent)
      : RadioDialog(model, QStringLiteral("TFrmOutFormat"), 3, parent) {}
};

}  // namespace ventari
