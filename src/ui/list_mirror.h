// Shows a model's lines in a list box: refilled only when they changed, the newest in view.
#pragma once

#include <QListWidget>
#include <QStringList>

namespace ventari {

inline void MirrorList(QListWidget& list, const QStringList& lines) {
  bool same = list.count() == lines.size();
  for (int i = 0; same && i < lines.size(); ++i) same = list.item(i)->text() == lines[i];
  if (same) return;
  list.clear();
  list.addItems(lines);
  list.scrollToBottom();
}

}  // namespace ventari
