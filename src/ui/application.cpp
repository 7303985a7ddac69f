#include "ui/application.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

#include "app/port_parameters.h"
#include "base/errors.h"
#include "base/string_table.h"
#include "link/qt_serial_port.h"
#include "sim/sim_serial_port.h"
#include "ui/com_port_options.h"
#include "ui/dark_palette.h"
#include "ui/diagnostics_page.h"
#include "ui/flash_page.h"
#include "ui/frm_3axis_config.h"
#include "ui/frm_about.h"
#include "ui/frm_alarm.h"
#include "ui/frm_analogue.h"
#include "ui/frm_anem_type.h"
#include "ui/frm_anemcomms.h"
#include "ui/frm_averaging.h"
#include "ui/frm_data_display.h"
#include "ui/frm_ext_tests.h"
#include "ui/frm_flash.h"
#include "ui/frm_graph.h"
#include "ui/frm_lv_analogue.h"
#include "ui/frm_main.h"
#include "ui/frm_out_format.h"
#include "ui/frm_ports.h"
#include "ui/frm_publish.h"
#include "ui/frm_statistics.h"
#include "ui/frm_tab_disp.h"
#include "ui/frm_terminal.h"
#include "ui/frm_test.h"
#include "ui/frm_user_name.h"
#include "ui/frm_windsock.h"
#include "ui/guarded_handler.h"
#include "ui/hardware_page.h"
#include "ui/help_window.h"
#include "ui/larkvane_check_page.h"
#include "ui/larkvane_final_page.h"
#include "ui/larkvane_select_page.h"
#include "ui/larkvane_software_page.h"
#include "ui/live_window.h"
#include "ui/nvm_page.h"
#include "ui/path_lengths_page.h"
#include "ui/report_printer.h"
#include "ui/sos_page.h"
#include "ui/window_placement.h"

