#include "link/terminal_capture.h"

namespace ventari {

bool TerminalCapture::Start(const QString& path) {
  Stop();
  fileName_ = path;
  auto file = std::make_unique<QFile>(path);
  // Unbuffered: what write() reports written is with the system, so a crash loses nothing.
  if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
    return false;
  }
  file_ = std::move(file);
  return true;
}

bool TerminalCapture::Write(std::span<const std::uint8_t> bytes) {
  if (!file_) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (file_->write(reinterpret_cast<const char*>(bytes.data()), size) == size) return true;
  Stop();
  return false;
}

void TerminalCapture::Stop() {
  if (!file_) return;
  file_->close();
  file_.reset();
}

}  // namespace ventari
