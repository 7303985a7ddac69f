#include "ui/frm_flash.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "service/flash_programmer.h"
#include "ui/guarded_handler.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {

TFrmFlash::TFrmFlash(FlashProgrammer& programmer, QWidget* parent)
    : QWidget(parent, Qt::Window), programmer_(programmer) {
  setObjectName(QStringLiteral("TFrmFlash"));
  setWindowTitle(QStringLiteral("Hitachi H8/333x Flash programming"));
  flashProgressLst_ = new QListWidget(this);
  flashProgressLst_->setObjectName(QStringLiteral("FlashProgressLst"));
  flashProgressLst_->setSelectionMode(QAbstractItemView::NoSelection);
  abortButton_ = new QPushButton(QStringLiteral("A&bort"), this);
  abortButton_->setObjectName(QStringLiteral("AbortButton"));
  OnSignal(abortButton_, &QPushButton::clicked, this, [this] { programmer_.Abort(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(abortButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(flashProgressLst_);
  layout->addLayout(buttons);
  resize(460, 360);
  new ViewRefresh(this, programmer_.Changed(), [this] { Sync(); });
  new ViewRefresh(this, programmer_.Log().Changed(), [this] { Sync(); });
  Sync();
}

void TFrmFlash::Sync() {
  const FlashLog& log = programmer_.Log();
  const auto& lines = log.Lines();
  const std::uint64_t fresh = std::min<std::uint64_t>(log.Added() - shownLines_, lines.size());
  if (fresh > 0) {
    for (auto it = lines.end() - static_cast<std::ptrdiff_t>(fresh); it != lines.end(); ++it) {
      flashProgressLst_->addItem(*it);
    }
    // The list keeps as many lines as the log does.
    while (static_cast<std::size_t>(flashProgressLst_->count()) > FlashLog::kMaxLines) {
      delete flashProgressLst_->takeItem(0);
    }
    flashProgressLst_->scrollToBottom();
  }
  shownLines_ = log.Added();
  if (programmer_.WindowShown() && !isVisible()) {
    if (!placed_) CentreOnScreen(*this);
    placed_ = true;
    show();
  } else if (!programmer_.WindowShown() && isVisible()) {
    hide();
  }
}

void TFrmFlash::closeEvent(QCloseEvent* event) {
  RunGuarded(this, [this] { programmer_.CloseWindow(); });
  // Mid-run the model keeps the window.
  event->setAccepted(!programmer_.WindowShown());
}

}  // namespace ventari