namespace ventari {

Application::Application(const Options& options) : options_(options) {
  QApplication::setApplicationName(QStringLiteral("Ventari"));
  runtime_.SetErrorHandler([this](const std::exception& error) { ShowError(prompts_, error); });
  session_ = std::make_unique<Session>(
      runtime_, prompts_, sim::MakeSimulatedPortFactory(runtime_, QtSerialPort::Factory()),
      [this] { return AvailablePorts(); }, options_.settingsFile);
  session_->recovery().adapterOf = &QtSerialPort::AdapterOf;
  session_->recovery().portOfAdapter = &QtSerialPort::PortOfAdapter;
  if (!options_.portName.isEmpty()) session_->portOverride = options_.portName;
  if (options_.dark || session_->settings().DarkPaletteStored()) UseDarkPalette();
}

Application::~Application() = default;

QStringList Application::AvailablePorts() const {
  return sim::SimulatedPorts::Offered(QtSerialPort::AvailablePortNames(),
                                      session_->link().port.Name(), options_.simulators);
}

void Application::CreateWindows() {
  // The order in which the windows are created is the order they are listed in at start.
  Session& s = *session_;
  frmMain_ = std::make_unique<TFrmMain>(
      s.window(), s.statusLine(), s.publishing(),
      TFrmMain::Actions{[&s] { s.OnFirstShow(s.AvailablePorts()); },
                        [&s] { s.commands().discovery.OnActivate(); },
                        [&s] {
                          // The windows still open (the terminal, the data display ...)
                          // go with the main window, whatever closing met.
                          const auto quit = qScopeGuard([] { QCoreApplication::quit(); });
                          s.Close();
                        }});
  prompts_.SetParent(frmMain_.get());
  frmTerminal_ = new TFrmTerminal(s.link().terminal, frmMain_.get());
  portParameters_ = std::make_unique<PortParameters>(
      s.link().port, prompts_, [&s] { return s.AvailablePorts(); }, s.link().terminal,
      s.link().portChosen, [this] { frmTerminal_->Terminal1().setFocus(); });
  comPortOptions_ = std::make_unique<ComPortOptions>(*portParameters_);
  frmTerminal_->SetSetParameters([this] { comPortOptions_->SetParameters(frmTerminal_); });
  frmAbout_ = new TFrmAbout(frmMain_.get());
  frmPublish_ = new TFrmPublish(s.publishing(), prompts_, frmMain_.get());
  frmUserName_ = new TFrmUserName(
      prompts_,
      [this](const QString& name) {
        session_->SetOperator(name);
        frmTest_->Execute();
      },
      frmMain_.get());
  frmGraph_ = new TFrmGraph(session_->displays().graph, frmMain_.get());
  frmTest_ = new TFrmTest(
      s.service().testWindow, [this] { help_->ShowTopic(QStringLiteral("Contents")); },
      frmMain_.get());
  InstallServicePages(s.service());
  frmAnemType_ = new TFrmAnemType(session_->anemometer().state, frmMain_.get());
  frmWindsock_ = new TFrmWindsock(session_->displays().windsockWindow, frmMain_.get());
  frmPorts_ = new TFrmPorts(session_->commands().portsDialog, *frmMain_);
  frmDataDisplay_ = new TFrmDataDisplay(session_->displays().dataDisplay, frmMain_.get());
  frmAlarm_ = new TFrmAlarm(session_->displays().alarm, frmMain_.get());
  frmTabDisp_ = new TFrmTabDisp(session_->displays().tabular, frmMain_.get());
  frmStatistics_ = new TFrmStatistics(session_->displays().statistics, prompts_, frmMain_.get());
  TwoAxisDialogs& dialogs = session_->commands().twoAxisDialogs;
  frmAnemcomms_ = new TFrmAnemcomms(dialogs.comms, frmMain_.get());
  frmOutFormat_ = new TFrmOutFormat(dialogs.outputFormat, frmMain_.get());
  frmAnalogue_ = new TFrmAnalogue(dialogs.analogue, frmMain_.get());
  frmLvAnalogue_ = new TFrmLVAnalogue(dialogs.lvAnalogue, frmMain_.get());
  frmAveraging_ = new TFrmAveraging(dialogs.averaging, frmMain_.get());

  LiveWindowCommands& live = s.commands().liveCommands;
  const auto closes = [&live](auto* window, LiveWindowKind kind) {
    OnSignal(&window->Live(), &LiveWindow::Closed, window, [&live, kind] { live.Close(kind); });
  };
  closes(frmGraph_, LiveWindowKind::kGraph);
  closes(frmWindsock_, LiveWindowKind::kWindsock);
  closes(frmTabDisp_, LiveWindowKind::kTabular);
  closes(frmStatistics_, LiveWindowKind::kStatistics);
  // Closing the main window closes the live windows (their logs already ended) and the test
  // window.
  s.AddCloseHook([this] {
    frmTest_->close();
    frmGraph_->close();
    frmWindsock_->close();
    frmTabDisp_->close();
    frmStatistics_->close();
  });
  frm3AxisConfig_ = new TFrm3AxisConfig(s.commands().setup, frmMain_.get());
  s.commands().liveCommands.ClosedForSetup().Subscribe([this] { CloseLiveWindowsForSetup(); });
  help_ = new HelpWindow(frmMain_.get());
}

void Application::CloseLiveWindowsForSetup() {
  const LiveWindowCommands& live = session_->commands().liveCommands;
  if (!live.IsShown(LiveWindowKind::kTabular)) frmTabDisp_->close();
  if (!live.IsShown(LiveWindowKind::kWindsock)) frmWindsock_->close();
  if (!live.IsShown(LiveWindowKind::kGraph)) frmGraph_->close();
  if (!live.IsShown(LiveWindowKind::kStatistics)) frmStatistics_->close();
}

void Application::ConnectMenu() {
  TFrmMain& main = *frmMain_;
  Session& s = *session_;
  main.SetCommand(MenuId::kResynchronise, [&s] { s.commands().discovery.Resynchronise(); });
  main.SetCommand(MenuId::kPublish, [this] { frmPublish_->Execute(); });
  main.SetCommand(MenuId::kExit1, [&main] { main.close(); });
  main.SetCommand(MenuId::kUVcontinuous, [&s] { s.commands().modes.UvCommand(); });
  main.SetCommand(MenuId::kPolarcontinuous, [&s] { s.commands().modes.PolarCommand(); });
  main.SetCommand(MenuId::kAnemometertype1, [this] { frmAnemType_->Execute(); });
  main.SetCommand(MenuId::kPorts, [this] { frmPorts_->Execute(AvailablePorts()); });
  main.SetCommand(MenuId::kDataDisplay, [this] {
    frmDataDisplay_->show();
    frmDataDisplay_->raise();
  });
  main.SetCommand(MenuId::kGraph1, [this] { ShowGraph(); });
  main.SetCommand(MenuId::kWindsock1, [this] { ShowWindsock(); });
  main.SetCommand(MenuId::kTabular, [this] { ShowTabular(); });
  main.SetCommand(MenuId::kAlarm, [this] { ShowAlarm(); });
  main.SetCommand(MenuId::kStatistics, [this] {
    session_->commands().liveCommands.Open(LiveWindowKind::kStatistics, [this] {
      frmStatistics_->showNormal();
      frmStatistics_->raise();
    });
  });
  main.SetCommand(MenuId::kMi3AxisConfig, [this] { frm3AxisConfig_->Execute(); });
  main.SetCommand(MenuId::kTest1, [this] { frmUserName_->show(); });
  main.SetCommand(MenuId::kAbout1, [this] { frmAbout_->exec(); });
  main.SetCommand(MenuId::kTerminal1, [this, &s] {
    if (!s.settings().IsPrivileged()) return;
    frmTerminal_->show();
    frmTerminal_->raise();
    prompts_.ShowMessage(QStringLiteral("Manual changes to Anemometer settings within Terminal "
                                        "will not be updated within the Ventari menu system."),
                         QStringLiteral("Warning"));
  });
  main.SetCommand(MenuId::kTerminalcommandlist1,
                  [this] { help_->ShowTopic(QStringLiteral("Contents")); });
  ConnectTwoAxisConfiguration();
}

void Application::InstallServicePages(Service& service) {
  // The flash and downcount windows stand beside the test window and show themselves.
  new TFrmFlash(service.flashProgrammer, frmMain_.get());
  new TFrmExtTests(service.extTests, frmMain_.get());
  frmTest_->SetPageWidget(TestPage::kFlashMemory, new FlashPage(service.flashPage));
  frmTest_->SetPageWidget(TestPage::kNonVolatileMemory, new NvmPage(service.nvmPage));
  frmTest_->SetPageWidget(TestPage::kHardwareDiagnostics,
                          new HardwarePage(service.hardwareChecks, nullptr));
  auto* diagnostics = new DiagnosticsPage(service.diagnostics, nullptr);
  OnSignal(&diagnostics->BtnSkip5(), &QPushButton::clicked, diagnostics,
           [&service] { service.testWindow.Next(TestPage::kSoftwareDiagnostics); });
  frmTest_->SetPageWidget(TestPage::kSoftwareDiagnostics, diagnostics);
  // The reports print on the test window's printer; the printer goes with the window.
  service.reports = new ReportPrinter(frmTest_->Printer(), prompts_, frmTest_);
  frmTest_->SetPageWidget(TestPage::kTxdrPathLengths,
                          new PathLengthsPage(service.pathLengths, nullptr));
  frmTest_->SetPageWidget(TestPage::kCalibrateSos, new SosPage(service.sosCalibration, nullptr));
  frmTest_->SetPageWidget(TestPage::kSelectTest,
                          new LarkvaneSelectPage(service.larkvaneChecks, nullptr));
  for (TestPage page : {TestPage::kPartA, TestPage::kPartB, TestPage::kPartBHardware}) {
    frmTest_->SetPageWidget(page, new LarkvaneCheckPage(service.larkvaneChecks, page, nullptr));
  }
  frmTest_->SetPageWidget(TestPage::kPartBSoftware,
                          new LarkvaneSoftwarePage(service.larkvaneSoftwareTest, nullptr));
  frmTest_->SetPageWidget(TestPage::kPartC, new LarkvaneFinalPage(service.larkvaneFinalAssembly,
                                                                  service.larkvaneReport, nullptr));
}

void Application::ConnectTwoAxisConfiguration() {
  TFrmMain& main = *frmMain_;
  Session& s = *session_;
  AlignmentHeating& entries = s.commands().twoAxisDialogs.alignmentHeating;
  main.SetCommand(MenuId::kAnemcomms, [this] { frmAnemcomms_->Execute(); });
  main.SetCommand(MenuId::kOutputformat, [this] { frmOutFormat_->Execute(); });
  main.SetCommand(MenuId::kAnalogueoutputs, [this, &s] {
    if (s.anemometer().state.TypeCode == QLatin1String("Y")) {
      frmLvAnalogue_->Execute();
    } else {
      frmAnalogue_->Execute();
    }
  });
  main.SetCommand(MenuId::kAveraging1, [this] { frmAveraging_->Execute(); });
  const std::pair<MenuId, AlignmentMark> alignments[] = {
      {MenuId::kAlignUV, AlignmentMark::kUv},
      {MenuId::kAlignUVOffset, AlignmentMark::kUvOffset},
      {MenuId::kAlignUVinverted, AlignmentMark::kUvInverted},
      {MenuId::kAlignUVinvertedoffset, AlignmentMark::kUvInvertedOffset}};
  for (const auto& [entry, alignment] : alignments) {
    main.SetCommand(entry, [&entries, alignment = alignment] { entries.Align(alignment); });
  }
  main.SetCommand(MenuId::kHeatingEnabled, [&entries] { entries.Heat(true); });
  main.SetCommand(MenuId::kHeatingDisabled, [&entries] { entries.Heat(false); });
}

void Application::ShowGraph() {
  session_->commands().liveCommands.Open(LiveWindowKind::kGraph, [this] {
    frmGraph_->show();
    frmGraph_->raise();
  });
}

void Application::ShowWindsock() {
  session_->commands().liveCommands.Open(LiveWindowKind::kWindsock, [this] {
    frmWindsock_->showNormal();
    frmWindsock_->raise();
  });
}

void Application::ShowTabular() {
  session_->commands().liveCommands.Open(LiveWindowKind::kTabular, [this] {
    frmTabDisp_->show();
    frmTabDisp_->raise();
    frmTabDisp_->activateWindow();
  });
}

void Application::ShowAlarm() {
  session_->commands().liveCommands.Open(LiveWindowKind::kAlarm, [this] {
    // An open alarm window comes to the front, as the graph and the windsock do.
    frmAlarm_->Live().SyncNow();
    frmAlarm_->raise();
    frmAlarm_->activateWindow();
  });
}

int Application::Start() {
  CreateWindows();
  ConnectMenu();
  CentreOnScreen(*frmMain_);
  frmMain_->show();
  return QApplication::exec();
}

}  // namespace ventari
