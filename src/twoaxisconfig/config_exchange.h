// One configuration-mode exchange of a two-axis dialog or menu entry: the busy cursor while it
// runs, the mode entered first and always left again, also when the exchange fails.
#pragma once

#include <functional>

#include "base/setting_fields.h"
#include "twoaxisconfig/dialog_parts.h"

namespace ventari {

// Busy cursor and `setBusy(true)`, then configuration mode. When it is not reached nothing is
// sent and the outcome is kNoConfigMode; otherwise `body` runs and the mode is left at the
// settings the port then has. Cursor and busy flag come back on every path; an error `body`
// raises leaves the mode (as far as the port still lets it) and goes on up.
SettingOutcome RunConfigExchange(TwoAxisDialogParts& parts,
                                 const std::function<void(bool)>& setBusy,
                                 const std::function<SettingOutcome()>& body);

}  // namespace ventari
