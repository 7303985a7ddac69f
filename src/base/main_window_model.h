// The main window's state apart from its menu: the two red labels, whether it takes input, and
// the application's busy cursor.
#pragma once

#include "base/main_menu.h"

namespace ventari {

struct MainWindowModel {
  MainMenu menu;
  bool searchingLabelVisible = false;  // "Please wait, searching..."
  bool busyLabelVisible = false;       // "Please wait, busy..."
  bool enabled = true;
  bool busyCursor = false;
};

}  // namespace ventari
