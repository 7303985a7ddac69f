#include "ui/com_port_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/port_parameters.h"
#include "ui/guarded_handler.h"

namespace ventari {
namespace {

template <typename Values>
QComboBox* NumberBox(const Values& values, const QString& name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const int value : values) box->addItem(QString::number(value), value);
  return box;
}

QCheckBox* FlowBox(const QString& text, const QString& name, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  return box;
}

QSpinBox* CharBox(const QString& name, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(0, 255);
  return box;
}

// Selects the entry holding `value`; a value the list lacks is added, so that OK keeps it.
void SelectValue(QComboBox* box, int value) {
  int index = box->findData(value);
  if (index < 0) {
    box->addItem(QString::number(value), value);
    index = box->count() - 1;
  }
  box->setCurrentIndex(index);
}

}  // namespace

ComPortOptionsDialog::ComPortOptionsDialog(PortParameters& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  setObjectName(QStringLiteral("ComPortOptions"));
  setWindowTitle(QStringLiteral("Com Port Options"));
  setModal(true);

  comPorts_ = new QListWidget(this);
  comPorts_->setObjectName(QStringLiteral("ComPorts"));
  comPorts_->setMinimumWidth(120);
  comPorts_->setMaximumWidth(180);
  cbBaud_ = NumberBox(PortParameters::kBaudRates, QStringLiteral("CbBaud"), this);
  cbParity_ = new QComboBox(this);
  cbParity_->setObjectName(QStringLiteral("CbParity"));
  cbParity_->addItems(PortParameters::ParityNames());
  cbDataBits_ = NumberBox(PortParameters::kDataBits, QStringLiteral("CbDataBits"), this);
  cbStopBits_ = NumberBox(PortParameters::kStopBits, QStringLiteral("CbStopBits"), this);

  auto* settings = new QFormLayout;
  const auto addRow = [&](const QString& text, QWidget* field) {
    auto* label = new QLabel(text, this);
    label->setBuddy(field);
    settings->addRow(label, field);
  };
  addRow(QStringLiteral("&Baud rates:"), cbBaud_);
  addRow(QStringLiteral("&Parity:"), cbParity_);
  addRow(QStringLiteral("&Data bits:"), cbDataBits_);
  addRow(QStringLiteral("&Stop bits:"), cbStopBits_);

  auto* flow = new QGroupBox(QStringLiteral("&Flow control:"), this);
  flow->setObjectName(QStringLiteral("GbFlowControl"));
  dtrDsr_ = FlowBox(QStringLiteral("DTR/DSR"), QStringLiteral("DtrDsr"), flow);
  rtsCts_ = FlowBox(QStringLiteral("RTS/CTS"), QStringLiteral("RtsCts"), flow);
  softwareTransmit_ =
      FlowBox(QStringLiteral("Software transmit"), QStringLiteral("SoftwareTransmit"), flow);
  softwareReceive_ =
      FlowBox(QStringLiteral("Software receive"), QStringLiteral("SoftwareReceive"), flow);
  xonChar_ = CharBox(QStringLiteral("XonChar"), flow);
  xoffChar_ = CharBox(QStringLiteral("XoffChar"), flow);
  auto* chars = new QFormLayout;
  chars->addRow(QStringLiteral("Xon char"), xonChar_);
  chars->addRow(QStringLiteral("Xoff char"), xoffChar_);
  auto* flowLayout = new QVBoxLayout(flow);
  for (QCheckBox* box : {dtrDsr_, rtsCts_, softwareTransmit_, softwareReceive_}) {
    flowLayout->addWidget(box);
  }
  flowLayout->addLayout(chars);

  auto* right = new QVBoxLayout;
  right->addLayout(settings);
  right->addWidget(flow);
  auto* columns = new QHBoxLayout;
  columns->addWidget(comPorts_);
  columns->addLayout(right);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BtnOk"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BtnCancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);

  OnSignal(buttons, &QDialogButtonBox::accepted, this, [this] {
    Store();
    accept();
    RunGuarded(parentWidget(), [this] { logic_.Apply(); });
  });
  OnSignal(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });
}

void ComPortOptionsDialog::Load() {
  logic_.Fill();
  const PortParameterFields& f = logic_.fields;
  comPorts_->clear();
  comPorts_->addItems(f.ports);
  comPorts_->setCurrentRow(static_cast<int>(f.ports.indexOf(f.port)));
  SelectValue(cbBaud_, f.line.baud);
  cbParity_->setCurrentIndex(static_cast<int>(f.line.parity));
  SelectValue(cbDataBits_, f.line.dataBits);
  SelectValue(cbStopBits_, f.line.stopBits);
  dtrDsr_->setChecked(f.flow.dtrDsr);
  rtsCts_->setChecked(f.flow.rtsCts);
  softwareTransmit_->setChecked(f.flow.softwareTransmit);
  softwareReceive_->setChecked(f.flow.softwareReceive);
  xonChar_->setValue(f.flow.xonChar);
  xoffChar_->setValue(f.flow.xoffChar);
}

void ComPortOptionsDialog::Store() {
  PortParameterFields& f = logic_.fields;
  if (comPorts_->currentItem() != nullptr) f.port = comPorts_->currentItem()->text();
  f.line.baud = cbBaud_->currentData().toInt();
  f.line.parity = ParityFromCode(cbParity_->currentIndex());
  f.line.dataBits = cbDataBits_->currentData().toInt();
  f.line.stopBits = cbStopBits_->currentData().toInt();
  f.flow.dtrDsr = dtrDsr_->isChecked();
  f.flow.rtsCts = rtsCts_->isChecked();
  f.flow.softwareTransmit = softwareTransmit_->isChecked();
  f.flow.softwareReceive = softwareReceive_->isChecked();
  f.flow.xonChar = xonChar_->value();
  f.flow.xoffChar = xoffChar_->value();
}

// A dialog made without a parent is this object's; one with a parent may already be gone.
ComPortOptions::~ComPortOptions() { delete dialog_.data(); }

void ComPortOptions::SetParameters(QWidget* parent) {
  ComPortOptionsDialog& dialog = Dialog(parent);
  dialog.Load();
  dialog.exec();
}

ComPortOptionsDialog& ComPortOptions::Dialog(QWidget* parent) {
  if (dialog_.isNull()) dialog_ = new ComPortOptionsDialog(logic_, parent);
  return *dialog_;
}

}  // namespace ventari
