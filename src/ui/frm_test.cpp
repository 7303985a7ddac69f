#include "ui/frm_test.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "service/test_window_model.h"
#include "ui/guarded_handler.h"
#include "ui/pictures.h"
#include "ui/sensor_type_page.h"
#include "ui/view_refresh.h"

namespace ventari {

TFrmTest::TFrmTest(TestWindowModel& model, std::function<void()> help, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(model),
      // At the printer's own resolution: the reports place their lines in its pixels.
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("TFrmTest"));
  setWindowTitle(QStringLiteral("Anemometer configuration and test"));
  // Wide enough for the tabs of either sequence.
  resize(1210, 580);

  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
  QAction* setUp = file->addAction(QStringLiteral("P&rinter set-up"));
  setUp->setObjectName(QStringLiteral("Printersetup1"));
  OnSignal(setUp, &QAction::triggered, this, [this] { PrinterSetUp(); });

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("PageControl1"));
  sensorPage_ = new SensorTypePage(model_, tabs_);
  for (int i = 0; i < kTestPageCount; ++i) {
    const auto page = static_cast<TestPage>(i);
    pages_[Index(page)] = page == TestPage::kSensorType ? sensorPage_ : PlaceholderPage(page);
    pages_[Index(page)]->hide();
  }
  OnSignal(tabs_, &QTabWidget::currentChanged, this, [this](int index) { TabChosen(index); });

  ok_ = new QPushButton(QStringLiteral("&OK"), this);
  ok_->setObjectName(QStringLiteral("OKBtn"));
  OnSignal(ok_, &QPushButton::clicked, this, [this] { model_.OKBtnClick(); });
  auto* helpButton = new QPushButton(QStringLiteral("&Help"), this);
  helpButton->setObjectName(QStringLiteral("HelpBtn"));
  OnSignal(helpButton, &QPushButton::clicked, this, [help = std::move(help)] {
    if (help) help();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(helpButton);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menuBar);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  refresh_ = new ViewRefresh(this, model_.Changed(), [this] { Sync(); });
  Sync();
}

TFrmTest::~TFrmTest() = default;

QWidget* TFrmTest::PlaceholderPage(TestPage page) {
  auto* widget = new QWidget(tabs_);
  auto* layout = new QVBoxLayout(widget);
  if (page == TestPage::kCalibrateAnalogue) {
    auto* group = new QGroupBox(widget);
    group->setObjectName(QStringLiteral("GroupBox3"));
    auto* inside = new QVBoxLayout(group);
    inside->addWidget(new QLabel(QStringLiteral("TBA"), group), 0, Qt::AlignCenter);
    layout->addWidget(group, 1);
  } else {
    layout->addStretch();
  }
  if (const QString name = TestWindowModel::NextButtonName(page); !name.isEmpty()) {
    auto* next = new QPushButton(TestWindowModel::NextButtonCaption(page), widget);
    next->setObjectName(name);
    OnSignal(next, &QPushButton::clicked, this, [this, page] { model_.Next(page); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(next);
    layout->addLayout(row);
  }
  return widget;
}

void TFrmTest::SetPageWidget(TestPage page, QWidget* widget) {
  if (page == TestPage::kSensorType) return;
  syncing_ = true;
  QWidget* old = pages_[Index(page)];
  if (const int index = tabs_->indexOf(old); index >= 0) {
    tabs_->removeTab(index);
    tabs_->insertTab(index, widget, TestWindowModel::PageCaption(page));
  } else {
    widget->setParent(tabs_);
    widget->hide();
  }
  pages_[Index(page)] = widget;
  delete old;
  syncing_ = false;
  Sync();
}

void TFrmTest::ShowTabs(const std::vector<TestPage>& shown) {
  bool same = tabs_->count() == static_cast<int>(shown.size());
  for (int i = 0; same && i < tabs_->count(); ++i) {
    same = tabs_->widget(i) == pages_[Index(shown[static_cast<std::size_t>(i)])];
  }
  if (same) return;
  // The tab bar holds the shown pages only; the hidden ones wait, kept, beside it.
  while (tabs_->count() > 0) tabs_->removeTab(0);
  for (TestPage page : shown)
    tabs_->addTab(pages_[Index(page)], TestWindowModel::PageCaption(page));
}

int TFrmTest::TabOf(TestPage page) const { return tabs_->indexOf(pages_[Index(page)]); }

void TFrmTest::Execute() {
  model_.FormShow();
  show();
  refresh_->SyncNow();
  raise();
  activateWindow();
}

void TFrmTest::Sync() {
  const auto& view = model_.View();
  syncing_ = true;
  ShowTabs(model_.ShownPages());
  tabs_->setCurrentIndex(TabOf(view.activePage));
  // While a run uses the port only its page (with its Abort) takes input.
  for (int i = 0; i < tabs_->count(); ++i) {
    tabs_->setTabEnabled(i, !view.portBusy || i == tabs_->currentIndex());
  }
  ok_->setEnabled(!view.portBusy);
  syncing_ = false;
  sensorPage_->Sync();
  if (view.iconFile != iconFile_) {
    iconFile_ = view.iconFile;
    setWindowIcon(iconFile_.isEmpty() ? QIcon() : WindowIcon(iconFile_));
  }
  if (view.focusRequest != focusRequest_) {
    focusRequest_ = view.focusRequest;
    if (auto* control = findChild<QWidget*>(view.focus)) control->setFocus();
  }
  if (!view.visible && isVisible()) close();
}

void TFrmTest::TabChosen(int index) {
  if (syncing_ || index < 0) return;
  for (int i = 0; i < kTestPageCount; ++i) {
    // Entering a page may talk to the anemometer.
    if (pages_[static_cast<std::size_t>(i)] == tabs_->widget(index)) {
      RunGuarded(this, [this, i] { model_.GoTo(static_cast<TestPage>(i)); });
    }
  }
  refresh_->SyncNow();
}

void TFrmTest::closeEvent(QCloseEvent* event) {
  RunGuarded(this, [this] {
    if (model_.View().visible) model_.FormClose();
  });
  event->accept();
}

void TFrmTest::PrinterSetUp() {
  QPageSetupDialog dialog(printer_.get(), this);
  dialog.exec();
}

}  // namespace ventari
