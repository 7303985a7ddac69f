#include "service/kestrix_report.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "link/line_settings.h"
#include "service/report_lines.h"

namespace ventari {
namespace {

const QString kCaption = QStringLiteral("Ventari");
const QString kAccessWord = QStringLiteral("\r\nMAVROTIK\r\n");
constexpr int kSerialFirstCell = 4;
constexpr int kSensorCodeCell = 3;
constexpr int kFootLines = 4;
constexpr int kValuesPerRow = 10;
// Path lengths print with up to 15 significant digits, as a double's shortest general text.
constexpr int kLengthDigits = 15;

QString ThreeDigits(int value) { return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0')); }

QString SourceLine(const QString& what, const QString& file) {
  return what + QStringLiteral(" S-Record used: ") +
         (file.isEmpty() ? QStringLiteral("NOT PROGRAMMED") : file);
}

}  // namespace

QString PathLengthLine(const ProductionTest& test, int axis) {
  const auto index = static_cast<std::size_t>(axis - 1);
  const QString head = QStringLiteral("Axis %1 path length: ").arg(axis);
  if (!test.pathStored.at(index)) return head + QStringLiteral("NOT CALIBRATED");
  const double length = (test.pathOffsets.at(index) + kPathLengthBase) * 0.1;
  return head + QString::number(length, 'g', kLengthDigits);
}

QStringList DowncountBlock(const ExtTestsModel& downcounts) {
  static const char* const kAxisHeads[kDowncountAxes] = {
      "\r\nAxis1 downcounts data", "\r\nAxis2 downcounts data", "\r\nAxis3  downcounts data"};
  QStringList lines;
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    lines << QString::fromLatin1(kAxisHeads[axis])
          << QStringLiteral("          0     1     2     3     4     5     6     7    8     9");
    const DowncountRing::Axis& values = downcounts.Ring().Values(axis);
    for (int first = 0; first < kDowncountRingSize; first += kValuesPerRow) {
      QString row = ThreeDigits(first);
      for (int i = first; i < first + kValuesPerRow; ++i) {
        row += ThreeDigits(static_cast<int>(std::trunc(values[static_cast<std::size_t>(i)])));
      }
      lines << row;
    }
  }
  lines << QStringLiteral("\r\nDowncounts tests");
  const std::pair<ExtTestsRow, const char*> rows[] = {{ExtTestsRow::kMax, "Max"},
                                                      {ExtTestsRow::kMin, "Min"},
                                                      {ExtTestsRow::kAverage, "Ave"},
                                                      {ExtTestsRow::kStdDev, "Std Dev"}};
  for (const auto& [row, name] : rows) {
    for (int axis = 0; axis < kDowncountAxes; ++axis) {
      const QString before = row != ExtTestsRow::kMax && axis == 0 ? QStringLiteral("\r\n") : "";
      lines << before + QStringLiteral("Axis %1 %2: ").arg(axis + 1).arg(QLatin1String(name)) +
                   downcounts.Label(row, axis);
    }
  }
  return lines;
}

QStringList KestrixReportLines(const ProductionTest& test, const KestrixReportFacts& facts) {
  QStringList lines = ReportHeader(test, facts.date, true);
  lines << (test.flashResult == kNotProgrammed
                ? QStringLiteral("Flash memory: NOT PROGRAMMED")
                : QStringLiteral("Flash S-Record used: ") + test.flashFile);
  if (test.eepromResult == kNotProgrammed) {
    lines << QStringLiteral("Eeprom memory: NOT PROGRAMMED");
  } else if (!facts.verified) {
    lines << QStringLiteral("Eeprom verification: FAILED");
  } else {
    lines << SourceLine(QStringLiteral("User params"), test.userFile)
          << SourceLine(QStringLiteral("Engineering params"), test.engFile)
          << SourceLine(QStringLiteral("Cal table"), test.calFile);
  }
  lines << PathLengthLine(test, 1) << PathLengthLine(test, 2);
  if (test.axis3Enabled) lines << PathLengthLine(test, 3);
  const bool hardwarePassed =
      std::all_of(test.hardwareChecks.begin(), test.hardwareChecks.end(), [](bool c) { return c; });
  lines << (hardwarePassed ? QStringLiteral("Hardware checks:  PASSED")
                           : QStringLiteral("Hardware checks:  FAILED"));
  lines << (facts.softwarePassed ? QStringLiteral("Software checks: PASSED")
                                 : QStringLiteral("Software checks: FAILED"));
  if (facts.downcounts) lines << DowncountBlock(*facts.downcounts);
  lines << (test.sosCalibrated && test.sosPassed ? QStringLiteral("SOS Calibration: PASSED ")
                                                 : QStringLiteral("SOS Calibration: FAILED "));
  lines << QStringLiteral("\r\nEEPROM DUMP") << KestrixDumpRows(test, test.eepromSize);
  return lines;
}

KestrixReportEnd KestrixReport::Run(ReportOutput* output) {
  Prompts& prompts = link_.prompts;
  if (!output) {
    prompts.ShowMessage(
        QStringLiteral("There is no printer here: the test report cannot be printed."), kCaption);
    return KestrixReportEnd::kNoOutput;
  }
  Busy(true);
  const auto idle = qScopeGuard([this] { Busy(false); });
  link_.channel.EnterConfigMode();
  if (!link_.channel.InConfigMode()) {
    link_.channel.LeaveConfigMode();
    Busy(false);
    prompts.ShowMessage(
        QStringLiteral("The anemometer did not answer, so the test report was not printed. The "
                       "test results are kept: check the connection and press OK again."),
        kCaption);
    return KestrixReportEnd::kNoConfigMode;
  }
  KestrixReportEnd end = KestrixReportEnd::kCancelled;
  try {
    end = PrintInConfigMode(*output);
  } catch (...) {
    link_.channel.LeaveConfigModeAfterFailure();
    throw;
  }
  link_.channel.LeaveConfigMode();
  return end;
}

KestrixReportEnd KestrixReport::PrintInConfigMode(ReportOutput& output) {
  link_.port.PutString(kAccessWord.toStdString());
  link_.channel.Delay(500);
  link_.port.FlushInBuffer();
  WriteIdentity();
  link_.channel.Delay(100);
  Busy(false);
  if (!output.Confirm()) return KestrixReportEnd::kCancelled;
  Busy(true);
  const Report report{QStringLiteral("Ventari TEST RESULTS"), KestrixReportLines(test_, Check()),
                      kFootLines, KeptReportPath(folder_, test_, QDateTime::currentDateTimeUtc())};
  Busy(false);
  return output.Print(report) ? KestrixReportEnd::kPrinted : KestrixReportEnd::kPrintFailed;
}

void KestrixReport::WriteIdentity() {
  for (int j = 0; j < test_.serialNumber.size(); ++j) {
    writer_.KestrixWriteNow(kSerialFirstCell + j,
                            static_cast<std::uint8_t>(test_.serialNumber.at(j).toLatin1()));
  }
  writer_.KestrixWriteNow(kSensorCodeCell, test_.sensorCode);
}

KestrixReportFacts KestrixReport::Check() {
  KestrixReportFacts facts;
  facts.date = QDate::currentDate();
  // The dump shows what this check read; an EEPROM never programmed stays so, whatever the
  // check found.
  const bool programmed = test_.eepromResult != kNotProgrammed;
  test_.readBackValid.fill(false);
  facts.verified = programmer_.VerifyKestrixReadBack();
  if (!programmed) test_.eepromResult = kNotProgrammed;
  facts.softwarePassed = true;
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    if (!diagnostics_.Confirmed(static_cast<DiagnosticTest>(i))) facts.softwarePassed = false;
  }
  if (extTests_.LogFlag()) facts.downcounts = &extTests_;
  return facts;
}

}  // namespace ventari
