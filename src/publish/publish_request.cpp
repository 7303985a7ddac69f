#include "publish/publish_request.h"

#include <QFile>
#include <QFileInfo>

namespace ventari {

QString PublishRequestProblem(const PublishRequest& request, const PublishFieldNames& names) {
  if (!request.caFile.isEmpty() && !request.broker.tls) {
    return QStringLiteral("%1 applies to mqtts:// only").arg(names.ca);
  }
  if (!request.caFile.isEmpty() && !QFileInfo(request.caFile).isReadable()) {
    return QStringLiteral("%1 %2 cannot be read").arg(names.ca, request.caFile);
  }
  if (const QString problem = TopicPrefixProblem(request.prefix); !problem.isEmpty()) {
    return QStringLiteral("%1: %2").arg(names.prefix, problem);
  }
  if (request.qos != 0 && request.qos != 1) return QStringLiteral("the QoS is 0 or 1");
  if (!request.passwordFile.isEmpty() && request.user.isEmpty()) {
    return QStringLiteral("%1 needs %2").arg(names.passwordFile, names.user);
  }
  return {};
}

std::optional<QString> ReadPasswordFile(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray line = in.readLine(64 * 1024);
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  return QString::fromUtf8(line);
}

}  // namespace ventari
