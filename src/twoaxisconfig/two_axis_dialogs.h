// The two-axis configuration dialogs' models, over one set of parts.
#pragma once

#include "twoaxisconfig/alignment_heating.h"
#include "twoaxisconfig/analogue_dialog.h"
#include "twoaxisconfig/averaging_dialog.h"
#include "twoaxisconfig/comms_dialog.h"
#include "twoaxisconfig/lv_analogue_dialog.h"
#include "twoaxisconfig/output_format_dialog.h"

namespace ventari {

struct TwoAxisDialogs {
  explicit TwoAxisDialogs(const TwoAxisDialogParts& parts)
      : comms(parts),
        outputFormat(parts),
        analogue(parts),
        lvAnalogue(parts),
        averaging(parts),
        alignmentHeating(parts) {}

  CommsDialog comms;
  OutputFormatDialog outputFormat;
  AnalogueDialog analogue;
  LvAnalogueDialog lvAnalogue;
  AveragingDialog averaging;
  AlignmentHeating alignmentHeating;
};

}  // namespace ventari
