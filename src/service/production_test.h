// What the production test window keeps while the system runs: the unit under test (sensor
// type, serial number, EEPROM size), the operator, and the results the test report prints. The
// pages' models read and write it; it outlives the window, and a new unit starts it afresh.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <utility>

#include "service/srecord_reader.h"

namespace ventari {

// The pages of the test window, in their order.
enum class TestPage {
  kSensorType,
  kFlashMemory,
  kNonVolatileMemory,
  kHardwareDiagnostics,
  kSoftwareDiagnostics,
  kTxdrPathLengths,
  kCalibrateSos,
  kCalibrateAnalogue,
  kSelectTest,
  kPartA,
  kPartB,
  kPartBSoftware,
  kPartBHardware,
  kPartC,
};
inline constexpr int kTestPageCount = static_cast<int>(TestPage::kPartC) + 1;

enum class SensorState { kNone, kKestrix2Unheated, kKestrix2Heated, kLarkvane };

inline constexpr int kKestrixEepromSize = 512;
inline constexpr int kLarkvaneEepromSize = 946;
inline constexpr int kNotProgrammed = -1;
inline constexpr int kHardwareCheckCount = 5;
// Path offsets are kept from 133.6 mm in tenths of a millimetre; 1464 until a store.
inline constexpr int kPathLengthBase = 1336;
inline constexpr int kUnstoredPathOffset = 1464;
inline constexpr int kPathAxes = 3;

struct ProductionTest {
  // A new unit: nothing of the last one is kept but the operator.
  void StartNewUnit() {
    ProductionTest fresh;
    fresh.operatorName = operatorName;
    *this = std::move(fresh);
  }

  // The type set on the first page.
  SensorState sensor = SensorState::kNone;
  std::uint8_t sensorCode = 32;  // 32 none, 69 "E", 70 "F", 89 "Y"; written into cell 3
  QString sensorText;            // "E", "EA", "F", "FA"; kept when a Larkvane type is set
  int larkvaneOption = 1;        // 1 to 4
  bool xeq = false;              // the XEQ variant of the Kestrix II
  int eepromSize = kKestrixEepromSize;
  QString serialNumber;  // six digits, or empty
  QString operatorName;

  bool IsLarkvane() const { return sensor == SensorState::kLarkvane; }
  bool IsKestrix() const {
    return sensor == SensorState::kKestrix2Unheated || sensor == SensorState::kKestrix2Heated;
  }
  // The sensor type by its name: "E", "EA", "F", "FA", "XEQ" or "LV1" to "LV4".
  QString TypeName() const {
    if (IsLarkvane()) return QStringLiteral("LV%1").arg(larkvaneOption);
    return xeq ? QStringLiteral("XEQ") : sensorText;
  }

  // The hardware diagnostics page's check boxes (TestC54, TestC60, TestC56, TestTxWav,
  // TestRxWav), ticked by the technician as each check passes.
  std::array<bool, kHardwareCheckCount> hardwareChecks{};

  // Flash: -1 not programmed (also after an abort), 0 programmed; the file used.
  int flashResult = kNotProgrammed;
  QString flashFile;

  // EEPROM: -1 not programmed, 0 written and verified, 1 written but not verified. The image
  // holds what the system wrote (kept in step with every later write), the read-back what the
  // anemometer answered; `written` and `readBack` mark the cells of each.
  int eepromResult = kNotProgrammed;
  EepromImage eepromImage{};
  EepromImage eepromReadBack{};
  std::array<bool, kEepromImageSize> written{};
  std::array<bool, kEepromImageSize> readBackValid{};
  // The source files of the last run ("" when that kind was not written), for the report.
  QString userFile, engFile, calFile, optFile;
  // The Larkvane upload lines of the last run, in order.
  QStringList uploadLines;

  // Path lengths: the offsets stored per axis (entry - 1336), and whether each was stored and
  // verified since the system started; the report prints a length only for a stored axis.
  std::array<int, kPathAxes> pathOffsets{kUnstoredPathOffset, kUnstoredPathOffset,
                                         kUnstoredPathOffset};
  std::array<bool, kPathAxes> pathStored{};
  // Whether the axis-3 entry (`A3Len`) is enabled; it never is on the two-axis units tested.
  bool axis3Enabled = false;
  // The speed of sound calibration: written and read back correctly, and confirmed on leaving
  // its page. The report prints PASSED only for both.
  bool sosCalibrated = false;
  bool sosPassed = false;
};

}  // namespace ventari
