// The layout of ventari-cli's help: texts broken into lines that fit a terminal.
#pragma once

#include <QString>

namespace ventari {

// `lead` and then `text` broken between words into lines of at most 79 characters, the lines
// after the first indented as far as `lead` reaches; ended with a line end.
QString Wrapped(const QString& lead, const QString& text);

}  // namespace ventari
