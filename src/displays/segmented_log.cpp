#include "displays/segmented_log.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <utility>

namespace ventari {

SegmentedLog::SegmentedLog(Runtime& runtime, const AnemState& state, WallClock clock,
                           Creation creation, LogFileWriter::Reporter reporter,
                           HeaderTail headerTail)
    : state_(state),
      clock_(std::move(clock)),
      creation_(creation),
      reporter_(std::move(reporter)),
      headerTail_(std::move(headerTail)),
      timer_(runtime),
      writer_(reporter_) {
  timer_.SetHandler([this] { NextSegment(); });
}

QString SegmentedLog::WithExtension(const QString& name, QLatin1String extension) {
  if (QFileInfo(name).fileName().contains(QLatin1Char('.'))) return name;
  return name + extension;
}

QString SegmentedLog::SegmentName(const QString& fileName, int minutes, int counter) {
  const qsizetype cut = std::min<qsizetype>(4, QFileInfo(fileName).fileName().size());
  return fileName.left(fileName.size() - cut) + QStringLiteral("_%1_%2").arg(minutes).arg(counter) +
         kTextExtension;
}

QString SegmentedLog::ExistingSegment(const QString& chosen, int minutes) {
  const QString fileName = WithExtension(chosen, kTextExtension);
  const QFileInfo first(SegmentName(fileName, minutes, 0));
  // "run_60_" of "run_60_0.log": the segments' names are it, a number and the extension.
  const QString prefix = first.fileName().chopped(1 + kTextExtension.size());
  const qsizetype fixed = prefix.size() + kTextExtension.size();
  std::optional<int> lowest;
  for (const QString& entry :
       first.dir().entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort)) {
    if (entry.size() <= fixed || !entry.startsWith(prefix, Qt::CaseInsensitive) ||
        !entry.endsWith(kTextExtension, Qt::CaseInsensitive)) {
      continue;
    }
    const QString digits = entry.mid(prefix.size(), entry.size() - fixed);
    bool ok = false;
    const int counter = digits.toInt(&ok);
    // Only the numbers a run writes: no sign, no leading zero, no blank.
    if (!ok || counter < 0 || QString::number(counter) != digits) continue;
    if (lowest && *lowest <= counter) continue;
    // The entry may differ in case only; the name a run writes is what counts.
    if (QFileInfo::exists(SegmentName(fileName, minutes, counter))) lowest = counter;
  }
  return lowest ? SegmentName(fileName, minutes, *lowest) : QString();
}

void SegmentedLog::SetSegmented(bool segmented) {
  if (!writing_) segmented_ = segmented;
}

void SegmentedLog::SetSegmentMinutes(int minutes) {
  if (!writing_) minutes_ = std::clamp(minutes, kMinSegmentMinutes, kMaxSegmentMinutes);
}

bool SegmentedLog::ConfirmReplacing(const QString& chosen, Prompts& prompts) const {
  if (!segmented_) return true;
  const QString existing = ExistingSegment(chosen, minutes_);
  if (existing.isEmpty()) return true;
  return prompts.Ask(QStringLiteral("The segment file %1 of an earlier log already exists.\n"
                                    "Starting this log replaces it and the other segment files "
                                    "of the same name.\nReplace them?")
                         .arg(existing),
                     QStringLiteral("Replace Log Files"),
                     {PromptButton::kNo, PromptButton::kYes}) == PromptButton::kYes;
}

bool SegmentedLog::Start(const QString& chosen) {
  if (writing_) return true;
  fileName_ = WithExtension(chosen, kTextExtension);
  counter_ = 0;
  if (creation_ == Creation::kRequired) {
    QString failure;
    if (!writer_.Create(CurrentFile(), failure)) {
      if (reporter_) {
        reporter_(
            QStringLiteral("Cannot create the log file %1. Logging has not started.").arg(failure));
      }
      return false;
    }
  } else {
    writer_.Start(CurrentFile());
  }
  writing_ = true;
  WriteHeader();
  if (segmented_) {
    timer_.SetInterval(minutes_ * 60000);
    timer_.Start();
  }
  return true;
}

void SegmentedLog::NextSegment() {
  timer_.Stop();
  if (!writing_) return;
  // The segment just ended keeps any lines it still holds until its file can be written.
  writer_.Start(SegmentName(fileName_, minutes_, ++counter_));
  WriteHeader();
  timer_.Start();
}

bool SegmentedLog::Stop() {
  timer_.Stop();
  writing_ = false;
  return writer_.Finish();
}

QString SegmentedLog::CurrentFile() const {
  return segmented_ ? SegmentName(fileName_, minutes_, counter_) : fileName_;
}

void SegmentedLog::WriteHeader() {
  const QDateTime now = clock_();
  Append(LogDate(now) + QStringLiteral("   ") + LogTime(now));
  Append(QString());
  Append(QStringLiteral("Serial no.: ") + state_.SerialNumber);
  Append(QString());
  if (headerTail_) headerTail_();
}

}  // namespace ventari
