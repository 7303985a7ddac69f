// ventari-cli stats: the wind statistics of logs this program wrote, one row per period on the
// clock (CSV with a header, or JSON lines), and optionally the wind rose over them all.
#pragma once

#include <QStringList>

namespace ventari {

struct CliInvocation;

// Done when every file was read (lines that are not records are counted on standard error),
// not done when a file was refused or missing, usage for an option out of range.
int StatsCommand(const CliInvocation& call);

// `files` in the order to read them: the segment files of one log ("run_60_0.log",
// "run_60_1.log", ...) in the order of their numbers, where the first of them stood.
QStringList InSegmentOrder(const QStringList& files);

}  // namespace ventari
