// The column headers of the tabular display's ASCII log, by the configuration of the three-axis
// anemometer: aligned above the table's columns, or comma-separated above PC-averaged lines.
#pragma once

#include <QString>

#include "triaxis/tri_axis_config.h"

namespace ventari {

// "Sa Sb      U        V        W      SoS  ..." for lines as the table shows them.
QString ColumnHeaderText(const TriAxisConfig& config);

struct CsvHeader {
  QString text;  // "U,V,W,SoS,Aip1"
  // Values per averaged line: 3 and one per optional field.
  int fieldCount = 3;
};
CsvHeader CsvHeaderText(const TriAxisConfig& config);

}  // namespace ventari
