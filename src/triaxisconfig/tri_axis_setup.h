// The three-axis setup dialog's logic: the anemometer's settings changed one at a time while it
// is in configuration mode, each command acknowledged within 2 s or its control set back; the
// menu entries and displays that follow the report mode, string format and PC averaging; and the
// baud rate change with its confirmation at the new rate. While the tabular display logs, a change
// of what the records hold or how they are written is refused with a message, nothing sent.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>

#include "base/change_notifier.h"
#include "base/main_window_model.h"
#include "base/prompts.h"
#include "base/runtime.h"
#include "displays/graph_window_model.h"
#include "displays/tabular_display.h"
#include "link/command_channel.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "triaxis/tri_axis_config.h"
#include "triaxisconfig/live_windows_around_setup.h"
#include "triaxisconfig/reply_lines.h"

namespace ventari {

class TriAxisSetup {
 public:
  struct Parts {
    Runtime& runtime;
    CommandChannel& channel;
    SerialPort& port;
    SystemMatchers& matchers;
    TriAxisConfig& config;
    MainWindowModel& window;
    Prompts& prompts;
    TabularDisplay& tabular;
    GraphWindowModel& graph;
    LiveWindowsAroundSetup& liveWindows;
  };

  static constexpr int kVerifyMs = 2000;
  static constexpr int kBaudConfirmMs = 500;
  static constexpr int kChannels = 6;

  explicit TriAxisSetup(const Parts& parts);
  TriAxisSetup(const TriAxisSetup&) = delete;
  TriAxisSetup& operator=(const TriAxisSetup&) = delete;

  // The Setup command: the live windows closed, the record collectors disarmed, configuration
  // mode, the dialog shown.
  void Open();
  // The dialog closes: configuration mode ends, or the data start again for the windows left.
  void Close();
  bool Shown() const { return shown_; }
  // A change is being handled: the dialog is disabled meanwhile.
  bool Busy() const { return busy_; }
  // The six channel boxes can be used (19200 baud and above).
  bool ChannelsEnabled() const { return channelsEnabled_; }

  // The user chose `item` in the list of kTriAxisChoices[choice]. Returns whether the
  // anemometer took it; the list shows the setting in force either way.
  bool Choose(int choice, int item);
  // The averaging edit got the focus, was typed into, or a key was released in it.
  void AveragingFocused();
  void SetAveragingText(const QString& text);
  // A key that is neither a digit nor Enter empties the edit.
  void AveragingKeyReleased(bool digitOrEnter);
  // "Set": sends an averaging of 1 to 250; a press while one waits is ignored.
  bool BtnAvgSetClick();
  // Channel box `channel` (1 to 6) now `checked`: "ANAIP n E" or "ANAIP n D".
  bool ChannelClick(int channel, bool checked);
  // The PC averaging minutes, 0 to 60.
  void SetPcAvgMinutes(int minutes);

  // What the user was told when a baud rate change was not confirmed; empty otherwise.
  const QString& BaudReport() const { return baudReport_; }

  const TriAxisConfig& Config() const { return p_.config; }
  ChangeNotifier& Changed() { return changed_; }

 private:
  class BusyScope;

  // Sends `command` and waits up to `waitMs` for a line of the answer that begins with `start`.
  bool Exchange(const std::string& command, const QByteArray& start, int waitMs);
  bool SendSetting(int choice, int item);
  bool StrFormatChange(int item);
  bool BaudChange(int item);
  bool SendChannel(int channel, bool enable);
  // Waits until the line has been quiet for a few characters at the port's rate (bounded).
  void WaitLineQuiet();
  // After an unconfirmed "B": the rate the anemometer answers at (old, then new, confirmed
  // there), or 0 when neither answers.
  std::int32_t FindAnsweringRate(std::int32_t oldBaud, std::int32_t newBaud);
  bool AnswersAt(std::int32_t baud);
  void Notify() { changed_.Notify(); }

  Parts p_;
  ReplyLines replies_;
  ChangeNotifier changed_;
  bool shown_ = false;
  bool busy_ = false;
  bool channelsEnabled_ = true;
  QString focusAveraging_;
  QString baudReport_;
};

}  // namespace ventari
