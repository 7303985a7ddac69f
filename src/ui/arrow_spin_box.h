// A spin box whose number changes by its arrows only.
#pragma once

#include <QLineEdit>
#include <QSpinBox>

namespace ventari {

class ArrowSpinBox : public QSpinBox {
 public:
  explicit ArrowSpinBox(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};

}  // namespace ventari
