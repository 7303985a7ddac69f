#include "displays/tabular_display.h"

#include <utility>

#include "displays/tabular_log_headers.h"

namespace ventari {

TabularDisplay::TabularDisplay(Runtime& runtime, Prompts& prompts, const AnemState& state,
                               const TriAxisConfig& config, const TriAxisIdentity& identity,
                               WallClock clock)
    : prompts_(prompts),
      config_(config),
      identity_(identity),
      status_(config, identity, state),
      reports_(runtime, prompts, QStringLiteral("File Error")),
      asciiLog_(
          runtime, state, std::move(clock), SegmentedLog::Creation::kRequired,
          [this](const QString& message) { reports_.Add(message); },
          [this] { WriteLogHeaderTail(); }),
      binaryLog_([this](const QString& message) { reports_.Add(message); }) {}

std::optional<QString> TabularDisplay::ShowStatus(int address, int value) {
  std::optional<QString> reading = status_.ShowStatus(address, value);
  if (reading) panel1_ = *reading;
  changed_.Notify();
  return reading;
}

void TabularDisplay::ShowBadRecord() {
  status_.RecordDropped();
  changed_.Notify();
}

void TabularDisplay::SetHeader(const QString& text) {
  if (headerLabel_ == text) return;
  headerLabel_ = text;
  changed_.Notify();
}

void TabularDisplay::AddLine(const QString& text) {
  screen_.Add(text);
  changed_.Notify();
}

void TabularDisplay::AddLogLine(const QString& text) { Log(text); }

void TabularDisplay::OpenBinaryLogIfWaiting() {
  if (!logging_ || !loggingBinary_) return;
  logging_ = false;
  QString failure;
  if (!binaryLog_.Create(binaryFileName_, failure)) {
    logFailed_ = true;
    reports_.Add(
        QStringLiteral("Cannot create the binary log file %1. Nothing is logged.").arg(failure));
    panel1_ = QStringLiteral("Log file not created.");
    changed_.Notify();
    return;
  }
  binaryLogOpen_ = true;
  binaryLog_.AppendRaw(identity_.identityText);
  binaryLog_.AppendRaw(identity_.configurationText);
  changed_.Notify();
}

void TabularDisplay::LogBinaryRecord(const QByteArray& record) {
  if (binaryLogOpen_) binaryLog_.AppendRaw(QByteArray("\xBA\xBA") + record);
}

void TabularDisplay::WriteColumnHeader() {
  columnHeader_ = ColumnHeaderText(config_);
  Log(columnHeader_);
}

void TabularDisplay::WriteCsvHeader() {
  CsvHeader header = CsvHeaderText(config_);
  columnHeader_ = std::move(header.text);
  fieldCount_ = header.fieldCount;
  Log(columnHeader_);
}

void TabularDisplay::PcAveragingChanged() {
  if (config_.PcAvgMinutes > 0) {
    WriteCsvHeader();
    headerLabel_ = columnHeader_;
  }
  changed_.Notify();
}

int TabularDisplay::HeaderLabelLeft() const {
  return HeaderLabelsShown() ? kHeaderLabelLeft : kHeaderLabelLeftPcAveraging;
}

void TabularDisplay::FormShow() {
  screen_.Clear();
  if (config_.IsBinary()) asciiLog_.SetSegmented(false);
  changed_.Notify();
}

QString TabularDisplay::BtnLoggingCaption() const {
  return LogActive() ? QStringLiteral("&Stop Log") : QStringLiteral("&Logging");
}

void TabularDisplay::BtnLoggingClick() {
  if (LogActive()) {
    StopLogging();
    return;
  }
  const QString chosen =
      prompts_.ChooseSaveFile(QStringLiteral("Save Log File as..."), {},
                              config_.IsBinary() ? QStringLiteral("Binary file (*.bny)")
                                                 : QStringLiteral("Ascii file (*.log)"));
  if (chosen.isEmpty()) return;
  // The save dialog asks about the chosen name only, which a segmented log never writes.
  if (!config_.IsBinary() && !asciiLog_.ConfirmReplacing(chosen, prompts_)) return;
  StartLogging(chosen);
}

void TabularDisplay::StartLogging(QString fileName) {
  if (LogActive()) return;
  const bool binary = config_.IsBinary();
  loggingBinary_ = binary;
  logFailed_ = false;
  if (binary) {
    // A bare name gets the default extension, as the platform's save dialog gives it.
    binaryFileName_ = SegmentedLog::WithExtension(fileName, kBinaryExtension);
    // The file is created by the first record, so that it starts with the current texts.
    logging_ = true;
    panel1_ = QStringLiteral("Logging to: ") + binaryFileName_;
  } else if (asciiLog_.Start(fileName)) {
    logging_ = true;
    panel1_ = asciiLog_.Segmented() ? QStringLiteral("Logging...")
                                    : QStringLiteral("Logging to: ") + asciiLog_.FileName();
  } else {
    logFailed_ = true;
    panel1_ = QStringLiteral("Log file not created.");
  }
  changed_.Notify();
}

bool TabularDisplay::StopLogging() {
  if (!LogActive()) return !logFailed_;
  logging_ = false;
  binaryLogOpen_ = false;
  // Lines a file still holds stay with the writer, which reported the failure and goes on
  // trying.
  const bool complete = (loggingBinary_ ? binaryLog_.Finish() && !binaryLog_.DroppedLines()
                                        : asciiLog_.Stop() && !asciiLog_.DroppedLines()) &&
                        !logFailed_;
  panel1_ = QStringLiteral("Log file closed.");
  changed_.Notify();
  return complete;
}

void TabularDisplay::SegIntervalTimer() { asciiLog_.NextSegment(); }

void TabularDisplay::WriteLogHeaderTail() {
  Log(QStringLiteral("Output rate: ") + config_.Averaging);
  Log(QString());
  if (config_.PcAvgMinutes > 0) {
    WriteCsvHeader();
  } else {
    WriteColumnHeader();
  }
}

void TabularDisplay::BtnClearClick() {
  screen_.Clear();
  changed_.Notify();
}

void TabularDisplay::CbSegClick(bool checked) {
  if (SegmentedEnabled()) asciiLog_.SetSegmented(checked);
  changed_.Notify();
}

void TabularDisplay::SetSegInterval(int minutes) {
  if (!LogActive()) asciiLog_.SetSegmentMinutes(minutes);
  changed_.Notify();
}

bool TabularDisplay::FormCloseQuery() {
  if (!LogActive()) return true;
  prompts_.ShowMessage(QStringLiteral("Please stop logging first."), QStringLiteral("Info"));
  return false;
}

}  // namespace ventari
