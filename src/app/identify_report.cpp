#include "app/identify_report.h"

#include <QJsonArray>

#include "app/session_parts.h"

namespace ventari {
namespace {

QJsonObject TwoAxisJson(const TwoAxisConfig& c) {
  QJsonObject o;
  o["SonicOutputs"] = int(c.SonicOutputs);
  o["BaudRate"] = int(c.BaudRate);
  o["LvBaudRate"] = int(c.LvBaudRate);
  o["DataBits"] = int(c.DataBits);
  o["Parity"] = int(c.Parity);
  o["Duplex"] = int(c.Duplex);
  o["WrapAround"] = int(c.WrapAround);
  o["AnalogueType"] = int(c.AnalogueType);
  o["Chan3Config"] = int(c.Chan3Config);
  o["Scaling"] = int(c.Scaling);
  o["AnalogueTests"] = int(c.AnalogueTests);
  o["LvAnalogueRange"] = int(c.LvAnalogueRange);
  o["LvWrap"] = int(c.LvWrap);
  o["LvAnalogueMode"] = int(c.LvAnalogueMode);
  o["AveragingPeriod"] = QJsonObject{{"text", c.AveragingPeriodText}, {"value", c.AveragingPeriod}};
  o["Heating"] = c.Heating ? QJsonValue(*c.Heating) : QJsonValue(QJsonValue::Null);
  o["NmeaStyle"] = int(c.NmeaStyle);
  o["MessageTerm"] = int(c.MessageTerm);
  o["MessageMode"] = QJsonObject{{"UVcontinuous", c.MessageMode == MessageModeMark::kUv},
                                 {"Polarcontinuous", c.MessageMode == MessageModeMark::kPolar}};
  o["FieldFormat"] = int(c.FieldFormat);
  o["OutputRate"] = int(c.OutputRate);
  o["LvOutputRate"] = int(c.LvOutputRate);
  o["SamplesPerSecond"] = c.SamplesPerSecond;
  o["OutputUnits"] = int(c.OutputUnits);
  o["VerticalPad"] = int(c.VerticalPad);
  const auto a = c.Alignment;
  o["Alignment"] = QJsonObject{{"AlignUV", a == AlignmentMark::kUv},
                               {"AlignUVOffset", a == AlignmentMark::kUvOffset},
                               {"AlignUVinverted", a == AlignmentMark::kUvInverted},
                               {"AlignUVinvertedoffset", a == AlignmentMark::kUvInvertedOffset}};
  return o;
}

QJsonObject TriAxisJson(const TriAxisConfig& c) {
  QJsonArray aip;
  for (bool on : c.Aip) aip.append(on);
  return QJsonObject{{"ReportMode", c.ReportMode},
                     {"SosMode", c.SosMode},
                     {"AbsTempMode", c.AbsTempMode},
                     {"StrFormat", c.StrFormat},
                     {"Terminator", c.Terminator},
                     {"Echo", c.Echo},
                     {"MessageMode", c.MessageMode},
                     {"Averaging", c.Averaging},
                     {"Baud", c.Baud},
                     {"Instantaneous", c.Instantaneous},
                     {"InstantaneousAvailable", c.InstantaneousAvailable},
                     {"Aip", aip},
                     {"FsDef", c.FsDef},
                     {"DirWrap", c.DirWrap},
                     {"Ctone", c.Ctone},
                     {"Align", c.Align},
                     {"PcAvgMinutes", c.PcAvgMinutes}};
}

QJsonObject MenuJson(const MainMenu& menu) {
  QJsonObject o;
  for (const MenuEntry& e : menu.Entries()) {
    o[e.name] = QJsonObject{{"visible", e.visible}, {"enabled", e.enabled}, {"checked", e.checked}};
  }
  return o;
}

}  // namespace

QJsonObject IdentifyReport(const Anemometer& anemometer, bool found, std::int32_t baud,
                           const MainMenu& menu) {
  const AnemState& state = anemometer.state;
  const bool threeAxis = state.Family == AnemFamily::kTriAxis;
  QJsonObject report;
  report["found"] = found;
  report["baud"] = baud;
  report["family"] = threeAxis ? "three-axis" : "two-axis";
  report["type_code"] = state.TypeCode;
  report["model"] = state.ModelCaption;
  report["model_index"] =
      state.Model ? QJsonValue(static_cast<int>(*state.Model)) : QJsonValue(QJsonValue::Null);
  report["serial_number"] = state.SerialNumber;
  report["software_version"] = state.SoftwareVersion;
  report["config"] =
      threeAxis ? TriAxisJson(anemometer.triAxisConfig) : TwoAxisJson(anemometer.twoAxisConfig);
  report["menu"] = MenuJson(menu);
  return report;
}

}  // namespace ventari
