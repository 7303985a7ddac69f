// What the command line reports after a search: the anemometer found, its identity, its
// configuration record field by field and the main menu as it now stands, as JSON.
#pragma once

#include <QJsonObject>

namespace ventari {

class Session;

QJsonObject IdentifyReport(const Session& session);

}  // namespace ventari
