// The whole core on virtual time against simulated anemometers: a Session whose "sim:" ports
// open in-process instruments, with scripted prompts, a settings file of its own and a tap on
// the line. The logs are dated on the virtual time from a fixed start, so that a run writes the
// same files every time.
#pragma once

#include <QDateTime>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>

#include "app/session.h"
#include "base/virtual_runtime.h"
#include "sim/sim_serial_port.h"
#include "support/line_tap.h"
#include "support/scripted_line.h"
#include "support/scripted_prompts.h"

namespace ventari::test {

class SimSession {
 public:
  explicit SimSession(sim::InstrumentOptions options = {});

  // What the logs' clock says at virtual time 0: 09/12/2026 19:00:00.
  static QDateTime LogClockStart();

  // Stores the settings of a previous run: the port and its rate.
  void StoreSettings(const QString& portName, int baud);
  // The main window's first show with `portName` as the port for this run.
  void Start(const QString& portName);
  // The main window's first show and activation.
  void StartAndSearch(const QString& portName);

  // Three-axis settings ("WINDREP AXIS", ...) typed straight into configuration mode, then the
  // anemometer found again so its listing is read.
  void Configure(std::initializer_list<const char*> settings);

  sim::Instrument& InstrumentOn(const QString& portName) { return *ports.InstrumentFor(portName); }
  const MenuEntry& Menu(MenuId id) { return session.window().menu.Entry(id); }

  QTemporaryDir dir;
  VirtualRuntime rt;
  ScriptedLine silentLine{rt};  // what every name that is not simulated opens
  ScriptedPrompts prompts{[this] { return rt.NowMs(); }};
  sim::SimulatedPorts ports;
  LineTap tap{rt};
  Session session;
};

}  // namespace ventari::test
