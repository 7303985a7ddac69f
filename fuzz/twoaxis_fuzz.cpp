// Two-axis replies and data messages of any content: the D1, D2, D3 and Larkvane readers and
// the data decoder with every live window's model behind it must survive them. The first byte
// picks the reader, the rest is the text.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <exception>

#include "app/session.h"
#include "base/default_answer_prompts.h"
#include "base/virtual_runtime.h"
#include "link/null_serial_backend.h"

namespace {

struct World {
  World()
      : session(
            runtime, prompts,
            [](const QString&) { return std::make_unique<ventari::NullSerialBackend>(); },
            [] { return QStringList{}; }, dir.filePath("settings.ini")) {
    session.link().port.SetOpen(true);
    session.displays().graph.pgraph1().SetSize(QSize(200, 100));
  }
  QTemporaryDir dir;
  ventari::VirtualRuntime runtime;
  ventari::DefaultAnswerPrompts prompts;
  ventari::Session session;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "twoaxis_fuzz";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  static World world;
  if (size == 0) return 0;
  const QByteArray text(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  ventari::Session& s = world.session;
  try {
    switch (data[0] % 7) {
      case 0:
        s.decoding().twoAxisReplies.OnD1Packet(text);
        break;
      case 1:
        s.decoding().twoAxisReplies.OnD2Packet(text);
        break;
      case 2:
        s.decoding().twoAxisReplies.OnD3Packet(text);
        break;
      case 3:
        s.decoding().twoAxisReplies.OnLarkvaneD2Packet(text);
        break;
      case 4:
        s.decoding().twoAxisReplies.OnLarkvaneD3Packet(text);
        break;
      case 5:
        s.window().menu.Check(ventari::MenuId::kUVcontinuous, data[0] & 0x80);
        s.decoding().dataDecoder.OnDataPacket(text);
        break;
      default:
        s.link().matchers.DataPacket.SetEnabled(true);
        s.link().matcherGroup.Receive(data + 1, size - 1);
        break;
    }
  } catch (const std::exception&) {
    // Replies that are not numbers raise, as they should.
  }
  return 0;
}
