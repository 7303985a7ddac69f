// One radio group of a two-axis configuration dialog: its caption, its items and the field of
// `TwoAxisConfig` that holds the selection.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ventari {

struct RadioGroup {
  QString field;    // the `TwoAxisConfig` field: "BaudRate", "Parity", ...
  QString caption;  // with its accelerator ampersand
  QStringList items;
  int columns = 1;
  bool visible = true;
  bool enabled = true;
  std::function<int()> selected;  // -1: none
  std::function<void(int)> select;
};

// An item's caption as a value: without "&" (a doubled one stays as one) and trimmed.
QString ItemValue(const QString& caption);

}  // namespace ventari
