#include "twoaxisconfig/analogue_dialog.h"

#include "base/string_table.h"

namespace ventari {
namespace {

constexpr int kStrCaption = 1450;
constexpr int kStrScaling = 1451;
constexpr int kStrOutputType = 1452;
constexpr int kStrTests = 1453;
constexpr int kStrChan3 = 1454;
constexpr int kStrWrap = 1455;
constexpr int kStrTestsOff = 1456;
constexpr int kStrChan3Status = 1460;
constexpr int kStrWrap540 = 1462;

QStringList Strings(int first, int count) {
  QStringList texts;
  for (int id = first; id < first + count; ++id) texts << LoadStr(id);
  return texts;
}

}  // namespace

QString AnalogueDialog::Caption() const { return LoadStr(kStrCaption); }

std::vector<RadioGroup> AnalogueDialog::Groups() const {
  TwoAxisConfig& c = p_.config;
  const bool enabled = p_.layout.analogueChoicesEnabled;
  return {{QStringLiteral("Scaling"),
           LoadStr(kStrScaling),
           {"+/- &10 m/s", "+/- &20 m/s", "+/- &30 m/s", "+/- &40 m/s", "+/- &50 m/s",
            "+/- &60 m/s", "+/- &70 m/s"},
           2,
           true,
           enabled,
           [&c] { return int(c.Scaling); },
           [&c](int i) { c.Scaling = i; }},
          {QStringLiteral("AnalogueType"),
           LoadStr(kStrOutputType),
           {"&0 - 5V", "+/- 2.5&V", "4 - 20&mA"},
           1,
           true,
           enabled,
           [&c] { return int(c.AnalogueType); },
           [&c](int i) { c.AnalogueType = i; }},
          {QStringLiteral("AnalogueTests"), LoadStr(kStrTests), Strings(kStrTestsOff, 4), 1, true,
           enabled, [&c] { return int(c.AnalogueTests); }, [&c](int i) { c.AnalogueTests = i; }},
          {QStringLiteral("Chan3Config"), LoadStr(kStrChan3), Strings(kStrChan3Status, 2), 1, true,
           enabled, [&c] { return int(c.Chan3Config); }, [&c](int i) { c.Chan3Config = i; }},
          {QStringLiteral("WrapAround"), LoadStr(kStrWrap), Strings(kStrWrap540, 2), 1, true,
           enabled, [&c] { return int(c.WrapAround); }, [&c](int i) { c.WrapAround = i; }}};
}

SettingOutcome AnalogueDialog::Ok() {
  SaveSelection();
  return Exchange([this] {
    CommandChannel& channel = p_.channel;
    const TwoAxisConfig& c = p_.config;
    channel.SendLine(Setting('Z', c.Scaling + 1));
    channel.SendLine(Setting('T', c.AnalogueType + 1));
    channel.SendLine(Setting('Y', c.Chan3Config + 1));
    channel.SendLine(Setting('C', c.WrapAround + 1));
    channel.SendLine(Setting('J', c.AnalogueTests));
    return SettingOutcome{};
  });
}

}  // namespace ventari
