#include "link/terminal_model.h"

#include <QFileInfo>
#include <memory>

namespace ventari {
namespace {

const QString kLogDialogCaption = QStringLiteral("Select log file");
const QString kLogDefaultName = QStringLiteral("test.dat");
const QString kLogFilter =
    QStringLiteral("data files (*.dat);;text files (*.txt);;all files (*.*)");
const QString kFileError =
    QStringLiteral("Can't perform one of the following file operations: Open, Close.");

}  // namespace

TerminalModel::TerminalModel(Runtime& runtime, SerialPort& port, Prompts& prompts)
    : runtime_(runtime), port_(port), prompts_(prompts) {
  Reattach();
  stateReceiver_ = port_.AddStateConsumer([this](bool) { RefreshStatus(); });
  RefreshStatus();
}

TerminalModel::~TerminalModel() {
  runtime_.Cancel(writeFailureTold_);
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
    // Told once this delivery has reached every consumer; capture is off now.
    if (writeFailureTold_ == 0) {
      writeFailureTold_ = runtime_.Schedule(0, [this] {
        writeFailureTold_ = 0;
        ShowFileError();
      });
    }
    statusChanged_.Notify();
  }
  screen_.Write(bytes);
  changed_.Notify();
}

void TerminalModel::Type(std::uint8_t byte) {
  if (!port_.IsOpen()) {
    // A vanished port's notice already says why nothing goes out.
    if (!portNotice_.isEmpty()) return;
    portStatus_ = PortText(port_) + QStringLiteral(" - port closed, keys not sent");
    NotifyStatus();
    return;
  }
  port_.PutChar(byte);
}

void TerminalModel::TypeLine(const QByteArray& text) {
  QByteArray keys = text;
  keys.replace("\r\n", "\r");
  keys.replace('\n', '\r');
  keys.append('\r');
  for (const char key : keys) {
    Type(static_cast<std::uint8_t>(key));
    Pause(key == '*' ? kAfterStarMs : kTimerTickMs);
  }
}

void TerminalModel::Pause(int ms) {
  // Shared with the event, which outlives a wait that an error ends.
  const auto due = std::make_shared<bool>(false);
  runtime_.Schedule(ms, [due] { *due = true; });
  runtime_.WaitUntil([due] { return *due; });
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
  NotifyStatus();
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
    NotifyStatus();
    return;
  }
  const QString path = ChooseLogFile();
  if (!path.isEmpty()) StartLog(path);
}

QString TerminalModel::ChooseLogFile() {
  for (;;) {
    const QString chosen = prompts_.ChooseSaveFile(kLogDialogCaption, kLogDefaultName, kLogFilter);
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty()) return chosen;
    const QString path = chosen + QStringLiteral(".dat");
    if (!QFileInfo::exists(path) ||
        prompts_.Ask(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path),
                     kLogDialogCaption,
                     {PromptButton::kNo, PromptButton::kYes}) == PromptButton::kYes) {
      return path;
    }
  }
}

bool TerminalModel::StartLog(const QString& path) {
  if (!capture_.Start(path)) {
    // The entry offers to start again, and the status line does not claim a log.
    logStatus_ = QStringLiteral(" Not logging: ") + path + QStringLiteral(" could not be created");
    ShowFileError();
    NotifyStatus();
    return false;
  }
  logEntryStops_ = true;
  logStatus_ = QStringLiteral(" Logging data to ...") + path;
  NotifyStatus();
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
  NotifyStatus();
}

void TerminalModel::NotifyStatus() {
  statusChanged_.Notify();
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
