// One simulated anemometer of any of the seven models together with its serial line, built from
// the options a user or a test gives (serial number, version, baud rate, output rate, seed,
// faults).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/runtime.h"
#include "sim/faults.h"
#include "sim/line_model.h"
#include "sim/sim_device.h"

namespace ventari::sim {

class TwoAxisDevice;
class TriAxisDevice;

enum class SimModel { kKestrix2, kKestrix2Heated, kLarkvane, kT7, kMz, kT7_50, kMz_50 };

struct InstrumentOptions {
  std::optional<std::int32_t> baud;  // the model's usual rate when absent
  std::string serialNumber;          // six digits; the model's own when empty
  std::string softwareVersion;       // "d.dd"; the model's own when empty
  std::optional<double> rateHz;      // data messages per second
  std::uint32_t seed = 1;
  int processingMs = SimDevice::kDefaultProcessingMs;
  Faults faults;
};

// The model names: "kestrix2", "kestrix2-heated", "larkvane", "t7", "mz", "t7-50", "mz-50".
std::optional<SimModel> ModelNamed(std::string_view name);
const std::vector<std::string>& ModelNames();

class Instrument {
 public:
  // Raises std::invalid_argument for a serial number, version or baud rate the model cannot
  // have.
  Instrument(Runtime& runtime, SimModel model, const InstrumentOptions& options);
  ~Instrument();
  Instrument(const Instrument&) = delete;
  Instrument& operator=(const Instrument&) = delete;

  SimDevice& Device() { return *device_; }
  LineModel& Line() { return *line_; }
  // The device as its family, or nullptr for the other family.
  TwoAxisDevice* TwoAxis();
  TriAxisDevice* TriAxis();

 private:
  Runtime& runtime_;
  std::unique_ptr<SimDevice> device_;
  std::unique_ptr<LineModel> line_;
  // The port's vanishing, then its return.
  Runtime::EventId lineEvent_ = 0;
};

}  // namespace ventari::sim
