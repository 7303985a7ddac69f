#include "cli/checksums_command.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_session.h"
#include "service/larkvane_checksums.h"

namespace ventari {
namespace {

constexpr int kExitRead = 0;
constexpr int kExitNotRead = 1;

// "ROM checksum" is "rom" in JSON.
QString JsonName(const LarkvaneChecksum& checksum) {
  return QString::fromLatin1(checksum.name).left(3).toLower();
}

}  // namespace

int ChecksumsCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "ventari-cli checksums: identify a Larkvane and print the ROM, FAC, ENG and CAL\n"
      "checksums its EEPROM holds. Exit status: 0 read, 1 no Larkvane found or a cell\n"
      "unanswered, 2 usage or port error."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("checksums"), QStringLiteral("the command"));
  AddCliOptions(parser);
  if (!parser.parse(arguments)) return CliFail(parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    CliPrint(parser.helpText());
    return kExitRead;
  }
  if (parser.positionalArguments().size() != 1) {
    return CliFail(QStringLiteral("checksums takes no words after it"));
  }
  for (const char* other : {"out", "segment-minutes", "no-timestamp", "pc-avg", "list"}) {
    if (parser.isSet(QLatin1String(other))) {
      return CliFail(QStringLiteral("--%1 does not apply to checksums").arg(QLatin1String(other)));
    }
  }
  const auto read = ReadCliOptions(parser);
  if (const auto* error = std::get_if<QString>(&read)) return CliFail(*error);
  const auto& options = std::get<CliOptions>(read);

  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (!s.commands().discovery.Found()) return kExitNotRead;
  if (s.anemometer().state.Model != AnemModel::kLarkvane) {
    CliFail(QStringLiteral("checksums needs a Larkvane; found %1")
                .arg(s.anemometer().state.ModelCaption));
    return kExitNotRead;
  }
  const ChecksumReading reading = s.service().larkvaneChecksums.Read();
  if (!reading.complete) {
    CliFail(QStringLiteral("the anemometer did not answer a checksum read"));
    return kExitNotRead;
  }
  if (options.json) {
    QJsonObject object;
    for (std::size_t i = 0; i < kLarkvaneChecksums.size(); ++i) {
      object[JsonName(kLarkvaneChecksums[i])] = ChecksumText(reading.values[i]);
    }
    CliPrint(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
             QLatin1Char('\n'));
    return kExitRead;
  }
  QString text;
  for (std::size_t i = 0; i < kLarkvaneChecksums.size(); ++i) {
    text += ChecksumLine(kLarkvaneChecksums[i], reading.values[i]) + QLatin1Char('\n');
  }
  CliPrint(text);
  return kExitRead;
}

}  // namespace ventari
