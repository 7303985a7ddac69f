#include "app/settings.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include "link/serial_port.h"
#include "stats/live_statistics.h"
#include "support/scripted_line.h"

namespace ventari {
namespace {

using test::ScriptedLine;

class SettingsTest : public ::testing::Test {
 protected:
  QString File() const { return dir.filePath("ventari.ini"); }

  void Store(std::initializer_list<std::pair<const char*, QVariant>> values) {
    QSettings store(File(), QSettings::IniFormat);
    for (const auto& [name, value] : values) store.setValue(name, value);
  }

  void StoreAllIntegers() {
    Store({{"Comport", 3},
           {"Databits", 7},
           {"Parity", 2},
           {"Baudrate", 19200},
           {"Averaging", 4},
           {"Units", 1},
           {"Gust", 2}});
  }

  Settings::Targets Targets() { return {port, windsock, window, statistics}; }

  void Load() { settings.LoadSettings(Targets(), {"COM1", "COM3"}); }

  QTemporaryDir dir;
  VirtualRuntime rt;
  ScriptedLine line{rt};
  SerialPort port{rt, line.Factory()};
  WindsockSelections windsock;
  MainWindowModel window;
  LiveStatistics statistics;
  Settings settings{File()};
};

TEST_F(SettingsTest, StoredValuesReachThePortAndTheWindsockAndThePortOpens) {
  StoreAllIntegers();
  Store({{"Kestrix2_Srec", "k2app"}, {"Larkvane_Opt3", "opt3"}, {"XEQ_Eng", "xeq"}});
  Load();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(line.OpenedName(), "COM3");
  EXPECT_EQ(line.Line(), (LineSettings{19200, Parity::kEven, 7, 1}));
  EXPECT_EQ(windsock.averaging, 4);
  EXPECT_EQ(windsock.units, 1);
  EXPECT_EQ(windsock.gust, 2);
  EXPECT_EQ(settings.FileNames().Kestrix2_Srec, "k2app");
  EXPECT_EQ(settings.FileNames().Larkvane_Opt[2], "opt3");
  EXPECT_EQ(settings.FileNames().XEQ_Eng, "xeq");
  EXPECT_EQ(settings.PortList(), (QStringList{"COM1", "COM3"}));
  EXPECT_FALSE(settings.IsPrivileged());
  EXPECT_FALSE(window.menu.Entry(MenuId::kTest1).visible);
  EXPECT_FALSE(window.menu.Entry(MenuId::kTest1).enabled);
  EXPECT_FALSE(window.menu.Entry(MenuId::kTerminal1).visible);
}

TEST_F(SettingsTest, TheExactWordTurnsOnPrivilegedModeAndSwitchesOffTheFirstSearch) {
  StoreAllIntegers();
  Store({{"PrivPword", "plinkster"}});
  Load();
  EXPECT_TRUE(settings.IsPrivileged());
  EXPECT_TRUE(window.menu.Entry(MenuId::kTerminal1).visible);
  EXPECT_TRUE(window.menu.Entry(MenuId::kTest1).visible);
  EXPECT_TRUE(window.menu.Entry(MenuId::kTest1).enabled);
}

TEST_F(SettingsTest, TheWordInAnotherLetterCaseIsNormalMode) {
  StoreAllIntegers();
  Store({{"PrivPword", "Plinkster"}});
  Load();
  EXPECT_FALSE(settings.IsPrivileged());
}

TEST_F(SettingsTest, AMissingIntegerStopsReadingAndLeavesThePortClosed) {
  // Parity missing: Baudrate and the strings after it are not read, privileged mode stays off.
  Store({{"Comport", 3},
         {"Databits", 7},
         {"Baudrate", 19200},
         {"Averaging", 1},
         {"Units", 1},
         {"Gust", 1},
         {"PrivPword", "plinkster"}});
  Load();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Line(), LineSettings{});
  EXPECT_FALSE(settings.IsPrivileged());
}

TEST_F(SettingsTest, AnUnreadableIntegerCountsAsMissing) {
  StoreAllIntegers();
  Store({{"Baudrate", "fast"}});
  Load();
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SettingsTest, APortThatCannotOpenEndsReadingSilently) {
  StoreAllIntegers();
  Store({{"PrivPword", "plinkster"}});
  line.FailOpen(true);
  Load();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(settings.IsPrivileged());
}

TEST_F(SettingsTest, AFirstStartOpensThePortWithTheBuiltInSettings) {
  Load();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(line.OpenedName(), "COM1");
  EXPECT_EQ(line.Line(), (LineSettings{9600, Parity::kNone, 8, 1}));
  EXPECT_FALSE(settings.IsPrivileged());
}

TEST_F(SettingsTest, SavedSettingsComeBackAtTheNextStartIncludingAChangedPort) {
  StoreAllIntegers();
  Load();
  port.SetComNumber(12);
  port.SetBaud(38400);
  windsock.units = 3;
  settings.SaveSettings(Targets());

  VirtualRuntime rt2;
  ScriptedLine line2{rt2};
  SerialPort port2{rt2, line2.Factory()};
  WindsockSelections windsock2;
  MainWindowModel window2;
  LiveStatistics statistics2;
  Settings next{File()};
  next.LoadSettings({port2, windsock2, window2, statistics2}, {});
  EXPECT_EQ(line2.OpenedName(), "COM12");
  EXPECT_EQ(line2.Line(), (LineSettings{38400, Parity::kEven, 7, 1}));
  EXPECT_EQ(windsock2.units, 3);
}

TEST_F(SettingsTest, TheStatisticsPeriodIsStoredAndOneOutOfRangeLeavesTheDefault) {
  const struct {
    QVariant stored;
    int minutes;
  } cases[] = {{5, 5}, {60, 60}, {0, 10}, {61, 10}, {"ten", 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored.toString().toStdString());
    Store({{"StatisticsMinutes", c.stored}});
    LiveStatistics loaded;
    settings.LoadSettings({port, windsock, window, loaded}, {});
    EXPECT_EQ(loaded.PeriodMinutes(), c.minutes);
  }
  statistics.SetPeriodMinutes(15);
  settings.SaveSettings(Targets());
  EXPECT_EQ(QSettings(File(), QSettings::IniFormat).value("StatisticsMinutes").toInt(), 15);
}

TEST_F(SettingsTest, PortsThatAreNotComAreKeptByName) {
  StoreAllIntegers();
  Load();
  port.SetName("sim:t7");
  settings.SaveSettings(Targets());
  {
    QSettings store(File(), QSettings::IniFormat);
    EXPECT_EQ(store.value("PortName").toString(), "sim:t7");
    EXPECT_EQ(store.value("Comport").toInt(), 3);
  }
  port.SetName("COM5");
  settings.SaveSettings(Targets());
  QSettings store(File(), QSettings::IniFormat);
  EXPECT_FALSE(store.contains("PortName"));
  EXPECT_EQ(store.value("Comport").toInt(), 5);
}

TEST_F(SettingsTest, NumbersUseAPointAndCommaWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::German));
  Load();
  EXPECT_EQ(QLocale().toString(1234.5, 'f', 1), "1,234.5");
}

}  // namespace
}  // namespace ventari
