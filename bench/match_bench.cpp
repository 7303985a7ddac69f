// Bytes per second through the anemometer port's matcher group, with every system matcher
// attached and the data matcher armed and re-armed by its handler as while a two-axis
// anemometer streams. The argument is the number of bytes per port notification.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "base/virtual_runtime.h"
#include "link/packet_matcher_group.h"
#include "link/system_matchers.h"

namespace ventari {
namespace {

constexpr std::size_t kStreamBytes = 1 << 20;

// Two-axis polar data messages with varying direction and speed.
std::string DataStream() {
  std::string stream;
  std::minstd_rand random(7);
  char message[64];
  while (stream.size() < kStreamBytes) {
    const auto direction = static_cast<int>(random() % 360);
    const double speed = static_cast<double>(random() % 6000) / 100.0;
    const int length =
        std::snprintf(message, sizeof message, "\x02Q,%03d,%06.2f,M,00,\x03\r\n", direction, speed);
    stream.append(message, static_cast<std::size_t>(length));
  }
  return stream;
}

std::string Noise() {
  std::string stream(kStreamBytes, '\0');
  std::mt19937 random(11);
  std::uniform_int_distribution<int> byte(0, 255);
  for (char& c : stream) c = static_cast<char>(byte(random));
  return stream;
}

void Match(benchmark::State& state, const std::string& stream) {
  VirtualRuntime runtime;
  PacketMatcherGroup group(runtime);
  SystemMatchers matchers(group);
  std::int64_t packets = 0;
  matchers.DataPacket.SetStringHandler([&packets](TApdDataPacket& sender, const QByteArray& text) {
    benchmark::DoNotOptimize(text.constData());
    ++packets;
    sender.SetEnabled(true);
  });
  matchers.DataPacket.SetEnabled(true);

  const auto chunk = static_cast<std::size_t>(state.range(0));
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.data());
  for (auto _ : state) {
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
      group.Receive(bytes + at, std::min(chunk, stream.size() - at));
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
  state.counters["packets"] =
      benchmark::Counter(static_cast<double>(packets), benchmark::Counter::kIsRate);
}

void BM_MatchDataStream(benchmark::State& state) {
  static const std::string stream = DataStream();
  Match(state, stream);
}
BENCHMARK(BM_MatchDataStream)->Arg(16)->Arg(4096);

void BM_MatchNoise(benchmark::State& state) {
  static const std::string stream = Noise();
  Match(state, stream);
}
BENCHMARK(BM_MatchNoise)->Arg(16)->Arg(4096);

}  // namespace
}  // namespace ventari
