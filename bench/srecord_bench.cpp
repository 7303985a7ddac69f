// Reading a whole application from its file: 64 KB of S1 records of 32 data bytes, as the flash
// programming reads it before anything is sent.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "service/srecord_reader.h"

namespace ventari {
namespace {

QByteArray Application() {
  QByteArray text = "S00600004844521B\n";
  for (std::uint32_t address = 0; address < kFlashImageSize; address += 32) {
    const auto length =
        static_cast<std::uint32_t>(std::min<std::size_t>(32, kFlashImageSize - address));
    QByteArray bytes;
    bytes.append(static_cast<char>(length + 3));
    bytes.append(static_cast<char>(address >> 8));
    bytes.append(static_cast<char>(address & 0xFF));
    for (std::uint32_t i = 0; i < length; ++i) bytes.append(static_cast<char>((address + i) * 7));
    unsigned sum = 0;
    for (char b : bytes) sum += static_cast<unsigned char>(b);
    bytes.append(static_cast<char>(~sum));
    text += "S1" + bytes.toHex().toUpper() + "\r\n";
  }
  return text + "S9030000FC\r\n";
}

void SRecordReadApplication(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("app.s");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(Application()) < 0) {
    state.SkipWithError("cannot write the application file");
    return;
  }
  file.close();
  const auto image = std::make_unique<FlashImage>();
  for (auto _ : state) {
    const SRecordResult result = ReadApplication(path, *image, [](const QString&) {});
    if (!result.ok || image->highestAddress != kFlashImageSize - 1) {
      state.SkipWithError("the application was not read whole");
      return;
    }
    benchmark::DoNotOptimize(image->bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(SRecordReadApplication)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ventari
