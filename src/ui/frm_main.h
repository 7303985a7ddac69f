// The main window: the menu that opens everything, the background picture, the two red
// "Please wait" labels and, below them, the red notice of a port that vanished and what to do
// when no anemometer answered; under the picture the status line, with what the publishing to a
// broker is doing. A view over the main window's model, the status line's and the publishing's,
// repainted when one of them changes.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

#include "base/main_menu.h"

class QAction;
class QLabel;
class QMenu;

namespace ventari {

class BrokerPublishing;
class ElidedLabel;
class MainWindowModel;
class StatusLineModel;
class ViewRefresh;

class TFrmMain : public QMainWindow {
  Q_OBJECT

 public:
  // What the window's own events start.
  struct Actions {
    std::function<void()> firstShow;  // load the settings and open the port
    std::function<void()> activated;  // search when a search is requested
    std::function<void()> closing;    // stop what runs and save the settings
  };

  TFrmMain(MainWindowModel& model, StatusLineModel& status, BrokerPublishing& publishing,
           Actions actions = {});

  // The command of a menu entry.
  void SetCommand(MenuId entry, std::function<void()> command);
  // Mirrors the model now (otherwise done when the model announces a change).
  void SyncFromModel();
  // Mirrors the status line's model now.
  void SyncStatus();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildMenu();
  void BuildStatusLine();
  void Activated();
  // Runs `handler` guarded, then mirrors the model.
  void Run(const std::function<void()>& handler);

  MainWindowModel& model_;
  StatusLineModel& status_;
  BrokerPublishing& publishing_;
  Actions actions_;
  std::array<QAction*, kMenuEntryCount> actions_by_id_{};
  std::array<QMenu*, kMenuEntryCount> menus_{};
  std::array<std::function<void()>, kMenuEntryCount> commands_;
  ViewRefresh* refresh_ = nullptr;
  QLabel* searching_ = nullptr;
  QLabel* busy_ = nullptr;
  QLabel* portNotice_ = nullptr;
  QLabel* dataNotice_ = nullptr;
  QLabel* nextSteps_ = nullptr;
  QLabel* connection_ = nullptr;
  QLabel* flow_ = nullptr;
  ElidedLabel* files_ = nullptr;
  ElidedLabel* publishingStatus_ = nullptr;
  bool shown_ = false;
  bool closing_ = false;
  bool closed_ = false;
  bool cursorBusy_ = false;
};

}  // namespace ventari
