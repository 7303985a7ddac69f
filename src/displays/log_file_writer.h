// A log file written as it grows: each line reaches the disk when it is added, so a crash loses
// at most the line being written. A file that cannot be written keeps its lines in memory and
// is tried again with every new line, and the failure is reported once until it recovers.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>

namespace ventari {

class LogFileWriter {
 public:
  // Told once when writing fails (with the file name and the reason) and once when it works
  // again.
  using Reporter = std::function<void(const QString& message)>;

  explicit LogFileWriter(Reporter reporter = {}) : reporter_(std::move(reporter)) {}
  ~LogFileWriter();

  // Starts a new file, replacing any file of that name.
  void Start(const QString& path);
  // Adds one line; CR LF ends every line.
  void Append(const QString& line);
  // Writes what is still held and closes the file. Returns false when lines are still held
  // because the file cannot be written.
  bool Finish();

  const QString& Path() const { return path_; }
  bool IsOpen() const { return !path_.isEmpty(); }
  // Bytes not yet on disk.
  qsizetype Pending() const { return pending_.size(); }

 private:
  bool WritePending();

  Reporter reporter_;
  QString path_;
  std::unique_ptr<QFile> file_;
  bool truncateOnOpen_ = true;
  bool failing_ = false;
  QByteArray pending_;
};

}  // namespace ventari
