#include "displays/graph_window_model.h"

#include "base/string_table.h"

namespace ventari {
namespace {

constexpr int kStrKeyU = 1107;
constexpr int kStrKeyV = 1108;
constexpr int kStrKeyDirection = 1109;
constexpr int kStrKeyMagnitude = 1110;

struct ScaleRow {
  int n;
  double gain;
  int scale;
};

// In every row gain * n = scale: n in the display unit is full scale.
constexpr ScaleRow kScales[] = {
    {10, 10, 100},    {20, 10, 200},    {40, 5, 200},     {80, 2.5, 200},    {160, 2.5, 400},
    {320, 1.25, 400}, {2000, 0.2, 400}, {4000, 0.1, 400}, {8000, 0.05, 400}, {16000, 0.025, 400},
};

struct UnitScales {
  const char* unit;
  std::array<int, 4> tags;
};

// By OutputUnits: m/s, knots, mph, kph, fpm.
constexpr UnitScales kUnitScales[] = {
    {"m/s", {10, 20, 40, 80}},   {"Knots", {20, 40, 80, 160}},       {"mph", {40, 80, 160, 320}},
    {"kph", {40, 80, 160, 320}}, {"fpm", {2000, 4000, 8000, 16000}},
};

std::array<ScaleMenuItem, 4> ItemsFor(const UnitScales& unit) {
  std::array<ScaleMenuItem, 4> items;
  for (int i = 0; i < 4; ++i) {
    items[i].tag = unit.tags[i];
    items[i].caption = QStringLiteral("&%1 %2 %3").arg(i + 1).arg(unit.tags[i]).arg(unit.unit);
  }
  return items;
}

}  // namespace

GraphWindowModel::GraphWindowModel(Links links) : links_(std::move(links)) {
  chart_.SetSize(QSize(615, 449));
  chart_.SetForeColor(kClBtnShadow);
  chart_.SetBackColor(kClBtnFace);
  chart_.SetAxisColor(kClBlack);
  chart_.SetRightYAxisColor(kClBlack);
  chart_.SetGridSize(25);
  chart_.SetStepSize(5);
  chart_.SetScale(400);
  chart_.Reset();
  view_.scaleItems = ItemsFor(kUnitScales[0]);
}

void GraphWindowModel::SelectScale(int n) {
  for (const ScaleRow& row : kScales) {
    if (row.n != n) continue;
    graphGain_ = row.gain;
    chart_.SetScale(row.scale);
  }
  view_.scaleMax.text = QString::number(n);
  const bool velocity = VelocityData();
  view_.scaleMin.text = velocity ? QStringLiteral("-%1").arg(n) : QStringLiteral("0");
  view_.label6.visible = !velocity;
  view_.unitsLabel.visible = !velocity;
  if (links_.discardInput) links_.discardInput();
  chart_.Reset();
  changed_.Notify();
}

bool GraphWindowModel::VelocityData() const {
  if (!links_.state.Model) return false;
  const int model = static_cast<int>(*links_.state.Model);
  if (model <= static_cast<int>(AnemModel::kLarkvane)) {
    return links_.config.MessageMode == MessageModeMark::kUv;
  }
  const int reportMode = links_.threeAxisReportMode ? links_.threeAxisReportMode() : -1;
  return reportMode == -1 || reportMode == 0 || reportMode == 1;
}

void GraphWindowModel::ApplyUnitScales() {
  const int units = links_.config.OutputUnits;
  if (units >= 0) {
    view_.unitsLabel.text = QString::fromLatin1(kUnitScales[units].unit);
    view_.scaleItems = ItemsFor(kUnitScales[units]);
  }
  view_.checkedScaleItem = 0;
  SelectScale(view_.scaleItems[0].tag);
}

void GraphWindowModel::SetPresentation(bool uv) {
  view_.key3.visible = uv;
  chart_.SetAxisCentre(uv);
  view_.yAxisCentre.visible = uv;
  for (GraphLabel* label :
       {&view_.directionScaleMax, &view_.directionScaleMin, &view_.dirLabel1, &view_.dirLabel2}) {
    label->visible = !uv;
  }
  chart_.SetRightYAxisColor(uv ? kClBtnFace : kClBlack);
  view_.key2.text = LoadStr(uv ? kStrKeyU : kStrKeyDirection);
  view_.key1.text = LoadStr(uv ? kStrKeyV : kStrKeyMagnitude);
  SelectScale(view_.scaleItems[0].tag);
}

void GraphWindowModel::ScaleMenuClick(int item) {
  if (item < 0 || item >= static_cast<int>(view_.scaleItems.size())) return;
  view_.checkedScaleItem = item;
  SelectScale(view_.scaleItems[item].tag);
}

void GraphWindowModel::GridlinesClick(bool on) {
  chart_.SetGridlines(on);
  chart_.Reset();
  view_.gridlinesOn = on;
  changed_.Notify();
}

void GraphWindowModel::PauseClick() {
  paused_ = !paused_;
  view_.pauseCaption = paused_ ? QStringLiteral("&Continue") : QStringLiteral("&Pause");
  changed_.Notify();
}

void GraphWindowModel::ShowThirdKey(bool visible) {
  view_.key3.visible = visible;
  changed_.Notify();
}

void GraphWindowModel::SetClearEnabled(bool enabled) {
  view_.clearEnabled = enabled;
  changed_.Notify();
}

}  // namespace ventari
