#include "sim/pty_port.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace ventari::sim {
namespace {

struct Speed {
  speed_t code;
  std::int32_t baud;
};

constexpr Speed kSpeeds[] = {
    {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
    {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
    {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
    {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800},
};

std::int32_t BaudOf(speed_t code) {
  for (const Speed& speed : kSpeeds) {
    if (speed.code == code) return speed.baud;
  }
  return 0;
}

std::runtime_error Failure(const char* what) {
  return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PtyPort::PtyPort(Runtime& runtime, LineModel& line) : runtime_(runtime), line_(line) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master_ < 0) throw Failure("posix_openpt");
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    CloseMaster();
    throw Failure("grantpt/unlockpt");
  }
  // Raw bytes both ways, whatever the other side does before it sets its own line up.
  termios settings{};
  tcgetattr(master_, &settings);
  cfmakeraw(&settings);
  tcsetattr(master_, TCSANOW, &settings);
  path_ = QString::fromLocal8Bit(ptsname(master_));
  // Until the slave side has been opened once, the master cannot tell whether anyone listens:
  // open and close it, so that "hung up" means "no client" from now on.
  const int probe = ::open(ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (probe >= 0) ::close(probe);

  readable_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
  readable_->setEnabled(false);
  QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] { ReadAll(); });
  line_.Connect(this);
  WatchPresence();
}

PtyPort::~PtyPort() {
  line_.Connect(nullptr);
  runtime_.Cancel(presenceEvent_);
  CloseMaster();
}

void PtyPort::CloseMaster() {
  readable_.reset();
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

bool PtyPort::ClientPresent() const {
  if (master_ < 0) return false;
  pollfd state{master_, POLLIN, 0};
  return ::poll(&state, 1, 0) >= 0 && (state.revents & POLLHUP) == 0;
}

void PtyPort::WatchPresence() {
  const bool present = ClientPresent();
  if (present && !clientWasPresent_) {
    // Nothing left over from an earlier client reaches the new one.
    tcflush(master_, TCIOFLUSH);
  }
  clientWasPresent_ = present;
  // A hung-up master is always readable; listen only while a client is there.
  if (readable_) readable_->setEnabled(present);
  if (master_ >= 0) {
    presenceEvent_ = runtime_.Schedule(kPresencePollMs, [this] { WatchPresence(); });
  }
}

LineSettings PtyPort::PortLine() {
  LineSettings line;
  termios settings{};
  if (master_ < 0 || tcgetattr(master_, &settings) != 0) return line;
  line.baud = BaudOf(cfgetospeed(&settings));
  switch (settings.c_cflag & CSIZE) {
    case CS5:
      line.dataBits = 5;
      break;
    case CS6:
      line.dataBits = 6;
      break;
    case CS7:
      line.dataBits = 7;
      break;
    default:
      line.dataBits = 8;
      break;
  }
  if ((settings.c_cflag & PARENB) != 0) {
    const bool odd = (settings.c_cflag & PARODD) != 0;
    if ((settings.c_cflag & CMSPAR) != 0) {
      line.parity = odd ? Parity::kMark : Parity::kSpace;
    } else {
      line.parity = odd ? Parity::kOdd : Parity::kEven;
    }
  }
  line.stopBits = (settings.c_cflag & CSTOPB) != 0 ? 2 : 1;
  return line;
}

void PtyPort::ReadAll() {
  std::uint8_t buffer[512];
  for (;;) {
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count <= 0) break;
    // Read the line settings after the bytes: the other side set them before it wrote.
    line_.SendFromPort(buffer, static_cast<std::size_t>(count), PortLine());
  }
  if (!ClientPresent() && readable_) readable_->setEnabled(false);
}

void PtyPort::Arrive(const std::uint8_t* data, std::size_t size) {
  if (!ClientPresent()) return;
  // A client that does not read loses what does not fit, as with a real line.
  const ssize_t written = ::write(master_, data, size);
  (void)written;
}

void PtyPort::Lost(const QString& why) {
  runtime_.Cancel(presenceEvent_);
  presenceEvent_ = 0;
  CloseMaster();
  if (lostHandler_) lostHandler_(why);
}

}  // namespace ventari::sim
