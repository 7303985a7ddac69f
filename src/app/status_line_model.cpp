#include "app/status_line_model.h"

#include <QStringList>

#include "app/discovery.h"
#include "app/port_recovery.h"
#include "displays/data_display.h"
#include "displays/tabular_display.h"
#include "link/command_channel.h"
#include "link/record_collector.h"
#include "link/serial_port.h"
#include "link/terminal_model.h"

namespace ventari {
namespace {

QChar ParityLetter(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return u'O';
    case Parity::kEven:
      return u'E';
    case Parity::kMark:
      return u'M';
    case Parity::kSpace:
      return u'S';
    case Parity::kNone:
      break;
  }
  return u'N';
}

// Tenths of a second, cut rather than rounded: "0.1 s" once 100 ms have passed.
QString Seconds(std::int64_t ms) {
  const std::int64_t tenths = ms / 100;
  return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

}  // namespace

StatusLineModel::StatusLineModel(const Parts& parts)
    : p_(parts), age_(parts.runtime, kAgeStepMs, /*periodic=*/true) {
  age_.SetHandler([this] { AgeStep(); });
  portState_ = p_.port.AddStateConsumer([this](bool) { Refresh(); });
  const auto refresh = [this] { Refresh(); };
  // The displays change with every record; only their logs concern the line.
  const auto files = [this] {
    if (LogFiles() != files_) Refresh();
  };
  const auto record = [this] { RecordArrived(); };
  watched_ = {
      {&p_.channel.ConfigModeChanged(), p_.channel.ConfigModeChanged().Subscribe(refresh)},
      {&p_.discovery.Progress(), p_.discovery.Progress().Subscribe(refresh)},
      {&p_.dataDisplay.Changed(), p_.dataDisplay.Changed().Subscribe(files)},
      {&p_.tabular.Changed(), p_.tabular.Changed().Subscribe(files)},
      // The terminal hears of every change of the port's line and of its capture.
      {&p_.terminal.StatusChanged(), p_.terminal.StatusChanged().Subscribe(refresh)},
  };
  for (RecordCollector* records :
       {&p_.twoAxisRecords, &p_.triAxisAsciiRecords, &p_.triAxisBinaryRecords}) {
    watched_.push_back({&records->WholeRecord(), records->WholeRecord().Subscribe(record)});
  }
  Refresh();
}

StatusLineModel::~StatusLineModel() {
  for (const auto& [notifier, subscription] : watched_) notifier->Unsubscribe(subscription);
  p_.port.RemoveStateConsumer(portState_);
}

void StatusLineModel::RecordArrived() {
  recordTimes_.push_back(p_.runtime.NowMs());
  // While records flow, the step tells them.
  if (age_.IsActive()) return;
  age_.Start();
  AgeStep();
}

void StatusLineModel::AgeStep() {
  const std::int64_t now = p_.runtime.NowMs();
  while (!recordTimes_.empty() && now - recordTimes_.front() >= kRateWindowMs) {
    recordTimes_.pop_front();
  }
  if (recordTimes_.empty()) age_.Stop();
  data_ = DataSection();
  Refresh();
}

void StatusLineModel::Refresh() {
  const auto joined = [](const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty()) return first + second;
    return first + QStringLiteral(" | ") + second;
  };
  const QString connection = joined(PortSection(), StateSection());
  const QString flow = joined(IdentitySection(), data_);
  const QString files = LogFiles();
  const QString advice = NextSteps();
  if (connection == connection_ && flow == flow_ && files == files_ && advice == advice_) return;
  connection_ = connection;
  flow_ = flow;
  files_ = files;
  advice_ = advice;
  changed_.Notify();
}

QString StatusLineModel::PortSection() const {
  const LineSettings& line = p_.port.Line();
  return QStringLiteral("%1 %2 %3%4%5")
      .arg(p_.port.Name())
      .arg(line.baud)
      .arg(line.dataBits)
      .arg(ParityLetter(line.parity))
      .arg(line.stopBits);
}

QString StatusLineModel::StateSection() const {
  if (!p_.port.IsOpen()) {
    return p_.recovery.PortAway() ? QStringLiteral("lost, waiting for it to return")
                                  : QStringLiteral("port closed");
  }
  if (p_.discovery.SearchTry() > 0) {
    return QStringLiteral("searching at %1 baud, try %2 of %3")
        .arg(p_.port.Line().baud)
        .arg(p_.discovery.SearchTry())
        .arg(Discovery::kSearchTries);
  }
  if (p_.discovery.Identifying()) return QStringLiteral("found, identifying");
  if (p_.channel.InConfigMode()) return QStringLiteral("configuration mode");
  if (p_.discovery.Found()) return QStringLiteral("found");
  if (p_.discovery.Searched()) return QStringLiteral("no anemometer answered");
  return {};
}

QString StatusLineModel::IdentitySection() const {
  if (!p_.state.Model || !p_.discovery.Found() || p_.discovery.Identifying()) return {};
  return QStringLiteral("%1, serial %2, firmware %3")
      .arg(p_.state.ModelCaption.trimmed(), p_.state.SerialNumber.trimmed(),
           p_.state.SoftwareVersion.trimmed());
}

QString StatusLineModel::DataSection() const {
  if (recordTimes_.empty()) return {};
  const QString age =
      QStringLiteral("last %1 s ago").arg(Seconds(p_.runtime.NowMs() - recordTimes_.back()));
  const std::int64_t span = recordTimes_.back() - recordTimes_.front();
  if (span <= 0) return age;
  // The rate between the first and the last record of the window.
  const double rate = 1000.0 * static_cast<double>(recordTimes_.size() - 1) / span;
  return QStringLiteral("%1 records/s, %2").arg(rate, 0, 'f', 1).arg(age);
}

QString StatusLineModel::LogFiles() const {
  QStringList files;
  if (p_.dataDisplay.Logging()) files << QStringLiteral("logging to ") + p_.dataDisplay.FileName();
  if (p_.tabular.Logging() || p_.tabular.BinaryLogOpen())
    files << QStringLiteral("logging to ") + p_.tabular.FileName();
  if (p_.terminal.Capture().IsOn()) {
    files << QStringLiteral("capturing to ") + p_.terminal.Capture().FileName();
  }
  return files.join(QStringLiteral(", "));
}

QString StatusLineModel::NextSteps() const {
  if (!p_.port.IsOpen() || p_.recovery.Waiting() || p_.discovery.SearchTry() > 0 ||
      !p_.discovery.Searched() || p_.discovery.Found()) {
    return {};
  }
  return QStringLiteral(
             "No anemometer answered on %1 at any rate.\n"
             "Check that it is connected and powered, then choose its port under Ports in the "
             "menu bar, or try Ventari with a simulated anemometer: start it with "
             "--port sim:kestrix2")
      .arg(p_.port.Name());
}

}  // namespace ventari
