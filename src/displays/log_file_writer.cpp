#include "displays/log_file_writer.h"

namespace ventari {

LogFileWriter::~LogFileWriter() { Finish(); }

void LogFileWriter::Start(const QString& path) {
  Finish();
  path_ = path;
  truncateOnOpen_ = true;
  failing_ = false;
  pending_.clear();
  WritePending();  // creates (or empties) the file now
}

void LogFileWriter::Append(const QString& line) {
  if (!IsOpen()) return;
  pending_ += line.toUtf8();
  pending_ += "\r\n";
  WritePending();
}

bool LogFileWriter::Finish() {
  if (!IsOpen()) return true;
  const bool written = WritePending();
  if (!written) return false;
  file_.reset();
  path_.clear();
  return true;
}

bool LogFileWriter::WritePending() {
  if (!file_) {
    auto file = std::make_unique<QFile>(path_);
    // Unbuffered: what write() reports written is with the system, not in a buffer of ours.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered |
                                     (truncateOnOpen_ ? QIODevice::Truncate : QIODevice::Append);
    if (file->open(mode)) {
      file_ = std::move(file);
      truncateOnOpen_ = false;
    } else if (!failing_) {
      failing_ = true;
      if (reporter_) {
        reporter_(QStringLiteral("Cannot write the log file %1: %2. The lines are kept and "
                                 "written as soon as the file can be written.")
                      .arg(path_, file->errorString()));
      }
    }
  }
  if (!file_) return false;
  const qint64 written = file_->write(pending_);
  // What reached the file is not written twice.
  if (written > 0) pending_.remove(0, written);
  if (!pending_.isEmpty()) {
    // Written in part or not at all: reopen in append mode next time and keep the rest.
    file_.reset();
    if (!failing_ && reporter_) {
      reporter_(QStringLiteral("Cannot write the log file %1. The lines are kept and written "
                               "as soon as the file can be written.")
                    .arg(path_));
    }
    failing_ = true;
    return false;
  }
  if (failing_ && reporter_) {
    reporter_(QStringLiteral("The log file %1 is written again.").arg(path_));
  }
  failing_ = false;
  return true;
}

}  // namespace ventari
