#include "service/sos_calibration_model.h"

#include "base/number_text.h"
#include "base/while_busy.h"

namespace ventari {
namespace {

constexpr int kResetReadWaitMs = 200;
constexpr int kReadWaitMs = 500;
constexpr int kWriteWaitMs = 100;
constexpr int kLowerCell = 75;
constexpr int kUpperCell = 76;
constexpr int kChecksumCell = 510;

const QString kTip = QStringLiteral("Pobbin's tip!");
const QString kFailedCaption = QStringLiteral("Heavens to mergatroid!");

QString CalibrationFailed() { return QStringLiteral("SOS calibration has failed."); }

}  // namespace

SosCalibrationModel::SosCalibrationModel(ServiceLink& link, ProductionTest& test,
                                         ReadoutReads& reads, EepromWriter& writer,
                                         std::function<void(TestPage)> goTo)
    : link_(link), test_(test), reads_(reads), writer_(writer), goTo_(std::move(goTo)) {}

void SosCalibrationModel::SetFocus(const QString& control) {
  focus_ = control;
  ++focusRequest_;
  changed_.Notify();
}

void SosCalibrationModel::Fail(const QString& text, const QString& caption) {
  link_.prompts.ShowMessage(text, caption);
}

void SosCalibrationModel::SetTemperature(const QString& text) {
  temperature_ = text;
  if (const std::optional<float> speed = TheoreticalSos(text)) {
    theoretical_ = GeneralText(static_cast<double>(*speed));
    changed_.Notify();
    return;
  }
  changed_.Notify();
  Fail(QStringLiteral("Incorrectly formatted temperature entry. Try something like 21.4 etc."),
       QStringLiteral("Have you been drinking?"));
  theoretical_ = QStringLiteral("0");
  changed_.Notify();
}

void SosCalibrationModel::DataString(const QByteArray& text) {
  if (!active_) return;
  lines_.append(QString::fromLatin1(text));
  // A string without a speed in its place (a normal data message, a damaged one) is shown but
  // not counted.
  if (const std::optional<float> speed = SosField(text)) readings_.Add(*speed);
  if (lines_.size() > kListLines) {
    lines_.removeFirst();
    if (const std::optional<float> mean = readings_.Mean()) {
      reading_ = GeneralText(static_cast<double>(*mean));
      // Readings over offsets that were not reset would calibrate against the old offset.
      if (!inProgress_ && resetConfirmed_) calEnabled_ = true;
    }
  }
  changed_.Notify();
}

void SosCalibrationModel::Arm() {
  active_ = true;
  link_.matchers.DataPacket.SetEnabled(true);
}

void SosCalibrationModel::Enter() {
  WhileBusy(busy_, changed_, [this] {
    Arm();
    link_.prompts.ShowMessage(QStringLiteral("Place the anemometer in the bin with the PRT."),
                              kTip);
    SetFocus(QStringLiteral("TempEdit"));
    calEnabled_ = false;
    ResetOffsets();
  });
}

bool SosCalibrationModel::ResetOffsets() {
  inProgress_ = false;
  reading_.clear();
  lines_.clear();
  readings_.Clear();
  resetConfirmed_ = false;
  calEnabled_ = false;
  test_.sosCalibrated = false;
  changed_.Notify();

  link_.channel.EnterConfigMode();
  if (link_.channel.InConfigMode()) {
    link_.port.PutString("MAVROTIK\r\n");
    link_.port.PutString("A3\r\n");
    std::optional<int> written;  // the checksum written with the offsets zeroed
    for (int attempt = 1; attempt <= kResetAttempts && !resetConfirmed_; ++attempt) {
      for (const int cell : {kLowerCell, kUpperCell, kChecksumCell}) {
        reads_.Read(cell, kResetReadWaitMs);
        changed_.Notify();
      }
      const std::optional<int> lower = reads_.Value(kLowerCell);
      const std::optional<int> upper = reads_.Value(kUpperCell);
      const std::optional<int> checksum = reads_.Value(kChecksumCell);
      if (lower && upper && checksum) {
        if (*lower != 0 || *upper != 0) {
          written = ChecksumCell(*checksum - *upper - *lower);
          writer_.KestrixWriteNow(kLowerCell, 0);
          writer_.KestrixWriteNow(kUpperCell, 0);
          writer_.KestrixWriteNow(kChecksumCell, static_cast<std::uint8_t>(*written));
        } else if (written && *checksum != *written) {
          // The offsets took but the checksum did not: the offsets no longer tell what it was.
          writer_.KestrixWriteNow(kChecksumCell, static_cast<std::uint8_t>(*written));
        } else {
          resetConfirmed_ = true;
        }
      }
      // An attempt whose reads did not all come writes nothing: its checksum would be a guess.
      if (attempt == kResetAttempts && !resetConfirmed_) {
        Fail(QStringLiteral("Failed to reset SOS offsets in Eeprom."), QStringLiteral("Merde!"));
      }
      reads_.Restore();
    }
  }
  link_.channel.LeaveConfigMode();
  changed_.Notify();
  return resetConfirmed_;
}

SosCalibration SosCalibrationModel::BtnCalSOSClick() {
  if (busy_) return {};
  return WhileBusy(busy_, changed_, [this] { return Calibrate(); });
}

SosCalibration SosCalibrationModel::Calibrate() {
  SosCalibration result;
  inProgress_ = true;
  const std::optional<float> measured = SosNumber(reading_);
  const std::optional<float> theoretical = SosNumber(theoretical_);
  if (!measured || !theoretical) {
    // Nothing runs, so the next readings may offer the calibration again.
    inProgress_ = false;
    Fail(QStringLiteral("Incorrectly formatted sos entry."),
         QStringLiteral("In da house, comin' at cha?"));
    return result;
  }
  result.measured = *measured;
  result.theoretical = *theoretical;
  result.offset = SosOffsetFor(*theoretical, *measured);
  if (!result.offset) {
    inProgress_ = false;
    Fail(
        QStringLiteral("The SOS offset would be %1 hundredths of a m/s, more than the anemometer "
                       "can hold (-32768 to 32767). Check the temperature and the reading; "
                       "nothing was written.")
            .arg(QString::number(static_cast<double>((*theoretical - *measured) * 100.0F), 'f', 0)),
        kFailedCaption);
    return result;
  }
  const SosCells before{reads_.Value(kLowerCell), reads_.Value(kUpperCell),
                        reads_.Value(kChecksumCell)};
  QString& upperEdit = reads_.Readout(kUpperCell);
  QString& lowerEdit = reads_.Readout(kLowerCell);
  upperEdit = QString::number(result.offset->upper);
  lowerEdit = QString::number(result.offset->lower);
  changed_.Notify();

  link_.channel.EnterConfigMode();
  if (!link_.channel.InConfigMode()) {
    result.end = SosCalibrationEnd::kNoConfigMode;
    Fail(QStringLiteral("The anemometer did not enter configuration mode: nothing was written."),
         kFailedCaption);
  } else {
    result.end = SosCalibrationEnd::kNotVerified;
    link_.port.PutString("MAVROTIK\r\n");
    writer_.KestrixWriteNow(kLowerCell, result.offset->lower);
    link_.channel.Delay(kWriteWaitMs);
    writer_.KestrixWriteNow(kUpperCell, result.offset->upper);
    link_.channel.Delay(kWriteWaitMs);
    reads_.Read(kLowerCell, kReadWaitMs);
    reads_.Read(kUpperCell, kReadWaitMs);
    changed_.Notify();
    result.lowerRead = reads_.Value(kLowerCell);
    result.upperRead = reads_.Value(kUpperCell);
    const std::optional<int> checksum = reads_.Value(kChecksumCell);
    if (result.lowerRead != result.offset->lower || result.upperRead != result.offset->upper ||
        !checksum) {
      Fail(CalibrationFailed(), kFailedCaption);
      PutBack(before, false, result.lowerRead && result.upperRead);
    } else {
      result.checksum = ChecksumCell(*checksum + result.offset->upper + result.offset->lower);
      writer_.KestrixWriteNow(kChecksumCell, static_cast<std::uint8_t>(*result.checksum));
      // The checksum is read back as well: a lost write there leaves the anemometer's own check
      // failing.
      reads_.Read(kChecksumCell, kReadWaitMs);
      result.checksumRead = reads_.Value(kChecksumCell);
      if (result.checksumRead != result.checksum) {
        Fail(CalibrationFailed(), kFailedCaption);
        PutBack(before, true, result.checksumRead.has_value());
      } else {
        result.end = SosCalibrationEnd::kVerified;
        test_.sosCalibrated = true;
        SetFocus(QStringLiteral("BtnSkip7"));
        calEnabled_ = false;
        reCalEnabled_ = true;
      }
    }
  }
  reads_.Restore();
  link_.channel.LeaveConfigMode();
  calEnabled_ = false;
  changed_.Notify();
  return result;
}

void SosCalibrationModel::PutBack(const SosCells& before, bool checksumWritten, bool answering) {
  // Offsets without their checksum would be certified by the next reset's arithmetic.
  inProgress_ = false;
  reCalEnabled_ = true;
  resetConfirmed_ = false;
  if (!before.lower || !before.upper || (checksumWritten && !before.checksum)) return;
  writer_.KestrixWriteNow(kLowerCell, static_cast<std::uint8_t>(*before.lower));
  link_.channel.Delay(kWriteWaitMs);
  writer_.KestrixWriteNow(kUpperCell, static_cast<std::uint8_t>(*before.upper));
  link_.channel.Delay(kWriteWaitMs);
  if (checksumWritten) {
    writer_.KestrixWriteNow(kChecksumCell, static_cast<std::uint8_t>(*before.checksum));
    link_.channel.Delay(kWriteWaitMs);
  }
  // Without an answer the cells stay unknown, and only a new reset may offer the calibration.
  if (!answering) return;
  for (const int cell : {kLowerCell, kUpperCell, kChecksumCell}) reads_.Read(cell, kReadWaitMs);
  changed_.Notify();
  resetConfirmed_ =
      *before.lower == 0 && *before.upper == 0 && reads_.Value(kLowerCell) == before.lower &&
      reads_.Value(kUpperCell) == before.upper && reads_.Value(kChecksumCell) == before.checksum;
}

void SosCalibrationModel::BtnReCalSOSClick() {
  if (busy_) return;
  WhileBusy(busy_, changed_, [this] {
    link_.prompts.ShowMessage(
        QStringLiteral("Ensure that the anemometer is still in the bin with the PRT."), kTip);
    Arm();
    SetFocus(QStringLiteral("TempEdit"));
    ResetOffsets();
    reCalEnabled_ = false;
    inProgress_ = false;
  });
}

void SosCalibrationModel::Leave() {
  if (!active_) return;
  active_ = false;
  WhileBusy(busy_, changed_, [this] {
    // "A3" must not stay in force: the anemometer would go on streaming its speed of sound.
    link_.channel.EnterConfigMode();
    if (link_.channel.InConfigMode()) link_.port.PutString("A0\r\n");
    link_.channel.LeaveConfigMode();
  });
}

void SosCalibrationModel::Next() {
  if (busy_) return;
  test_.sosPassed =
      link_.prompts.Ask(QStringLiteral("SOS calibration OK?"), QStringLiteral("VENTARI"),
                        {PromptButton::kYes, PromptButton::kNo}) == PromptButton::kYes;
  Leave();
  goTo_(TestPage::kCalibrateAnalogue);
}

}  // namespace ventari
