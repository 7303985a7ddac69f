#include "link/qt_serial_port.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <utility>

#include "link/port_permission.h"
#include "link/serial_port.h"

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace ventari {
namespace {

QSerialPort::Parity ToQt(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return QSerialPort::OddParity;
    case Parity::kEven:
      return QSerialPort::EvenParity;
    case Parity::kMark:
      return QSerialPort::MarkParity;
    case Parity::kSpace:
      return QSerialPort::SpaceParity;
    case Parity::kNone:
      break;
  }
  return QSerialPort::NoParity;
}

QSerialPort::DataBits ToQtBits(int bits) {
  switch (bits) {
    case 5:
      return QSerialPort::Data5;
    case 6:
      return QSerialPort::Data6;
    case 7:
      return QSerialPort::Data7;
    default:
      return QSerialPort::Data8;
  }
}

PortError Failure(PortError::Kind kind, const QString& what, const QSerialPort& port) {
  return PortError(kind, (what + QStringLiteral(": ") + port.errorString()).toStdString());
}

QString PortNameOf(const QSerialPortInfo& info) {
#ifdef Q_OS_WIN
  return info.portName();
#else
  return info.systemLocation();
#endif
}

QString AdapterOfInfo(const QSerialPortInfo& info) {
  if (!info.hasVendorIdentifier() || !info.hasProductIdentifier() ||
      info.serialNumber().isEmpty()) {
    return {};
  }
  return QStringLiteral("%1:%2:%3")
      .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
      .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
      .arg(info.serialNumber());
}

}  // namespace

QtSerialPort::QtSerialPort() {
  handOff_.setSingleShot(true);
  handOff_.callOnTimeout([this] { HandOff(); });
}

QtSerialPort::~QtSerialPort() { Close(); }

QString QtSerialPort::DeviceFor(const QString& name) {
  const int number = SerialPort::ComNumberOf(name);
#ifdef Q_OS_WIN
  if (number != 0) return SerialPort::ComName(number);
#else
  if (number != 0) return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
  return name;
}

SerialBackendFactory QtSerialPort::Factory() {
  return [](const QString&) { return std::make_unique<QtSerialPort>(); };
}

QStringList QtSerialPort::AvailablePortNames() {
  QStringList names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << PortNameOf(info);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int na = SerialPort::ComNumberOf(a), nb = SerialPort::ComNumberOf(b);
    if (na != 0 && nb != 0) return na < nb;
    return a < b;
  });
  names.removeDuplicates();
  return names;
}

QString QtSerialPort::AdapterOf(const QString& name) {
  const QString device = DeviceFor(name);
  // A link such as those under /dev/serial/by-id stands for the port it points at.
  const QString target = QFileInfo(device).canonicalFilePath();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString location = info.systemLocation();
    if (location == device || info.portName() == device ||
        (!target.isEmpty() && location == target)) {
      return AdapterOfInfo(info);
    }
  }
  return {};
}

QString QtSerialPort::PortOfAdapter(const QString& adapter) {
  if (adapter.isEmpty()) return {};
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (AdapterOfInfo(info) == adapter) return PortNameOf(info);
  }
  return {};
}

bool QtSerialPort::IsPseudoTerminal() const {
  if (!port_) return false;
  const QString name = port_->portName();
  // A symbolic link to one (as ventari-sim --link keeps) is one too.
  return name.startsWith(QStringLiteral("pts/")) ||
         QFileInfo(name).canonicalFilePath().startsWith(QStringLiteral("/dev/pts/"));
}

