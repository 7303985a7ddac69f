// Publishes what a session reads from its anemometer through an MqttPublisher, under
// `<prefix>/<model>-<serial>`: each record's JSON object (as `ventari-cli stream --json` prints
// it, with "time", the UTC time it was read in ISO 8601 with milliseconds) on `record`, three-axis
// PC-averaged lines on `averaged`, and on the retained `status` "online", "no data" while records
// have stopped, "port lost" while the port is away (the will "offline" is the publisher's).
// `info` (retained) is the description the caller gives. The samples go on to whatever observer
// was there before (the command line's printing) until this ends; then neither observes any
// more, so that the records printed are the records published.
#pragma once

#include <QJsonObject>
#include <QString>
#include <functional>

#include "base/change_notifier.h"

namespace ventari {

class MqttPublisher;
class Session;
struct TriAxisSample;
struct TwoAxisSample;

class SessionPublisher {
 public:
  SessionPublisher(Session& session, MqttPublisher& publisher, const QString& topicBase,
                   const QJsonObject& info);
  ~SessionPublisher();
  SessionPublisher(const SessionPublisher&) = delete;
  SessionPublisher& operator=(const SessionPublisher&) = delete;

  // "<prefix>/<model>-<serial>" for the anemometer the session found.
  static QString TopicBase(Session& session, const QString& prefix);
  // "<base>/status", the topic of the publisher's will.
  static QString StatusTopic(const QString& topicBase);

  // Publishes `object` on "<base>/<level>", stamped with the UTC time it is sent.
  void Send(const QString& level, QJsonObject object);

 private:
  void FollowStatus();

  Session& session_;
  MqttPublisher& publisher_;
  QString base_;
  ChangeNotifier::Subscription changed_ = 0;
  std::function<void(const QByteArray&, const TwoAxisSample&)> twoAxisBefore_;
  std::function<void(const TriAxisSample&)> triAxisBefore_;
};

}  // namespace ventari
