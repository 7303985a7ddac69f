// The graph window's state (TFrmGraph): the chart pgraph1 with the system's plotting gain, the
// scale menu for the anemometer's output unit, the presentation for U and V or for direction and
// magnitude, the labels and keys around the chart, pause and clear. The window mirrors it.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "base/anem_state.h"
#include "base/change_notifier.h"
#include "displays/no_data_notice.h"
#include "displays/pgraph.h"
#include "triaxis/tri_axis_records.h"
#include "twoaxis/two_axis_config.h"

namespace ventari {

// The window's own control colours.
inline constexpr TColor kClBtnFace = 0xFFF0F0F0;
inline constexpr TColor kClBtnShadow = 0xFFA0A0A0;

struct GraphLabel {
  QString text;
  bool visible = true;
};

struct ScaleMenuItem {
  QString caption;
  int tag = 0;
};

// Everything the window shows apart from the chart.
struct GraphWindowView {
  GraphLabel scaleMax{QStringLiteral("10")};
  GraphLabel scaleMin{QStringLiteral("0")};
  GraphLabel yAxisCentre{QStringLiteral("0")};
  GraphLabel label6{QStringLiteral("Wind speed")};
  GraphLabel unitsLabel{QStringLiteral("(m/s)")};
  GraphLabel directionScaleMax{QStringLiteral("360"), false};
  GraphLabel dirLabel1{QStringLiteral("Direction"), false};
  GraphLabel dirLabel2{QStringLiteral("(degrees)"), false};
  GraphLabel directionScaleMin{QStringLiteral("0"), false};
  GraphLabel key2{QStringLiteral("U Vector")};  // red trace
  GraphLabel key1{QStringLiteral("V Vector")};  // blue trace
  GraphLabel key3{QStringLiteral("W Vector")};  // green trace
  std::array<ScaleMenuItem, 4> scaleItems;
  int checkedScaleItem = 0;
  bool gridlinesOn = true;  // check mark on "&On" (else on "O&ff")
  QString pauseCaption = QStringLiteral("P&ause");
  bool clearEnabled = true;
};

class GraphWindowModel {
 public:
  // What the scale selection reads from and does to the rest of the system.
  struct Links {
    const AnemState& state;
    const TwoAxisConfig& config;
    // The three-axis `ReportMode` index, -1 while not known.
    std::function<int()> threeAxisReportMode;
    // Discards the anemometer port's unread input.
    std::function<void()> discardInput;
  };

  explicit GraphWindowModel(Links links);

  // What the appliers use: plot with pgraph1's DataPoint and Update, while not paused, at the
  // points the scale gives.
  Tpgraph& pgraph1() { return chart_; }
  const Tpgraph& pgraph1() const { return chart_; }
  double GraphGain() const { return graphGain_; }
  // Where a speed or component goes on the chart (times the gain), and a direction in degrees
  // (Scale / 360 of it).
  double SpeedPoint(double value) const { return value * graphGain_; }
  double DirectionPoint(double degrees) const {
    return degrees * static_cast<double>(chart_.Scale()) / 360.0;
  }
  // A three-axis record's three points.
  std::array<std::int64_t, 3> TriAxisPoints(const TriAxisGraphValues& values) const {
    return TriAxisGraphPoints(values, graphGain_, static_cast<double>(chart_.Scale()));
  }
  bool Paused() const { return paused_; }

  const GraphWindowView& View() const { return view_; }
  // Told after every change of View() (the chart tells its own).
  ChangeNotifier& Changed() { return changed_; }
  // While the records have stopped, what the window says of it.
  NoDataNotice& NoData() { return noData_; }
  const NoDataNotice& NoData() const { return noData_; }

  // Applies the full-scale value `n` of a scale item: gain and scale, the labels under the
  // chart, discards the port's unread input and clears the chart.
  void SelectScale(int n);
  // The unit label and the four scale items for the anemometer's output unit; the first item is
  // checked and applied.
  void ApplyUnitScales();
  // Keys, labels and scale for U and V (true) or direction and magnitude (false).
  void SetPresentation(bool uv);

  // The window's commands.
  void ScaleMenuClick(int item);  // 0 .. 3
  void GridlinesClick(bool on);
  void ClearClick() { chart_.Reset(); }
  void PauseClick();

  // Set by identification and the three-axis setup.
  void ShowThirdKey(bool visible);
  void SetClearEnabled(bool enabled);

 private:
  bool VelocityData() const;

  Links links_;
  Tpgraph chart_;
  double graphGain_ = 20;
  bool paused_ = false;
  GraphWindowView view_;
  ChangeNotifier changed_;
  NoDataNotice noData_{changed_};
};

}  // namespace ventari
