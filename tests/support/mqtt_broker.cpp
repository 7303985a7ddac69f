#include "support/mqtt_broker.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "support/free_port.h"

namespace ventari::test {
namespace {

constexpr int kBoundMs = 5000;
const QString kHost = QStringLiteral("127.0.0.1");

bool Accepts(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

bool Write(const QString& path, const QByteArray& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

}  // namespace

MqttBroker::MqttBroker(BrokerAccess access) : access_(std::move(access)) {}

MqttBroker::~MqttBroker() { Stop(); }

bool MqttBroker::Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    problem_ = program + QStringLiteral(" failed: ") +
               QString::fromLocal8Bit(process.readAllStandardError());
    return false;
  }
  return true;
}

bool MqttBroker::Prepare() {
  if (prepared_) return true;
  port_ = FreeLoopbackPort();
  if (!dir_.isValid() || port_ == 0) {
    problem_ = QStringLiteral("no folder or no free port for the broker");
    return false;
  }
  QByteArray config = QStringLiteral("listener %1 %2\npersistence true\npersistence_location %3/\n")
                          .arg(port_)
                          .arg(kHost, dir_.path())
                          .toUtf8();
  // Run as root, the broker would become the user "mosquitto", who may not read this folder.
  if (::geteuid() == 0) config += "user root\n";
  if (access_.user.isEmpty()) {
    config += "allow_anonymous true\n";
  } else {
    const QString passwords = dir_.filePath(QStringLiteral("passwords"));
    if (!Write(passwords, {}) ||
        !Run(QStringLiteral("mosquitto_passwd"),
             {QStringLiteral("-b"), passwords, access_.user, access_.password})) {
      return false;
    }
    config += "allow_anonymous false\npassword_file " + passwords.toUtf8() + "\n";
  }
  if (access_.tls) {
    const QString key = dir_.filePath(QStringLiteral("key.pem"));
    if (!Run(QStringLiteral("openssl"),
             {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
              QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"), key,
              QStringLiteral("-out"), CaFile(), QStringLiteral("-days"), QStringLiteral("2"),
              QStringLiteral("-subj"), QStringLiteral("/CN=localhost"), QStringLiteral("-addext"),
              QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1")})) {
      return false;
    }
    config += "certfile " + CaFile().toUtf8() + "\nkeyfile " + key.toUtf8() + "\n";
  }
  const QString configFile = dir_.filePath(QStringLiteral("mosquitto.conf"));
  if (!Write(configFile, config)) {
    problem_ = QStringLiteral("the broker's configuration could not be written");
    return false;
  }
  prepared_ = true;
  return true;
}

bool MqttBroker::Start() {
  if (!Prepare()) return false;
  broker_.setProcessChannelMode(QProcess::MergedChannels);
  broker_.start(QStringLiteral("/usr/sbin/mosquitto"),
                {QStringLiteral("-c"), dir_.filePath(QStringLiteral("mosquitto.conf"))});
  if (!broker_.waitForStarted(kBoundMs)) {
    problem_ = QStringLiteral("/usr/sbin/mosquitto did not start");
    return false;
  }
  QElapsedTimer waited;
  waited.start();
  while (!Accepts(port_)) {
    if (waited.elapsed() > kBoundMs || broker_.state() == QProcess::NotRunning) {
      problem_ = QStringLiteral("the broker took no connection: ") +
                 QString::fromLocal8Bit(broker_.readAll());
      return false;
    }
    QThread::msleep(20);
  }
  return true;
}

void MqttBroker::Stop() {
  if (broker_.state() == QProcess::NotRunning) return;
  broker_.terminate();
  if (!broker_.waitForFinished(kBoundMs)) {
    broker_.kill();
    broker_.waitForFinished(kBoundMs);
  }
}

QString MqttBroker::Url() const {
  return access_.tls ? QStringLiteral("mqtts://localhost:%1").arg(port_)
                     : QStringLiteral("mqtt://%1:%2").arg(kHost).arg(port_);
}

QString MqttBroker::PasswordFile(const QString& password) const {
  const QString file = dir_.filePath(QStringLiteral("password-") + password);
  Write(file, password.toUtf8() + '\n');
  return file;
}

QStringList MqttBroker::ClientOptions() const {
  QStringList options{QStringLiteral("-h"), access_.tls ? QStringLiteral("localhost") : kHost,
                      QStringLiteral("-p"), QString::number(port_)};
  if (access_.tls) options << QStringLiteral("--cafile") << CaFile();
  if (!access_.user.isEmpty()) {
    options << QStringLiteral("-u") << access_.user << QStringLiteral("-P") << access_.password;
  }
  return options;
}

MqttSubscriber::MqttSubscriber(const MqttBroker& broker, const QString& prefix)
    : broker_(broker), prefix_(prefix) {}

MqttSubscriber::~MqttSubscriber() {
  process_.terminate();
  if (!process_.waitForFinished(kBoundMs)) process_.kill();
  process_.waitForFinished(kBoundMs);
}

bool MqttSubscriber::Started() {
  process_.start(
      QStringLiteral("mosquitto_sub"),
      broker_.ClientOptions() +
          QStringList{QStringLiteral("-t"), prefix_ + QStringLiteral("/#"), QStringLiteral("-q"),
                      QStringLiteral("1"), QStringLiteral("-v"), QStringLiteral("-c"),
                      QStringLiteral("-i"), QStringLiteral("test-subscriber")});
  if (!process_.waitForStarted(kBoundMs)) return false;
  const QString ready = prefix_ + QStringLiteral("/ready");
  QProcess publish;
  publish.start(
      QStringLiteral("mosquitto_pub"),
      broker_.ClientOptions() + QStringList{QStringLiteral("-t"), ready, QStringLiteral("-m"),
                                            QStringLiteral("yes"), QStringLiteral("-r"),
                                            QStringLiteral("-q"), QStringLiteral("1")});
  if (!publish.waitForFinished(kBoundMs) || publish.exitCode() != 0) return false;
  const QStringList& lines = Lines(1, kBoundMs);
  return lines.contains(ready + QStringLiteral(" yes"));
}

const QStringList& MqttSubscriber::Lines(int count, int ms) {
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    partial_ += process_.readAllStandardOutput();
    qsizetype end = 0;
    while ((end = partial_.indexOf('\n')) >= 0) {
      lines_ << QString::fromUtf8(partial_.left(end));
      partial_.remove(0, end + 1);
    }
    if (lines_.size() >= count || waited.elapsed() >= ms) return lines_;
    process_.waitForReadyRead(100);
  }
}

const QStringList& MqttSubscriber::LinesUntil(const QString& end, int ms) {
  QElapsedTimer waited;
  waited.start();
  const auto ended = [&] { return !lines_.isEmpty() && lines_.last().endsWith(end); };
  while (!ended() && waited.elapsed() < ms) Lines(static_cast<int>(lines_.size()) + 1, 100);
  return lines_;
}

}  // namespace ventari::test
