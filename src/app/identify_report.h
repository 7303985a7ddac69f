// What a search found, as the command line reports it and a publisher describes the instrument:
// the anemometer found, its identity, its configuration record field by field and the main menu
// as it now stands, as JSON.
#pragma once

#include <QJsonObject>
#include <cstdint>

namespace ventari {

struct Anemometer;
class MainMenu;

// What identification found, with the configuration read and the menu it left.
QJsonObject IdentifyReport(const Anemometer& anemometer, bool found, std::int32_t baud,
                           const MainMenu& menu);

}  // namespace ventari
