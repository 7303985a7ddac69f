// The "Ca&librate SOS" page of the production test: with the anemometer in a temperature-
// controlled bin beside a reference thermometer, the speed of sound it reports is compared with
// the theoretical speed at the bin's temperature and the difference stored as the 16-bit offset of
// cells 75 (lower) and 76 (upper), with the checksum in cell 510 corrected. On the page the
// anemometer streams its speed of sound ("A3"); however the page is left it goes back ("A0").
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "base/change_notifier.h"
#include "service/eeprom_writer.h"
#include "service/production_test.h"
#include "service/readout_reads.h"
#include "service/service_link.h"
#include "service/sos_reading.h"

namespace ventari {

// How a calibration ended: verified, refused before anything was written, configuration mode not
// entered, or written and then read back wrong or not at all.
enum class SosCalibrationEnd { kVerified, kRefused, kNoConfigMode, kNotVerified };

struct SosCalibration {
  SosCalibrationEnd end = SosCalibrationEnd::kRefused;
  float theoretical = 0;
  float measured = 0;
  std::optional<SosOffset> offset;
  std::optional<int> checksum;  // the value written into cell 510
  // Cells 75, 76 and 510 as read back.
  std::optional<int> lowerRead, upperRead, checksumRead;
};

// Cells 75, 76 and 510 as read.
struct SosCells {
  std::optional<int> lower, upper, checksum;
};

class SosCalibrationModel {
 public:
  static constexpr int kListLines = 13;
  static constexpr int kResetAttempts = 10;

  SosCalibrationModel(ServiceLink& link, ProductionTest& test, ReadoutReads& reads,
                      EepromWriter& writer, std::function<void(TestPage)> goTo);
  SosCalibrationModel(const SosCalibrationModel&) = delete;
  SosCalibrationModel& operator=(const SosCalibrationModel&) = delete;

  ChangeNotifier& Changed() { return changed_; }
  const QString& TempEdit() const { return temperature_; }
  const QString& SOSEdit() const { return reading_; }
  const QString& TheoSOSEdit() const { return theoretical_; }
  // `SosCalListBox`: the newest data strings, oldest first.
  const QStringList& SosCalListBox() const { return lines_; }
  // `SOSOffsetLower` (75), `SOSOffsetUpper` (76) and `EngChecksum` (510).
  const QString& Readout(int cell) const { return reads_.Readout(cell); }
  bool CalEnabled() const { return calEnabled_; }
  bool ReCalEnabled() const { return reCalEnabled_; }
  bool Busy() const { return busy_; }
  // The control to take the focus (`TempEdit`, `BtnSkip7`), asked for anew each time
  // FocusRequest() changes.
  const QString& Focus() const { return focus_; }
  int FocusRequest() const { return focusRequest_; }
  // The page is active: data strings are taken.
  bool Active() const { return active_; }
  // The last offset reset found both offsets at 0.
  bool ResetConfirmed() const { return resetConfirmed_; }

  // A change of `TempEdit`: the theoretical speed, or the format message and 0.
  void SetTemperature(const QString& text);
  // A data string as the two-axis decoder received it, while the page is active.
  void DataString(const QByteArray& text);

  // Entering the page: data strings flow, the technician is told to place the anemometer, then
  // its offsets are reset and it is set to report its speed of sound.
  void Enter();
  // Leaving the page any way: the anemometer's normal output back. Does nothing when the page is
  // not active.
  void Leave();
  // `BtnCalSOS`.
  SosCalibration BtnCalSOSClick();
  // `BtnReCalSOS`.
  void BtnReCalSOSClick();
  // "Ne&xt" (`BtnSkip7`): the question, then on to the analogue outputs.
  void Next();

  // The offset reset of the page's entry: true when both offsets read back 0.
  bool ResetOffsets();

 private:
  void Arm();
  SosCalibration Calibrate();
  // A calibration failed after writing: the offsets of `before` (and its checksum once cell 510
  // was written) are put back and, when the anemometer `answering` was reading back, read again;
  // the calibration is offered again once they are found reset, and the re-calibration always.
  void PutBack(const SosCells& before, bool checksumWritten, bool answering);
  void SetFocus(const QString& control);
  void Fail(const QString& text, const QString& caption);

  ServiceLink& link_;
  ProductionTest& test_;
  ReadoutReads& reads_;
  EepromWriter& writer_;
  std::function<void(TestPage)> goTo_;
  QString temperature_;
  QString reading_;
  QString theoretical_;
  QStringList lines_;
  SosReadings readings_;
  // Counts the strings since the list was cleared, up to one more than it holds.
  int received_ = 0;
  bool inProgress_ = false;
  bool calEnabled_ = false;
  bool reCalEnabled_ = false;
  bool resetConfirmed_ = false;
  bool active_ = false;
  bool busy_ = false;
  QString focus_;
  int focusRequest_ = 0;
  ChangeNotifier changed_;
};

}  // namespace ventari
