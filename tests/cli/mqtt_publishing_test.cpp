// ventari-cli stream publishing the records of a T7-50 simulated by ventari-sim at 50 Hz to a
// Mosquitto broker of the test's own, in real time: every record the stream prints arrives on
// `record`, in order and once; across the broker stopped for 10 s and started again none is
// missing (a record the broker had but had not acknowledged when it stopped comes again, as QoS
// 1 allows); TLS and a password work, and a refused password ends the run with a clear error.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <algorithm>

#include "cli/exit_status.h"
#include "support/cli_run.h"
#include "support/free_port.h"
#include "support/mqtt_broker.h"

namespace ventari {
namespace {

#if defined(VENTARI_CLI_EXECUTABLE) && defined(VENTARI_SIM_EXECUTABLE)

const QString kPrefix = QStringLiteral("test/site");
const QString kInstrument = kPrefix + QStringLiteral("/t7-50hz-");

struct Streamed {
  int exitCode = -1;
  QString err;
  std::vector<QJsonObject> printed;  // the records stream --json printed, without the summary
  QJsonObject summary;
};

// Starts the simulated T7-50 and, on its port, the stream publishing to `broker`.
void StartStream(QProcess& simulator, QProcess& cli, const QString& url, double seconds,
                 const QStringList& extra) {
  const QString port =
      test::StartTracedSimulator(simulator, QStringLiteral(VENTARI_SIM_EXECUTABLE),
                                 {QStringLiteral("--model"), QStringLiteral("t7-50"),
                                  QStringLiteral("--rate"), QStringLiteral("50")});
  ASSERT_FALSE(port.isEmpty());
  cli.start(QStringLiteral(VENTARI_CLI_EXECUTABLE),
            QStringList{"stream", "--json", "--port", port, "--baud", "38400", "--seconds",
                        QString::number(seconds), "--mqtt", url, "--mqtt-prefix", kPrefix} +
                extra);
}

// Waits for the stream's end, then stops the simulator.
Streamed Finish(QProcess& simulator, QProcess& cli, int boundMs) {
  Streamed run;
  const bool ended = cli.waitForFinished(boundMs);
  if (!ended) cli.kill();
  for (QProcess* process : {&cli, &simulator}) {
    process->terminate();
    process->waitForFinished();
  }
  if (!ended) return run;
  run.exitCode = cli.exitCode();
  run.err = QString::fromUtf8(cli.readAllStandardError());
  for (const QByteArray& line : cli.readAllStandardOutput().split('\n')) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    if (object.contains(QStringLiteral("summary"))) {
      run.summary = object[QStringLiteral("summary")].toObject();
    } else if (!object.isEmpty()) {
      run.printed.push_back(object);
    }
  }
  return run;
}

// The objects that arrived on `<instrument>/record`, in order, each checked for its time and
// given back without it.
std::vector<QJsonObject> Records(const QStringList& lines) {
  static const QRegularExpression kTime(
      QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$)"));
  std::vector<QJsonObject> records;
  for (const QString& line : lines) {
    const QString topic = line.section(QLatin1Char(' '), 0, 0);
    if (!topic.startsWith(kInstrument) || !topic.endsWith(QStringLiteral("/record"))) continue;
    QJsonObject record =
        QJsonDocument::fromJson(line.section(QLatin1Char(' '), 1).toUtf8()).object();
    EXPECT_TRUE(kTime.match(record.take(QStringLiteral("time")).toString()).hasMatch())
        << line.toStdString();
    records.push_back(record);
  }
  return records;
}

// Whether `record` was seen before; it is seen from now on.
bool Lookup(QSet<QByteArray>& seen, const QJsonObject& record) {
  const QByteArray text = QJsonDocument(record).toJson(QJsonDocument::Compact);
  if (seen.contains(text)) return true;
  seen.insert(text);
  return false;
}

bool Contains(const QStringList& lines, const QString& end) {
  return std::any_of(lines.begin(), lines.end(),
                     [&end](const QString& l) { return l.endsWith(end); });
}

TEST(MqttPublishing, EveryRecordArrivesOnceInOrderAcrossABrokerRestart) {
  test::MqttBroker broker;
  ASSERT_TRUE(broker.Start()) << broker.problem().toStdString();
  test::MqttSubscriber subscriber(broker, kPrefix);
  ASSERT_TRUE(subscriber.Started());
  QProcess simulator;
  QProcess cli;
  ASSERT_NO_FATAL_FAILURE(StartStream(simulator, cli, broker.Url(), 20, {}));
  // Once records flow, the broker goes away for 10 s.
  ASSERT_GE(subscriber.Lines(30, 30000).size(), 30);
  broker.Stop();
  QThread::msleep(10000);
  ASSERT_TRUE(broker.Start()) << broker.problem().toStdString();
  const Streamed run = Finish(simulator, cli, 40000);
  ASSERT_EQ(run.exitCode, kExitDone) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("unreachable: holding records")))
      << run.err.toStdString();
  ASSERT_GT(run.printed.size(), 300u);
  const QStringList& lines = subscriber.LinesUntil(QStringLiteral("/status offline"), 15000);
  // At QoS 1 a record the broker had when it stopped, but had not acknowledged, comes again
  // after it: each is counted at its first arrival.
  std::vector<QJsonObject> firsts;
  QSet<QByteArray> seen;
  for (const QJsonObject& record : Records(lines)) {
    if (!Lookup(seen, record)) firsts.push_back(record);
  }
  EXPECT_EQ(firsts, run.printed);
  const QJsonObject mqtt = run.summary[QStringLiteral("mqtt")].toObject();
  EXPECT_EQ(mqtt[QStringLiteral("published")].toInt(), static_cast<int>(run.printed.size()));
  EXPECT_EQ(mqtt[QStringLiteral("held")].toInt(), 0);
  EXPECT_EQ(mqtt[QStringLiteral("dropped")].toInt(), 0);
  EXPECT_TRUE(Contains(lines, QStringLiteral("/status online")));
  EXPECT_TRUE(Contains(lines, QStringLiteral("/status offline")));
}

