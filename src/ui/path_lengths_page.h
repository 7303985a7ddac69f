// The test window's "&Txdr path lengths" page: the current contents of cells 82, 83, 84 and 510,
// the path length entries and the store button, a view over `PathLengthsModel`.
#pragma once

#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;

namespace ventari {

class PathLengthsModel;

class PathLengthsPage : public QWidget {
 public:
  PathLengthsPage(PathLengthsModel& model, QWidget* parent);

  void Sync();

 private:
  PathLengthsModel& model_;
  std::array<QLineEdit*, 4> current_{};
  std::array<QLineEdit*, 3> entries_{};
  QPushButton* store_;
  QPushButton* next_;
};

}  // namespace ventari
