// The data display: every two-axis data record as a line of text, and its log, optionally time
// stamped and split into segments of a fixed number of minutes. The state the window shows
// lives here; the window mirrors it.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "base/main_menu.h"
#include "base/prompts.h"
#include "base/timer.h"
#include "displays/deferred_reports.h"
#include "displays/log_file_writer.h"
#include "displays/log_time.h"

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

  // "&Start logging" asks for the file and starts; "&Stop logging" stops and finishes the files.
  void BtnLogClick();
  // Starts logging to `fileName` without asking (the command line's log).
  void StartLogging(const QString& fileName);
  // Returns false, with a message, when lines of the log have not reached the disk.
  bool StopLogging();
  void CbSegClick(bool checked);
  void CbTsdClick(bool checked);
  // UdSegInterval: 1 to 360 minutes.
  void SetSegInterval(int minutes);
  void SegIntervalTimer();
  // False (with the message) while logging: the window stays open.
  bool FormCloseQuery();

  const std::deque<QString>& ScreenLines() const { return screen_; }
  // Lines added to the screen since the count was last taken (for views that append).
  std::uint64_t LinesShown() const { return linesShown_; }
  bool Logging() const { return logging_; }
  QString BtnLogCaption() const;
  bool Segmented() const { return segmented_; }
  bool Timestamped() const { return timestamp_; }
  int SegInterval() const { return segMinutes_; }
  // UdSegInterval, CbSeg and CbTsd take input only while not logging.
  bool SettingsEnabled() const { return !logging_; }
  const QString& FileName() const { return fileName_; }
  // The file the lines go to now.
  QString CurrentFile() const;

  // Told after every new line and every change of the log controls.
  ChangeNotifier& Changed() { return changed_; }

 private:
  // The time stamp of a log line, "dd/MM/yyyy,HH:mm:ss", worked out once a second.
  const QString& Stamp();
  QString SegmentFile(int counter) const;
  void WriteHeader();
  void Log(const QString& line);

  Prompts& prompts_;
  const AnemState& state_;
  const MainMenu& menu_;
  WallClock clock_;
  Timer segInterval_;
  // File errors, shown once the record that met them has reached every window.
  DeferredReports reports_;
  LogFileWriter writer_;

  std::deque<QString> screen_;
  std::uint64_t linesShown_ = 0;
  bool logging_ = false;
  bool segmented_ = false;
  bool timestamp_ = true;
  int segMinutes_ = 60;
  int segCounter_ = 0;
  QString fileName_;
  // Log lines of the records that arrive while the save dialog is open.
  bool choosingFile_ = false;
  QStringList heldWhileChoosing_;
  bool droppedWhileChoosing_ = false;
  QDate stampDate_;
  int stampSecond_ = -1;
  QString stamp_;
  ChangeNotifier changed_;
};

}  // namespace ventari
