#include "cli/checksums_command.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "service/larkvane_checksums.h"

namespace ventari {
namespace {

// "ROM checksum" is "rom" in JSON.
QString JsonName(const LarkvaneChecksum& checksum) {
  return QString::fromLatin1(checksum.name).left(3).toLower();
}

}  // namespace

int ChecksumsCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (!s.commands().discovery.Found()) return kExitNotDone;
  if (s.anemometer().state.Model != AnemModel::kLarkvane) {
    CliFail(QStringLiteral("checksums needs a Larkvane; found %1")
                .arg(s.anemometer().state.ModelCaption));
    return kExitNotDone;
  }
  const ChecksumReading reading = s.service().larkvaneChecksums.Read();
  if (!reading.complete) {
    CliFail(QStringLiteral("the anemometer did not answer a checksum read"));
    return kExitNotDone;
  }
  if (options.json) {
    QJsonObject object;
    for (std::size_t i = 0; i < kLarkvaneChecksums.size(); ++i) {
      object[JsonName(kLarkvaneChecksums[i])] = ChecksumText(reading.values[i]);
    }
    CliPrint(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
             QLatin1Char('\n'));
    return kExitDone;
  }
  QString text;
  for (std::size_t i = 0; i < kLarkvaneChecksums.size(); ++i) {
    text += ChecksumLine(kLarkvaneChecksums[i], reading.values[i]) + QLatin1Char('\n');
  }
  CliPrint(text);
  return kExitDone;
}

}  // namespace ventari
