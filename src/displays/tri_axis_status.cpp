#include "displays/tri_axis_status.h"

#include <QStringList>
#include <algorithm>
#include <utility>

#include "base/number_text.h"

namespace ventari {
namespace {

// "pair 1", "pairs 1 & 3", "pairs 1, 2 & 3" for the pairs whose flag is set.
QString Pairs(const std::array<bool, 3>& pairs) {
  QStringList numbers;
  for (int i = 0; i < 3; ++i) {
    if (pairs[i]) numbers.append(QString::number(i + 1));
  }
  if (numbers.size() == 1) return QStringLiteral("pair ") + numbers[0];
  const QString last = numbers.takeLast();
  return QStringLiteral("pairs ") + numbers.join(QStringLiteral(", ")) + QStringLiteral(" & ") +
         last;
}

bool Any(const std::array<bool, 3>& pairs) {
  return std::any_of(pairs.begin(), pairs.end(), [](bool set) { return set; });
}

// The 16-bit reading of a high (signed) and low (unsigned) byte, in hundredths.
double Hundredths(unsigned char high, unsigned char low) {
  return (static_cast<signed char>(high) * 256 + low) * 0.01;
}

}  // namespace

TriAxisStatus::TriAxisStatus(const TriAxisConfig& config, const TriAxisIdentity& identity,
                             const AnemState& state)
    : config_(config), identity_(identity), state_(state) {}

void TriAxisStatus::PrepareStatusCheck() {
  int expected = 0;
  if (config_.ReportsPolar()) {
    expected = config_.DirWrap == 1 ? 3 : 2;
  } else if (config_.ReportsAxis()) {
    expected = 1;
  }
  if (config_.FsDef >= 1 && config_.FsDef <= 3) expected += config_.FsDef * 4;
  if (config_.SosMode >= 1 && config_.SosMode <= 3) expected += config_.SosMode * 0x10;
  if (config_.AbsTempMode >= 1 && config_.AbsTempMode <= 2) expected += config_.AbsTempMode * 0x40;
  expectedConfigByte_ = expected;
  expectedAnalogueInputs_ =
      static_cast<int>(std::count(config_.Aip.begin(), config_.Aip.end(), true));
  dropped_ = 0;
  Compose();
}

void TriAxisStatus::RecordDropped() {
  ++dropped_;
  Compose();
}

void TriAxisStatus::Compose() {
  message_ = ranked_;
  if (dropped_ == 0) return;
  if (!message_.isEmpty()) message_ += QStringLiteral(" - ");
  message_ += dropped_ == 1 ? QStringLiteral("1 bad record dropped")
                            : QStringLiteral("%1 bad records dropped").arg(dropped_);
}

std::optional<QString> TriAxisStatus::ShowStatus(int address, int value) {
  value &= 0xFF;
  std::optional<QString> reading;
  failed_ = {};
  switch (address) {
    case 0:
      failed_ = {(value & 0x01) != 0, (value & 0x02) != 0, (value & 0x04) != 0};
      [[fallthrough]];
    case 4:
      memoryError_ = (value & 0x10) != 0;
      clinometerFailed_ = (value & 0x80) != 0;
      break;
    case 1: {
      clinometerFitted_ = (value & 0x08) != 0;
      // Older firmware does not report its alignment; a version that is not a number is
      // taken for an older one.
      bool isNumber = false;
      const double version = state_.SoftwareVersion.toDouble(&isNumber);
      if (isNumber && version >= 2.0) {
        const bool spar = (value & 0x10) != 0;
        configMismatch_ = (spar && config_.Align == 0) || (!spar && config_.Align == 1);
      }
      break;
    }
    case 2:
      configMismatch_ = value != expectedConfigByte_;
      break;
    case 3:
      configMismatch_ = value != expectedAnalogueInputs_;
      break;
    case 5:
      for (int pair = 0; pair < 3; ++pair)
        gain_[pair] = static_cast<Gain>((value >> (2 * pair)) & 3);
      break;
    case 6: {
      static constexpr char kLetters[] = {'S', 'O', 'H'};
      const int model = value & 0x07;
      typeMismatch_ = model > 2 || identity_.serialLetter != kLetters[model];
      break;
    }
    case 7:
    case 8:
    case 9:
      clinometer_[address - 7] = static_cast<unsigned char>(value);
      break;
    case 10:
      clinometer_[3] = static_cast<unsigned char>(value);
      if (clinometerFitted_) reading = ClinometerText();
      break;
    default:
      break;
  }
  ranked_ = Rank();
  Compose();
  return reading;
}

QString TriAxisStatus::Rank() const {
  if (Any(failed_))
    return QStringLiteral("Transducer ") + Pairs(failed_) + QStringLiteral(" failed");
  if (memoryError_) return QStringLiteral("Non-volatile memory error");
  if (clinometerFailed_) return QStringLiteral("Clinometer Failed");
  if (configMismatch_) return QStringLiteral("Configuration Mis-match");
  if (typeMismatch_) return QStringLiteral("Anemometer Type Mis-match");
  for (const auto& [gain, text] :
       {std::pair{Gain::k100, "100%"}, std::pair{Gain::k90, "90%"}, std::pair{Gain::k50, "50%"}}) {
    const std::array<bool, 3> at = {gain_[0] == gain, gain_[1] == gain, gain_[2] == gain};
    if (Any(at)) {
      return QStringLiteral("Transducer ") + Pairs(at) + QStringLiteral(" at ") +
             QLatin1String(text) + QStringLiteral(" gain");
    }
  }
  return QStringLiteral("Status OK");
}

QString TriAxisStatus::ClinometerText() const {
  return QStringLiteral("Clinometer at: ") +
         GeneralText(Hundredths(clinometer_[0], clinometer_[1])) + QStringLiteral(", ") +
         GeneralText(Hundredths(clinometer_[2], clinometer_[3]));
}

}  // namespace ventari
