#include "twoaxisconfig/lv_analogue_dialog.h"

#include "base/string_table.h"

namespace ventari {
namespace {

constexpr int kStrCaption = 1450;
// Disabled, 0 - 30 m/s, 0 - 60 m/s.
constexpr int kRangeDigits[] = {9, 3, 6};

}  // namespace

QString LvAnalogueDialog::Caption() const { return LoadStr(kStrCaption); }

std::vector<RadioGroup> LvAnalogueDialog::Groups() const {
  TwoAxisConfig& c = p_.config;
  return {{QStringLiteral("LvAnalogueRange"),
           QStringLiteral("Analogue range"),
           {"Analogue output disabled", "0 - 30 metres per second", "0 - 60 metres per second"},
           1,
           true,
           true,
           [&c] { return int(c.LvAnalogueRange); },
           [&c](int i) { c.LvAnalogueRange = i; }},
          {QStringLiteral("LvWrap"),
           QStringLiteral("Analogue output wrap-around"),
           {"0 - 539 degrees", "0 - 359 degrees"},
           1,
           true,
           true,
           [&c] { return int(c.LvWrap); },
           [&c](int i) { c.LvWrap = i; }},
          {QStringLiteral("LvAnalogueMode"),
           QStringLiteral("Analogue output mode"),
           {"0 - 5 volt", "4 - 20 milliamp"},
           1,
           true,
           true,
           [&c] { return int(c.LvAnalogueMode); },
           [&c](int i) { c.LvAnalogueMode = i; }}};
}

SettingOutcome LvAnalogueDialog::Ok() {
  SaveSelection();
  return Exchange([this] {
    CommandChannel& channel = p_.channel;
    const TwoAxisConfig& c = p_.config;
    const int range = c.LvAnalogueRange;
    channel.Command(range < 0 ? std::string("S") : Setting('S', kRangeDigits[range]));
    channel.Command(Setting('C', c.LvWrap + 1));
    channel.Command(Setting('T', c.LvAnalogueMode + 1));
    return SettingOutcome{};
  });
}

}  // namespace ventari
