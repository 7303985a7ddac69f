#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/broker_publishing.h"
#include "app/status_line_model.h"
#include "base/main_window_model.h"
#include "ui/elided_label.h"
#include "ui/guarded_handler.h"
#include "ui/pictures.h"
#include "ui/view_refresh.h"

namespace ventari {
namespace {

constexpr QSize kClientSize(655, 444);

QLabel* RedLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setPointSize(16);
  font.setBold(true);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("color: #ff0000; background: transparent;"));
  label->setAlignment(Qt::AlignCenter);
  label->hide();
  return label;
}

std::size_t Index(MenuId id) { return static_cast<std::size_t>(id); }

}  // namespace

TFrmMain::TFrmMain(MainWindowModel& model, StatusLineModel& status, BrokerPublishing& publishing,
                   Actions actions)
    : model_(model), status_(status), publishing_(publishing), actions_(std::move(actions)) {
  setObjectName(QStringLiteral("TFrmMain"));
  setWindowTitle(QStringLiteral("Ventari"));
  auto* central = new QLabel(this);
  central->setPixmap(BackgroundPicture(kClientSize, devicePixelRatio()));
  central->setScaledContents(true);
  auto* layout = new QVBoxLayout(central);
  searching_ = RedLabel(QStringLiteral("Please wait, searching..."), central);
  busy_ = RedLabel(QStringLiteral("Please wait, busy..."), central);
  portNotice_ = RedLabel(QString(), central);
  portNotice_->setObjectName(QStringLiteral("PortNotice"));
  // A long device path wraps rather than being cut at the window's edge.
  portNotice_->setWordWrap(true);
  dataNotice_ = RedLabel(QString(), central);
  dataNotice_->setObjectName(QStringLiteral("DataNotice"));
  layout->addStretch();
  layout->addWidget(searching_);
  layout->addWidget(busy_);
  // No anemometer answered: in plain words, on the window's own colours over the picture.
  nextSteps_ = new QLabel(central);
  nextSteps_->setObjectName(QStringLiteral("NextSteps"));
  nextSteps_->setWordWrap(true);
  nextSteps_->setAutoFillBackground(true);
  nextSteps_->setMargin(8);
  nextSteps_->hide();
  layout->addStretch();
  layout->addWidget(nextSteps_);
  layout->addWidget(portNotice_);
  layout->addWidget(dataNotice_);
  setCentralWidget(central);
  BuildMenu();
  BuildStatusLine();
  // The client area is fixed: the menu bar comes on top of it, the status line below.
  setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height() +
                                        statusBar()->sizeHint().height());

  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { SyncFromModel(); });
  new ViewRefresh(this, status_.Changed(), [this] { SyncStatus(); });
  new ViewRefresh(this, publishing_.Changed(), [this] { SyncStatus(); });
  SyncFromModel();
  SyncStatus();
}

void TFrmMain::BuildStatusLine() {
  // Two lines of text always, so the window's height does not follow what they say: the port
  // and the state, with a log's file and the publishing beside them, cut in the middle when
  // long; then the anemometer and its records.
  auto* lines = new QWidget(statusBar());
  auto* rows = new QVBoxLayout(lines);
  rows->setContentsMargins(4, 0, 4, 0);
  rows->setSpacing(0);
  connection_ = new QLabel(lines);
  connection_->setObjectName(QStringLiteral("StatusConnection"));
  flow_ = new QLabel(lines);
  flow_->setObjectName(QStringLiteral("StatusFlow"));
  files_ = new ElidedLabel(lines);
  files_->setObjectName(QStringLiteral("StatusFiles"));
  files_->hide();
  publishingStatus_ = new ElidedLabel(lines);
  publishingStatus_->setObjectName(QStringLiteral("StatusPublishing"));
  publishingStatus_->hide();
  for (QLabel* label : {static_cast<QLabel*>(connection_), flow_, static_cast<QLabel*>(files_),
                        static_cast<QLabel*>(publishingStatus_)}) {
    label->setMinimumHeight(label->fontMetrics().height());
    if (label != connection_) label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }
  auto* first = new QHBoxLayout;
  first->setSpacing(24);
  first->addWidget(connection_);
  first->addWidget(files_, 1);
  first->addWidget(publishingStatus_, 1);
  first->addStretch();
  rows->addLayout(first);
  rows->addWidget(flow_);
  statusBar()->addWidget(lines, 1);
  statusBar()->setSizeGripEnabled(false);
}

