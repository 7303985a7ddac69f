// A pseudo-terminal, the way ventari-sim offers its instruments: the tests open its path as a
// port and play the device on its master side.
#pragma once

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <cstdlib>

namespace ventari::test {

class PseudoTerminal {
 public:
  PseudoTerminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      path_ = QString::fromLocal8Bit(::ptsname(master_));
    }
  }
  ~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const QString& Path() const { return path_; }
  termios Settings() const {
    termios settings{};
    ::tcgetattr(master_, &settings);
    return settings;
  }
  // Sends `bytes` as the device; true when all went.
  bool Send(const QByteArray& bytes) const {
    return ::write(master_, bytes.constData(), static_cast<std::size_t>(bytes.size())) ==
           bytes.size();
  }

 private:
  int master_;
  QString path_;
};

}  // namespace ventari::test
