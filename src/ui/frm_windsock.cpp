#include "ui/frm_windsock.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QVBoxLayout>

#include "displays/windsock_window_model.h"
#include "ui/colour_contrast.h"
#include "ui/guarded_handler.h"
#include "ui/live_window.h"
#include "ui/read_out_label.h"
#include "ui/view_refresh.h"
#include "ui/window_placement.h"

namespace ventari {
namespace {

constexpr QSize kClientSize(792, 603);
constexpr int kRoseSide = 600;
constexpr QSize kLogoSize(100, 107);
constexpr int kFontPointSize = 8;

// CalvarnWindsock1 on the screen: the rose, the needle and the warm-up text, painted in one pass;
// when the windsock changed, only the part that changed is painted again.
class WindsockControl : public QWidget {
 public:
  WindsockControl(TCalvarnWindsock& windsock, QWidget* parent)
      : QWidget(parent), windsock_(windsock) {
    setObjectName(QStringLiteral("CalvarnWindsock1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    new ViewRefresh(this, windsock_.Changed(), [this] { update(windsock_.TakeChangedArea()); });
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    RunGuarded(this, [this] {
      QPainter painter(this);
      painter.setFont(font());
      windsock_.Paint(painter);
    });
  }
  void resizeEvent(QResizeEvent*) override {
    RunGuarded(this, [this] { windsock_.SetSize(size()); });
  }

 private:
  TCalvarnWindsock& windsock_;
};

// The maker's mark: three anemometer cups on their arms over the maker's name, which is written
// on the window's own `background`; `pixelRatio` device pixels to a pixel.
QPixmap Logo(const QColor& background, qreal pixelRatio) {
  QPixmap logo(kLogoSize * pixelRatio);
  logo.setDevicePixelRatio(pixelRatio);
  logo.fill(Qt::transparent);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor navy(0, 51, 120);
  painter.setPen(Qt::NoPen);
  painter.setBrush(navy);
  painter.drawRoundedRect(QRectF(2, 2, 96, 76), 10, 10);
  const QPointF hub(50, 40);
  painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  for (int arm = 0; arm < 3; ++arm) {
    QTransform turn;
    turn.translate(hub.x(), hub.y()).rotate(arm * 120.0 - 90);
    const QPointF cup = turn.map(QPointF(26, 0));
    painter.drawLine(hub, cup);
    QPainterPath bowl;
    bowl.addEllipse(cup, 8, 8);
    painter.save();
    painter.setBrush(QColor(120, 200, 255));
    painter.drawPath(bowl);
    painter.restore();
  }
  painter.setBrush(Qt::white);
  painter.drawEllipse(hub, 4, 4);
  QFont font = painter.font();
  font.setPixelSize(15);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  painter.setFont(font);
  painter.setPen(LegibleOn(navy, background));
  painter.drawText(QRectF(0, 80, 100, 24), Qt::AlignCenter, QStringLiteral("CALVARN"));
  return logo;
}

QLabel* ReadOut(const char* name, int pixelSize, bool bold, QWidget* parent) {
  auto* label = new ReadOutLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = label->font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  // Opaque: a new reading repaints the label alone, not the group box around it.
  label->setAutoFillBackground(true);
  return label;
}

// Checks item `index` of `group`, or none when it is outside the list.
void CheckOnly(QButtonGroup* group, int index) {
  QAbstractButton* button = group->button(index);
  if (button) {
    if (!button->isChecked()) button->setChecked(true);
    return;
  }
  if (!group->checkedButton()) return;
  group->setExclusive(false);
  group->checkedButton()->setChecked(false);
  group->setExclusive(true);
}

}  // namespace

TFrmWindsock::TFrmWindsock(WindsockWindowModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
  setObjectName(QStringLiteral("TFrmWindsock"));
  setFixedSize(kClientSize);
  rose_ = new WindsockControl(model_.CalvarnWindsock1(), this);
  rose_->setGeometry(0, 0, kRoseSide, kRoseSide);
  QWidget* controls = BuildControls();
  // The column beside the rose is measured for a compact dialog font.
  QFont compact = controls->font();
  compact.setPointSize(kFontPointSize);
  controls->setFont(compact);
  controls->setGeometry(kRoseSide, 0, kClientSize.width() - kRoseSide, kClientSize.height());
  // The read-outs keep the size the layout gives them: a new reading then repaints its read-out
  // alone, where a label free to change its size would have the window laid out anew.
  ensurePolished();
  controls->layout()->activate();
  for (QLabel* readOut : {lblGust_, label3_, wc3Label_}) {
    readOut->parentWidget()->layout()->activate();
    readOut->setFixedSize(readOut->size());
  }

  live_ = new LiveWindow(
      *this, model_.Changed(), [this] { Sync(); }, CentreOnScreen, ViewRefresh::kMinIntervalMs);
  live_->HoldWhileHidden();
  Sync();
}

TFrmWindsock::~TFrmWindsock() = default;

QGroupBox* TFrmWindsock::RadioGroup(const char* name, const QString& title,
                                    const QStringList& items, QButtonGroup*& buttons,
                                    std::function<void(int)> choose) {
  auto* box = new QGroupBox(title);
  box->setObjectName(QString::fromLatin1(name));
  buttons = new QButtonGroup(box);
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(2);
  layout->setContentsMargins(8, 4, 4, 6);
  for (int i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(items[i], box);
    buttons->addButton(radio, i);
    layout->addWidget(radio);
  }
  OnSignal(buttons, &QButtonGroup::idClicked, this, [this, choose = std::move(choose)](int id) {
    choose(id);
    live_->SyncNow();
  });
  return box;
}

QWidget* TFrmWindsock::BuildControls() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(8);

