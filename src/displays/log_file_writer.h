// A log file written as it grows: each line reaches the disk when it is added, so a crash loses
// at most the line being written. A file that cannot be written keeps its lines in memory, up
// to kMaxHeldLines, and is tried again with every new line, also after the log has moved on to
// its next file; the failure is reported once until it recovers. Lines are written as the bytes
// they were read from (Latin-1), never re-encoded.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

namespace ventari {

class LogFileWriter {
 public:
  // Lines kept in memory while their files cannot be written; newer lines are dropped beyond.
  static constexpr qsizetype kMaxHeldLines = 100000;

  // Told once when writing fails (with the file name and the reason), once when lines are
  // dropped, and once when it works again.
  using Reporter = std::function<void(const QString& message)>;

  explicit LogFileWriter(Reporter reporter = {}) : reporter_(std::move(reporter)) {}
  // Writes what it can; lines that still cannot be written are named in the program's log.
  ~LogFileWriter();

  // Starts a new file, replacing any file of that name. Lines the previous file still holds
  // stay held and are written to it as soon as it can be written.
  void Start(const QString& path);
  // Starts a new file as Start does, but only when it can be created now; otherwise changes
  // nothing and returns false with the file name and the reason in `failure`.
  bool Create(const QString& path, QString& failure);
  // Adds one line; CR LF ends every line.
  void Append(const QString& line);
  // Adds bytes as they are, with no line end (a binary log); each call counts as one line.
  void AppendRaw(const QByteArray& bytes);
  // Writes what is still held and closes the file. Returns false when lines are still held
  // because a file cannot be written.
  bool Finish();

  const QString& Path() const { return current_.path; }
  bool IsOpen() const { return !current_.path.isEmpty(); }
  // Lines not yet on disk, in every file.
  qsizetype HeldLines() const;
  // Whether any line was dropped because too many were held.
  bool DroppedLines() const { return dropped_ > 0; }

 private:
  struct Target {
    QString path;
    QByteArray pending;
    qsizetype lines = 0;
    bool truncateOnOpen = true;
  };

  // Sets the current file aside, its held lines waiting for it, before the next file starts.
  void SetAside();
  // Writes the held lines of earlier files, then the current one's. False while any are held.
  bool WriteAll();
  // Opens `file` for `target` when needed (unbuffered: what write() reports written is with
  // the system) and writes its lines; false, naming the failure once, while it holds lines.
  bool Write(Target& target, std::unique_ptr<QFile>& file, QString& failure);
  void Report(const QString& message) const;

  Reporter reporter_;
  Target current_;
  std::unique_ptr<QFile> file_;  // the current target's, while it can be written
  std::deque<Target> unfinished_;
  bool failing_ = false;
  qsizetype dropped_ = 0;
};

}  // namespace ventari