void TFrmMain::SyncStatus() {
  connection_->setText(status_.Connection());
  flow_->setText(status_.Flow());
  files_->SetWholeText(status_.Files());
  files_->setVisible(!status_.Files().isEmpty());
  publishingStatus_->SetWholeText(publishing_.Status());
  publishingStatus_->setVisible(!publishing_.Status().isEmpty());
  nextSteps_->setText(status_.Advice());
  nextSteps_->setVisible(!status_.Advice().isEmpty());
}

void TFrmMain::BuildMenu() {
  const auto& entries = model_.menu.Entries();
  for (const MenuEntry& entry : entries) {
    const bool hasChildren =
        std::any_of(entries.begin(), entries.end(),
                    [&entry](const MenuEntry& e) { return e.parent == entry.id; });
    QAction* action = nullptr;
    if (hasChildren) {
      auto* menu = new QMenu(entry.caption, this);
      menu->setObjectName(entry.name);
      action =
          entry.parent ? menus_[Index(*entry.parent)]->addMenu(menu) : menuBar()->addMenu(menu);
      menus_[Index(entry.id)] = menu;
    } else {
      action = new QAction(entry.caption, this);
      if (entry.parent) {
        menus_[Index(*entry.parent)]->addAction(action);
      } else {
        menuBar()->addAction(action);
      }
      const MenuId id = entry.id;
      OnSignal(action, &QAction::triggered, this, [this, id] {
        if (const auto& command = commands_[Index(id)]) Run(command);
      });
    }
    action->setObjectName(entry.name);
    actions_by_id_[Index(entry.id)] = action;
  }
}

void TFrmMain::SetCommand(MenuId entry, std::function<void()> command) {
  commands_[Index(entry)] = std::move(command);
}

void TFrmMain::Run(const std::function<void()>& handler) {
  RunGuarded(this, handler);
  SyncFromModel();
}

void TFrmMain::SyncFromModel() {
  // Closed once the handler that asked for it has returned.
  if (model_.CloseRequested() && !closing_) RunLater(this, [this] { close(); });
  for (const MenuEntry& entry : model_.menu.Entries()) {
    QAction* action = actions_by_id_[Index(entry.id)];
    action->setText(entry.caption);
    action->setVisible(entry.visible);
    action->setEnabled(entry.enabled);
    if (entry.checked || action->isCheckable()) {
      action->setCheckable(true);
      action->setChecked(entry.checked);
    }
  }
  searching_->setVisible(model_.SearchingLabelVisible());
  busy_->setVisible(model_.BusyLabelVisible());
  portNotice_->setText(model_.PortNotice());
  portNotice_->setVisible(!model_.PortNotice().isEmpty());
  dataNotice_->setText(model_.DataNotice());
  dataNotice_->setVisible(!model_.DataNotice().isEmpty());
  centralWidget()->setEnabled(model_.Enabled());
  menuBar()->setEnabled(model_.Enabled());
  if (model_.BusyCursor() != cursorBusy_) {
    cursorBusy_ = model_.BusyCursor();
    if (cursorBusy_) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  RunGuarded(this, [this] {
    if (shown_) return;
    shown_ = true;
    if (actions_.firstShow) Run(actions_.firstShow);
    // Window managers differ in whether a new window is activated; search either way.
    RunLater(this, [this] { Activated(); });
  });
}

bool TFrmMain::event(QEvent* event) {
  RunGuarded(this, [this, event] {
    if (event->type() == QEvent::WindowActivate && shown_ && !closing_) {
      RunLater(this, [this] { Activated(); });
    }
  });
  return QMainWindow::event(event);
}

void TFrmMain::Activated() {
  if (closing_) return;
  if (actions_.activated) Run(actions_.activated);
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  RunGuarded(this, [this, event] {
    if (closed_) {
      event->accept();
      return;
    }
    // A second close while the first winds down waits for it.
    if (closing_) {
      event->ignore();
      return;
    }
    closing_ = true;
    if (actions_.closing) Run(actions_.closing);
    closed_ = true;
    // Accepted here, not by closing again: a close asked for by the program (File > Exit) is
    // still under way, and a second close() inside it would be ignored.
    event->accept();
  });
}

}  // namespace ventari
