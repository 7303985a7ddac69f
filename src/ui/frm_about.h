// The About box: product, version and how to reach the maker.
#pragma once

#include <QDialog>

namespace ventari {

class TFrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmAbout(QWidget* parent);
};

}  // namespace ventari
