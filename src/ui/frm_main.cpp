#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>

#include "base/main_window_model.h"
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

TFrmMain::TFrmMain(MainWindowModel& model, Actions actions)
    : model_(model), actions_(std::move(actions)) {
  setObjectName(QStringLiteral("TFrmMain"));
  setWindowTitle(QStringLiteral("Ventari"));
  auto* central = new QLabel(this);
  central->setPixmap(BackgroundPicture(kClientSize));
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
  layout->addStretch();
  layout->addWidget(portNotice_);
  layout->addWidget(dataNotice_);
  setCentralWidget(central);
  BuildMenu();
  // The client area is fixed: the menu bar comes on top of it.
  setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());

  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { SyncFromModel(); });
  SyncFromModel();
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
