// Records a second published at QoS 1 to a local Mosquitto broker, in batches of 1000 each
// counted once the broker has acknowledged all of it, next to the tri-axis decoders' records a
// second: the cost of one record on its way to the broker. The broker is /usr/sbin/mosquitto on a
// free loopback port (its defaults: local connections only, anonymous).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>

#include "base/qt_runtime.h"
#include "gui_application.h"
#include "publish/mqtt_publisher.h"
#include "support/free_port.h"

namespace ventari {
namespace {

constexpr int kBoundMs = 10000;
constexpr int kBatch = 1000;

// One T7-50 record as `stream --json` prints it, with the time the publisher adds.
const QByteArray kRecord = QByteArrayLiteral(
    R"({"avg_direction":183,"avg_magnitude":4,"clinometer":null,"gust":5,"kind":"record",)"
    R"("max_gust":7,"min_gust":2,"sample_count":812,"status":{"address":3,"message":)"
    R"("Status OK","value":0},"text":"  183   4.21   0.12  343.61   21.40","time":)"
    R"("2026-12-11T02:50:02.123Z","values":{"Direction":183,"Speed":4.21,"W":0.12,)"
    R"("SOS":343.61,"Temp":21.4},"warming_up":false})");

// Runs the event loop until `done` or the bound; whether `done` held.
bool WaitFor(Runtime& runtime, const std::function<bool()>& done) {
  bool late = false;
  const auto id = runtime.Schedule(kBoundMs, [&late] { late = true; });
  runtime.WaitUntil([&] { return late || done(); });
  runtime.Cancel(id);
  return done();
}

void BM_MqttPublishQos1(benchmark::State& state) {
  EnsureGuiApplication();
  const std::uint16_t port = test::FreeLoopbackPort();
  QProcess broker;
  broker.start(QStringLiteral("/usr/sbin/mosquitto"),
               {QStringLiteral("-p"), QString::number(port)});
  if (port == 0 || !broker.waitForStarted(kBoundMs)) {
    state.SkipWithError("the broker did not start");
    return;
  }
  QtRuntime runtime;
  PublisherSettings settings;
  settings.broker = {QStringLiteral("127.0.0.1"), port, false};
  settings.statusTopic = QStringLiteral("bench/t7-50-A1/status");
  settings.clientId = QStringLiteral("ventari-bench");
  MqttPublisher publisher(runtime, settings);
  // The broker may take a moment to listen: the publisher tries again after 1 s.
  publisher.Start();
  if (!WaitFor(runtime, [&] { return publisher.state() == MqttPublisher::State::kConnected; })) {
    state.SkipWithError("no connection to the broker");
    return;
  }
  const QString topic = QStringLiteral("bench/t7-50-A1/record");
  for (auto _ : state) {
    for (int i = 1; i <= kBatch; ++i) {
      publisher.Publish(topic, kRecord);
      // The acknowledgements are read between records, as the event loop does between data.
      if (i % 64 == 0) QCoreApplication::processEvents();
    }
    // A batch counts once the broker has acknowledged all of it.
    if (!WaitFor(runtime, [&] { return publisher.queue().Held() == 0; })) {
      state.SkipWithError("records were not acknowledged");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  state.SetBytesProcessed(state.iterations() * kBatch * kRecord.size());
  publisher.Finish(kBoundMs);
  broker.terminate();
  broker.waitForFinished(kBoundMs);
}
BENCHMARK(BM_MqttPublishQos1)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
}  // namespace ventari
