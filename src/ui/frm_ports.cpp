#include "ui/frm_ports.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ports_dialog.h"
#include "link/open_failure_message.h"
#include "ui/guarded_handler.h"

namespace ventari {

TFrmPorts::TFrmPorts(PortsDialog& logic, QWidget& parent) : QDialog(&parent), logic_(logic) {
  setObjectName(QStringLiteral("TFrmPorts"));
  setWindowTitle(QStringLiteral("Ports"));
  setModal(true);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  auto* group = new QGroupBox(QStringLiteral("Select Port"), this);
  lbPorts_ = new QListWidget(group);
  lbPorts_->setObjectName(QStringLiteral("LbPorts"));
  btnSetPort_ = new QPushButton(QStringLiteral("Set"), group);
  btnSetPort_->setObjectName(QStringLiteral("BtnSetPort"));
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(lbPorts_);
  groupLayout->addWidget(btnSetPort_, 0, Qt::AlignRight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  resize(280, 320);

  OnSignal(lbPorts_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    logic_.LbPortsClick(lbPorts_->row(item));
    Sync();
  });
  OnSignal(btnSetPort_, &QPushButton::clicked, this, [this] {
    btnSetPort_->setEnabled(false);
    RunGuarded(this, [this] { logic_.BtnSetPortClick(); });
    Sync();
    if (!logic_.model.visible) accept();
  });
}

void TFrmPorts::Execute(const QStringList& ports) {
  logic_.Show(ports);
  lbPorts_->clear();
  const PortsDialogModel& model = logic_.model;
  for (qsizetype i = 0; i < model.ports.size(); ++i) {
    auto* item = new QListWidgetItem(model.ports[i], lbPorts_);
    const QString refusal = i < model.refusals.size() ? model.refusals[i] : QString();
    if (refusal.isEmpty()) continue;
    item->setText(ListedPortName(model.ports[i], false));
    item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    item->setToolTip(refusal);
  }
  Sync();
  exec();
  logic_.model.visible = false;
}

void TFrmPorts::Sync() {
  btnSetPort_->setEnabled(logic_.model.setEnabled);
  if (logic_.model.selected >= 0) lbPorts_->setCurrentRow(logic_.model.selected);
}

}  // namespace ventari
