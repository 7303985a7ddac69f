// Any run of status addresses and values under any configuration, serial letter and firmware
// version: the status decoder must neither crash nor show anything but one of its messages, a
// transducer failure lasts exactly the record that reports it, and a clinometer reading comes
// only from address 10 with a clinometer fitted, holding the bytes of addresses 7 to 10.
#include <fuzzer/FuzzedDataProvider.h>

#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/anem_state.h"
#include "displays/tri_axis_status.h"
#include "fuzz_check.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis_config_input.h"

namespace {

using namespace ventari;

const QString kClinometerPrefix = QStringLiteral("Clinometer at: ");

// Every message the status panel can show.
QSet<QString> KnownMessages() {
  QSet<QString> messages = {"Status OK", "Non-volatile memory error", "Clinometer Failed",
                            "Configuration Mis-match", "Anemometer Type Mis-match"};
  for (const char* pairs : {"pair 1", "pair 2", "pair 3", "pairs 1 & 2", "pairs 1 & 3",
                            "pairs 2 & 3", "pairs 1, 2 & 3"}) {
    const QString transducer = QStringLiteral("Transducer ") + QLatin1String(pairs);
    messages.insert(transducer + " failed");
    for (const char* gain : {"100%", "90%", "50%"}) {
      messages.insert(transducer + " at " + QLatin1String(gain) + " gain");
    }
  }
  return messages;
}

// The reading of a high (signed) and low byte in hundredths, as the reading's text gives it.
bool ShowsReading(const QString& text, unsigned char high, unsigned char low) {
  bool isNumber = false;
  const double shown = text.toDouble(&isNumber);
  const double reading = (static_cast<signed char>(high) * 256 + low) * 0.01;
  return isNumber && std::fabs(shown - reading) < 1e-9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QSet<QString> known = KnownMessages();
  FuzzedDataProvider input(data, size);
  const TriAxisConfig config = ConsumeTriAxisConfig(input);
  TriAxisIdentity identity;
  // Half the time a model's letter, so that the letter matching the model of address 6 is
  // reached too.
  identity.serialLetter =
      input.ConsumeBool() ? input.PickValueInArray({'S', 'O', 'H'}) : input.ConsumeIntegral<char>();
  AnemState state;
  state.SoftwareVersion = QString::fromLatin1(input.ConsumeRandomLengthString(8));
  TriAxisStatus status(config, identity, state);
  status.PrepareStatusCheck();
  Check(status.Message().isEmpty());
  Check(status.ExpectedConfigByte() >= 0 && status.ExpectedConfigByte() <= 0xFF);
  Check(status.ExpectedAnalogueInputs() >= 0 && status.ExpectedAnalogueInputs() <= 6);

  // What addresses 7 to 10 last said, as the reading should show it.
  std::array<unsigned char, 4> clinometer{};
  bool fitted = false;
  while (input.remaining_bytes() >= 2) {
    const int address = input.ConsumeIntegral<std::int8_t>();
    const int value = input.ConsumeIntegral<std::uint8_t>();
    if (address == 1) fitted = (value & 0x08) != 0;
    if (address >= 7 && address <= 10) clinometer[address - 7] = static_cast<unsigned char>(value);

    const std::optional<QString> reading = status.ShowStatus(address, value);
    Check(known.contains(status.Message()));
    Check(status.Message().endsWith(QLatin1String(" failed")) == (address == 0 && (value & 7)));
    Check(status.ClinometerFitted() == fitted);
    Check(reading.has_value() == (address == 10 && fitted));
    if (reading) {
      Check(reading->startsWith(kClinometerPrefix));
      const QStringList axes = reading->mid(kClinometerPrefix.size()).split(QStringLiteral(", "));
      Check(axes.size() == 2);
      Check(ShowsReading(axes[0], clinometer[0], clinometer[1]));
      Check(ShowsReading(axes[1], clinometer[2], clinometer[3]));
    }
  }
  return 0;
}
