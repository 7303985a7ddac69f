#include "ui/application.h"

#include <QApplication>

#include "base/string_table.h"
#include "link/qt_serial_port.h"
#include "sim/sim_serial_port.h"
#include "ui/frm_about.h"
#include "ui/frm_alarm.h"
#include "ui/frm_anem_type.h"
#include "ui/frm_data_display.h"
#include "ui/frm_graph.h"
#include "ui/frm_main.h"
#include "ui/frm_ports.h"
#include "ui/frm_user_name.h"
#include "ui/frm_windsock.h"
#include "ui/help_window.h"
#include "ui/live_window.h"

namespace ventari {

Application::Application(const Options& options) : options_(options) {
  QApplication::setApplicationName(QStringLiteral("Ventari"));
  session_ = std::make_unique<Session>(
      runtime_, prompts_, sim::MakeSimulatedPortFactory(runtime_, QtSerialPort::Factory()),
      options_.settingsFile);
  session_->availablePorts = &Application::AvailablePorts;
  if (!options_.portName.isEmpty()) session_->portOverride = options_.portName;
}

Application::~Application() = default;

QStringList Application::AvailablePorts() {
  return QtSerialPort::AvailablePortNames() + sim::SimulatedPorts::Names();
}

void Application::CreateWindows() {
  // The order in which the windows are created is the order they are listed in at start.
  frmMain_ = std::make_unique<TFrmMain>(*session_);
  prompts_.SetParent(frmMain_.get());
  frmAbout_ = new TFrmAbout(frmMain_.get());
  frmUserName_ = new TFrmUserName(
      prompts_, [this](const QString& name) { session_->settings.UserName = name; },
      frmMain_.get());
  frmGraph_ = new TFrmGraph(session_->graph, frmMain_.get());
  frmAnemType_ = new TFrmAnemType(session_->state, frmMain_.get());
  frmWindsock_ = new TFrmWindsock(session_->windsockWindow, frmMain_.get());
  frmPorts_ = new TFrmPorts(session_->portsDialog, *frmMain_);
  frmDataDisplay_ = new TFrmDataDisplay(session_->dataDisplay, frmMain_.get());
  frmAlarm_ = new TFrmAlarm(session_->alarm, frmMain_.get());

  Session& s = *session_;
  QObject::connect(&frmGraph_->Live(), &LiveWindow::Closed, frmGraph_, [&s] {
    s.liveShown.graph = false;
    s.LiveWindowClosed();
  });
  QObject::connect(&frmWindsock_->Live(), &LiveWindow::Closed, frmWindsock_, [&s] {
    s.liveShown.windsock = false;
    s.LiveWindowClosed();
  });
  // Closing the main window closes the live windows first.
  s.AddCloseHook([this] {
    frmGraph_->close();
    frmWindsock_->close();
    if (session_->alarm.View().visible) session_->alarm.FormClose();
  });
  help_ = new HelpWindow(frmMain_.get());
}

void Application::ConnectMenu() {
  TFrmMain& main = *frmMain_;
  Session& s = *session_;
  main.SetCommand(QStringLiteral("Resynchronise"), [&s] { s.discovery.Resynchronise(); });
  main.SetCommand(QStringLiteral("Exit1"), [&main] { main.close(); });
  main.SetCommand(QStringLiteral("UVcontinuous"), [&s] { s.modes.UvCommand(); });
  main.SetCommand(QStringLiteral("Polarcontinuous"), [&s] { s.modes.PolarCommand(); });
  main.SetCommand(QStringLiteral("Anemometertype1"), [this] { frmAnemType_->Execute(); });
  main.SetCommand(QStringLiteral("Ports"), [this] { frmPorts_->Execute(AvailablePorts()); });
  main.SetCommand(QStringLiteral("DataDisplay"), [this] {
    frmDataDisplay_->show();
    frmDataDisplay_->raise();
  });
  main.SetCommand(QStringLiteral("Graph1"), [this] { ShowGraph(); });
  main.SetCommand(QStringLiteral("Windsock1"), [this] { ShowWindsock(); });
  main.SetCommand(QStringLiteral("Alarm"), [&s] {
    const auto outcome = s.liveCommands.Alarm();
    if (outcome.show) s.alarm.Show();
    if (outcome.startContinuous) s.liveCommands.StartContinuous();
  });
  main.SetCommand(QStringLiteral("Test1"), [this] { frmUserName_->show(); });
  main.SetCommand(QStringLiteral("About1"), [this] { frmAbout_->exec(); });
  main.SetCommand(QStringLiteral("Terminalcommandlist1"),
                  [this] { help_->ShowTopic(QStringLiteral("Contents")); });
}

void Application::ShowGraph() {
  Session& s = *session_;
  const auto outcome = s.liveCommands.Graph();
  if (!outcome.show) return;
  s.liveShown.graph = true;
  frmGraph_->show();
  frmGraph_->raise();
  if (outcome.startContinuous) s.liveCommands.StartContinuous();
}

void Application::ShowWindsock() {
  const auto outcome = session_->liveCommands.Windsock();
  if (!outcome.show) return;
  session_->liveShown.windsock = true;
  frmWindsock_->showNormal();
  frmWindsock_->raise();
  if (outcome.startContinuous) session_->liveCommands.StartContinuous();
}

int Application::Start() {
  CreateWindows();
  ConnectMenu();
  frmMain_->show();
  return QApplication::exec();
}

}  // namespace ventari
