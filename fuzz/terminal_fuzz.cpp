// Drives the terminal's model with a program read from the input: received bytes in chunks,
// typed keys on an open or closed port, Backspace, the Insert key, clearing, fewer or more rows,
// and capture started and stopped; the screen must stay within its bounds.
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "base/default_answer_prompts.h"
#include "base/virtual_runtime.h"
#include "link/null_serial_backend.h"
#include "link/terminal_model.h"

namespace ventari {
namespace {

void CheckBounds(const TerminalScreen& screen) {
  const std::size_t most = static_cast<std::size_t>(
      screen.Rows() + (screen.ScrollBack() ? TerminalScreen::kScrollBackLines : 0));
  if (screen.Lines().empty() || screen.Lines().size() > most) std::abort();
  for (const QString& line : screen.Lines()) {
    if (line.size() > TerminalScreen::kMaxColumns) std::abort();
  }
  if (screen.Column() > screen.Lines().back().size()) std::abort();
}

}  // namespace
}  // namespace ventari

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ventari;
  static QTemporaryDir dir;
  VirtualRuntime runtime;
  SerialPort port(runtime, [](const QString&) { return std::make_unique<NullSerialBackend>(); });
  port.SetOpen(true);
  DefaultAnswerPrompts prompts;
  TerminalModel terminal(runtime, port, prompts);
  std::size_t at = 0;
  while (at < size) {
    const std::uint8_t op = data[at++];
    const std::uint8_t arg = at < size ? data[at] : 0;
    switch (op % 8) {
      case 0: {
        const std::size_t count = std::min<std::size_t>(arg, size - at);
        terminal.Receive({data + at, count});
        at += count;
        break;
      }
      case 1:
        terminal.Type(arg);
        ++at;
        break;
      case 2:
        terminal.Backspace();
        break;
      case 3:
        terminal.ToggleScrollBack();
        break;
      case 4:
        terminal.ClearTerminal();
        break;
      case 5:
        terminal.Screen().SetRows(arg % 64);
        ++at;
        break;
      case 6:
        if (terminal.Capture().IsOn()) {
          terminal.Close();
        } else {
          terminal.StartLog(dir.filePath(QStringLiteral("fuzz.dat")));
        }
        break;
      case 7:
        port.SetOpen(!port.IsOpen());
        break;
    }
    CheckBounds(terminal.Screen());
  }
  return 0;
}
