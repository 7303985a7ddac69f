// The EEPROM of a simulated two-axis anemometer and the configuration-mode commands that reach
// it: the Kestrix II's 512 cells written and read in decimal after the access word, the
// Larkvane's 946 cells written and read in hex after "VESPRANT" and dumped in blocks by D 92 and
// D 93, and the Kestrix II's debug selection cells that turn its data output into diagnostic
// lines; the Larkvane also changes its own cells by itself. Faults: reads and dumps that go
// unanswered, cells that lose writes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace ventari::sim {

// What the Kestrix II streams in place of its data messages while its debug output is on.
enum class DebugOutput { kOff, kStatus, kGain, kDownCounts, kPreload, kCoarseDifference };

class TwoAxisEeprom {
 public:
  static constexpr int kKestrixCells = 512;
  static constexpr int kLarkvaneCells = 946;
  static constexpr int kLosesEveryWrite = -1;

  // The Larkvane dialect (hex, dumps) or the Kestrix II's (decimal, debug output).
  explicit TwoAxisEeprom(bool larkvane);

  bool Larkvane() const { return larkvane_; }
  int Size() const { return static_cast<int>(cells_.size()); }
  std::span<const std::uint8_t> Cells() const { return cells_; }
  std::uint8_t Cell(int address) const { return cells_.at(static_cast<std::size_t>(address)); }
  void SetCell(int address, std::uint8_t value) {
    cells_.at(static_cast<std::size_t>(address)) = value;
  }
  // Writes the device took, counted per cell (lost writes are not counted).
  int WritesTo(int address) const;

  // Whether the access word has been heard since configuration mode was entered.
  bool Unlocked() const { return unlocked_; }
  // Leaving configuration mode locks the cells again.
  void Lock() { unlocked_ = false; }

  // Faults: reads and dumps go unanswered (the command is still echoed); the next `count`
  // writes to a cell are lost (kLosesEveryWrite: all of them).
  void SetSilent(bool silent) { silent_ = silent; }
  void LoseWrites(int address, int count = kLosesEveryWrite) { losses_[address] = count; }
  // Diagnostic lines show a blocked path and values out of their ranges.
  void SetDiagnosticsFault(bool fault) { diagnosticsFault_ = fault; }

  // A Larkvane command that its EEPROM monitor answers: its carriage return is echoed alone and
  // the answer starts on a new line.
  bool IsMonitorCommand(const std::string& line) const;
  // A configuration-mode command line as typed (no line end). nullopt: not one of the EEPROM's
  // commands; otherwise the reply text (possibly empty).
  std::optional<std::string> Command(const std::string& line);

  // The text of "D 92" (block 2) or "D 93" (block 3): each block starts with its base address
  // in four hex digits and a line end, holds rows of "XX," and ends with an empty line.
  std::string Dump(int which) const;

  // The Kestrix II's debug selection (cells 64-68 and 74).
  DebugOutput Debug() const;
  // One diagnostic line: "\n" and 29 characters for status, 14 for the others.
  std::string DiagnosticLine(DebugOutput kind, std::mt19937& random) const;

 private:
  // The Larkvane keeps cells 2 to 5 and 0x43 to 0x45 itself: between two "D 92" dumps each has
  // moved on by one.
  void CountInOwnCells();
  std::string Write(const std::string& address, const std::string& value);
  std::string Read(const std::string& address) const;
  std::optional<int> Number(const std::string& text) const;

  bool larkvane_;
  std::vector<std::uint8_t> cells_;
  std::vector<int> writes_;
  std::map<int, int> losses_;
  bool unlocked_ = false;
  bool silent_ = false;
  bool diagnosticsFault_ = false;
};

}  // namespace ventari::sim
