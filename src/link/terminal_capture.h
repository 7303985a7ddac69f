// The terminal's raw capture: every received byte written to a file exactly as received, each
// chunk reaching the system as it arrives.
#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>

namespace ventari {

class TerminalCapture {
 public:
  // Creates the file, or empties an existing one; false when it cannot (capture stays off).
  bool Start(const QString& path);
  // False when the bytes could not all be written; the file is then closed and capture is off.
  bool Write(std::span<const std::uint8_t> bytes);
  // Closes the file.
  void Stop();

  bool IsOn() const { return file_ != nullptr; }
  // The last file capture was started on.
  const QString& FileName() const { return fileName_; }

 private:
  std::unique_ptr<QFile> file_;
  QString fileName_ = QStringLiteral("APROTERM.CAP");
};

}  // namespace ventari
