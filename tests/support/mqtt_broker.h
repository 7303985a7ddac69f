// A Mosquitto broker of the test's own, on a free loopback port, with a configuration the test
// writes: anonymous, or with a password file (made by mosquitto_passwd), and optionally TLS with a
// certificate for "localhost" made by openssl. Its sessions persist in its folder, so a broker
// stopped and started again still has what it queued for a subscriber. And a subscriber, run as
// mosquitto_sub, that prints each message as "topic payload".
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>

namespace ventari::test {

struct BrokerAccess {
  QString user;  // empty: anonymous
  QString password;
  bool tls = false;
};

class MqttBroker {
 public:
  explicit MqttBroker(BrokerAccess access = {});
  ~MqttBroker();

  // Starts the broker and waits (up to 5 s) until it takes connections.
  bool Start();
  // Stops it, letting it save its sessions.
  void Stop();

  std::uint16_t port() const { return port_; }
  // mqtt://127.0.0.1:port, or mqtts://localhost:port with TLS.
  QString Url() const;
  // The certificate the broker's is checked with (TLS only).
  QString CaFile() const { return dir_.filePath(QStringLiteral("ca.pem")); }
  // A file holding `password`, for --mqtt-password-file.
  QString PasswordFile(const QString& password) const;
  // The options mosquitto_sub and mosquitto_pub need to reach this broker.
  QStringList ClientOptions() const;
  // What went wrong while preparing or starting the broker.
  const QString& problem() const { return problem_; }

 private:
  bool Prepare();
  bool Run(const QString& program, const QStringList& arguments);

  BrokerAccess access_;
  QTemporaryDir dir_;
  std::uint16_t port_ = 0;
  QProcess broker_;
  QString problem_;
  bool prepared_ = false;
};

// A persistent mosquitto_sub on everything under `prefix` at QoS 1, collecting what arrives.
class MqttSubscriber {
 public:
  MqttSubscriber(const MqttBroker& broker, const QString& prefix);
  ~MqttSubscriber();
  // Publishes the retained "<prefix>/ready" and waits up to 5 s for it to come back: the
  // subscription is made.
  bool Started();
  // Reads what arrived, waiting up to `ms` for at least `count` lines in all.
  const QStringList& Lines(int count, int ms);
  // Reads what arrived, waiting up to `ms` until the last line read ends with `end` (the
  // publisher's last word, "/status offline").
  const QStringList& LinesUntil(const QString& end, int ms);

 private:
  const MqttBroker& broker_;
  QString prefix_;
  QProcess process_;
  QStringList lines_;
  QByteArray partial_;
};

}  // namespace ventari::test