void QtSerialPort::Open(const QString& name, const LineSettings& line, Sink& sink) {
  auto port = std::make_unique<QSerialPort>();
  const QString device = DeviceFor(name);
  port->setPortName(device);
  port->setFlowControl(QSerialPort::NoFlowControl);
  if (!port->open(QIODevice::ReadWrite)) {
    const PortPermission permission = PermissionOf(device);
    const QString message = OpenFailureMessage(name, RefusalOf(port->error(), permission),
                                               permission.group, port->errorString());
    throw PortError(PortError::Kind::kOpenFailed, message.toStdString());
  }
  port->setReadBufferSize(0);
  port_ = std::move(port);
  sink_ = &sink;
  try {
    ApplyLine(line);
  } catch (const PortError&) {
    Close();
    throw;
  }
  QObject::connect(port_.get(), &QSerialPort::readyRead, port_.get(), [this] { BytesArrived(); });
  // QSerialPort hears the device through a notifier of its own on POSIX systems; paused between
  // hand-offs while bytes flow. Where there is none, every arrival wakes the port as before.
  for (QSocketNotifier* notifier : port_->findChildren<QSocketNotifier*>()) {
    if (notifier->type() == QSocketNotifier::Read) readNotifier_ = notifier;
  }
  // Qt 6 on Linux reports a pseudo-terminal closed under the port as ReadError (and, after a
  // write, ResourceError), again and again on an open port, never as end of file or a close.
  QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                   [this](QSerialPort::SerialPortError error) {
                     if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError) {
                       Lose();
                     }
                   });
}

void QtSerialPort::Lose() {
  Sink* sink = std::exchange(sink_, nullptr);
  if (sink == nullptr) return;
  const QString why = port_->errorString();
  // Closed at once, as Qt would go on reporting the error while the port is open; deleted
  // later, as this may run inside one of its signals.
  QSerialPort* port = port_.release();
  port->disconnect();
  port->close();
  port->deleteLater();
  sink->DeviceLost(why);
}

void QtSerialPort::Close() {
  handOff_.stop();
  if (!port_) return;
  port_->disconnect();
  port_->close();
  port_.reset();
  sink_ = nullptr;
}

void QtSerialPort::ApplyLine(const LineSettings& line) {
  if (!port_) return;
  const qint32 oldBaud = port_->baudRate();
  const QSerialPort::DataBits oldBits = port_->dataBits();
  const QSerialPort::Parity oldParity = port_->parity();
  const QSerialPort::StopBits oldStop = port_->stopBits();
  if (!port_->setBaudRate(line.baud)) {
    throw Failure(PortError::Kind::kLineRefused,
                  QStringLiteral("Baud rate %1 refused").arg(line.baud), *port_);
  }
  // A pseudo-terminal carries 8 bits without parity whatever is asked; nothing to refuse.
  const bool pty = IsPseudoTerminal();
  const bool bitsOk = port_->setDataBits(ToQtBits(line.dataBits)) || pty;
  const bool parityOk = port_->setParity(ToQt(line.parity)) || pty;
  const bool stopOk =
      port_->setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  if (!bitsOk || !parityOk || !stopOk) {
    // Every setting back, those the driver took as well as the rate.
    port_->setBaudRate(oldBaud);
    port_->setDataBits(oldBits);
    port_->setParity(oldParity);
    port_->setStopBits(oldStop);
    throw Failure(PortError::Kind::kLineRefused, QStringLiteral("Line settings refused"), *port_);
  }
  port_->clearError();
}

void QtSerialPort::ApplyFlow(const FlowControl& flow) {
  if (!port_) return;
  if (flow.dtrDsr) {
    throw PortError(PortError::Kind::kLineRefused, "DTR/DSR flow control is not supported");
  }
#ifdef Q_OS_UNIX
  // termios sets each direction and the two characters, which QSerialPort cannot.
  const int fd = static_cast<int>(port_->handle());
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) {
    throw PortError(PortError::Kind::kLineRefused, "Flow control refused");
  }
  settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  if (flow.rtsCts) settings.c_cflag |= CRTSCTS;
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
  if (flow.softwareTransmit) settings.c_iflag |= IXON;
  if (flow.softwareReceive) settings.c_iflag |= IXOFF;
  settings.c_cc[VSTART] = static_cast<cc_t>(flow.xonChar);
  settings.c_cc[VSTOP] = static_cast<cc_t>(flow.xoffChar);
  if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
    throw PortError(PortError::Kind::kLineRefused, "Flow control refused");
  }
