// Bytes per second through the terminal's model as a streaming anemometer feeds it: shown on the
// screen, and with the argument 1 also captured to a file. Chunks of 64 bytes, as a port hands
// them over.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "base/default_answer_prompts.h"
#include "base/virtual_runtime.h"
#include "link/null_serial_backend.h"
#include "link/terminal_model.h"

namespace ventari {
namespace {

constexpr std::size_t kStreamBytes = 1 << 18;
constexpr std::size_t kChunk = 64;

std::string DataStream() {
  std::string stream;
  std::minstd_rand random(5);
  char message[64];
  while (stream.size() < kStreamBytes) {
    const int length = std::snprintf(message, sizeof message, "\x02Q,%03d,%06.2f,M,00,\x03\r\n",
                                     static_cast<int>(random() % 360),
                                     static_cast<double>(random() % 6000) / 100.0);
    stream.append(message, static_cast<std::size_t>(length));
  }
  return stream;
}

void BM_TerminalShowAndCapture(benchmark::State& state) {
  const std::string stream = DataStream();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.data());
  VirtualRuntime runtime;
  SerialPort port(runtime, [](const QString&) { return std::make_unique<NullSerialBackend>(); });
  DefaultAnswerPrompts prompts;
  TerminalModel terminal(runtime, port, prompts);
  terminal.ToggleScrollBack();
  QTemporaryDir dir;
  if (state.range(0) == 1) terminal.StartLog(dir.filePath(QStringLiteral("bench.dat")));
  for (auto _ : state) {
    for (std::size_t at = 0; at < stream.size(); at += kChunk) {
      terminal.Receive({bytes + at, std::min(kChunk, stream.size() - at)});
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_TerminalShowAndCapture)->Arg(0)->Arg(1);

}  // namespace
}  // namespace ventari
