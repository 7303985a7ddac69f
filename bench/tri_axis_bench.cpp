// Three-axis records per second: through the ASCII and binary decoders, through the tabular
// display with its log as the record applier drives it, and through the status decoder.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "base/anem_state.h"
#include "base/default_answer_prompts.h"
#include "base/virtual_runtime.h"
#include "displays/tabular_display.h"
#include "displays/tri_axis_status.h"
#include "triaxis/tri_axis_ascii_decoder.h"
#include "triaxis/tri_axis_binary_decoder.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"
#include "triaxis/tri_axis_records.h"

namespace ventari {
namespace {

constexpr int kRecords = 1000;
constexpr int kUvw = 0;
constexpr int kPolar = 2;
constexpr int kBinary = 0;
constexpr int kPadded = 1;
constexpr int kUnpadded = 2;

// Every optional field on: speed of sound, absolute temperature in Celsius, analogue inputs 1
// to 6; no PC averaging, so every record is a line.
TriAxisConfig FullRecordConfig(int reportMode, int strFormat) {
  TriAxisConfig config;
  config.ReportMode = reportMode;
  config.SosMode = 1;
  config.AbsTempMode = 2;
  config.StrFormat = strFormat;
  config.Aip.fill(true);
  return config;
}

// What record `i` reports, varied from record to record: a status address 0 to 10 and its
// value, the wind, and the optional fields.
struct Reading {
  int address;
  int value;
  int direction;
  double speed;
  double u;
  double v;
  double w;
  double speedOfSound;
  double temperature;
  double inputs[6];
};

Reading ReadingAt(int i) {
  Reading r{};
  r.address = i % 11;
  r.value = (i * 37) & 0xFF;
  r.direction = (i * 7) % 360;
  r.speed = (i % 2000) / 100.0;
  r.u = (i % 1500 - 750) / 100.0;
  r.v = (i * 3 % 1500 - 750) / 100.0;
  r.w = (i % 300 - 150) / 100.0;
  r.speedOfSound = 330.0 + (i % 2000) / 100.0;
  r.temperature = (i % 5000 - 1000) / 100.0;
  for (int channel = 0; channel < 6; ++channel) {
    r.inputs[channel] = ((i + channel * 131) % 8000 - 4000) / 1000.0;
  }
  return r;
}

void Append(std::string& text, const char* format, double value) {
  char field[32];
  const int length = std::snprintf(field, sizeof field, format, value);
  text.append(field, static_cast<std::size_t>(length));
}

// ASCII records of `config`'s report mode and format, as between STX and ETX.
std::vector<QByteArray> AsciiRecords(const TriAxisConfig& config) {
  const bool padded = config.IsAsciiPadded();
  std::vector<QByteArray> records;
  for (int i = 0; i < kRecords; ++i) {
    const Reading r = ReadingAt(i);
    char status[16];
    std::snprintf(status, sizeof status, padded ? "%02d,%02X," : "%d,%X,", r.address, r.value);
    std::string text = status;
    if (config.ReportsPolar()) {
      Append(text, padded ? "%03.0f," : "%.0f,", r.direction);
      Append(text, padded ? "%05.2f," : "%.2f,", r.speed);
    } else {
      Append(text, padded ? "%+06.2f," : "%+.2f,", r.u);
      Append(text, padded ? "%+06.2f," : "%+.2f,", r.v);
    }
    Append(text, padded ? "%+06.2f," : "%+.2f,", r.w);
    Append(text, "%06.2f,", r.speedOfSound);
    Append(text, padded ? "%+06.2f," : "%+.2f,", r.temperature);
    for (double input : r.inputs) Append(text, "%+07.4f,", input);
    records.emplace_back(text.data(), static_cast<qsizetype>(text.size()));
  }
  return records;
}

void AppendWord(QByteArray& bytes, int word) {
  bytes += static_cast<char>((word >> 8) & 0xFF);
  bytes += static_cast<char>(word & 0xFF);
}

// Binary polar records with every optional field, as after 0xBA 0xBA, with their check bytes.
std::vector<QByteArray> BinaryPolarRecords() {
  std::vector<QByteArray> records;
  for (int i = 0; i < kRecords; ++i) {
    const Reading r = ReadingAt(i);
    QByteArray bytes;
    bytes += static_cast<char>(r.address);
    bytes += static_cast<char>(r.value);
    AppendWord(bytes, r.direction);
    AppendWord(bytes, static_cast<int>(r.speed * 100));
    AppendWord(bytes, static_cast<int>(r.w * 100));
    AppendWord(bytes, static_cast<int>(r.speedOfSound * 100));
    AppendWord(bytes, static_cast<int>(r.temperature * 100));
    for (double input : r.inputs) AppendWord(bytes, static_cast<int>(input / 6.1e-4));
    char check = 0;
    for (qsizetype at = 2; at < bytes.size(); ++at) check ^= bytes[at];
    bytes += check;
    records.push_back(bytes);
  }
  return records;
}

// Answers the save dialog with one file name; everything else as when no one is there.
class SaveAsPrompts : public DefaultAnswerPrompts {
 public:
  explicit SaveAsPrompts(QString file) : file_(std::move(file)) {}
  QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return file_; }

