// The alignment and heating entries of the configuration menu: one line each in
// configuration mode, the check marks following only once it was sent.
#pragma once

#include "base/setting_fields.h"
#include "twoaxisconfig/dialog_parts.h"

namespace ventari {

class AlignmentHeating {
 public:
  explicit AlignmentHeating(TwoAxisDialogParts parts) : p_(parts) {}

  // "X1" to "X4"; the entry of `alignment` alone among the four is checked.
  SettingOutcome Align(AlignmentMark alignment);
  // "H2" (on) or "H1" (off); "Enabled" and "Disabled" checked as it is.
  SettingOutcome Heat(bool on);

 private:
  TwoAxisDialogParts p_;
};

// The menu entry of an alignment.
MenuId AlignmentEntry(AlignmentMark alignment);

}  // namespace ventari
