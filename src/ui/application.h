// The desktop application: the session on the Qt event loop, and every window, created once
// at start in a fixed order and only shown and hidden afterwards.
#pragma once

#include <QString>
#include <memory>

#include "app/session.h"
#include "base/qt_runtime.h"
#include "ui/qt_prompts.h"

namespace ventari {

class HelpWindow;
class TFrm3AxisConfig;
class TFrmAbout;
class TFrmAlarm;
class TFrmAnalogue;
class TFrmAnemType;
class TFrmAnemcomms;
class TFrmAveraging;
class TFrmLVAnalogue;
class TFrmOutFormat;
class TFrmDataDisplay;
class TFrmGraph;
class TFrmMain;
class TFrmPorts;
class TFrmPublish;
class TFrmTabDisp;
class TFrmTerminal;
class PortParameters;
class ComPortOptions;
class TFrmTest;
class TFrmUserName;
class TFrmStatistics;
class TFrmWindsock;

class Application {
 public:
  struct Options {
    QString settingsFile;     // empty: the user's settings store
    QString portName;         // empty: the stored port
    bool simulators = false;  // list the simulated ports whatever port is in use
    bool dark = false;        // the dark palette (--dark), whatever the settings say
  };

  explicit Application(const Options& options);
  ~Application();

  // Creates the windows, shows the main window and runs the event loop until it closes.
  int Start();

  Session& session() { return *session_; }
  TFrmMain& mainWindow() { return *frmMain_; }

  // Every port name the ports dialog offers: this machine's ports, then the simulated ones when
  // the port in use is simulated or the options ask for them.
  QStringList AvailablePorts() const;

 private:
  void CreateWindows();
  void ConnectMenu();
  void ShowGraph();
  void ShowWindsock();
  void ShowTabular();
  void ShowAlarm();
  // The test window's pages of flash, EEPROM and diagnostics, their windows, and the printer
  // its reports go to.
  void InstallServicePages(Service& service);
  void ConnectTwoAxisConfiguration();
  // Before the setup: the tabular display (unless it logs), the windsock and the graph close.
  void CloseLiveWindowsForSetup();

  Options options_;
  QtRuntime runtime_;
  QtPrompts prompts_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<TFrmMain> frmMain_;
  // The terminal's "Set parameters": the port's settings and their dialog.
  std::unique_ptr<PortParameters> portParameters_;
  std::unique_ptr<ComPortOptions> comPortOptions_;
  TFrmAbout* frmAbout_ = nullptr;
  TFrmUserName* frmUserName_ = nullptr;
  TFrmAnemType* frmAnemType_ = nullptr;
  TFrmPorts* frmPorts_ = nullptr;
  TFrmPublish* frmPublish_ = nullptr;
  TFrmTerminal* frmTerminal_ = nullptr;
  TFrmDataDisplay* frmDataDisplay_ = nullptr;
  TFrmGraph* frmGraph_ = nullptr;
  TFrmTest* frmTest_ = nullptr;
  TFrmWindsock* frmWindsock_ = nullptr;
  TFrmStatistics* frmStatistics_ = nullptr;
  TFrmAlarm* frmAlarm_ = nullptr;
  TFrmTabDisp* frmTabDisp_ = nullptr;
  TFrmAnemcomms* frmAnemcomms_ = nullptr;
  TFrmOutFormat* frmOutFormat_ = nullptr;
  TFrmAnalogue* frmAnalogue_ = nullptr;
  TFrmLVAnalogue* frmLvAnalogue_ = nullptr;
  TFrmAveraging* frmAveraging_ = nullptr;
  TFrm3AxisConfig* frm3AxisConfig_ = nullptr;
  HelpWindow* help_ = nullptr;
};

}  // namespace ventari
