#include "cli/mqtt_options.h"

#include <QCommandLineParser>

namespace ventari {
namespace {

const QString kMqtt = QStringLiteral("mqtt");
const QString kCa = QStringLiteral("mqtt-ca");
const QString kPrefix = QStringLiteral("mqtt-prefix");
const QString kQos = QStringLiteral("mqtt-qos");
const QString kUser = QStringLiteral("mqtt-user");
const QString kPasswordFile = QStringLiteral("mqtt-password-file");
const QString kHoldMessages = QStringLiteral("mqtt-hold");
const QString kHoldMiB = QStringLiteral("mqtt-hold-mib");

constexpr qulonglong kMaxHoldMessages = 100'000'000;
constexpr qulonglong kMaxHoldMiB = 65536;

// A whole number from 1 to `most`, or the message saying so.
QString ReadCount(const QCommandLineParser& parser, const QString& name, qulonglong most,
                  qulonglong& value) {
  if (!parser.isSet(name)) return {};
  bool ok = false;
  const qulonglong number = parser.value(name).toULongLong(&ok);
  if (!ok || number < 1 || number > most) {
    return QStringLiteral("--%1 takes a whole number from 1 to %2").arg(name).arg(most);
  }
  value = number;
  return {};
}

}  // namespace

std::vector<QCommandLineOption> MqttCliOptions() {
  const HoldBounds bounds;
  return {
      {kMqtt,
       QStringLiteral("Also publish each record to the MQTT broker at mqtt://host[:port] or "
                      "mqtts://host[:port]."),
       QStringLiteral("url")},
      {kCa, QStringLiteral("mqtts: the certificate authority file the broker is checked with."),
       QStringLiteral("file")},
      {kPrefix, QStringLiteral("The topics' prefix (default: %1).").arg(DefaultTopicPrefix()),
       QStringLiteral("topic")},
      {kQos, QStringLiteral("0 or 1 (default 1: every record acknowledged by the broker)."),
       QStringLiteral("0|1")},
      {kUser, QStringLiteral("The user name at the broker."), QStringLiteral("name")},
      {kPasswordFile, QStringLiteral("The file holding the password at the broker."),
       QStringLiteral("file")},
      {kHoldMessages,
       QStringLiteral("The most messages held while the broker is away (default %1).")
           .arg(bounds.messages),
       QStringLiteral("N")},
      {kHoldMiB,
       QStringLiteral("The most MiB held while the broker is away (default %1).")
           .arg(bounds.bytes / (1024 * 1024)),
       QStringLiteral("N")},
  };
}

QString ReadMqttOptions(const QCommandLineParser& parser, std::optional<PublishRequest>& request) {
  request.reset();
  if (!parser.isSet(kMqtt)) {
    for (const QString& name :
         {kCa, kPrefix, kQos, kUser, kPasswordFile, kHoldMessages, kHoldMiB}) {
      if (parser.isSet(name)) return QStringLiteral("--%1 needs --mqtt").arg(name);
    }
    return {};
  }
  PublishRequest asked;
  const auto broker = ParseBrokerUrl(parser.value(kMqtt));
  if (const auto* error = std::get_if<QString>(&broker)) return *error;
  asked.broker = std::get<BrokerAddress>(broker);
  asked.caFile = parser.value(kCa);
  asked.prefix = parser.isSet(kPrefix) ? parser.value(kPrefix) : DefaultTopicPrefix();
  if (parser.isSet(kQos)) {
    const QString qos = parser.value(kQos);
    if (qos != QLatin1String("0") && qos != QLatin1String("1")) {
      return QStringLiteral("--mqtt-qos takes 0 or 1");
    }
    asked.qos = qos.toInt();
  }
  asked.user = parser.value(kUser);
  asked.passwordFile = parser.value(kPasswordFile);
  const PublishFieldNames names{QStringLiteral("--") + kCa, QStringLiteral("--") + kPrefix,
                                QStringLiteral("--") + kUser, QStringLiteral("--") + kPasswordFile};
  if (QString problem = PublishRequestProblem(asked, names); !problem.isEmpty()) return problem;
  qulonglong messages = asked.bounds.messages;
  qulonglong mib = asked.bounds.bytes / (1024 * 1024);
  if (QString e = ReadCount(parser, kHoldMessages, kMaxHoldMessages, messages); !e.isEmpty()) {
    return e;
  }
  if (QString e = ReadCount(parser, kHoldMiB, kMaxHoldMiB, mib); !e.isEmpty()) return e;
  asked.bounds = {static_cast<std::size_t>(messages), static_cast<std::size_t>(mib) * 1024 * 1024};
  request = asked;
  return {};
}

}  // namespace ventari
