// The text log of a live window (the data display's, the tabular display's ASCII log): the name
// chosen for it, with the extension added to a bare name; optionally cut into segments of a
// fixed number of minutes, each named after the chosen name, the minutes and its number
// ("run.log", 60 minutes: run_60_0.log, run_60_1.log, ...); the header that starts every file;
// and what a file that cannot be created does to the start. Every line reaches its file as it is
// added (LogFileWriter).
#pragma once

#include <QString>
#include <functional>

#include "base/anem_state.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "base/timer.h"
#include "displays/log_file_writer.h"
#include "displays/log_time.h"

namespace ventari {

class SegmentedLog {
 public:
  // The extension of a text log, added to a bare name and ending every segment's name.
  static constexpr QLatin1String kTextExtension{".log"};
  static constexpr int kMinSegmentMinutes = 1;
  static constexpr int kMaxSegmentMinutes = 360;

  // What a first file that cannot be created does to the start.
  enum class Creation {
    // The log starts all the same: its lines wait in memory until the file can be written
    // (LogFileWriter reports it). The data display's log.
    kHoldLines,
    // The log does not start: "Cannot create the log file NAME: REASON. Logging has not
    // started." is reported. The tabular display's ASCII log.
    kRequired,
  };

  // After the first lines of every header (date and time, serial number, each followed by an
  // empty line): appends the window's own header lines with Append.
  using HeaderTail = std::function<void()>;

  SegmentedLog(Runtime& runtime, const AnemState& state, WallClock clock, Creation creation,
               LogFileWriter::Reporter reporter, HeaderTail headerTail);
  SegmentedLog(const SegmentedLog&) = delete;
  SegmentedLog& operator=(const SegmentedLog&) = delete;

  // --- Names.

  // `name` as the platform's save dialog gives it: a file name with no "." gets `extension`.
  static QString WithExtension(const QString& name, QLatin1String extension);
  // The file of segment `counter` of a log named `fileName` (extension added): the name without
  // its last four characters (never more than its file name part, so the segment stays in its
  // folder), "_", the minutes, "_", the counter and ".log".
  static QString SegmentName(const QString& fileName, int minutes, int counter);
  // The file of an earlier run that a segmented log to `chosen` with `minutes`-minute segments
  // would replace first (the lowest segment number that exists); empty when none exists.
  static QString ExistingSegment(const QString& chosen, int minutes);

  // --- The controls, changed only while no log is written.

  void SetSegmented(bool segmented);
  bool Segmented() const { return segmented_; }
  // Kept within kMinSegmentMinutes to kMaxSegmentMinutes.
  void SetSegmentMinutes(int minutes);
  int SegmentMinutes() const { return minutes_; }

  // Before a log to `chosen` starts as these controls stand: when it would replace a segment
  // file of an earlier run, asks once (Yes/No, No the default) naming the first of them.
  // False when the answer is No: the log must not start.
  bool ConfirmReplacing(const QString& chosen, Prompts& prompts) const;

  // --- Writing.

  // Starts the log to `chosen` (a bare name gets the extension): the first file (segment 0 when
  // segmented) replaces any file of its name and gets the header; segments start their timer.
  // False when the log has not started (Creation::kRequired and the file cannot be created).
  bool Start(const QString& chosen);
  // One line, CR LF ended; ignored while no log is written.
  void Append(const QString& line) {
    if (writing_) writer_.Append(line);
  }
  // The segment's time is up: the next segment starts, with its header.
  void NextSegment();
  // Stops the timer and closes the file. False while lines are still held because a file
  // cannot be written (they stay with the writer, which goes on trying).
  bool Stop();

  bool Writing() const { return writing_; }
  // The chosen name, with the extension a bare name gets.
  const QString& FileName() const { return fileName_; }
  // The file the lines go to now (the chosen name, or the current segment's).
  QString CurrentFile() const;
  qsizetype HeldLines() const { return writer_.HeldLines(); }
  bool DroppedLines() const { return writer_.DroppedLines(); }

 private:
  void WriteHeader();

  const AnemState& state_;
  WallClock clock_;
  Creation creation_;
  LogFileWriter::Reporter reporter_;
  HeaderTail headerTail_;
  Timer timer_;
  LogFileWriter writer_;
  QString fileName_;
  bool segmented_ = false;
  int minutes_ = 60;
  int counter_ = 0;
  bool writing_ = false;
};

}  // namespace ventari
