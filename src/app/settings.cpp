#include "app/settings.h"

#include <QLocale>
#include <QSettings>
#include <optional>

#include "app/broker_publishing.h"
#include "link/line_settings.h"
#include "link/serial_port.h"
#include "stats/live_statistics.h"

namespace ventari {
namespace {

constexpr const char* kIntegerNames[] = {"Comport",   "Databits", "Parity", "Baudrate",
                                         "Averaging", "Units",    "Gust"};

std::optional<int> ReadInt(QSettings& store, const char* name) {
  const QVariant value = store.value(QLatin1String(name));
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

std::unique_ptr<QSettings> OpenUserStore() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QLatin1String(kSettingsOrganisation),
                                     QLatin1String(kSettingsApplication));
}

constexpr char kStatisticsMinutes[] = "StatisticsMinutes";

void ReadStatisticsPeriod(QSettings& store, LiveStatistics& statistics) {
  const auto minutes = ReadInt(store, kStatisticsMinutes);
  if (minutes && *minutes >= StatisticsSettings::kMinPeriodMinutes &&
      *minutes <= StatisticsSettings::kMaxPeriodMinutes && *minutes != statistics.PeriodMinutes()) {
    statistics.SetPeriodMinutes(*minutes);
  }
}

}  // namespace

Settings::Settings(QString iniFile) : iniFile_(std::move(iniFile)) {}

Settings::~Settings() = default;

QString Settings::UserStoreLocation() { return OpenUserStore()->fileName(); }

std::unique_ptr<QSettings> Settings::OpenStore() const {
  if (!iniFile_.isEmpty()) return std::make_unique<QSettings>(iniFile_, QSettings::IniFormat);
  return OpenUserStore();
}

bool Settings::DarkPaletteStored() const {
  const auto store = OpenStore();
  return store->status() == QSettings::NoError &&
         store->value(QLatin1String(kDarkPaletteKey)).toBool();
}

BrokerSettings Settings::LoadBroker() const {
  BrokerSettings broker;
  const auto store = OpenStore();
  if (store->status() != QSettings::NoError) return broker;
  store->beginGroup(QStringLiteral("Broker"));
  const auto text = [&store](const char* key) {
    return store->value(QLatin1String(key)).toString();
  };
  const auto count = [&store](const char* key, std::size_t fallback) {
    bool ok = false;
    const qulonglong value = store->value(QLatin1String(key)).toULongLong(&ok);
    return ok && value > 0 ? static_cast<std::size_t>(value) : fallback;
  };
  broker.enabled = store->value(QStringLiteral("Enabled")).toBool();
  broker.url = text("Url");
  broker.caFile = text("CaFile");
  broker.prefix = text("Prefix");
  broker.qos = store->value(QStringLiteral("Qos"), 1).toInt() == 0 ? 0 : 1;
  broker.user = text("User");
  broker.passwordFile = text("PasswordFile");
  broker.bounds.messages = count("HoldMessages", broker.bounds.messages);
  broker.bounds.bytes = count("HoldMiB", broker.bounds.bytes / (1024 * 1024)) * 1024 * 1024;
  return broker;
}

void Settings::SaveBroker(const BrokerSettings& broker) {
  auto store = OpenStore();
  if (store->status() != QSettings::NoError) return;
  store->beginGroup(QStringLiteral("Broker"));
  store->setValue(QStringLiteral("Enabled"), broker.enabled);
  store->setValue(QStringLiteral("Url"), broker.url);
  store->setValue(QStringLiteral("CaFile"), broker.caFile);
  store->setValue(QStringLiteral("Prefix"), broker.prefix);
  store->setValue(QStringLiteral("Qos"), broker.qos);
  store->setValue(QStringLiteral("User"), broker.user);
  store->setValue(QStringLiteral("PasswordFile"), broker.passwordFile);
  store->setValue(QStringLiteral("HoldMessages"), static_cast<qulonglong>(broker.bounds.messages));
  store->setValue(QStringLiteral("HoldMiB"),
                  static_cast<qulonglong>(broker.bounds.bytes / (1024 * 1024)));
  store->endGroup();
  store->sync();
}

