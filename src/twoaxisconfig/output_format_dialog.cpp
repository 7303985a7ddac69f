#include "twoaxisconfig/output_format_dialog.h"

namespace ventari {
namespace {

struct Rate {
  int digit;
  int samplesPerSecond;
};

// In the order of the dialog's items; the Larkvane offers the first three.
constexpr Rate kRates[] = {{1, 1}, {3, 2}, {2, 4}, {4, 5}, {5, 8}, {6, 10}};

}  // namespace

QString OutputFormatDialog::Caption() const { return QStringLiteral("Output formatting"); }

std::vector<RadioGroup> OutputFormatDialog::Groups() const {
  TwoAxisConfig& c = p_.config;
  const TwoAxisDialogLayout& layout = p_.layout;
  RadioGroup rate = layout.kestrixRateListVisible
                        ? RadioGroup{QStringLiteral("OutputRate"),
                                     QStringLiteral("Output rates"),
                                     {"&1 Hz", "&2 Hz", "&4 Hz", "&5 Hz", "&8 Hz", "1&0 Hz"},
                                     1,
                                     true,
                                     true,
                                     [&c] { return int(c.OutputRate); },
                                     [&c](int i) { c.OutputRate = i; }}
                        : RadioGroup{QStringLiteral("LvOutputRate"),
                                     QStringLiteral("Output rates"),
                                     {"&1 Hz", "&2 Hz", "&4 Hz"},
                                     1,
                                     true,
                                     true,
                                     [&c] { return int(c.LvOutputRate); },
                                     [&c](int i) { c.LvOutputRate = i; }};
  return {{QStringLiteral("MessageTerm"),
           QStringLiteral("Message terminator"),
           {"&CR && LF", "&LF only"},
           1,
           true,
           true,
           [&c] { return int(c.MessageTerm); },
           [&c](int i) { c.MessageTerm = i; }},
          {QStringLiteral("FieldFormat"),
           QStringLiteral("Message format"),
           {"CS&V", "Fi&xed field"},
           1,
           true,
           true,
           [&c] { return int(c.FieldFormat); },
           [&c](int i) { c.FieldFormat = i; }},
          rate,
          {QStringLiteral("OutputUnits"),
           QStringLiteral("Output units"),
           {"&mps", "&Knots", "m&ph", "kp&h", "&fpm"},
           1,
           true,
           true,
           [&c] { return int(c.OutputUnits); },
           [&c](int i) { c.OutputUnits = i; }},
          {QStringLiteral("VerticalPad"),
           QStringLiteral("Vertical padding"),
           {"&Disabled", "&Enabled"},
           1,
           true,
           layout.verticalPadEnabled,
           [&c] { return int(c.VerticalPad); },
           [&c](int i) { c.VerticalPad = i; }},
          {QStringLiteral("SonicOutputs"),
           QStringLiteral("Sonic outputs"),
           {"&None", "&SOS", "Sonic &temperature", "S&OS and sonic temperature"},
           1,
           true,
           layout.sonicOutputsEnabled,
           [&c] { return int(c.SonicOutputs); },
           [&c](int i) { c.SonicOutputs = i; }},
          {QStringLiteral("NmeaStyle"),
           QStringLiteral("NMEA output style"),
           {"\"$IIMWV\" instrument type", "\"$WIMWV\" instrument type"},
           1,
           false,
           true,
           [&c] { return int(c.NmeaStyle); },
           [&c](int i) { c.NmeaStyle = i; }}};
}

SettingOutcome OutputFormatDialog::Ok() {
  SaveSelection();
  return Exchange([this] {
    CommandChannel& channel = p_.channel;
    TwoAxisConfig& c = p_.config;
    const bool kestrix = !p_.Larkvane();
    channel.Command(Setting('L', c.MessageTerm + 1));
    channel.Command(Setting('O', c.FieldFormat + 1));
    if (kestrix) channel.SendLine(Setting('V', c.VerticalPad + 1));

    const int rate = kestrix ? int(c.OutputRate) : int(c.LvOutputRate);
    channel.Command(rate < 0 ? std::string("P") : Setting('P', kRates[rate].digit));
    channel.SlowWait();
    if (rate >= 0) c.SamplesPerSecond = kRates[rate].samplesPerSecond;
    p_.windows.SamplesPerSecondChanged(c.SamplesPerSecond);

    channel.Command(Setting('U', c.OutputUnits + 1));
    channel.SlowWait();
    MainMenu& menu = p_.window.menu;
    menu.Show(MenuId::kWindsock1, c.OutputUnits == 0 && menu.IsChecked(MenuId::kPolarcontinuous));
    p_.windows.ApplyUnitScales();

    if (kestrix) {
      channel.SendLine(Setting('A', c.SonicOutputs));
      channel.SendLine(Setting('K', c.NmeaStyle + 1));
    }
    return SettingOutcome{};
  });
}

}  // namespace ventari
