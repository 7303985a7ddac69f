#include "displays/tabular_display.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "displays/tabular_log_headers.h"

namespace ventari {

TabularDisplay::TabularDisplay(Runtime& runtime, Prompts& prompts, const AnemState& state,
                               const TriAxisConfig& config, const TriAxisIdentity& identity,
                               WallClock clock)
    : prompts_(prompts),
      state_(state),
      config_(config),
      identity_(identity),
      clock_(std::move(clock)),
      status_(config, identity, state),
      segInterval_(runtime),
      reports_(runtime, prompts, QStringLiteral("File Error")),
      asciiLog_([this](const QString& message) { reports_.Add(message); }),
      binaryLog_([this](const QString& message) { reports_.Add(message); }) {
  segInterval_.SetHandler([this] { SegIntervalTimer(); });
}

std::optional<QString> TabularDisplay::ShowStatus(int address, int value) {
  std::optional<QString> reading = status_.ShowStatus(address, value);
  if (reading) panel1_ = *reading;
  changed_.Notify();
  return reading;
}

void TabularDisplay::SetHeader(const QString& text) {
  if (headerLabel_ == text) return;
  headerLabel_ = text;
  changed_.Notify();
}

void TabularDisplay::AddLine(const QString& text) {
  screen_.push_back(text);
  if (screen_.size() > kMaxScreenLines) screen_.pop_front();
  ++linesShown_;
  changed_.Notify();
}

void TabularDisplay::AddLogLine(const QString& text) { Log(text); }

void TabularDisplay::Log(const QString& line) {
  if (AsciiLogging()) asciiLog_.Append(line);
}

void TabularDisplay::OpenBinaryLogIfWaiting() {
  if (!logging_ || !loggingBinary_) return;
  logging_ = false;
  QString failure;
  if (!binaryLog_.Create(fileName_, failure)) {
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
  screen_.clear();
  if (config_.IsBinary()) segmented_ = false;
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
  StartLogging(chosen);
}

void TabularDisplay::StartLogging(QString fileName) {
  if (LogActive()) return;
  const bool binary = config_.IsBinary();
  // A bare name gets the default extension, as the platform's save dialog gives it.
  if (!QFileInfo(fileName).fileName().contains(QLatin1Char('.'))) {
    fileName += binary ? QStringLiteral(".bny") : QStringLiteral(".log");
  }
  fileName_ = fileName;
  loggingBinary_ = binary;
  logFailed_ = false;
  if (binary) {
    // The file is created by the first record, so that it starts with the current texts.
    logging_ = true;
    panel1_ = QStringLiteral("Logging to: ") + fileName_;
  } else {
    StartAsciiLog();
  }
  changed_.Notify();
}

void TabularDisplay::StartAsciiLog() {
  segCounter_ = 0;
  QString failure;
  if (!asciiLog_.Create(segmented_ ? SegmentFile(0) : fileName_, failure)) {
    logFailed_ = true;
    reports_.Add(
        QStringLiteral("Cannot create the log file %1. Logging has not started.").arg(failure));
    panel1_ = QStringLiteral("Log file not created.");
    return;
  }
  logging_ = true;
  WriteLogHeader();
  panel1_ = segmented_ ? QStringLiteral("Logging...") : QStringLiteral("Logging to: ") + fileName_;
  if (segmented_) {
    segInterval_.SetInterval(segMinutes_ * 60000);
    segInterval_.Start();
  }
}

bool TabularDisplay::StopLogging() {
  if (!LogActive()) return !logFailed_;
  segInterval_.Stop();
  logging_ = false;
  binaryLogOpen_ = false;
  // Lines a file still holds stay with the writer, which reported the failure and goes on
  // trying.
  LogFileWriter& log = loggingBinary_ ? binaryLog_ : asciiLog_;
  const bool complete = log.Finish() && !log.DroppedLines() && !logFailed_;
  panel1_ = QStringLiteral("Log file closed.");
  changed_.Notify();
  return complete;
}

void TabularDisplay::SegIntervalTimer() {
  segInterval_.Stop();
  if (!AsciiLogging()) return;
  asciiLog_.Start(SegmentFile(++segCounter_));
  WriteLogHeader();
  segInterval_.Start();
}

QString TabularDisplay::SegmentFile(int counter) const {
  return fileName_.left(std::max<qsizetype>(0, fileName_.size() - 4)) +
         QStringLiteral("_%1_%2.log").arg(segMinutes_).arg(counter);
}

void TabularDisplay::WriteLogHeader() {
  const QDateTime now = clock_();
  Log(LogDate(now) + QStringLiteral("   ") + LogTime(now));
  Log(QString());
  Log(QStringLiteral("Serial no.: ") + state_.SerialNumber);
  Log(QString());
  Log(QStringLiteral("Output rate: ") + config_.Averaging);
  Log(QString());
  if (config_.PcAvgMinutes > 0) {
    WriteCsvHeader();
  } else {
    WriteColumnHeader();
  }
}

void TabularDisplay::BtnClearClick() {
  screen_.clear();
  changed_.Notify();
}

void TabularDisplay::CbSegClick(bool checked) {
  if (SegmentedEnabled()) segmented_ = checked;
  changed_.Notify();
}

void TabularDisplay::SetSegInterval(int minutes) {
  if (!LogActive()) segMinutes_ = std::clamp(minutes, 1, 360);
  changed_.Notify();
}

bool TabularDisplay::FormCloseQuery() {
  if (!LogActive()) return true;
  prompts_.ShowMessage(QStringLiteral("Please stop logging first."), QStringLiteral("Info"));
  return false;
}

}  // namespace ventari
