#include "ui/frm_publish.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "app/broker_publishing.h"
#include "base/prompts.h"
#include "ui/guarded_handler.h"

namespace ventari {
namespace {

constexpr int kMostHeldMessages = 100'000'000;
constexpr int kMostHeldMiB = 65536;
constexpr std::size_t kMiB = 1024 * 1024;

QSpinBox* CountBox(QWidget* parent, const QString& name, int most, const QString& suffix) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(1, most);
  box->setGroupSeparatorShown(true);
  box->setSuffix(suffix);
  return box;
}

}  // namespace

TFrmPublish::TFrmPublish(BrokerPublishing& publishing, Prompts& prompts, QWidget* parent)
    : QDialog(parent), publishing_(publishing), prompts_(prompts) {
  setObjectName(QStringLiteral("TFrmPublish"));
  setWindowTitle(QStringLiteral("Publish to broker"));
  enabled_ = new QCheckBox(QStringLiteral("&Publish the live records to an MQTT broker"), this);
  enabled_->setObjectName(QStringLiteral("PublishEnabled"));
  url_ = new QLineEdit(this);
  url_->setObjectName(QStringLiteral("BrokerUrl"));
  url_->setPlaceholderText(QStringLiteral("mqtt://host:1883 or mqtts://host:8883"));
  prefix_ = new QLineEdit(this);
  prefix_->setObjectName(QStringLiteral("TopicPrefix"));
  prefix_->setPlaceholderText(DefaultTopicPrefix());
  qos_ = new QComboBox(this);
  qos_->setObjectName(QStringLiteral("Qos"));
  qos_->addItems({QStringLiteral("0: at most once"),
                  QStringLiteral("1: every record acknowledged by the broker")});
  user_ = new QLineEdit(this);
  user_->setObjectName(QStringLiteral("BrokerUser"));
  user_->setPlaceholderText(QStringLiteral("none: anonymous"));
  holdMessages_ = CountBox(this, QStringLiteral("HoldMessages"), kMostHeldMessages,
                           QStringLiteral(" messages"));
  holdMiB_ = CountBox(this, QStringLiteral("HoldMiB"), kMostHeldMiB, QStringLiteral(" MiB"));

  auto* form = new QFormLayout;
  form->addRow(enabled_);
  form->addRow(QStringLiteral("&Broker:"), url_);
  form->addRow(QStringLiteral("&Certificate authority:"),
               FileRow(caFile_, QStringLiteral("CaFile"),
                       QStringLiteral("Certificate authority of the broker")));
  form->addRow(QStringLiteral("&Topic prefix:"), prefix_);
  form->addRow(QStringLiteral("&QoS:"), qos_);
  form->addRow(QStringLiteral("&User name:"), user_);
  form->addRow(QStringLiteral("Pass&word file:"),
               FileRow(passwordFile_, QStringLiteral("PasswordFile"),
                       QStringLiteral("File holding the password")));
  auto* held = new QHBoxLayout;
  held->addWidget(holdMessages_);
  held->addWidget(holdMiB_);
  form->addRow(QStringLiteral("Hold at most:"), held);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OkBtn"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  OnSignal(ok, &QPushButton::clicked, this, [this] { OkClick(); });
  OnSignal(cancel, &QPushButton::clicked, this, [this] { reject(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(480);
}

QWidget* TFrmPublish::FileRow(QLineEdit*& edit, const QString& name, const QString& caption) {
  auto* row = new QWidget(this);
  auto* line = new QHBoxLayout(row);
  line->setContentsMargins(0, 0, 0, 0);
  edit = new QLineEdit(row);
  edit->setObjectName(name);
  auto* browse = new QPushButton(QStringLiteral("Browse..."), row);
  browse->setObjectName(name + QStringLiteral("Browse"));
  line->addWidget(edit, 1);
  line->addWidget(browse);
  OnSignal(browse, &QPushButton::clicked, this, [this, edit, caption] {
    const QString file = prompts_.ChooseOpenFile(caption, QFileInfo(edit->text()).path(), {});
    if (!file.isEmpty()) edit->setText(file);
  });
  return row;
}

void TFrmPublish::Execute() {
  const BrokerSettings& chosen = publishing_.Chosen();
  enabled_->setChecked(chosen.enabled);
  url_->setText(chosen.url);
  caFile_->setText(chosen.caFile);
  prefix_->setText(chosen.prefix);
  qos_->setCurrentIndex(chosen.qos == 0 ? 0 : 1);
  user_->setText(chosen.user);
  passwordFile_->setText(chosen.passwordFile);
  holdMessages_->setValue(
      static_cast<int>(std::min<std::size_t>(chosen.bounds.messages, kMostHeldMessages)));
  holdMiB_->setValue(
      static_cast<int>(std::min<std::size_t>(chosen.bounds.bytes / kMiB, kMostHeldMiB)));
  open();
}

void TFrmPublish::OkClick() {
  BrokerSettings chosen;
  chosen.enabled = enabled_->isChecked();
  chosen.url = url_->text().trimmed();
  chosen.caFile = caFile_->text().trimmed();
  chosen.prefix = prefix_->text().trimmed();
  chosen.qos = qos_->currentIndex();
  chosen.user = user_->text();
  chosen.passwordFile = passwordFile_->text().trimmed();
  chosen.bounds = {static_cast<std::size_t>(holdMessages_->value()),
                   static_cast<std::size_t>(holdMiB_->value()) * kMiB};
  if (const QString problem = publishing_.Choose(chosen); !problem.isEmpty()) {
    prompts_.ShowMessage(problem, QStringLiteral("Publish to broker"));
    return;
  }
  accept();
}

}  // namespace ventari
