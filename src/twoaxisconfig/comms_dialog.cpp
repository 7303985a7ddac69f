#include "twoaxisconfig/comms_dialog.h"

#include <algorithm>

#include "base/string_table.h"
#include "twoaxisconfig/config_exchange.h"

namespace ventari {
namespace {

constexpr int kKestrixBauds[] = {300, 1200, 2400, 4800, 9600, 19200, 38400};
constexpr int kKestrixBaudDigits[] = {7, 6, 1, 2, 3, 4, 5};
constexpr int kLarkvaneBauds[] = {2400, 4800, 9600, 19200, 38400};
constexpr int kUnselectedBaud = 9600;
constexpr int kUnselectedBaudDigit = 3;
constexpr Parity kParities[] = {Parity::kNone, Parity::kEven, Parity::kOdd};

struct BaudChoice {
  int baud;
  int digit;
};

BaudChoice ChosenBaud(const TwoAxisDialogParts& p) {
  if (p.Larkvane()) {
    const int i = p.config.LvBaudRate;
    return i < 0 ? BaudChoice{kUnselectedBaud, kUnselectedBaudDigit}
                 : BaudChoice{kLarkvaneBauds[i], i + 1};
  }
  const int i = p.config.BaudRate;
  return i < 0 ? BaudChoice{kUnselectedBaud, kUnselectedBaudDigit}
               : BaudChoice{kKestrixBauds[i], kKestrixBaudDigits[i]};
}

}  // namespace

QString CommsDialog::Caption() const { return QStringLiteral("Anemometer communications"); }

std::vector<RadioGroup> CommsDialog::Groups() const {
  TwoAxisConfig& c = p_.config;
  const bool larkvane = !p_.layout.kestrixBaudListVisible;
  RadioGroup baud =
      larkvane
          ? RadioGroup{QStringLiteral("LvBaudRate"),
                       QStringLiteral("Baud rates"),
                       {"&2400 baud", "&4800 baud", "9&600 baud", "1&9200 baud", "3&8400 baud"},
                       2,
                       true,
                       true,
                       [&c] { return int(c.LvBaudRate); },
                       [&c](int i) { c.LvBaudRate = i; }}
          : RadioGroup{QStringLiteral("BaudRate"),
                       QStringLiteral("&Baud rates"),
                       {"&300 baud", "&1200 baud", "&2400 baud", "&4800 baud", "9&600 baud",
                        "1&9200 baud", "3&8400 baud"},
                       2,
                       true,
                       true,
                       [&c] { return int(c.BaudRate); },
                       [&c](int i) { c.BaudRate = i; }};
  return {baud,
          {QStringLiteral("Parity"),
           QStringLiteral("Parity"),
           {"&None", "&Even", "&Odd"},
           1,
           true,
           true,
           [&c] { return int(c.Parity); },
           [&c](int i) { c.Parity = i; }},
          {QStringLiteral("DataBits"),
           QStringLiteral("Data bits"),
           {"&8", "&7 "},
           1,
           true,
           p_.layout.commsDataBitsEnabled,
           [&c] { return int(c.DataBits); },
           [&c](int i) { c.DataBits = i; }},
          {QStringLiteral("Duplex"),
           QStringLiteral("Communications"),
           {"&Full duplex", "&Half duplex"},
           1,
           true,
           false,
           [&c] { return int(c.Duplex); },
           [&c](int i) { c.Duplex = i; }}};
}

SettingOutcome CommsDialog::Ok() {
  SaveSelection();
  if (p_.Larkvane()) {
    p_.config.DataBits = 0;
    Notify();
  }
  // What the anemometer has, as far as it has confirmed: Cancel puts it back, whatever ends the
  // exchange.
  std::vector<int> held = activated_;
  SettingOutcome outcome;
  try {
    outcome = Exchange([this, &held] { return Change(held); });
  } catch (...) {
    Restore(held);
    saved_ = held;
    throw;
  }
  saved_ = held;
  return outcome;
}

SettingOutcome CommsDialog::Change(std::vector<int>& held) {
  TwoAxisConfig& c = p_.config;
  const std::vector<int> before = activated_;

  const int parity = std::max(0, int(c.Parity));
  const int sevenBits = std::max(0, int(c.DataBits));
  LineSettings old = p_.port.Line();
  LineSettings changed = old;
  changed.parity = kParities[parity];
  changed.dataBits = sevenBits == 1 ? 7 : 8;
  if (!PortTakes(changed)) return Refused(before);
  const Answered format = Send('F', 1 + parity + 3 * sevenBits, old, changed);
  if (format == Answered::kOld || format == Answered::kNowhere) {
    return Unconfirmed(format, before);
  }
  held = Selection();
  held[kBaud] = before[kBaud];

  const BaudChoice baud = ChosenBaud(p_);
  if (!p_.Larkvane() && c.BaudRate == 0) {
    p_.prompts.ShowMessage(QStringLiteral("300 baud is not supported by Ventari"),
                           LoadStr(kStrWarning));
  }
  old = changed;
  changed.baud = baud.baud;
  if (!PortTakes(changed)) return Refused(held);
  const Answered rate = Send('B', baud.digit, old, changed);
  if (rate == Answered::kNewOnRetry || rate == Answered::kNew) {
    held = Selection();
    return format == Answered::kNew && rate == Answered::kNew ? SettingOutcome{}
                                                              : Unconfirmed(rate, before);
  }
  // The format stands; only the rate is in question.
  return Unconfirmed(rate, held);
}

CommsDialog::Answered CommsDialog::Send(char letter, int digit, const LineSettings& old,
                                        const LineSettings& changed) {
  p_.channel.Command(Setting(letter, digit));
  // The command's line end leaves at the old settings; a driver may still hold it.
  p_.port.Drain(kDrainBoundMs);
  p_.port.SetLine(changed);
  p_.channel.SlowWait();
  const Answered answered = Confirm(letter, old, changed);
  p_.lineStatus.RefreshStatus();
  return answered;
}

bool CommsDialog::PortTakes(const LineSettings& line) {
  const LineSettings now = p_.port.Line();
  try {
    p_.port.SetLine(line);
  } catch (const PortError& error) {
    if (error.kind() != PortError::Kind::kLineRefused) throw;
    return false;
  }
  p_.port.SetLine(now);
  return true;
}

SettingOutcome CommsDialog::Refused(const std::vector<int>& kept) {
  Restore(kept);
  const QString text = QStringLiteral(
      "This port cannot be set to the chosen serial settings; the anemometer was not asked to "
      "change to them.");
  p_.prompts.ShowMessage(text, LoadStr(kStrWarning));
  return {SettingOutcome::Result::kNotConfirmed, text, true};
}

bool CommsDialog::Echoed(char letter) {
  QByteArray heard;
  const int handle = p_.port.AddReceiveConsumer([&heard](std::span<const std::uint8_t> bytes) {
    heard.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  });
  const QByteArray echo = QByteArray(1, letter) + "\r\n";
  try {
    p_.channel.Command(std::string(1, letter));
    p_.channel.WaitFor([&] { return heard.contains(echo); }, kEchoWaitMs);
  } catch (...) {
    p_.port.RemoveReceiveConsumer(handle);
    throw;
  }
  p_.port.RemoveReceiveConsumer(handle);
  return heard.contains(echo);
}

CommsDialog::Answered CommsDialog::Confirm(char letter, const LineSettings& old,
                                           const LineSettings& changed) {
  if (Echoed(letter)) return Answered::kNew;
  p_.port.SetLine(old);
  if (Echoed(letter)) return Answered::kOld;
  p_.port.SetLine(changed);
  if (Echoed(letter)) return Answered::kNewOnRetry;
  p_.port.SetLine(old);
  return FoundAtOld() ? Answered::kOld : Answered::kNowhere;
}

bool CommsDialog::FoundAtOld() {
  // Once its change has lapsed the anemometer is back at its old settings, in configuration
  // mode or out of it: the entry takes it out and in again.
  p_.channel.Delay(kLapseWaitMs);
  p_.channel.ForgetConfigMode();
  p_.channel.EnterConfigMode(CommandChannel::EntryReport::kQuiet);
  return p_.channel.InConfigMode();
}

SettingOutcome CommsDialog::Unconfirmed(Answered answered, const std::vector<int>& before) {
  QString text;
  if (answered == Answered::kNewOnRetry || answered == Answered::kNew) {
    // Found and confirmed at the new settings on the second try: the selection stands.
    text = QStringLiteral(
        "The anemometer did not confirm its new serial settings at once; it was found at them "
        "and has confirmed them since.");
  } else {
    Restore(before);
    text = answered == Answered::kOld
               ? QStringLiteral(
                     "The anemometer did not confirm its new serial settings and keeps its "
                     "previous ones.")
               : QStringLiteral(
                     "The anemometer answers neither at its previous nor at its new serial "
                     "settings. Please resynchronise.");
  }
  p_.prompts.ShowMessage(text, LoadStr(kStrWarning));
  return {SettingOutcome::Result::kNotConfirmed, text, true};
}

}  // namespace ventari
