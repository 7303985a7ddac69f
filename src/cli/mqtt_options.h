// The options that publish a stream's or log's records to an MQTT broker: --mqtt URL,
// --mqtt-ca FILE (mqtts), --mqtt-prefix, --mqtt-qos 0|1, --mqtt-user, --mqtt-password-file
// (a password is never taken on the command line) and the bounds of what is held while the
// broker is away.
#pragma once

#include <QCommandLineOption>
#include <QString>
#include <optional>
#include <vector>

#include "publish/publish_request.h"

class QCommandLineParser;

namespace ventari {

std::vector<QCommandLineOption> MqttCliOptions();

// What the options ask for (none without --mqtt), or the message naming the first option wrong.
QString ReadMqttOptions(const QCommandLineParser& parser, std::optional<PublishRequest>& request);

}  // namespace ventari
