#include "link/terminal_model.h"

#include <QFileInfo>

namespace ventari {
namespace {

const QString kLogDialogCaption = QStringLiteral("Select log file");
const QString kLogDefaultName = QStringLiteral("test.dat");
const QString kLogFilter =
    QStringLiteral("data files (*.dat);;text files (*.txt);;all files (*.*)");
const QString kFileError =
    QStringLiteral("Can't perform one of the following file operations: Open, Close.");

}  // namespace

TerminalModel::TerminalModel(SerialPort& port, Prompts& prompts) : port_(port), prompts_(prompts) {
  Reattach();
  stateReceiver_ = port_.AddStateConsumer([this](bool) { RefreshStatus(); });
  RefreshStatus();
}

TerminalModel::~TerminalModel() {
  Detach();
  port_.RemoveStateConsumer(stateReceiver_);
  capture_.Stop();
}

QString TerminalModel::ParityName(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return QStringLiteral("Odd");
    case Parity::kEven:
      return QStringLiteral("Even");
    case Parity::kMark:
      return QStringLiteral("Mark");
    case Parity::kSpace:
      return QStringLiteral("Space");
    case Parity::kNone:
      break;
  }
  return QStringLiteral("None");
}

QString TerminalModel::PortText(const SerialPort& port) {
  const LineSettings& line = port.Line();
  return QStringLiteral(" %1 %2 %3 %4 %5")
      .arg(port.Name())
      .arg(line.dataBits)
      .arg(ParityName(line.parity))
      .arg(line.stopBits)
      .arg(line.baud);
}

void TerminalModel::Receive(std::span<const std::uint8_t> bytes) {
  if (capture_.IsOn() && !capture_.Write(bytes)) {
    logEntryStops_ = false;
    logStatus_ = QStringLiteral(" Log file ") + capture_.FileName() +
                 QStringLiteral(" could not be written: logging stopped");
    ShowFileError();
  }
  screen_.Write(bytes);
  changed_.Notify();
}

void TerminalModel::Type(std::uint8_t byte) {
  if (!port_.IsOpen()) {
    // A vanished port's notice already says why nothing goes out.
    if (!portNotice_.isEmpty()) return;
    portStatus_ = PortText(port_) + QStringLiteral(" - port closed, keys not sent");
    changed_.Notify();
    return;
  }
  port_.PutChar(byte);
}

void TerminalModel::ClearTerminal() {
  screen_.Clear();
  changed_.Notify();
}

void TerminalModel::ToggleScrollBack() {
  screen_.SetScrollBack(!screen_.ScrollBack());
  changed_.Notify();
}

void TerminalModel::RefreshStatus() {
  portStatus_ = portNotice_.isEmpty() ? PortText(port_) : QStringLiteral(" ") + portNotice_;
  changed_.Notify();
}

void TerminalModel::SetPortNotice(const QString& notice) {
  portNotice_ = notice;
  RefreshStatus();
}

QString TerminalModel::LogCaption() const {
  return logEntryStops_ ? QStringLiteral("&Stop log file") : QStringLiteral("&Start log file");
}

void TerminalModel::Datalogging1Click() {
  if (logEntryStops_) {
    StopLog();
    changed_.Notify();
    return;
  }
  QString path = prompts_.ChooseSaveFile(kLogDialogCaption, kLogDefaultName, kLogFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".dat");
  StartLog(path);
}

bool TerminalModel::StartLog(const QString& path) {
  if (!capture_.Start(path)) {
    // The entry offers to start again, and the status line does not claim a log.
    logStatus_ = QStringLiteral(" Not logging: ") + path + QStringLiteral(" could not be created");
    ShowFileError();
    changed_.Notify();
    return false;
  }
  logEntryStops_ = true;
  logStatus_ = QStringLiteral(" Logging data to ...") + path;
  changed_.Notify();
  return true;
}

void TerminalModel::StopLog() {
  logEntryStops_ = false;
  capture_.Stop();
  logStatus_ = QStringLiteral(" Log file ") + capture_.FileName() + QStringLiteral(" closed");
}

void TerminalModel::ShowFileError() {
  prompts_.Ask(kFileError, QStringLiteral("File Error"),
               {PromptButton::kOk, PromptButton::kCancel});
}

void TerminalModel::Close() {
  if (logEntryStops_) StopLog();
  changed_.Notify();
}

void TerminalModel::Detach() {
  if (receiver_ == 0) return;
  port_.RemoveReceiveConsumer(receiver_);
  receiver_ = 0;
}

void TerminalModel::Reattach() {
  if (receiver_ != 0) return;
  receiver_ =
      port_.AddReceiveConsumer([this](std::span<const std::uint8_t> bytes) { Receive(bytes); });
}

}  // namespace ventari
