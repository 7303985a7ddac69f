// What a user asks a publisher to do: the broker, the certificate authority for mqtts, the topics'
// prefix, the QoS, the user and the file holding the password (a password itself is never asked
// for), and the bounds of what is held while the broker is away. The command line's options and
// the application's dialog both make one, and both have it checked here, each naming its fields
// the way its user knows them.
#pragma once

#include <QString>
#include <optional>

#include "publish/broker_address.h"
#include "publish/hold_queue.h"

namespace ventari {

struct PublishRequest {
  BrokerAddress broker;
  QString caFile;
  QString prefix;
  int qos = 1;
  QString user;
  QString passwordFile;
  HoldBounds bounds;
};

// How the user knows the fields ("--mqtt-ca", "The certificate authority file", ...).
struct PublishFieldNames {
  QString ca;
  QString prefix;
  QString user;
  QString passwordFile;
};

// Why the request cannot be used, naming the field, or an empty text when it can.
QString PublishRequestProblem(const PublishRequest& request, const PublishFieldNames& names);

// The first line of the password file, without its line end; none when it cannot be read.
std::optional<QString> ReadPasswordFile(const QString& file);

}  // namespace ventari
