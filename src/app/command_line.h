// Command-line options shared by the executables.
#pragma once

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;

namespace ventari {

// "--settings FILE": use that INI file instead of the user's settings store, whose place the
// option's help names.
QCommandLineOption SettingsOption();
// Adds SettingsOption() to `parser`.
void AddSettingsOption(QCommandLineParser& parser);
// The file given with --settings, or an empty text for the user's store.
QString SettingsFileOption(const QCommandLineParser& parser);

}  // namespace ventari
