// The terminal window's logic: the received stream shown on the screen and captured to a file,
// typed keys sent to the port, the status line and the log file entry.
#pragma once

#include <QString>
#include <cstdint>
#include <span>

#include "base/change_notifier.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "link/line_status_view.h"
#include "link/serial_port.h"
#include "link/terminal_capture.h"
#include "link/terminal_screen.h"

namespace ventari {

class TerminalModel : public LineStatusView {
 public:
  static constexpr std::uint8_t kDel = 0x7F;
  // After a typed "*" the anemometer's banner comes before the next key.
  static constexpr int kAfterStarMs = 1000;

  TerminalModel(Runtime& runtime, SerialPort& port, Prompts& prompts);
  ~TerminalModel();
  TerminalModel(const TerminalModel&) = delete;
  TerminalModel& operator=(const TerminalModel&) = delete;

  // The port's settings as the status line shows them: " COM1 8 None 1 9600".
  static QString PortText(const SerialPort& port);
  static QString ParityName(Parity parity);

  // Every received byte: captured first, then shown. A capture that fails is told once this
  // delivery has reached every consumer of the port: while the box waits for the user, the
  // packet matchers go on receiving the bytes in order.
  void Receive(std::span<const std::uint8_t> bytes);
  // A typed character, sent as it is; no echo. A closed port drops it and the status says so.
  void Type(std::uint8_t byte);
  // Backspace is sent as DEL.
  void Backspace() { Type(kDel); }
  // A line typed as a user types it, then Enter: one key a timer tick apart, as the command
  // channel paces a command, and kAfterStarMs after a "*"; a line end in the text is the Enter
  // key (CR), whether written LF, CR LF or CR.
  void TypeLine(const QByteArray& text);

  // "&Clear terminal".
  void ClearTerminal();
  // The Insert key.
  void ToggleScrollBack();
  // Section 0 of the status line from the port, or the notice of a vanished port.
  void RefreshStatus() override;
  // "COM5 lost - waiting for it to return" and the like; empty: the port's settings again.
  void SetPortNotice(const QString& notice);
  // `Datalogging1`: starts capture through the log file dialog, or stops it. A name without an
  // extension gets ".dat"; the dialog asked about the name as typed, so replacing an existing
  // file of the extended name is asked here (No: the dialog again).
  void Datalogging1Click();
  // Starts capture onto `path` as the dialog's choice does; false (with the message shown) when
  // the file cannot be created.
  bool StartLog(const QString& path);
  // Closes the capture file (the window goes at exit).
  void Close();

  // While flash programming runs the terminal and its capture see nothing.
  void Detach();
  void Reattach();

  const TerminalScreen& Screen() const { return screen_; }
  TerminalScreen& Screen() { return screen_; }
  const TerminalCapture& Capture() const { return capture_; }
  const QString& PortStatus() const { return portStatus_; }
  const QString& LogStatus() const { return logStatus_; }
  // "&Start log file" or "&Stop log file".
  QString LogCaption() const;
  ChangeNotifier& Changed() { return changed_; }
  // The status line, the log entry or the capture changed (Changed() tells these too, and every
  // change of the screen).
  ChangeNotifier& StatusChanged() { return statusChanged_; }

 private:
  void StopLog();
  void ShowFileError();
  void NotifyStatus();
  void Pause(int ms);
  // The name the dialog gave, extended; empty when the user cancelled.
  QString ChooseLogFile();

  Runtime& runtime_;
  SerialPort& port_;
  Prompts& prompts_;
  TerminalScreen screen_;
  TerminalCapture capture_;
  QString portStatus_;
  QString logStatus_;
  QString portNotice_;
  bool logEntryStops_ = false;
  int receiver_ = 0;
  int stateReceiver_ = 0;
  Runtime::EventId writeFailureTold_ = 0;
  ChangeNotifier changed_;
  ChangeNotifier statusChanged_;
};

}  // namespace ventari
