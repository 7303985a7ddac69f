// Diagnostic lines of any content: the downcount reader must read three bytes 0-255 or nothing,
// and the diagnostics page with its statistics, fed through the armed diagnostic matchers, must
// keep its bounds. The first byte picks the matcher, the rest is the stream.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "base/default_answer_prompts.h"
#include "base/main_window_model.h"
#include "base/virtual_runtime.h"
#include "fuzz_check.h"
#include "link/command_channel.h"
#include "link/null_serial_backend.h"
#include "link/packet_matcher_group.h"
#include "link/serial_port.h"
#include "link/system_matchers.h"
#include "service/diagnostics_page_model.h"
#include "service/downcount_line.h"
#include "service/ext_tests_model.h"

namespace {

using namespace ventari;

struct World {
  World() {
    port.SetOpen(true);
    group.ConnectTo(port);
  }
  VirtualRuntime runtime;
  SerialPort port{runtime, [](const QString&) { return std::make_unique<NullSerialBackend>(); }};
  PacketMatcherGroup group{runtime};
  SystemMatchers matchers{group};
  AnemState state;
  MainWindowModel window;
  DefaultAnswerPrompts prompts;
  CommandChannel channel{runtime, port, state, matchers.IMPacket, prompts, window};
  ExtTestsModel extTests{prompts};
  SoftwareDiagnosticsModel page{
      ServiceLink{runtime, port, group, matchers, channel, state, prompts}, extTests};
};

void CheckStatistics(const ExtTestsModel& model) {
  Check(model.SampleCount() >= 0 && model.SampleCount() <= kDowncountRingSize);
  for (int axis = 0; axis < kDowncountAxes; ++axis) {
    const AxisStatistics s = model.Ring().Statistics(axis);
    Check(model.SampleCount() == 0 ||
          (0 <= s.minimum && s.minimum <= s.maximum && s.maximum <= 255));
    Check(s.stdDev >= 0);
    for (const auto row :
         {ExtTestsRow::kStdDev, ExtTestsRow::kMax, ExtTestsRow::kMin, ExtTestsRow::kAverage}) {
      Check(!model.Label(row, axis).isEmpty());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (const auto values = ParseDowncountLine(text)) {
    for (const int v : *values) Check(v >= 0 && v <= 255);
    Check(text.size() >= 12);
  }

  SystemMatchers& m = world.matchers;
  TApdDataPacket* const armed[] = {&m.StatusPacket, &m.GainPacket, &m.DownCountsPacket,
                                   &m.PreloadPacket};
  world.page.Output().Disarm();
  armed[data[0] % 4]->SetEnabled(true);
  if (data[0] & 0x80) world.extTests.StartCollection();
  world.group.Receive(data + 1, size - 1);

  Check(world.page.Lines().size() <= SoftwareDiagnosticsModel::kMaxLines);
  Check(world.page.TopIndex() >= 0 && world.page.TopIndex() < SoftwareDiagnosticsModel::kMaxLines);
  CheckStatistics(world.extTests);
  return 0;
}
