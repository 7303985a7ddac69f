#include "ui/frm_terminal.h"

#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>

#include "link/terminal_model.h"
#include "ui/elided_label.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {

TFrmTerminal::TFrmTerminal(TerminalModel& model, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      model_(model),
      terminal1_(new QPlainTextEdit(this)),
      portStatus_(new ElidedLabel(this)),
      logStatus_(new ElidedLabel(this)) {
  (new ViewRefresh(this, model.Changed(), [this] { Sync(); }))->HoldWhileHidden(*this);
  setWindowTitle(QStringLiteral("Terminal"));
  setFixedSize(297, 326);

  terminal1_->setObjectName(QStringLiteral("Terminal1"));
  terminal1_->setReadOnly(true);
  terminal1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  terminal1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  terminal1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setBold(true);
  terminal1_->setFont(font);
  terminal1_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: silver; }"));
  terminal1_->installEventFilter(this);
  setCentralWidget(terminal1_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Clear terminal"), this, [this] { model_.ClearTerminal(); });
  file->addAction(QStringLiteral("&Exit"), this, [this] { hide(); });
  QMenu* comms = menuBar()->addMenu(QStringLiteral("&Communications"));
  setParametersAction_ = comms->addAction(QStringLiteral("Set parameters"), this, [this] {
    RunGuarded(this, setParameters_);
    model_.RefreshStatus();
    terminal1_->setFocus();
  });
  setParametersAction_->setEnabled(false);
  datalogging1_ = menuBar()->addAction(model_.LogCaption());
  datalogging1_->setObjectName(QStringLiteral("Datalogging1"));
  OnSignal(datalogging1_, &QAction::triggered, this, [this] { model_.Datalogging1Click(); });
  menuBar()->addAction(QStringLiteral("&Help"))->setEnabled(false);

  // A long notice or file name is cut in the middle, each section keeping room for the other.
  statusBar()->addWidget(portStatus_);
  logStatus_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(logStatus_, 1);
  Sync();
  CentreOnScreen(*this);
}

void TFrmTerminal::SetSetParameters(std::function<void()> setParameters) {
  setParameters_ = std::move(setParameters);
  setParametersAction_->setEnabled(static_cast<bool>(setParameters_));
}

void TFrmTerminal::Sync() {
  const QString text = model_.Screen().Text();
  if (terminal1_->toPlainText() != text) {
    QScrollBar& bar = *terminal1_->verticalScrollBar();
    // In scroll-back a place the user scrolled to stays on its text; otherwise the end shows.
    const bool atEnd = !model_.Screen().ScrollBack() || bar.value() >= bar.maximum();
    const std::int64_t dropped = model_.Screen().Dropped();
    const std::int64_t top = bar.value() - (dropped - shownDropped_);
    shownDropped_ = dropped;
    terminal1_->setPlainText(text);
    bar.setValue(atEnd ? bar.maximum() : static_cast<int>(std::max<std::int64_t>(0, top)));
  }
  portStatus_->SetWholeText(model_.PortStatus());
  portStatus_->setFixedWidth(std::min(portStatus_->sizeHint().width(), width() * 3 / 5));
  logStatus_->SetWholeText(model_.LogStatus());
  datalogging1_->setText(model_.LogCaption());
}

bool TFrmTerminal::eventFilter(QObject* watched, QEvent* event) {
  bool taken = false;
  RunGuarded(this, [&] {
    if (watched != terminal1_ || event->type() != QEvent::KeyPress) return;
    taken = true;  // a key that failed to go out is the terminal's all the same
    const auto* key = static_cast<QKeyEvent*>(event);
    taken = KeyPressed(key->key(), key->text());
  });
  return taken || QMainWindow::eventFilter(watched, event);
}

bool TFrmTerminal::KeyPressed(int key, const QString& text) {
  switch (key) {
    case Qt::Key_Insert:
      model_.ToggleScrollBack();
      return true;
    case Qt::Key_Backspace:
      model_.Backspace();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      model_.Type('\r');
      return true;
    default:
      break;
  }
  // Only what stands for bytes on the line is sent; the arrows and the like are not.
  const QByteArray bytes = text.toLatin1();
  for (const char byte : bytes) model_.Type(static_cast<std::uint8_t>(byte));
  return !bytes.isEmpty();
}

void TFrmTerminal::changeEvent(QEvent* event) {
  RunGuarded(this, [this, event] {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) model_.RefreshStatus();
  });
  QMainWindow::changeEvent(event);
}

}  // namespace ventari