TEST(MqttPublishing, ABrokerAwayHoldsRecordsUpToTheBoundThenDropsTheOldest) {
  QProcess simulator;
  QProcess cli;
  const QString nobody = QStringLiteral("mqtt://127.0.0.1:%1").arg(test::FreeLoopbackPort());
  ASSERT_NO_FATAL_FAILURE(StartStream(simulator, cli, nobody, 3, {"--mqtt-hold", "20"}));
  const Streamed run = Finish(simulator, cli, 40000);
  ASSERT_EQ(run.exitCode, kExitDone) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QStringLiteral("unreachable: holding records")));
  EXPECT_EQ(run.err.count(QStringLiteral("the oldest are dropped from now on")), 1);
  const QJsonObject mqtt = run.summary[QStringLiteral("mqtt")].toObject();
  EXPECT_EQ(mqtt[QStringLiteral("published")].toInt(), 0);
  EXPECT_EQ(mqtt[QStringLiteral("held")].toInt(), 20);
  EXPECT_EQ(mqtt[QStringLiteral("dropped")].toInt(), static_cast<int>(run.printed.size()) - 20);
}

struct AccessCase {
  const char* name;
  test::BrokerAccess access;
  const char* givenPassword;  // nullptr: none
  bool otherCa;               // TLS checked with another authority than the broker's
  int exitCode;
  const char* said;  // on standard error
};

class MqttAccess : public ::testing::TestWithParam<AccessCase> {};

TEST_P(MqttAccess, PublishesOrSaysWhyNot) {
  const AccessCase& c = GetParam();
  test::MqttBroker broker(c.access);
  ASSERT_TRUE(broker.Start()) << broker.problem().toStdString();
  test::MqttSubscriber subscriber(broker, kPrefix);
  ASSERT_TRUE(subscriber.Started());
  test::MqttBroker other(c.access);
  ASSERT_TRUE(!c.otherCa || other.Start()) << other.problem().toStdString();
  QStringList extra;
  if (c.access.tls) extra << "--mqtt-ca" << (c.otherCa ? other.CaFile() : broker.CaFile());
  if (c.givenPassword) {
    extra << "--mqtt-user" << c.access.user << "--mqtt-password-file"
          << broker.PasswordFile(QString::fromUtf8(c.givenPassword));
  }
  QProcess simulator;
  QProcess cli;
  ASSERT_NO_FATAL_FAILURE(StartStream(simulator, cli, broker.Url(), 2, extra));
  const Streamed run = Finish(simulator, cli, 30000);
  ASSERT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
  if (c.exitCode != kExitDone) return;
  ASSERT_GT(run.printed.size(), 50u);
  EXPECT_EQ(Records(subscriber.LinesUntil(QStringLiteral("/status offline"), 10000)), run.printed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MqttAccess,
    ::testing::Values(
        AccessCase{"tls", {{}, {}, true}, nullptr, false, kExitDone, "publishing to localhost:"},
        AccessCase{"tls_other_authority",
                   {{}, {}, true},
                   nullptr,
                   true,
                   kExitNotDone,
                   "certificate of the broker localhost:"},
        AccessCase{"password",
                   {"site", "gust-42", false},
                   "gust-42",
                   false,
                   kExitDone,
                   "publishing to 127.0.0.1:"},
        AccessCase{"tls_and_password",
                   {"site", "gust-42", true},
                   "gust-42",
                   false,
                   kExitDone,
                   "publishing to localhost:"},
        AccessCase{"wrong_password",
                   {"site", "gust-42", false},
                   "calm",
                   false,
                   kExitNotDone,
                   "refused the user name or password"}),
    [](const auto& info) { return std::string(info.param.name); });

#endif

}  // namespace
}  // namespace ventari
