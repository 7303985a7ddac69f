#include "service/diagnostic_output.h"

namespace ventari {

DiagnosticOutput::DiagnosticOutput(ServiceLink link) : link_(link) {
  const auto handler = [this](TApdDataPacket&, const QByteArray& line) {
    if (listener_) listener_(line);
  };
  SystemMatchers& m = link_.matchers;
  for (TApdDataPacket* matcher :
       {&m.StatusPacket, &m.GainPacket, &m.DownCountsPacket, &m.PreloadPacket}) {
    matcher->SetStringHandler(handler);
  }
}

DiagnosticOutput::~DiagnosticOutput() {
  Disarm();
  SystemMatchers& m = link_.matchers;
  for (TApdDataPacket* matcher :
       {&m.StatusPacket, &m.GainPacket, &m.DownCountsPacket, &m.PreloadPacket}) {
    matcher->SetStringHandler(nullptr);
  }
}

template <typename Cells>
bool DiagnosticOutput::WriteInConfigMode(const char* first, const Cells& cells) {
  link_.channel.EnterConfigMode();
  const bool written = link_.channel.InConfigMode();
  if (written) {
    link_.channel.SendBare(kDebugAccessWord);
    if (first != nullptr) WriteCell(first);
    for (const char* cell : cells) WriteCell(cell);
  }
  link_.channel.LeaveConfigMode();
  return written;
}

void DiagnosticOutput::WriteCell(const char* write) {
  link_.channel.SendBare(write);
  const QList<QByteArray> fields = QByteArray(write).trimmed().split(' ');
  if (cellWritten && fields.size() == 3) {
    cellWritten(fields[1].toInt(), static_cast<std::uint8_t>(fields[2].toInt()));
  }
}

bool DiagnosticOutput::SwitchOn(DiagnosticTest test) {
  const DiagnosticTestInfo& info = InfoOf(test);
  const bool written = WriteInConfigMode(kDebugAllCell, info.cells);
  if (written) debugOn_ = true;
  link_.channel.SlowWait();
  (link_.matchers.*info.matcher).SetEnabled(true);
  return written;
}

void DiagnosticOutput::Disarm() {
  SystemMatchers& m = link_.matchers;
  for (TApdDataPacket* matcher : {&m.StatusPacket, &m.GainPacket, &m.DownCountsPacket,
                                  &m.PreloadPacket, &m.CoarseDiffPacket}) {
    matcher->SetEnabled(false);
  }
}

bool DiagnosticOutput::SwitchOff() {
  Disarm();
  const bool written = WriteInConfigMode(nullptr, kDebugOffCells);
  if (written) debugOn_ = false;
  return written;
}

}  // namespace ventari
