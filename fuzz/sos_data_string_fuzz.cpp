// Data strings of any content on the speed of sound calibration page: the reader of characters 17
// to 23 must give a finite speed or nothing, and the page, fed through the data matcher and the
// two-axis decoder as on the line, must keep its list bounded and its reading a number. The first
// byte decides whether the bytes arrive framed as one data string; the rest is the stream.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/session.h"
#include "base/default_answer_prompts.h"
#include "base/virtual_runtime.h"
#include "fuzz_check.h"
#include "link/null_serial_backend.h"
#include "service/sos_reading.h"

namespace {

using namespace ventari;

struct World {
  World()
      : session(
            runtime, prompts, [](const QString&) { return std::make_unique<NullSerialBackend>(); },
            [] { return QStringList{}; }, dir.filePath("settings.ini")) {
    session.link().port.SetOpen(true);
    session.displays().graph.pgraph1().SetSize(QSize(200, 100));
    // Entering the page arms the data matcher and takes data strings from then on; the offset
    // reset finds no anemometer and ends.
    session.service().sosCalibration.Enter();
  }
  QTemporaryDir dir;
  VirtualRuntime runtime;
  DefaultAnswerPrompts prompts;
  Session session;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "sos_data_string_fuzz";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  static World world;
  if (size == 0) return 0;
  const QByteArray text(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  if (const std::optional<float> speed = SosField(text)) {
    Check(std::isfinite(*speed));
    Check(text.size() >= 23);
  }

  SosCalibrationModel& page = world.session.service().sosCalibration;
  Check(page.Active());
  const QByteArray stream = (data[0] & 1) != 0 ? "\x02" + text + "\x03" : text;
  world.session.link().matcherGroup.Receive(reinterpret_cast<const std::uint8_t*>(stream.data()),
                                            static_cast<std::size_t>(stream.size()));
  Check(page.SosCalListBox().size() <= SosCalibrationModel::kListLines);
  if (!page.SOSEdit().isEmpty()) Check(SosNumber(page.SOSEdit()).has_value());
  if (const std::optional<float> reading = SosNumber(page.SOSEdit())) {
    const std::optional<SosOffset> offset = SosOffsetFor(343.72F, *reading);
    if (offset) Check(offset->offset >= -32768 && offset->offset <= 32767);
  }
  return 0;
}
