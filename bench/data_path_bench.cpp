// The whole path of two-axis data: bytes from the line through the matchers, the decoder and
// every live window's model (data display with its log, graph, windsock), in messages per
// second.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "app/session.h"
#include "base/default_answer_prompts.h"
#include "base/virtual_runtime.h"
#include "gui_application.h"
#include "link/null_serial_backend.h"

namespace ventari {
namespace {

// Polar fixed-field messages with varying direction and speed, as a Kestrix II sends them.
std::vector<std::string> Messages() {
  std::vector<std::string> messages;
  for (int i = 0; i < 1000; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "\x02Q,%03d,%06.2f,M,00,\x03%02X\r\n", (i * 7) % 360,
                  (i % 400) / 10.0, i % 256);
    messages.emplace_back(text);
  }
  return messages;
}

void BM_TwoAxisMessagesToEveryModel(benchmark::State& state) {
  EnsureGuiApplication();
  QTemporaryDir dir;
  VirtualRuntime runtime;
  DefaultAnswerPrompts prompts;
  Session session(
      runtime, prompts, [](const QString&) { return std::make_unique<NullSerialBackend>(); },
      [] { return QStringList{}; }, dir.filePath("settings.ini"));
  session.link().port.SetOpen(true);
  session.displays().windsockWindow.SelectAveraging(WindsockWindowModel::kTenMinutes);
  session.displays().windsockWindow.SetSamplesPerSecond(10);
  session.displays().graph.pgraph1().SetSize(QSize(615, 449));
  if (state.range(0) != 0) session.displays().dataDisplay.StartLogging(dir.filePath("bench.log"));
  session.link().matchers.DataPacket.SetEnabled(true);

  const auto messages = Messages();
  std::size_t i = 0;
  std::int64_t bytes = 0;
  const std::uint64_t shownBefore = session.displays().dataDisplay.LinesShown();
  for (auto _ : state) {
    const std::string& m = messages[i++ % messages.size()];
    session.link().matcherGroup.Receive(reinterpret_cast<const std::uint8_t*>(m.data()), m.size());
    bytes += static_cast<std::int64_t>(m.size());
  }
  session.displays().dataDisplay.StopLogging();
  if (session.displays().dataDisplay.LinesShown() - shownBefore !=
      static_cast<std::uint64_t>(state.iterations())) {
    state.SkipWithError("messages were lost on the way");
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_TwoAxisMessagesToEveryModel)->Arg(0)->ArgName("logging")->Arg(1);

}  // namespace
}  // namespace ventari
