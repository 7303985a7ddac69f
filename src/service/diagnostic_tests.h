// The five software diagnostics of a Kestrix II: how the page names and explains each one, the
// debug selection its EEPROM cells take, the question that confirms it and the matcher that
// frames its lines.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "link/system_matchers.h"

namespace ventari {

enum class DiagnosticTest { kStatus, kGain, kDowncounts, kPreload, kCoarseDifference };
inline constexpr int kDiagnosticTestCount = 5;

struct DiagnosticTestInfo {
  const char* item;  // the radio item, unconfirmed: "&1   Status"
  const char* name;  // the command line's name: "status"
  // What the lines must look like, after the memo's first line; empty entries are not lines.
  std::array<const char*, 3> format;
  // Written raw after "W 64 9\r\n", in this order.
  std::array<const char*, 5> cells;
  const char* question;  // asked on stopping, caption "Software Diagnostics"
  TApdDataPacket SystemMatchers::*matcher;
};

const DiagnosticTestInfo& InfoOf(DiagnosticTest test);
// The test with this command-line name.
std::optional<DiagnosticTest> DiagnosticTestNamed(const QString& name);
// The memo of the page for the test: the first line, then the format lines.
QStringList DiagnosticMemo(DiagnosticTest test);

// The access word that lets the debug selection cells be written; the cell written before every
// test's own, and the cells that switch the debug output off.
inline constexpr char kDebugAccessWord[] = "\r\nMAVROTIK\r\n";
inline constexpr char kDebugAllCell[] = "W 64 9\r\n";
inline constexpr std::array<const char*, 6> kDebugOffCells = {
    "W 64 255\r\n", "W 65 1\r\n", "W 66 0\r\n", "W 67 0\r\n", "W 68 0\r\n", "W 74 0\r\n"};

inline constexpr char kDiagnosticsCaption[] = "Software Diagnostics";

}  // namespace ventari
