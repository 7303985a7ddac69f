#include "sim/instrument.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "sim/tri_axis_device.h"
#include "sim/two_axis_device.h"

namespace ventari::sim {
namespace {

struct ModelFacts {
  SimModel model;
  const char* name;
  const char* serialNumber;
  const char* softwareVersion;
  std::int32_t baud;
};

constexpr ModelFacts kModels[] = {
    {SimModel::kKestrix2, "kestrix2", "100234", "3.05", 9600},
    {SimModel::kKestrix2Heated, "kestrix2-heated", "100235", "3.05", 9600},
    {SimModel::kLarkvane, "larkvane", "200117", "2.05", 9600},
    {SimModel::kT7, "t7", "300451", "2.13", 19200},
    {SimModel::kMz, "mz", "400562", "2.13", 19200},
    {SimModel::kT7_50, "t7-50", "500673", "3.05", 38400},
    {SimModel::kMz_50, "mz-50", "600784", "3.05", 38400},
};

const ModelFacts& FactsOf(SimModel model) {
  return *std::find_if(std::begin(kModels), std::end(kModels),
                       [model](const ModelFacts& facts) { return facts.model == model; });
}

bool IsTwoAxis(SimModel model) { return model <= SimModel::kLarkvane; }

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::invalid_argument(what);
}

bool IsVersion(const std::string& text) {
  return text.size() == 4 && std::isdigit(static_cast<unsigned char>(text[0])) && text[1] == '.' &&
         std::isdigit(static_cast<unsigned char>(text[2])) &&
         std::isdigit(static_cast<unsigned char>(text[3]));
}

bool IsSerialNumber(const std::string& text) {
  return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c)) != 0;
         });
}

std::unique_ptr<SimDevice> MakeTwoAxis(Runtime& runtime, SimModel model,
                                       const InstrumentOptions& options, std::string serial,
                                       std::string version, std::int32_t baud) {
  const TwoAxisModel family = model == SimModel::kKestrix2         ? TwoAxisModel::kKestrix2
                              : model == SimModel::kKestrix2Heated ? TwoAxisModel::kKestrix2Heated
                                                                   : TwoAxisModel::kLarkvane;
  TwoAxisSettings settings;
  const auto digit = TwoAxisBaudDigit(baud);
  const int highestDigit = family == TwoAxisModel::kLarkvane ? 5 : 7;
  Require(digit && *digit <= highestDigit,
          "a " + std::string(FactsOf(model).name) + " cannot run at " + std::to_string(baud));
  settings.baud = *digit;
  if (family == TwoAxisModel::kKestrix2Heated) settings.heating = 2;
  // The Larkvane leaves the factory with CSV messages; identification asks for fixed fields.
  if (family == TwoAxisModel::kLarkvane) settings.fieldFormat = 1;
  if (options.rateHz) settings.rate = TwoAxisRateDigit(family, *options.rateHz);
  return std::make_unique<TwoAxisDevice>(runtime, family, std::move(serial), std::move(version),
                                         settings, options.seed);
}

std::unique_ptr<SimDevice> MakeTriAxis(Runtime& runtime, SimModel model,
                                       const InstrumentOptions& options, std::string serial,
                                       std::string version, std::int32_t baud) {
  const TriAxisModel family = model == SimModel::kT7      ? TriAxisModel::kT7
                              : model == SimModel::kMz    ? TriAxisModel::kMz
                              : model == SimModel::kT7_50 ? TriAxisModel::kT7_50
                                                          : TriAxisModel::kMz_50;
  TriAxisSettings settings;
  constexpr std::int32_t kRates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200};
  Require(std::find(std::begin(kRates), std::end(kRates), baud) != std::end(kRates),
          "a " + std::string(FactsOf(model).name) + " cannot run at " + std::to_string(baud));
  settings.baud = baud;
  const int sampleHz = Is50Hz(family) ? TriAxisDevice::kSampleHz50 : TriAxisDevice::kSampleHz;
  settings.average = sampleHz;  // one record per second
  if (options.rateHz) {
    settings.average =
        std::clamp(static_cast<int>(std::lround(sampleHz / *options.rateHz)), 1, 250);
  }
  return std::make_unique<TriAxisDevice>(runtime, family, std::move(serial), std::move(version),
                                         settings, options.seed);
}

}  // namespace

std::optional<SimModel> ModelNamed(std::string_view name) {
  for (const ModelFacts& facts : kModels) {
    if (name == facts.name) return facts.model;
  }
  return std::nullopt;
}

const std::vector<std::string>& ModelNames() {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (const ModelFacts& facts : kModels) names.emplace_back(facts.name);
    return names;
  }();
  return kNames;
}

Instrument::Instrument(Runtime& runtime, SimModel model, const InstrumentOptions& options)
    : runtime_(runtime) {
  const ModelFacts& facts = FactsOf(model);
  std::string serial = options.serialNumber.empty() ? facts.serialNumber : options.serialNumber;
  std::string version =
      options.softwareVersion.empty() ? facts.softwareVersion : options.softwareVersion;
  Require(IsSerialNumber(serial), "a serial number has six digits: " + serial);
  Require(IsVersion(version), "a software version reads like 3.05: " + version);
  Require(!options.rateHz || *options.rateHz > 0, "the output rate must be above 0");
  const std::int32_t baud = options.baud.value_or(facts.baud);
  device_ = IsTwoAxis(model)
                ? MakeTwoAxis(runtime, model, options, std::move(serial), std::move(version), baud)
                : MakeTriAxis(runtime, model, options, std::move(serial), std::move(version), baud);
  device_->SetProcessingMs(options.processingMs);
  device_->SetFaults(options.faults);
  line_ = std::make_unique<LineModel>(runtime, *device_, options.seed + 2);
  if (options.faults.vanishAfterMs >= 0) {
    const std::int64_t returnAfterMs = options.faults.returnAfterMs;
    lineEvent_ = runtime_.Schedule(options.faults.vanishAfterMs, [this, returnAfterMs] {
      lineEvent_ = 0;
      line_->Vanish();
      if (returnAfterMs < 0) return;
      lineEvent_ = runtime_.Schedule(returnAfterMs, [this] {
        lineEvent_ = 0;
        line_->Return();
      });
    });
  }
}

Instrument::~Instrument() { runtime_.Cancel(lineEvent_); }

TwoAxisDevice* Instrument::TwoAxis() { return dynamic_cast<TwoAxisDevice*>(device_.get()); }

TriAxisDevice* Instrument::TriAxis() { return dynamic_cast<TriAxisDevice*>(device_.get()); }

}  // namespace ventari::sim
