// Publishes what a session reads from its anemometer to an MQTT broker, under
// `<prefix>/<model>-<serial>`: each record's JSON object (as `ventari-cli stream --json` prints
// it, with "time", the UTC time it was read in ISO 8601 with milliseconds) on `record`, three-axis
// PC-averaged lines on `averaged`, and on the retained `status` "online", "no data" while records
// have stopped, "port lost" while the port is away (the will "offline" is the publisher's).
// `info` (retained) is what identification found, with the line settings and this program's
// version. The samples go on to whatever observer was there before (the command line's printing)
// until the publishing finishes; then neither observes any more, so that the records printed are
// the records published.
#pragma once

#include <QJsonObject>
#include <QString>
#include <functional>

#include "base/change_notifier.h"
#include "publish/mqtt_publisher.h"
#include "publish/publish_request.h"

namespace ventari {

class Session;
struct TriAxisSample;
struct TwoAxisSample;

class SessionPublisher {
 public:
  // For the anemometer the session has identified; `password` is the password file's. Nothing
  // is sent before Start().
  SessionPublisher(Session& session, const PublishRequest& request, const QString& password);
  ~SessionPublisher();
  SessionPublisher(const SessionPublisher&) = delete;
  SessionPublisher& operator=(const SessionPublisher&) = delete;

  // "<prefix>/<model>-<serial>" for the anemometer the session found.
  static QString TopicBase(Session& session, const QString& prefix);

  // Connects, and reconnects for as long as the publishing lasts.
  void Start() { publisher_.Start(); }
  // Publishes `object` on "<base>/<level>", stamped with the UTC time it is sent.
  void Send(const QString& level, QJsonObject object);
  // Stops taking records, gives the broker up to `boundMs` for what is held and says "offline".
  void Finish(int boundMs);

  const QString& Base() const { return base_; }
  MqttPublisher& publisher() { return publisher_; }
  const MqttPublisher& publisher() const { return publisher_; }

 private:
  void FollowStatus();
  void Unhook();

  Session& session_;
  QString base_;
  MqttPublisher publisher_;
  bool hooked_ = true;
  ChangeNotifier::Subscription changed_ = 0;
  std::function<void(const QByteArray&, const TwoAxisSample&)> twoAxisBefore_;
  std::function<void(const TriAxisSample&)> triAxisBefore_;
};

}  // namespace ventari
