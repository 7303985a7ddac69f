// The "&Txdr path lengths" page of the production test: the path lengths measured between the
// transducers of each axis are stored in cells 82 to 84 as offsets from 133.6 mm in tenths of a
// millimetre, the checksum in cell 510 is corrected to match, and all four are read back.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "base/change_notifier.h"
#include "service/eeprom_writer.h"
#include "service/production_test.h"
#include "service/readout_reads.h"
#include "service/service_link.h"

namespace ventari {

// How a store ended: verified, refused before anything was written, written but not read back,
// or read back different.
enum class PathStoreEnd { kVerified, kRefused, kNoAnswer, kNotVerified };

// The cells of a store: 82, 83, 84 and 510 as they were before, as written and as read back.
struct PathStore {
  static constexpr std::array<int, 4> kCells{82, 83, 84, 510};
  PathStoreEnd end = PathStoreEnd::kRefused;
  std::array<std::optional<int>, 4> before{};
  std::array<std::optional<int>, 4> written{};
  std::array<std::optional<int>, 4> readBack{};
};

class PathLengthsModel {
 public:
  static constexpr int kLowestEntry = kPathLengthBase;
  static constexpr int kHighestEntry = kPathLengthBase + 255;

  PathLengthsModel(ServiceLink& link, ProductionTest& test, ReadoutReads& reads,
                   EepromWriter& writer, std::function<void(TestPage)> goTo);
  PathLengthsModel(const PathLengthsModel&) = delete;
  PathLengthsModel& operator=(const PathLengthsModel&) = delete;

  ChangeNotifier& Changed() { return changed_; }
  // The entries `A1Len`, `A2Len`, `A3Len` (axis 0 to 2).
  const QString& Entry(int axis) const { return entries_.at(static_cast<std::size_t>(axis)); }
  void SetEntry(int axis, const QString& text);
  // The read-outs `CurrentAxis1`, `CurrentAxis2`, `CurrentAxis3`, `EngChecksum` by cell.
  const QString& Readout(int cell) const { return reads_.Readout(cell); }
  bool Axis3Enabled() const { return test_.axis3Enabled; }
  // A store or the entry's reads are under way: the buttons wait.
  bool Busy() const { return busy_; }

  // Entering the page: the read-outs cleared, configuration mode, the four cells read.
  void Enter();
  // Leaving the page: out of configuration mode.
  void Leave();
  // `BtnStorePaths`.
  PathStore BtnStorePathsClick();
  void BtnSkip6Click() { goTo_(TestPage::kCalibrateSos); }

 private:
  void ReadCells();
  PathStore Store();
  void Fail(const QString& text, const QString& caption);

  ServiceLink& link_;
  ProductionTest& test_;
  ReadoutReads& reads_;
  EepromWriter& writer_;
  std::function<void(TestPage)> goTo_;
  std::array<QString, kPathAxes> entries_;
  bool busy_ = false;
  ChangeNotifier changed_;
};

}  // namespace ventari