#else
  const bool software = flow.softwareTransmit || flow.softwareReceive;
  if ((software && flow.rtsCts) || flow.softwareTransmit != flow.softwareReceive ||
      flow.xonChar != 17 || flow.xoffChar != 19) {
    throw PortError(PortError::Kind::kLineRefused, "This flow control is not supported");
  }
  const auto mode = flow.rtsCts ? QSerialPort::HardwareControl
                    : software  ? QSerialPort::SoftwareControl
                                : QSerialPort::NoFlowControl;
  if (!port_->setFlowControl(mode)) {
    throw Failure(PortError::Kind::kLineRefused, QStringLiteral("Flow control refused"), *port_);
  }
#endif
}

void QtSerialPort::SetDtr(bool on) {
  // Pseudo-terminals and some adapters have no control lines; that is not a failure.
  if (port_ && !port_->setDataTerminalReady(on)) port_->clearError();
}

void QtSerialPort::SetRts(bool on) {
  if (port_ && !port_->setRequestToSend(on)) port_->clearError();
}

void QtSerialPort::Write(const std::uint8_t* data, std::size_t size) {
  // A port whose device went away takes no more bytes; its owner closes it.
  if (!port_) return;
  // What comes next may be the answer: handed on as it comes.
  handOff_.stop();
  lastHandOff_.invalidate();
  Listen(true);
  if (port_->write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) < 0) {
    if (port_->error() == QSerialPort::ResourceError) return Lose();
    throw Failure(PortError::Kind::kIo, QStringLiteral("Write failed"), *port_);
  }
}

void QtSerialPort::FlushOut() {
  if (port_) port_->clear(QSerialPort::Output);
}

void QtSerialPort::FlushIn() {
  if (!port_) return;
  port_->clear(QSerialPort::Input);
  port_->readAll();
  // Reading has QSerialPort listen to the device again; while a hand-off is due, it looks then.
  Listen(!handOff_.isActive());
}

void QtSerialPort::Poll() {
  if (port_) port_->waitForReadyRead(0);
  ReadAll();
}

bool QtSerialPort::Sending() const {
  if (!port_) return false;
  if (port_->bytesToWrite() > 0) return true;
#ifdef Q_OS_UNIX
  int queued = 0;
  return ::ioctl(static_cast<int>(port_->handle()), TIOCOUTQ, &queued) == 0 && queued > 0;
#else
  return false;
#endif
}

void QtSerialPort::BytesArrived() {
  if (handingOff_ || handOff_.isActive()) return;
  const qint64 since = lastHandOff_.isValid() ? lastHandOff_.elapsed() : kHandOffMs;
  if (since >= kHandOffMs) {
    HandOff();
  } else {
    Listen(false);
    handOff_.start(static_cast<int>(kHandOffMs - since));
  }
}

void QtSerialPort::HandOff() {
  handOff_.stop();
  if (!port_) return;
  // What the driver received meanwhile comes along.
  handingOff_ = true;
  port_->waitForReadyRead(0);
  handingOff_ = false;
  if (!port_) return;  // the device went away
  lastHandOff_.start();
  const bool handed = ReadAll();
  // While bytes flow the port looks again at the end of the interval instead of waking for each
  // few bytes; once a look finds none, the next byte is heard at once.
  Listen(!handed);
  if (handed) handOff_.start(kHandOffMs);
}

void QtSerialPort::Listen(bool on) {
  if (readNotifier_) readNotifier_->setEnabled(on);
}

bool QtSerialPort::ReadAll() {
  if (!port_ || !sink_) return false;
  const QByteArray bytes = port_->readAll();
  if (bytes.isEmpty()) return false;
  sink_->BytesReceived(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()));
  return true;
}

}  // namespace ventari
