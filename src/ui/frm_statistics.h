// The Statistics window: the wind statistics of each period as a table that grows, the period's
// length, Copy (also Ctrl+C) and Save as CSV, and the wind rose of every sample since the
// start. A view over the live statistics; it repaints when they change.
#pragma once

#include <QWidget>

class QAbstractItemModel;
class QSpinBox;
class QTableView;

namespace ventari {

class LiveStatistics;
class LiveWindow;
class Prompts;

class TFrmStatistics : public QWidget {
  Q_OBJECT

 public:
  TFrmStatistics(LiveStatistics& statistics, Prompts& prompts, QWidget* parent = nullptr);
  ~TFrmStatistics() override;

  // Mirrors the model (also done when the model announces a change, and when shown).
  void Sync();
  // The CSV of the table onto the clipboard.
  void Copy();
  LiveWindow& Live() const { return *live_; }
  QTableView* Table() const { return table_; }
  QWidget* Rose() const { return rose_; }

 private:
  LiveStatistics& statistics_;
  Prompts& prompts_;
  QAbstractItemModel* rows_;
  QTableView* table_;
  QWidget* rose_;
  QSpinBox* period_;
  LiveWindow* live_ = nullptr;
};

}  // namespace ventari
