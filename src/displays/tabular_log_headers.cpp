#include "displays/tabular_log_headers.h"

#include <array>

namespace ventari {
namespace {

// By report mode: UVW, polar, axis.
QString ByReportMode(const TriAxisConfig& config, const char* uvw, const char* polar,
                     const char* axis) {
  if (config.ReportsUvw()) return QLatin1String(uvw);
  if (config.ReportsPolar()) return QLatin1String(polar);
  if (config.ReportsAxis()) return QLatin1String(axis);
  return {};
}

// Item `index` of `items`, nothing when the index is not one of them.
template <std::size_t N>
QString Pick(const std::array<const char*, N>& items, int index) {
  return index >= 0 && index < static_cast<int>(N) ? QLatin1String(items[index]) : QString();
}

}  // namespace

QString ColumnHeaderText(const TriAxisConfig& config) {
  QString text = QStringLiteral("Sa Sb");
  text += ByReportMode(config, "      U        V        W", "     Dir      Mag       W",
                       "     Ax1      Ax2      Ax3");
  text += Pick<4>({"  ", "      SoS  ", "     SonicK", "     SonicC"}, config.SosMode);
  text += Pick<3>({"", "   AbsT K", "   AbsT C"}, config.AbsTempMode);
  for (int channel = 1; channel <= 6; ++channel) {
    if (!config.Aip[channel - 1]) continue;
    text += QStringLiteral("     Aip%1").arg(channel);
    if (channel < 6) text += QLatin1Char(' ');
  }
  return text;
}

CsvHeader CsvHeaderText(const TriAxisConfig& config) {
  CsvHeader header;
  header.text = ByReportMode(config, "U,V,W", "Dir,Mag,W", "Ax1,Ax2,Ax3");
  const auto add = [&header](const QString& field) {
    if (field.isEmpty()) return;
    header.text += field;
    ++header.fieldCount;
  };
  add(Pick<4>({"", ",SoS", ",SonicK", ",SonicC"}, config.SosMode));
  add(Pick<3>({"", ",AbsT K", ",AbsT C"}, config.AbsTempMode));
  for (int channel = 1; channel <= 6; ++channel) {
    if (config.Aip[channel - 1]) add(QStringLiteral(",Aip%1").arg(channel));
  }
  return header;
}

}  // namespace ventari
