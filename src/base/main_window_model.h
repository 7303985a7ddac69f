// The main window's state: its menu, the two red labels, the notices of a port that vanished
// and of records that stopped, whether it takes input, and the application's busy cursor. Every
// change is announced through the menu's notifier, so the window has one thing to listen to.
#pragma once

#include <QString>

#include "base/main_menu.h"

namespace ventari {

class MainWindowModel {
 public:
  MainMenu menu;

  ChangeNotifier& Changed() { return menu.Changed(); }

  // "Please wait, searching..."
  bool SearchingLabelVisible() const { return searchingLabelVisible_; }
  void SetSearchingLabelVisible(bool visible) { Set(searchingLabelVisible_, visible); }
  // "Please wait, busy..."
  bool BusyLabelVisible() const { return busyLabelVisible_; }
  void SetBusyLabelVisible(bool visible) { Set(busyLabelVisible_, visible); }
  // A port that vanished: "COM5 lost - waiting for it to return", then where it was found
  // again; empty when there is nothing to tell. Shown in red like the two labels.
  const QString& PortNotice() const { return portNotice_; }
  void SetPortNotice(const QString& text) {
    if (portNotice_ == text) return;
    portNotice_ = text;
    Changed().Notify();
  }
  // Records that stopped: "No data from T7 for 12 s"; empty while they flow. Shown in red below
  // the port's notice.
  const QString& DataNotice() const { return dataNotice_; }
  void SetDataNotice(const QString& text) {
    if (dataNotice_ == text) return;
    dataNotice_ = text;
    Changed().Notify();
  }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Set(enabled_, enabled); }
  bool BusyCursor() const { return busyCursor_; }
  void SetBusyCursor(bool busy) { Set(busyCursor_, busy); }
  // The run is to end as closing the main window ends it (the Larkvane report does this).
  bool CloseRequested() const { return closeRequested_; }
  void RequestClose() { Set(closeRequested_, true); }

 private:
  void Set(bool& field, bool value) {
    if (field == value) return;
    field = value;
    Changed().Notify();
  }

  bool searchingLabelVisible_ = false;
  bool busyLabelVisible_ = false;
  QString portNotice_;
  QString dataNotice_;
  bool enabled_ = true;
  bool busyCursor_ = false;
  bool closeRequested_ = false;
};

}  // namespace ventari
