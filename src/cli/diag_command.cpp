#include "cli/diag_command.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string_view>

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "service/diagnostic_output.h"
#include "service/ext_tests_model.h"

namespace ventari {
namespace {

const QString kTest = QStringLiteral("test");
const QString kExtended = QStringLiteral("extended");

constexpr ExtTestsRow kRows[] = {ExtTestsRow::kStdDev, ExtTestsRow::kMax, ExtTestsRow::kMin,
                                 ExtTestsRow::kAverage};
constexpr const char* kRowNames[] = {"Std dev:", "Max:", "Min:", "Average:"};
constexpr const char* kJsonNames[] = {"stdDev", "max", "min", "average"};

// A line as the terminal would show it: without the line end the anemometer puts after it.
QString Shown(const QByteArray& line) {
  QString text = QString::fromLatin1(line);
  while (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text;
}

void PrintLine(DiagnosticTest test, const QByteArray& line, bool json) {
  if (!json) {
    CliPrint(Shown(line) + QLatin1Char('\n'));
    return;
  }
  QJsonObject object{{QStringLiteral("test"), QLatin1String(InfoOf(test).name)},
                     {QStringLiteral("line"), QString::fromLatin1(line)}};
  if (test == DiagnosticTest::kDowncounts) {
    if (const auto values = ParseDowncountLine(std::string_view(line.constData(), line.size()))) {
      object[QStringLiteral("axes")] = QJsonArray{(*values)[0], (*values)[1], (*values)[2]};
    } else {
      object[QStringLiteral("bad")] = true;
    }
  }
  CliPrint(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
           QLatin1Char('\n'));
}

void PrintStatistics(const ExtTestsModel& stats, bool json) {
  if (json) {
    QJsonObject object{{QStringLiteral("samples"), stats.SampleCount()},
                       {QStringLiteral("badLines"), stats.BadLines()},
                       {QStringLiteral("passed"), stats.Passed()}};
    for (std::size_t r = 0; r < std::size(kRows); ++r) {
      QJsonArray axes;
      for (int axis = 0; axis < kDowncountAxes; ++axis) {
        axes.append(stats.Label(kRows[r], axis).toDouble());
      }
      object[QLatin1String(kJsonNames[r])] = axes;
    }
    CliPrint(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
             QLatin1Char('\n'));
    return;
  }
  QString text = QStringLiteral("Samples: %1   Bad lines: %2\n%3")
                     .arg(stats.SampleCount())
                     .arg(stats.BadLines())
                     .arg(QString(), 10);
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    text += QStringLiteral("%1").arg(QStringLiteral("Axis %1").arg(axis + 1), 10);
  }
  text += QLatin1Char('\n');
  for (std::size_t r = 0; r < std::size(kRows); ++r) {
    text += QStringLiteral("%1").arg(QLatin1String(kRowNames[r]), -10);
    for (int axis = 0; axis < kDowncountAxes; ++axis) {
      text += QStringLiteral("%1").arg(stats.Label(kRows[r], axis), 10);
    }
    text += QLatin1Char('\n');
  }
  CliPrint(text);
}

}  // namespace

QString DiagnosticTestNames() {
  QStringList names;
  for (int i = 0; i < kDiagnosticTestCount; ++i) {
    names << QLatin1String(InfoOf(static_cast<DiagnosticTest>(i)).name);
  }
  return names.join(QStringLiteral(", "));
}

int DiagCommand(const CliInvocation& call) {
  const CliOptions& options = call.options;
  const QCommandLineParser& parser = *call.parser;
  const auto test = DiagnosticTestNamed(parser.value(kTest));
  if (!test) return CliFail(QStringLiteral("--test takes one of %1").arg(DiagnosticTestNames()));
  const bool extended = parser.isSet(kExtended);
  if (extended && *test != DiagnosticTest::kDowncounts) {
    return CliFail(QStringLiteral("--extended applies to --test downcounts only"));
  }

  CliSession cli(options);
  if (auto failed = cli.Identify()) return *failed;
  Session& s = cli.session();
  if (!s.commands().discovery.Found()) return kExitNotDone;
  const auto model = s.anemometer().state.Model;
  if (model != AnemModel::kUnheatedKestrix2 && model != AnemModel::kHeatedKestrix2) {
    return CliFail(
        QStringLiteral("diag needs a Kestrix II; found %1").arg(s.anemometer().state.ModelCaption));
  }

  DiagnosticOutput output(ServiceLink{s.runtime(), s.link().port, s.link().matcherGroup,
                                      s.link().matchers, s.link().channel, s.anemometer().state,
                                      s.prompts()});
  ExtTestsModel stats(s.prompts());
  output.SetLineListener([&](const QByteArray& line) {
    PrintLine(*test, line, options.json);
    stats.AddLine(line);
  });
  if (extended) stats.StartCollection();
  if (!output.SwitchOn(*test)) {
    // Nothing was written, so there is nothing to switch off.
    CliFail(QStringLiteral("the anemometer did not answer: its diagnostic was not switched on"));
    return kExitNotDone;
  }
  cli.Run();
  const bool off = output.SwitchOff();
  if (extended) PrintStatistics(stats, options.json);
  if (!off) {
    CliFail(QStringLiteral(
        "the anemometer did not answer, so its debug output could not be switched off"));
    return kExitNotDone;
  }
  return kExitDone;
}

}  // namespace ventari
