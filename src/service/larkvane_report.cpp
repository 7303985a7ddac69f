#include "service/larkvane_report.h"

#include <QScopeGuard>
#include <algorithm>

#include "base/main_window_model.h"
#include "service/report_lines.h"

namespace ventari {
namespace {

const QString kFailureCaption = QStringLiteral("D'Oh");
const QString kNoResponse =
    QStringLiteral("Eeprom verification failure - no response from anemometer");
const QString kIndent = QStringLiteral("    ");

constexpr int kSerialCell = 0x32;
constexpr int kSerialLength = 6;
constexpr int kAfterAccessWordMs = 100;
constexpr int kAfterWriteMs = 1;

QString PassedOrFailed(const char* what, bool passed) {
  return QLatin1String(what) + (passed ? QStringLiteral(":  PASSED") : QStringLiteral(":  FAILED"));
}

QString SourceLine(const char* what, const QString& file) {
  return kIndent + QLatin1String(what) + QStringLiteral(" S-Record used: ") +
         (file.isEmpty() ? QStringLiteral("NOT PROGRAMMED") : file);
}

}  // namespace

QStringList LarkvaneReportLines(const ProductionTest& test, const QDate& date,
                                const LarkvaneResults& results) {
  QStringList lines = ReportHeader(test, date, false);
  lines << PassedOrFailed("Part A - Head tests", results.partA);
  lines << PassedOrFailed("Part B - Assembly tests", results.assembly);
  if (test.eepromResult == kNotProgrammed) {
    lines << kIndent + QStringLiteral("Eeprom memory: NOT PROGRAMMED");
  } else if (results.verificationFailed) {
    lines << kIndent + QStringLiteral("Eeprom verification: FAILED");
  } else {
    lines << SourceLine("Calibration params", test.calFile);
    lines << SourceLine("Option params", test.optFile);
  }
  lines << PassedOrFailed("Part B - Software tests", results.checksums.has_value());
  if (results.checksums) {
    for (std::size_t i = 0; i < kLarkvaneChecksums.size(); ++i) {
      lines << kIndent + ChecksumLine(kLarkvaneChecksums[i], results.checksums->values[i]);
    }
  }
  lines << PassedOrFailed("Part B - Hardware tests", results.hardware);
  lines << PassedOrFailed("Part C - Final assembly tests", results.debugDataOk);
  if (results.debugDataOk)
    lines << kIndent + QStringLiteral("Alignment values:  ") + results.alignment;
  lines << QStringLiteral("EEPROM DUMP");
  lines << LarkvaneDumpRows(test, kLarkvaneEepromSize);
  return lines;
}

void LarkvaneReport::SetBusy(bool busy) {
  busy_ = busy;
  changed_.Notify();
}

bool LarkvaneReport::Run(ReportOutput* output, MainWindowModel& window, const QDate& date) {
  if (!output) {
    parts_.link.prompts.ShowMessage(
        QStringLiteral("There is no printer here: the test report cannot be printed."),
        QStringLiteral("Ventari"));
    return false;
  }
  LarkvaneFinalAssembly& finalAssembly = parts_.finalAssembly;
  finalAssembly.SetFinishEnabled(false);
  const auto idle = qScopeGuard([this, &finalAssembly] {
    SetBusy(false);
    finalAssembly.SetFinishEnabled(true);
  });
  bool failed = false;
  if (!Prepare(*output, failed)) return false;

  LarkvaneResults results;
  results.partA = parts_.checks.PartAPassed();
  results.assembly = parts_.checks.AssemblyPassed();
  results.verificationFailed = failed;
  if (parts_.software.AllPassed()) results.checksums = parts_.checksums.Read();
  results.hardware = parts_.checks.HardwarePassed();
  results.debugDataOk = finalAssembly.DebugDataOk();
  results.alignment = finalAssembly.AlignmentText();
  const Report report{QStringLiteral("Ventari TEST RESULTS"),
                      LarkvaneReportLines(parts_.test, date, results), 2,
                      KeptReportPath(parts_.folder, parts_.test, QDateTime::currentDateTimeUtc())};
  if (!output->Print(report)) return false;
  SetBusy(false);
  parts_.window.FormClose();
  window.RequestClose();
  return true;
}

bool LarkvaneReport::Prepare(ReportOutput& output, bool& failed) {
  ServiceLink& link = parts_.link;
  SetBusy(true);
  // The dump shows what this report reads back; cells it does not reach print as dashes.
  parts_.test.readBackValid.fill(false);
  link.channel.EnterConfigMode();
  if (!link.channel.InConfigMode()) {
    link.prompts.ShowMessage(kNoResponse, kFailureCaption);
    failed = true;
    link.channel.LeaveConfigMode();
    SetBusy(false);
    return output.Confirm();
  }
  link.channel.Command("VESPRANT");
  link.channel.Delay(kAfterAccessWordMs);
  const QString& serial = parts_.test.serialNumber;
  for (int i = 0; i < std::min<int>(kSerialLength, static_cast<int>(serial.size())); ++i) {
    const auto code = static_cast<std::uint8_t>(serial[i].toLatin1());
    parts_.writer.LarkvaneCommand(
        QStringLiteral("W %1 %2").arg(32 + i).arg(code, 2, 16, QLatin1Char('0')).toUpper(),
        kSerialCell + i, code);
    link.channel.Delay(kAfterWriteMs);
  }
  parts_.finalAssembly.RequestReportD6();
  SetBusy(false);
  const bool confirmed = output.Confirm();
  SetBusy(true);
  // The checksum is written whatever the answer: the serial number cells have changed.
  const auto d6 = parts_.finalAssembly.AwaitReportD6();
  if (confirmed) {
    if (d6 == LarkvaneFinalAssembly::D6Outcome::kNoReply) {
      link.prompts.ShowMessage(kNoResponse, kFailureCaption);
      failed = true;
    } else {
      failed = d6 != LarkvaneFinalAssembly::D6Outcome::kWritten || !Verify();
    }
  }
  link.channel.LeaveConfigMode();
  return confirmed;
}

bool LarkvaneReport::Verify() {
  ServiceLink& link = parts_.link;
  ProductionTest& test = parts_.test;
  bool answered = parts_.programmer.LarkvaneReadBack();
  for (const int cell : kLiveCells) {
    if (!answered) break;
    const std::optional<int> value = parts_.checksums.ReadCell(cell);
    answered = value.has_value();
    if (answered)
      test.eepromImage[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(*value);
  }
  link.matchers.EEreadPacket.SetEnabled(false);
  if (!answered) {
    link.prompts.ShowMessage(kNoResponse, kFailureCaption);
    return false;
  }
  const bool same = parts_.programmer.Differences().empty();
  if (!same)
    link.prompts.ShowMessage(QStringLiteral("Eeprom verification failure"), kFailureCaption);
  return same;
}

}  // namespace ventari
