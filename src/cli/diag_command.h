// ventari-cli diag: one software diagnostic of a Kestrix II. Its lines are printed as they
// arrive, with --extended the downcount statistics at the end, and the debug output is switched
// off again however the run ends.
#pragma once

#include <QStringList>

namespace ventari {

// Exit status: 0 done, 1 no anemometer found or its debug output could not be switched off,
// 2 usage or port error.
int DiagCommand(const QStringList& arguments);

}  // namespace ventari