void Settings::LoadSettings(const Targets& targets, const QStringList& availablePorts) {
  // Numbers are written and read the same way whatever the user's locale.
  QLocale numbers = QLocale::c();
  numbers.setNumberOptions(QLocale::DefaultNumberOptions);
  QLocale::setDefault(numbers);
  portList_ = availablePorts;

  storedWord_.clear();
  fileNames_ = {};
  if (auto store = OpenStore(); store->status() == QSettings::NoError) {
    if (ReadBlock(*store, targets)) ReadStrings(*store);
    ReadStatisticsPeriod(*store, targets.statistics);
  }

  privilegedMode_ = storedWord_ == QLatin1String(kPrivilegedWord);
  if (privilegedMode_) {
    targets.window.menu.Show(MenuId::kTerminal1);
  }
  targets.window.menu.Show(MenuId::kTest1, privilegedMode_);
  targets.window.menu.Enable(MenuId::kTest1, privilegedMode_);
}

bool Settings::ReadBlock(QSettings& store, const Targets& targets) {
  bool anyStored = false;
  for (const char* name : kIntegerNames) anyStored = anyStored || store.contains(name);
  if (!anyStored) {
    // First start: open the port with the built-in settings so the search can run at once.
    try {
      targets.port.SetOpen(true);
    } catch (const PortError&) {
    }
    return false;
  }

  int values[std::size(kIntegerNames)] = {};
  for (std::size_t i = 0; i < std::size(kIntegerNames); ++i) {
    const auto value = ReadInt(store, kIntegerNames[i]);
    if (!value) return false;
    values[i] = *value;
  }
  const auto [comport, databits, parity, baudrate, averaging, units, gust] = values;
  const QString portName = store.value(QStringLiteral("PortName")).toString();
  try {
    if (comport >= 1 && comport <= 65535) targets.port.SetComNumber(comport);
    if (!portName.isEmpty()) targets.port.SetName(portName);
    targets.port.SetDataBits(databits);
    targets.port.SetBaud(baudrate);
    targets.windsock = {averaging, units, gust};
    targets.port.SetParity(ParityFromCode(parity));
    targets.port.SetOpen(true);
  } catch (const PortError&) {
    return false;
  }
  return true;
}

void Settings::ReadStrings(QSettings& store) {
  auto read = [&store](const char* name) { return store.value(QLatin1String(name)).toString(); };
  fileNames_.Kestrix2_Srec = read("Kestrix2_Srec");
  fileNames_.Kestrix2_User = read("Kestrix2_User");
  fileNames_.Kestrix2_Eng = read("Kestrix2_Eng");
  fileNames_.Kestrix2_Cal = read("Kestrix2_Cal");
  fileNames_.Larkvane_Cal = read("Larkvane_Cal");
  fileNames_.Larkvane_Opt[0] = read("Larkvane_Opt1");
  fileNames_.Larkvane_Opt[1] = read("Larkvane_Opt2");
  fileNames_.Larkvane_Opt[2] = read("Larkvane_Opt3");
  fileNames_.Larkvane_Opt[3] = read("Larkvane_Opt4");
  fileNames_.Larkvane_ROM_CS = read("Larkvane_ROM_CS");
  fileNames_.Larkvane_SDI12_CS = read("Larkvane_SDI12_CS");
  storedWord_ = read("PrivPword");
  fileNames_.XEQ_Eng = read("XEQ_Eng");
}

void Settings::SaveSettings(const Targets& targets) {
  auto store = OpenStore();
  if (store->status() != QSettings::NoError) return;
  const SerialPort& port = targets.port;
  store->setValue(QStringLiteral("Comport"), port.ComNumber());
  store->setValue(QStringLiteral("Databits"), port.Line().dataBits);
  store->setValue(QStringLiteral("Parity"), static_cast<int>(port.Line().parity));
  store->setValue(QStringLiteral("Baudrate"), port.Line().baud);
  store->setValue(QStringLiteral("Averaging"), targets.windsock.averaging);
  store->setValue(QStringLiteral("Units"), targets.windsock.units);
  store->setValue(QStringLiteral("Gust"), targets.windsock.gust);
  store->setValue(QLatin1String(kStatisticsMinutes), targets.statistics.PeriodMinutes());
  // Ports that are not "COMn" (device paths, simulated instruments) are kept by name.
  if (SerialPort::ComNumberOf(port.Name()) == 0) {
    store->setValue(QStringLiteral("PortName"), port.Name());
  } else {
    store->remove(QStringLiteral("PortName"));
  }
  store->sync();
}

}  // namespace ventari
