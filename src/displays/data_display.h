// The data display: every two-axis data record as a line of text, and its log, optionally time
// stamped and split into segments of a fixed number of minutes. The state the window shows
// lives here; the window mirrors it.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "base/anem_state.h"
#include "base/bounded_lines.h"
#include "base/change_notifier.h"
#include "base/main_menu.h"
#include "base/prompts.h"
#include "displays/deferred_reports.h"
#include "displays/log_time.h"
#include "displays/no_data_notice.h"
#include "displays/segmented_log.h"

namespace ventari {

class DataDisplay {
 public:
  // The screen keeps the newest lines only, so a run of days stays small.
  static constexpr std::size_t kMaxScreenLines = 10000;

  DataDisplay(Runtime& runtime, Prompts& prompts, const AnemState& state, const MainMenu& menu,
              WallClock clock = SystemClock());
  DataDisplay(const DataDisplay&) = delete;
  DataDisplay& operator=(const DataDisplay&) = delete;

  // Every record, whether the window is shown or not: as delivered, framing included.
  void ShowRecord(const QByteArray& text);
  // A record as the screen shows it: the framing and blanks at both ends taken off.
  static QString Trim(const QByteArray& text);

  // "&Start logging" asks for the file (and, when segment files of an earlier run would be
  // replaced, whether to replace them) and starts; "&Stop logging" stops and finishes the files.
  void BtnLogClick();
  // Starts logging to `fileName` (a bare name gets ".log") without asking (the command line's
  // log).
  void StartLogging(const QString& fileName);
  // Returns false, with a message, when lines of the log have not reached the disk.
  bool StopLogging();
  void CbSegClick(bool checked);
  void SetTimestamped(bool checked);
  // UdSegInterval: 1 to 360 minutes.
  void SetSegInterval(int minutes);
  void SegIntervalTimer();
  // False (with the message) while logging: the window stays open.
  bool FormCloseQuery();

  const std::deque<QString>& ScreenLines() const { return screen_.Lines(); }
  // Lines added to the screen since the count was last taken (for views that append).
  std::uint64_t LinesShown() const { return screen_.Added(); }
  bool Logging() const { return logging_; }
  QString BtnLogCaption() const;
  bool Segmented() const { return log_.Segmented(); }
  bool Timestamped() const { return timestamp_; }
  int SegInterval() const { return log_.SegmentMinutes(); }
  // UdSegInterval, CbSeg and CbTsd take input only while not logging.
  bool SettingsEnabled() const { return !logging_; }
  // The chosen name, with the ".log" a bare name gets.
  const QString& FileName() const { return log_.FileName(); }
  // The file the lines go to now.
  QString CurrentFile() const { return log_.CurrentFile(); }

  // Told after every new line and every change of the log controls.
  ChangeNotifier& Changed() { return changed_; }
  // While the records have stopped, what the window says of it.
  NoDataNotice& NoData() { return noData_; }
  const NoDataNotice& NoData() const { return noData_; }
  // Whether the window is shown: while it is, records are expected.
  bool Shown() const { return shown_; }
  void SetShown(bool shown) { shown_ = shown; }

 private:
  // The time stamp of a log line, "dd/MM/yyyy,HH:mm:ss", worked out once a second.
  const QString& Stamp();
  // The header's lines after the serial number: the kind of data.
  void WriteHeaderTail();

  Prompts& prompts_;
  const MainMenu& menu_;
  WallClock clock_;
  // File errors, shown once the record that met them has reached every window.
  DeferredReports reports_;
  SegmentedLog log_;

  BoundedLines<kMaxScreenLines> screen_;
  bool logging_ = false;
  bool timestamp_ = true;
  // Log lines of the records that arrive while the save dialog is open.
  bool choosingFile_ = false;
  QStringList heldWhileChoosing_;
  bool droppedWhileChoosing_ = false;
  QDate stampDate_;
  int stampSecond_ = -1;
  QString stamp_;
  ChangeNotifier changed_;
  NoDataNotice noData_{changed_};
  bool shown_ = false;
};

}  // namespace ventari