 private:
  QString file_;
};

void BM_TriAxisAsciiDecode(benchmark::State& state, int reportMode, int strFormat) {
  const TriAxisConfig config = FullRecordConfig(reportMode, strFormat);
  const std::vector<QByteArray> records = AsciiRecords(config);
  const TriAxisAsciiDecoder decoder(config);
  std::size_t i = 0;
  std::int64_t usable = 0;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const QByteArray& text = records[i++ % records.size()];
    usable += decoder.Decode(text).outcome == TriAxisAsciiRecord::Outcome::kUsable;
    bytes += text.size();
  }
  if (usable != state.iterations()) state.SkipWithError("a record was not usable");
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(bytes);
}
BENCHMARK_CAPTURE(BM_TriAxisAsciiDecode, polar_padded, kPolar, kPadded);
BENCHMARK_CAPTURE(BM_TriAxisAsciiDecode, polar_unpadded, kPolar, kUnpadded);
BENCHMARK_CAPTURE(BM_TriAxisAsciiDecode, uvw_padded, kUvw, kPadded);

void BM_TriAxisBinaryDecodePolar(benchmark::State& state) {
  const TriAxisConfig config = FullRecordConfig(kPolar, kBinary);
  const std::vector<QByteArray> records = BinaryPolarRecords();
  const TriAxisBinaryDecoder decoder(config);
  std::size_t i = 0;
  std::int64_t usable = 0;
  for (auto _ : state) {
    const TriAxisBinaryRecord record = decoder.Decode(records[i++ % records.size()]);
    usable += record.outcome == TriAxisBinaryRecord::Outcome::kUsable;
  }
  if (usable != state.iterations()) state.SkipWithError("a record was not usable");
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * TriAxisBinaryDecoder::RecordSize(config));
}
BENCHMARK(BM_TriAxisBinaryDecodePolar);

// A tabular display of a T7 with every optional field, logging to a file when `logging`.
struct Tabular {
  Tabular(int strFormat, bool logging)
      : config(FullRecordConfig(kPolar, strFormat)),
        prompts(dir.filePath(config.IsBinary() ? "bench.bny" : "bench.log")) {
    identity.identityText = "O123456\r\nT7 Version 3.05\r\n";
    identity.serialLetter = 'O';
    identity.configurationText = "WINDREP POLAR CAL\r\nSOSREP SPEED\r\nABSTEMP ON C\r\n";
    display.PrepareStatusCheck();
    if (logging) display.BtnLoggingClick();
  }

  QTemporaryDir dir;
  VirtualRuntime runtime;
  AnemState anem;
  TriAxisConfig config;
  TriAxisIdentity identity;
  SaveAsPrompts prompts;
  TabularDisplay display{runtime, prompts, anem, config, identity};
};

void BM_TabularDisplayAscii(benchmark::State& state) {
  Tabular tabular(kPadded, state.range(0) != 0);
  TabularDisplay& display = tabular.display;
  const std::vector<QByteArray> records = AsciiRecords(tabular.config);
  const TriAxisAsciiDecoder decoder(tabular.config);
  const std::uint64_t shownBefore = display.LinesShown();
  std::size_t i = 0;
  for (auto _ : state) {
    const TriAxisAsciiRecord record = decoder.Decode(records[i++ % records.size()]);
    if (record.status) display.ShowStatus(record.status->address, record.status->value);
    display.SetHeader(record.header);
    display.AddLine(record.line);
    display.AddLogLine(record.line);
  }
  if (display.Logging() != (state.range(0) != 0)) state.SkipWithError("the log did not run");
  display.BtnLoggingClick();
  if (display.LinesShown() - shownBefore != static_cast<std::uint64_t>(state.iterations())) {
    state.SkipWithError("records were lost on the way");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TabularDisplayAscii)->ArgName("logging")->Arg(0)->Arg(1);

void BM_TabularDisplayBinary(benchmark::State& state) {
  Tabular tabular(kBinary, state.range(0) != 0);
  TabularDisplay& display = tabular.display;
  const std::vector<QByteArray> records = BinaryPolarRecords();
  const TriAxisBinaryDecoder decoder(tabular.config);
  const std::uint64_t shownBefore = display.LinesShown();
  std::size_t i = 0;
  for (auto _ : state) {
    display.OpenBinaryLogIfWaiting();
    const TriAxisBinaryRecord record = decoder.Decode(records[i++ % records.size()]);
    display.ShowStatus(record.status->address, record.status->value);
    display.SetHeader(record.header);
    display.AddLine(record.line);
    display.LogBinaryRecord(record.bytes);
  }
  if (display.BinaryLogOpen() != (state.range(0) != 0)) state.SkipWithError("the log did not run");
  display.BtnLoggingClick();
  if (display.LinesShown() - shownBefore != static_cast<std::uint64_t>(state.iterations())) {
    state.SkipWithError("records were lost on the way");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TabularDisplayBinary)->ArgName("logging")->Arg(0)->Arg(1);

// Addresses 0 to 10 in turn with varied values, a fitted clinometer read at every address 10,
// and firmware new enough for its alignment to be checked.
void BM_TriAxisStatusShowStatus(benchmark::State& state) {
  TriAxisConfig config = FullRecordConfig(kPolar, kPadded);
  config.Align = 0;
  const TriAxisIdentity identity{{}, 'O', {}};
  AnemState anem;
  anem.SoftwareVersion = QStringLiteral("3.05");
  TriAxisStatus status(config, identity, anem);
  status.PrepareStatusCheck();
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < kRecords * 11; ++i) {
    const int address = i % 11;
    pairs.emplace_back(address, address == 1 ? ((i * 37) & 0xFF) | 0x08 : (i * 37) & 0xFF);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [address, value] = pairs[i++ % pairs.size()];
    benchmark::DoNotOptimize(status.ShowStatus(address, value));
  }
  if (status.Message().isEmpty()) state.SkipWithError("no status was shown");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TriAxisStatusShowStatus);

}  // namespace
}  // namespace ventari
