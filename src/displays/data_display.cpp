#include "displays/data_display.h"

#include <algorithm>
#include <utility>

namespace ventari {

DataDisplay::DataDisplay(Runtime& runtime, Prompts& prompts, const AnemState& state,
                         const MainMenu& menu, WallClock clock)
    : prompts_(prompts),
      state_(state),
      menu_(menu),
      clock_(std::move(clock)),
      segInterval_(runtime),
      reports_(runtime, prompts, QStringLiteral("File Error")),
      writer_([this](const QString& message) { reports_.Add(message); }) {
  segInterval_.SetHandler([this] { SegIntervalTimer(); });
}

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
  screen_.push_back(line);
  if (screen_.size() > kMaxScreenLines) screen_.pop_front();
  ++linesShown_;
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
    Log(logLine);
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
  choosingFile_ = false;
  if (chosen.isEmpty()) {
    heldWhileChoosing_.clear();
    return;
  }
  StartLogging(chosen);
}

void DataDisplay::StartLogging(const QString& fileName) {
  if (logging_) return;
  fileName_ = fileName;
  segCounter_ = 0;
  writer_.Start(CurrentFile());
  WriteHeader();
  // Records that came while the file was being chosen are logged, not lost.
  for (const QString& line : heldWhileChoosing_) Log(line);
  heldWhileChoosing_.clear();
  if (std::exchange(droppedWhileChoosing_, false)) {
    reports_.Add(QStringLiteral("%1 records came while the file was being chosen; the newer ones "
                                "are not in the log.")
                     .arg(LogFileWriter::kMaxHeldLines));
  }
  logging_ = true;
  if (segmented_) {
    segInterval_.SetInterval(segMinutes_ * 60000);
    segInterval_.Start();
  }
  changed_.Notify();
}

bool DataDisplay::StopLogging() {
  if (!logging_) return true;
  segInterval_.Stop();
  logging_ = false;
  changed_.Notify();
  if (writer_.Finish()) return !writer_.DroppedLines();
  reports_.Add(QStringLiteral("Logging stopped, but %1 lines could not be written to the log "
                              "file. They are written as soon as the file can be written.")
                   .arg(writer_.HeldLines()));
  return false;
}

void DataDisplay::SegIntervalTimer() {
  segInterval_.Stop();
  writer_.Finish();
  ++segCounter_;
  writer_.Start(CurrentFile());
  WriteHeader();
  segInterval_.Start();
}

QString DataDisplay::SegmentFile(int counter) const {
  return fileName_.left(std::max<qsizetype>(0, fileName_.size() - 4)) +
         QStringLiteral("_%1_%2.log").arg(segMinutes_).arg(counter);
}

QString DataDisplay::CurrentFile() const {
  return segmented_ ? SegmentFile(segCounter_) : fileName_;
}

void DataDisplay::WriteHeader() {
  const QDateTime now = clock_();
  Log(LogDate(now) + QStringLiteral("   ") + LogTime(now));
  Log(QString());
  Log(QStringLiteral("Serial no.: ") + state_.SerialNumber);
  Log(QString());
  Log(menu_.IsChecked(MenuId::kUVcontinuous) ? QStringLiteral("UV data")
                                             : QStringLiteral("Polar data"));
  Log(QString());
}

void DataDisplay::Log(const QString& line) { writer_.Append(line); }

void DataDisplay::CbSegClick(bool checked) {
  if (!logging_) segmented_ = checked;
  changed_.Notify();
}

void DataDisplay::CbTsdClick(bool checked) {
  timestamp_ = checked;
  changed_.Notify();
}

void DataDisplay::SetSegInterval(int minutes) {
  if (!logging_) segMinutes_ = std::clamp(minutes, 1, 360);
  changed_.Notify();
}

bool DataDisplay::FormCloseQuery() {
  if (!logging_) return true;
  prompts_.ShowMessage(QStringLiteral("Please stop logging first."), QStringLiteral("Info"));
  return false;
}

}  // namespace ventari
