// ventari-cli capture: the port's raw traffic written to a file exactly as the terminal window's
// capture writes it, with texts typed into the line as the terminal sends them.
#pragma once

#include <QStringList>

namespace ventari {

// Exit status: 0 captured, 2 usage, port or file error, 3 writing failed during the capture.
int CaptureCommand(const QStringList& arguments);

}  // namespace ventari
