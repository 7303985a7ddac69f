#include "displays/log_file_writer.h"

#include <QtGlobal>

namespace ventari {

LogFileWriter::~LogFileWriter() {
  // No one is left to tell: what cannot be written is named in the program's log.
  reporter_ = {};
  if (!Finish()) {
    qWarning("Ventari: %lld log lines could not be written to their files",
             static_cast<long long>(HeldLines()));
  }
}

qsizetype LogFileWriter::HeldLines() const {
  qsizetype lines = current_.lines;
  for (const Target& target : unfinished_) lines += target.lines;
  return lines;
}

void LogFileWriter::Report(const QString& message) const {
  if (reporter_) reporter_(message);
}

void LogFileWriter::SetAside() {
  if (IsOpen() && !Finish()) {
    // The file cannot be written yet: its lines wait for it while the log goes on elsewhere.
    file_.reset();
    unfinished_.push_back(std::move(current_));
  }
}

void LogFileWriter::Start(const QString& path) {
  SetAside();
  current_ = Target{path, {}, 0, true};
  WriteAll();  // creates (or empties) the file now
}

bool LogFileWriter::Create(const QString& path, QString& failure) {
  auto file = std::make_unique<QFile>(path);
  if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered | QIODevice::Truncate)) {
    failure = path + QStringLiteral(": ") + file->errorString();
    return false;
  }
  SetAside();
  current_ = Target{path, {}, 0, false};
  file_ = std::move(file);
  return true;
}

void LogFileWriter::Append(const QString& line) { AppendRaw(line.toLatin1() + "\r\n"); }

void LogFileWriter::AppendRaw(const QByteArray& bytes) {
  if (!IsOpen()) return;
  if (HeldLines() >= kMaxHeldLines) {
    if (dropped_++ == 0) {
      Report(QStringLiteral("The log file %1 still cannot be written and %2 lines are held: "
                            "newer lines are lost until it can be written.")
                 .arg(current_.path)
                 .arg(kMaxHeldLines));
    }
    WriteAll();
    return;
  }
  current_.pending += bytes;
  ++current_.lines;
  WriteAll();
}

bool LogFileWriter::Finish() {
  if (!IsOpen()) return unfinished_.empty();
  if (!WriteAll()) return false;
  file_.reset();
  current_ = Target{};
  return true;
}

bool LogFileWriter::WriteAll() {
  bool written = true;
  QString failure;
  for (auto it = unfinished_.begin(); it != unfinished_.end();) {
    std::unique_ptr<QFile> file;
    if (Write(*it, file, failure)) {
      it = unfinished_.erase(it);
    } else {
      written = false;
      ++it;
    }
  }
  if (IsOpen() && !Write(current_, file_, failure)) written = false;

  if (!written && !failing_) {
    failing_ = true;
    Report(QStringLiteral("Cannot write the log file %1. The lines are kept and written as soon as "
                          "the file can be written.")
               .arg(failure));
  } else if (written && failing_) {
    failing_ = false;
    dropped_ = 0;
    Report(QStringLiteral("The log file %1 is written again.").arg(current_.path));
  }
  return written;
}

bool LogFileWriter::Write(Target& target, std::unique_ptr<QFile>& file, QString& failure) {
  if (!file) {
    auto opened = std::make_unique<QFile>(target.path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Unbuffered |
        (target.truncateOnOpen ? QIODevice::Truncate : QIODevice::Append);
    if (!opened->open(mode)) {
      if (failure.isEmpty()) failure = target.path + QStringLiteral(": ") + opened->errorString();
      return false;
    }
    file = std::move(opened);
    target.truncateOnOpen = false;
  }
  if (target.pending.isEmpty()) return true;
  const qint64 written = file->write(target.pending);
  if (written == target.pending.size()) {
    target.pending.clear();
    target.lines = 0;
    return true;
  }
  // Written in part or not at all: what reached the file is not written twice, and the file is
  // opened again (to append) next time.
  if (written > 0) {
    target.pending.remove(0, written);
    target.lines = target.pending.count('\n');
  }
  if (failure.isEmpty()) failure = target.path;
  file.reset();
  return false;
}

}  // namespace ventari
