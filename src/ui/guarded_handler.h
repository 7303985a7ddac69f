// Runs a window's event handler so that no exception leaves it for Qt's event loop: the error
// is shown in the standard error box and the application goes on.
#pragma once

#include <functional>

class QWidget;

namespace ventari {

// A UserError is shown with its message; anything else as "Unexpected error", with the detail
// in the log.
void RunGuarded(QWidget* parent, const std::function<void()>& handler);

}  // namespace ventari