  grid->addWidget(
      RadioGroup("RgRoseType", QStringLiteral("Rose type"),
                 {QStringLiteral("Angular"), QStringLiteral("NSEW"), QStringLiteral("Maritime")},
                 roseType_, [this](int item) { model_.SelectRose(item); }),
      0, 0);
  grid->addWidget(
      RadioGroup("Averaging", QStringLiteral("Averaging"),
                 {QStringLiteral("&2 min"), QStringLiteral("&10min"), QStringLiteral("c&ont")},
                 averaging_, [this](int item) { model_.SelectAveraging(item); }),
      0, 1);

  auto* gustPanel = new QWidget(panel);
  gustPanel->setObjectName(QStringLiteral("Gust"));
  auto* gustLayout = new QVBoxLayout(gustPanel);
  gustLayout->setContentsMargins(0, 0, 0, 0);
  gustGroup_ = RadioGroup("GustGroup", QStringLiteral("Gust"),
                          {QStringLiteral("&max"), QStringLiteral("mi&n"), QStringLiteral("&cont")},
                          gust_, [this](int item) { model_.SelectGust(item); });
  lblGust_ = ReadOut("lblGust", 24, false, gustPanel);
  gustLayout->addWidget(gustGroup_);
  gustLayout->addWidget(lblGust_);
  gustLayout->addStretch();
  grid->addWidget(gustPanel, 1, 0);
  grid->addWidget(
      RadioGroup("UnitsGroup", QStringLiteral("Units"),
                 {QStringLiteral("m/&s"), QStringLiteral("&kmh"), QStringLiteral("k&ts"),
                  QStringLiteral("m&ph"), QStringLiteral("&fpm")},
                 units_, [this](int item) { model_.SelectUnits(item); }),
      1, 1);

  auto* speedBox = new QGroupBox(QStringLiteral("Wind Speed"), panel);
  speedBox->setObjectName(QStringLiteral("GroupBox2"));
  QFont boldTitle = speedBox->font();
  boldTitle.setBold(true);
  speedBox->setFont(boldTitle);
  label3_ = ReadOut("Label3", 35, true, speedBox);
  QFont speedFont(QStringLiteral("Century Gothic"));
  speedFont.setStyleHint(QFont::SansSerif);
  speedFont.setPixelSize(35);
  speedFont.setBold(true);
  label3_->setFont(speedFont);
  label3_->setStyleSheet(
      QStringLiteral("color: %1;")
          .arg(LegibleOn(Qt::blue, panel->palette().color(QPalette::Window)).name()));
  (new QVBoxLayout(speedBox))->addWidget(label3_);
  grid->addWidget(speedBox, 2, 0, 1, 2);

  wAxis_ = new QGroupBox(QStringLiteral("W axis"), panel);
  wAxis_->setObjectName(QStringLiteral("GroupBox1"));
  wc3Label_ = ReadOut("Wc3Label", 24, false, wAxis_);
  (new QVBoxLayout(wAxis_))->addWidget(wc3Label_);
  grid->addWidget(wAxis_, 3, 0, 1, 2);

  grid->setRowStretch(4, 1);
  auto* image1 = new QLabel(panel);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setPixmap(Logo(panel->palette().color(QPalette::Window), devicePixelRatio()));
  image1->setFixedSize(kLogoSize);
  grid->addWidget(image1, 5, 0, 1, 2, Qt::AlignRight | Qt::AlignBottom);
  return panel;
}

void TFrmWindsock::Sync() {
  ShowTitle(*this, QStringLiteral("WindSock"), model_.NoData().Text());
  const WindsockWindowView& view = model_.View();
  const WindsockSelections& selections = model_.Selections();
  CheckOnly(roseType_, view.roseType);
  CheckOnly(averaging_, selections.averaging);
  CheckOnly(gust_, selections.gust);
  CheckOnly(units_, selections.units);
  gustGroup_->setEnabled(view.gustGroupEnabled);
  lblGust_->setVisible(view.gustLabelVisible);
  lblGust_->setText(view.gustText);
  label3_->setText(view.windSpeedText);
  wc3Label_->setText(view.wAxisText);
  wAxis_->setVisible(view.wAxisVisible);
}

}  // namespace ventari
