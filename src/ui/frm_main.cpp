#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "app/session.h"
#include "ui/pictures.h"

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

}  // namespace

TFrmMain::TFrmMain(Session& session) : session_(session) {
  setObjectName(QStringLiteral("TFrmMain"));
  setWindowTitle(QStringLiteral("Ventari"));
  auto* central = new QLabel(this);
  central->setPixmap(BackgroundPicture(kClientSize));
  central->setScaledContents(true);
  auto* layout = new QVBoxLayout(central);
  searching_ = RedLabel(QStringLiteral("Please wait, searching..."), central);
  busy_ = RedLabel(QStringLiteral("Please wait, busy..."), central);
  layout->addStretch();
  layout->addWidget(searching_);
  layout->addWidget(busy_);
  layout->addStretch();
  setCentralWidget(central);
  BuildMenu();
  // The client area is fixed: the menu bar comes on top of it.
  setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());

  sync_ = new QTimer(this);
  connect(sync_, &QTimer::timeout, this, &TFrmMain::SyncFromModel);
  sync_->start(100);
  SyncFromModel();
}

void TFrmMain::BuildMenu() {
  for (const MenuEntry& entry : session_.window.menu.Entries()) {
    const bool hasChildren =
        std::any_of(session_.window.menu.Entries().begin(), session_.window.menu.Entries().end(),
                    [&entry](const MenuEntry& e) { return e.parent == entry.name; });
    QAction* action = nullptr;
    if (hasChildren) {
      auto* menu = new QMenu(entry.caption, this);
      menu->setObjectName(entry.name);
      if (entry.parent.isEmpty()) {
        action = menuBar()->addMenu(menu);
      } else {
        action = menus_.value(entry.parent)->addMenu(menu);
      }
      menus_.insert(entry.name, menu);
    } else {
      action = new QAction(entry.caption, this);
      if (entry.parent.isEmpty()) {
        menuBar()->addAction(action);
      } else {
        menus_.value(entry.parent)->addAction(action);
      }
      const QString name = entry.name;
      connect(action, &QAction::triggered, this, [this, name] {
        const auto command = commands_.value(name);
        if (command) RunHandler(command);
        SyncFromModel();
      });
    }
    action->setObjectName(entry.name);
    actions_.insert(entry.name, action);
  }
}

void TFrmMain::SetCommand(const QString& entry, std::function<void()> command) {
  commands_.insert(entry, std::move(command));
}

void TFrmMain::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    SyncFromModel();
    QMessageBox::critical(this, QStringLiteral("Ventari"), QString::fromUtf8(e.what()));
  }
}

void TFrmMain::SyncFromModel() {
  const MainWindowModel& model = session_.window;
  for (const MenuEntry& entry : model.menu.Entries()) {
    QAction* action = actions_.value(entry.name);
    if (!action) continue;
    action->setText(entry.caption);
    action->setVisible(entry.visible);
    action->setEnabled(entry.enabled);
    if (entry.checked || action->isCheckable()) {
      action->setCheckable(true);
      action->setChecked(entry.checked);
    }
  }
  searching_->setVisible(model.searchingLabelVisible);
  busy_->setVisible(model.busyLabelVisible);
  centralWidget()->setEnabled(model.enabled);
  menuBar()->setEnabled(model.enabled);
  if (model.busyCursor != cursorBusy_) {
    cursorBusy_ = model.busyCursor;
    if (cursorBusy_) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  RunHandler([this] { session_.OnFirstShow(session_.AvailablePorts()); });
  SyncFromModel();
  // Window managers differ in whether a new window is activated; search either way.
  QTimer::singleShot(0, this, &TFrmMain::Activated);
}

bool TFrmMain::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && shown_ && !closing_) {
    QTimer::singleShot(0, this, &TFrmMain::Activated);
  }
  return QMainWindow::event(event);
}

void TFrmMain::Activated() {
  if (closing_) return;
  RunHandler([this] { session_.discovery.OnActivate(); });
  SyncFromModel();
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  event->ignore();
  if (closing_) return;
  closing_ = true;
  RunHandler([this] { session_.Close(); });
  SyncFromModel();
  closed_ = true;
  close();
}

}  // namespace ventari
