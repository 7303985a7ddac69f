// Finding the anemometer: the baud-rate search, the identification of either family, and
// File > Resynchronise.
#pragma once

#include <cstdint>
#include <functional>
#include <iterator>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "base/live_windows.h"
#include "base/main_window_model.h"
#include "base/prompts.h"
#include "link/command_channel.h"
#include "link/line_status_view.h"
#include "twoaxisconfig/dialog_layout.h"

namespace ventari {

class SerialPort;
class TApdDataPacket;
class TriAxisListing;
struct SystemMatchers;
struct TriAxisConfig;
struct TwoAxisConfig;

class Discovery {
 public:
  // The rates tried after the stored one, in order; the seventh (2400) is the reporting try.
  static constexpr std::int32_t kSearchRates[] = {9600, 19200, 38400, 57600, 115200,
                                                  4800, 2400,  1200,  300};
  static constexpr int kReportingTry = 6;
  // The stored rate, then each of the list.
  static constexpr int kSearchTries = 1 + static_cast<int>(std::size(kSearchRates));

  struct Parts {
    CommandChannel& channel;
    SerialPort& port;
    AnemState& state;
    MainWindowModel& window;
    SystemMatchers& matchers;
    Prompts& prompts;
    TwoAxisDialogLayout& layout;
    LiveWindows& windows;
    TriAxisListing& listing;
    TriAxisConfig& triAxisConfig;
    TwoAxisConfig& twoAxisConfig;
    // Told while the search changes the rate.
    LineStatusView& lineStatus;
  };

  explicit Discovery(const Parts& parts);

  // The rate tried first: the stored Baudrate.
  void SetStartBaud(std::int32_t baud) { startBaud_ = baud; }
  std::int32_t StartBaud() const { return startBaud_; }

  // The main window became active: search and identify when a search is requested.
  void OnActivate();
  // Whether the last search that ran to its end found an anemometer: a search cut short by a
  // lost port leaves what the one before found.
  bool Found() const { return found_; }
  // Whether a search has run to its end since the run began.
  bool Searched() const { return searched_; }
  // The try of the baud-rate search under way, 1 to kSearchTries, at the port's rate; 0 outside
  // the baud-rate search.
  int SearchTry() const { return searchTry_; }
  // The anemometer answered the search and is being identified.
  bool Identifying() const { return identifying_; }
  // Told when SearchTry(), Identifying(), Found() or Searched() changes.
  ChangeNotifier& Progress() { return progress_; }
  // File > Resynchronise: stops a requested search, or requests one; then OnActivate().
  void Resynchronise();
  // Whether the next activation searches (true at start). A search under way stops after its
  // current try once the request is withdrawn.
  bool SearchRequested() const { return searchRequested_; }
  // `tellFailure`: the user is told when no anemometer answers (a search repeated every few
  // seconds tells once, at its first time).
  void RequestSearch(bool tellFailure = true) {
    searchRequested_ = true;
    tellFailure_ = tellFailure;
  }
  void WithdrawSearch() { searchRequested_ = false; }

  // Reads a two-axis anemometer's identification and configuration again (D1, D2, D3) at the
  // settings the port has now.
  void ReadTwoAxisConfiguration();

  // File > Resynchronise chosen: told first (it ends the wait for a vanished port).
  ChangeNotifier& Resynchronising() { return resynchronising_; }

 private:
  void SearchAndIdentify();
  // The search request is done: the File, Mode and Configuration menus take input again.
  void EndSearch();
  // The main window takes input again, without the searching label and the busy cursor.
  void Unlock();
  void ResetToTwoAxisLayout();
  void SetProgress(int searchTry, bool identifying);
  void BaudRateSearch();
  // No anemometer answered at any rate: the searching label goes and the user is told.
  void ReportDetectionFailed();
  void IdentifyTwoAxis();
  void IdentifyTriAxis();
  // Asks `command` until one of the matchers' received flags is set or the 8 s time-out
  // reports message `missingMessage`.
  void AskUntilReplied(const char* command, TApdDataPacket& armed, TApdDataPacket& reply,
                       TApdDataPacket* alternative, bool arm, int missingMessage);

  Parts p_;
  std::int32_t startBaud_ = 9600;
  bool running_ = false;
  bool found_ = false;
  bool searched_ = false;
  int searchTry_ = 0;
  bool identifying_ = false;
  bool searchRequested_ = true;
  bool tellFailure_ = true;
  ChangeNotifier resynchronising_;
  ChangeNotifier progress_;
};

}  // namespace ventari
