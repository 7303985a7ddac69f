// The persisted settings: read when the main window is first shown, written when it closes.
// Also decides privileged (service) mode from the stored word.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "base/main_window_model.h"
#include "displays/windsock_selections.h"
#include "service/service_file_names.h"

class QSettings;

namespace ventari {

class LiveStatistics;
class SerialPort;
struct BrokerSettings;

inline constexpr char kSettingsOrganisation[] = "Calvarn Zurevuzizud";
inline constexpr char kSettingsApplication[] = "Ventari";
inline constexpr char kPrivilegedWord[] = "plinkster";
// Stored as true (or 1): the desktop application starts with its dark palette, as with --dark.
inline constexpr char kDarkPaletteKey[] = "DarkPalette";

class Settings {
 public:
  // What loading fills and saving reads.
  struct Targets {
    SerialPort& port;
    WindsockSelections& windsock;
    MainWindowModel& window;
    // Its period ("StatisticsMinutes"), 1 to 60 minutes; not stored: the default.
    LiveStatistics& statistics;
  };

  // `iniFile` empty: the user's settings store of the organisation and application above.
  // Otherwise that INI file (the executables' --settings FILE).
  explicit Settings(QString iniFile = {});
  ~Settings();

  // Where the user's settings store is: a file under the user's configuration folder on Linux
  // (XDG_CONFIG_HOME, ~/.config), a registry key on Windows.
  static QString UserStoreLocation();

  // `availablePorts` fills the ports dialog's list.
  void LoadSettings(const Targets& targets, const QStringList& availablePorts);
  // Writes the port's and the windsock's current settings; failures are ignored.
  void SaveSettings(const Targets& targets);

  // Whether the store asks for the dark palette; read at start, before the windows are made.
  bool DarkPaletteStored() const;

  // The publishing to a broker the user chose (group "Broker"); stored at once when chosen.
  BrokerSettings LoadBroker() const;
  void SaveBroker(const BrokerSettings& broker);

  bool IsPrivileged() const { return privilegedMode_; }
  const QStringList& PortList() const { return portList_; }
  const ServiceFileNames& FileNames() const { return fileNames_; }

  // The operator's name from the user-name screen, for the test reports.
  QString UserName;

 private:
  std::unique_ptr<QSettings> OpenStore() const;
  bool ReadBlock(QSettings& store, const Targets& targets);
  void ReadStrings(QSettings& store);

  QString iniFile_;
  bool privilegedMode_ = false;
  QStringList portList_;
  ServiceFileNames fileNames_;
  QString storedWord_;
};

}  // namespace ventari
