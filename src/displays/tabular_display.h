// The tabular display of a three-axis anemometer: one line per data record (or per PC-averaging
// period), the decoded status, and the logs: ASCII formats to a ".log" text file with a short
// header, optionally cut into segments of a fixed number of minutes; the binary format to a
// ".bny" file that starts with the anemometer's identity and configuration texts. Every line
// and record reaches its file as it arrives. The state the window shows lives here; the window
// mirrors it.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <deque>
#include <optional>

#include "base/anem_state.h"
#include "base/bounded_lines.h"
#include "base/change_notifier.h"
#include "base/prompts.h"
#include "displays/deferred_reports.h"
#include "displays/log_file_writer.h"
#include "displays/log_time.h"
#include "displays/no_data_notice.h"
#include "displays/segmented_log.h"
#include "displays/tri_axis_status.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"

namespace ventari {

class TabularDisplay {
 public:
  // The table keeps the newest lines only, so a run of days stays small.
  static constexpr std::size_t kMaxScreenLines = 10000;
  // Where the header label stands: above the optional columns, or at the left edge when it
  // shows the comma-separated header of PC-averaged lines.
  static constexpr int kHeaderLabelLeft = 246;
  static constexpr int kHeaderLabelLeftPcAveraging = 2;
  // The extension a bare name of a binary log gets.
  static constexpr QLatin1String kBinaryExtension{".bny"};

  TabularDisplay(Runtime& runtime, Prompts& prompts, const AnemState& state,
                 const TriAxisConfig& config, const TriAxisIdentity& identity,
                 WallClock clock = SystemClock());
  TabularDisplay(const TabularDisplay&) = delete;
  TabularDisplay& operator=(const TabularDisplay&) = delete;

  // --- Called by the record applier, for every record, whether the window is shown or not.

  // One record's status address (0 to 10) and value (one byte): panel 0 shows the ranked
  // status, panel 1 the clinometer reading when a fitted clinometer's reading is complete.
  // Returns that reading when this status completed it.
  std::optional<QString> ShowStatus(int address, int value);
  // A record dropped because its check failed: panel 0 tells how many were since continuous
  // output started.
  void ShowBadRecord();
  // The header label above the optional columns.
  void SetHeader(const QString& text);
  // A line at the bottom of the table.
  void AddLine(const QString& text);
  // A line of the ASCII log (the table's line, the paths-blocked line, an empty line for a
  // malformed record, or an averaged line); ignored while no ASCII log is being written.
  void AddLogLine(const QString& text);
  // At the start of every binary record: the first record after the start of a binary log
  // creates the file and writes the identity and configuration texts into it.
  void OpenBinaryLogIfWaiting();
  // A binary record (the bytes after its two 0xBA, or an averaged record) for the binary log;
  // written with its 0xBA 0xBA while the binary log is open, ignored otherwise.
  void LogBinaryRecord(const QByteArray& record);

  // True while an ASCII log is written, and from the start of a binary log until its first
  // record opens the file.
  bool Logging() const { return logging_; }
  bool BinaryLogOpen() const { return binaryLogOpen_; }
  // Values per PC-averaged line, set by WriteCsvHeader.
  int FieldCount() const { return fieldCount_; }

  // --- Called by the main window and the setup dialog.

  // When continuous output starts: what the status at addresses 2 and 3 should report.
  void PrepareStatusCheck() { status_.PrepareStatusCheck(); }
  // The column header of the ASCII log, to the log while logging; kept as the column-header text.
  void WriteColumnHeader();
  // The comma-separated header of PC-averaged lines, as WriteColumnHeader; sets the field count.
  void WriteCsvHeader();
  // The PC averaging minutes changed: above 0 the five fixed labels go, and the header label
  // moves to the left edge showing the CSV header (written as WriteCsvHeader does); at 0 they
  // come back.
  void PcAveragingChanged();

  // --- The window's controls.

  // Showing the window: the table is emptied; segments are offered for ASCII formats only.
  void FormShow();
  // "&Logging" asks for the file (and, when segment files of an earlier run would be replaced,
  // whether to replace them) and starts; "&Stop Log" stops and closes the file.
  void BtnLoggingClick();
  // Starts logging to `fileName` (a bare name gets the format's extension), as a file chosen in
  // the save dialog does.
  void StartLogging(QString fileName);
  // Stops logging; false when a line or record did not reach the file, or the file could not
  // be created.
  bool StopLogging();
  void BtnClearClick();
  void CbSegClick(bool checked);
  // The segment minutes: 1 to 360.
  void SetSegInterval(int minutes);
  void SegIntervalTimer();
  // False (with the message) while logging: the window stays open.
  bool FormCloseQuery();

  const std::deque<QString>& ScreenLines() const { return screen_.Lines(); }
  // Lines added to the table since the count was last taken (for views that append).
  std::uint64_t LinesShown() const { return screen_.Added(); }
  QString BtnLoggingCaption() const;
  // Panel 0: the status; panel 1: logging messages and the clinometer reading.
  const QString& StatusText() const { return status_.Message(); }
  const QString& Panel1Text() const { return panel1_; }
  bool HeaderLabelsShown() const { return config_.PcAvgMinutes <= 0; }
  int HeaderLabelLeft() const;
  const QString& HeaderLabelText() const { return headerLabel_; }
  // The last header built for the ASCII log.
  const QString& ColumnHeader() const { return columnHeader_; }
  bool Segmented() const { return asciiLog_.Segmented(); }
  bool SegmentedEnabled() const { return !logging_ && !binaryLogOpen_ && !config_.IsBinary(); }
  int SegInterval() const { return asciiLog_.SegmentMinutes(); }
  // The chosen name of the log being (or last) written, with the extension a bare name gets.
  const QString& FileName() const {
    return loggingBinary_ ? binaryFileName_ : asciiLog_.FileName();
  }
  const TriAxisStatus& Status() const { return status_; }

  // Told after every new line, status and change of the controls.
  ChangeNotifier& Changed() { return changed_; }
  // While the records have stopped, what the window says of it.
  NoDataNotice& NoData() { return noData_; }
  const NoDataNotice& NoData() const { return noData_; }

 private:
  bool LogActive() const { return logging_ || binaryLogOpen_; }
  // The ASCII log header's lines after the serial number: the output rate and the column or
  // CSV header.
  void WriteLogHeaderTail();
  void Log(const QString& line) { asciiLog_.Append(line); }

  Prompts& prompts_;
  const TriAxisConfig& config_;
  const TriAxisIdentity& identity_;
  TriAxisStatus status_;
  // File errors, shown once the record that met them has reached every window.
  DeferredReports reports_;
  SegmentedLog asciiLog_;
  LogFileWriter binaryLog_;

  BoundedLines<kMaxScreenLines> screen_;
  QString panel1_;
  QString headerLabel_;
  QString columnHeader_;
  int fieldCount_ = 3;
  bool logging_ = false;
  bool binaryLogOpen_ = false;
  // The format of the log being written, as it was when logging started.
  bool loggingBinary_ = false;
  // The log's file could not be created.
  bool logFailed_ = false;
  QString binaryFileName_;
  ChangeNotifier changed_;
  NoDataNotice noData_{changed_};
};

}  // namespace ventari
