// Where a publisher sends: a broker named by a URL, mqtt://host[:port] (port 1883 by default) or
// mqtts://host[:port] (TLS, port 8883 by default), and the topics under the prefix the user
// chooses. A topic level the user gives may not be empty nor hold the wildcards + and #.
#pragma once

#include <QString>
#include <cstdint>
#include <variant>

namespace ventari {

struct BrokerAddress {
  QString host;
  std::uint16_t port = 1883;
  bool tls = false;

  // "host:port", as the user is told.
  QString HostPort() const { return QStringLiteral("%1:%2").arg(host).arg(port); }
};

// The broker the URL names, or why the URL names none.
std::variant<BrokerAddress, QString> ParseBrokerUrl(const QString& url);

// Why the topic prefix cannot be used, or an empty text when it can.
QString TopicPrefixProblem(const QString& prefix);

// "ventari/<this machine's host name>", its characters not allowed in a topic level replaced.
QString DefaultTopicPrefix();

// The level naming an instrument: "<model>-<serial>" (e.g. "t7-50hz-500673" for a T7(50Hz)),
// the model in lower case, each run of other characters than letters, digits, "." and "_" one
// "-".
QString InstrumentLevel(const QString& model, const QString& serial);

}  // namespace ventari
