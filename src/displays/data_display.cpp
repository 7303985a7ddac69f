#include "displays/data_display.h"

#include <utility>

namespace ventari {

DataDisplay::DataDisplay(Runtime& runtime, Prompts& prompts, const AnemState& state,
                         const MainMenu& menu, WallClock clock)
    : prompts_(prompts),
      menu_(menu),
      clock_(std::move(clock)),
      reports_(runtime, prompts, QStringLiteral("File Error")),
      log_(
          runtime, state, clock_, SegmentedLog::Creation::kHoldLines,
          [this](const QString& message) { reports_.Add(message); },
          [this] { WriteHeaderTail(); }) {}

QString DataDisplay::Trim(const QByteArray& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return QString::fromLatin1(text.constData() + begin, end - begin);
}

const QString& DataDisplay::Stamp() {
  const QDateTime now = clock_();
  const QDate date = now.date();
  const int second = now.time().msecsSinceStartOfDay() / 1000;
  if (date != stampDate_ || second != stampSecond_) {
    stampDate_ = date;
    stampSecond_ = second;
    stamp_ = LogDate(now) + QLatin1Char(',') + LogTime(now);
  }
  return stamp_;
}

void DataDisplay::ShowRecord(const QByteArray& text) {
  const QString line = Trim(text);
  screen_.Add(line);
  changed_.Notify();
  if (!logging_ && !choosingFile_) return;
  QString logLine = line;
  if (timestamp_) logLine += Stamp();
  if (choosingFile_) {
    if (heldWhileChoosing_.size() < LogFileWriter::kMaxHeldLines) {
      heldWhileChoosing_.append(logLine);
    } else {
      droppedWhileChoosing_ = true;
    }
  } else {
    log_.Append(logLine);
  }
}

QString DataDisplay::BtnLogCaption() const {
  return logging_ ? QStringLiteral("&Stop logging") : QStringLiteral("&Start logging");
}

void DataDisplay::BtnLogClick() {
  if (logging_) {
    StopLogging();
    return;
  }
  choosingFile_ = true;
  heldWhileChoosing_.clear();
  droppedWhileChoosing_ = false;
  const QString chosen =
      prompts_.ChooseSaveFile(QStringLiteral("Save log"), {}, QStringLiteral("Log files (*.log)"));
  // The save dialog asks about the chosen name only, which a segmented log never writes.
  const bool start = !chosen.isEmpty() && log_.ConfirmReplacing(chosen, prompts_);
  choosingFile_ = false;
  if (!start) {
    heldWhileChoosing_.clear();
    return;
  }
  StartLogging(chosen);
}

void DataDisplay::StartLogging(const QString& fileName) {
  if (logging_) return;
  log_.Start(fileName);
  // Records that came while the file was being chosen are logged, not lost.
  for (const QString& line : heldWhileChoosing_) log_.Append(line);
  heldWhileChoosing_.clear();
  if (std::exchange(droppedWhileChoosing_, false)) {
    reports_.Add(QStringLiteral("%1 records came while the file was being chosen; the newer ones "
                                "are not in the log.")
                     .arg(LogFileWriter::kMaxHeldLines));
  }
  logging_ = true;
  changed_.Notify();
}

bool DataDisplay::StopLogging() {
  if (!logging_) return true;
  logging_ = false;
  const bool finished = log_.Stop();
  changed_.Notify();
  if (finished) return !log_.DroppedLines();
  reports_.Add(QStringLiteral("Logging stopped, but %1 lines could not be written to the log "
                              "file. They are written as soon as the file can be written.")
                   .arg(log_.HeldLines()));
  return false;
}

void DataDisplay::SegIntervalTimer() { log_.NextSegment(); }

void DataDisplay::WriteHeaderTail() {
  log_.Append(menu_.IsChecked(MenuId::kUVcontinuous) ? QStringLiteral("UV data")
                                                     : QStringLiteral("Polar data"));
  log_.Append(QString());
}

void DataDisplay::CbSegClick(bool checked) {
  if (!logging_) log_.SetSegmented(checked);
  changed_.Notify();
}

void DataDisplay::SetTimestamped(bool checked) {
  timestamp_ = checked;
  changed_.Notify();
}

void DataDisplay::SetSegInterval(int minutes) {
  if (!logging_) log_.SetSegmentMinutes(minutes);
  changed_.Notify();
}

bool DataDisplay::FormCloseQuery() {
  if (!logging_) return true;
  prompts_.ShowMessage(QStringLiteral("Please stop logging first."), QStringLiteral("Info"));
  return false;
}

}  // namespace ventari
