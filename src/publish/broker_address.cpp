#include "publish/broker_address.h"

#include <QSysInfo>
#include <QUrl>

namespace ventari {
namespace {

constexpr std::uint16_t kMqttPort = 1883;
constexpr std::uint16_t kMqttsPort = 8883;

// A text made fit to stand as one topic level: every run of characters other than letters,
// digits, "." and "_" one "-", none at either end.
QString AsLevel(const QString& text) {
  QString level;
  for (const QChar c : text) {
    if (c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('_')) {
      level += c;
    } else if (!level.isEmpty() && !level.endsWith(QLatin1Char('-'))) {
      level += QLatin1Char('-');
    }
  }
  while (level.endsWith(QLatin1Char('-'))) level.chop(1);
  return level;
}

}  // namespace

std::variant<BrokerAddress, QString> ParseBrokerUrl(const QString& url) {
  const QUrl parsed(url, QUrl::StrictMode);
  const QString scheme = parsed.scheme();
  const QString usage =
      QStringLiteral("--mqtt takes mqtt://host[:port] or mqtts://host[:port], not \"%1\"").arg(url);
  if (!parsed.isValid() || (scheme != QLatin1String("mqtt") && scheme != QLatin1String("mqtts")) ||
      parsed.host().isEmpty() || !parsed.userInfo().isEmpty() ||
      (!parsed.path().isEmpty() && parsed.path() != QLatin1String("/")) || parsed.hasQuery() ||
      parsed.hasFragment()) {
    return usage;
  }
  BrokerAddress address;
  address.host = parsed.host();
  address.tls = scheme == QLatin1String("mqtts");
  const int port = parsed.port(address.tls ? kMqttsPort : kMqttPort);
  if (port < 1 || port > 65535) return usage;
  address.port = static_cast<std::uint16_t>(port);
  return address;
}

QString TopicPrefixProblem(const QString& prefix) {
  if (prefix.isEmpty()) return QStringLiteral("the topic prefix is empty");
  if (prefix.contains(QLatin1Char('+')) || prefix.contains(QLatin1Char('#'))) {
    return QStringLiteral("the topic prefix \"%1\" holds a wildcard (+ or #)").arg(prefix);
  }
  if (prefix.contains(QChar(0))) {
    return QStringLiteral("the topic prefix holds a null character");
  }
  if (prefix.split(QLatin1Char('/')).contains(QString())) {
    return QStringLiteral("the topic prefix \"%1\" has an empty level").arg(prefix);
  }
  if (prefix.toUtf8().size() > 60000) return QStringLiteral("the topic prefix is too long");
  return {};
}

QString DefaultTopicPrefix() {
  const QString host = AsLevel(QSysInfo::machineHostName());
  return QStringLiteral("ventari/") + (host.isEmpty() ? QStringLiteral("localhost") : host);
}

QString InstrumentLevel(const QString& model, const QString& serial) {
  return AsLevel(model.toLower() + QLatin1Char('-') + serial);
}

}  // namespace ventari
