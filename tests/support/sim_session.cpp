#include "support/sim_session.h"

#include <QDateTime>
#include <QSettings>

namespace ventari::test {

QDateTime SimSession::LogClockStart() { return {QDate(2026, 12, 9), QTime(19, 0)}; }

SimSession::SimSession(sim::InstrumentOptions options)
    : ports(rt, silentLine.Factory(), std::move(options)),
      session(
          rt, prompts, tap.Wrap(ports.Factory()), [] { return sim::SimulatedPorts::Names(); },
          dir.filePath("settings.ini"), [this] { return LogClockStart().addMSecs(rt.NowMs()); }) {
  // A search that cannot end fails the test instead of running for ever.
  rt.SetDeadline(24LL * 3600 * 1000);
}

void SimSession::StoreSettings(const QString& portName, int baud) {
  QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
  store.setValue("Comport", 1);
  store.setValue("PortName", portName);
  store.setValue("Databits", 8);
  store.setValue("Parity", 0);
  store.setValue("Baudrate", baud);
  store.setValue("Averaging", 0);
  store.setValue("Units", 0);
  store.setValue("Gust", 0);
}

void SimSession::Start(const QString& portName) {
  session.portOverride = portName;
  session.OnFirstShow(session.AvailablePorts());
}

void SimSession::StartAndSearch(const QString& portName) {
  Start(portName);
  session.commands().discovery.OnActivate();
}

void SimSession::Configure(std::initializer_list<const char*> settings) {
  CommandChannel& channel = session.link().channel;
  channel.Command("IM");
  channel.Delay(500);
  for (const char* setting : settings) {
    channel.Command(setting);
    channel.Delay(500);
  }
  channel.Command("EXIT");
  channel.Delay(500);
  session.commands().discovery.Resynchronise();
}

}  // namespace ventari::test
