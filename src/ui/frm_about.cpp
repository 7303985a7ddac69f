#include "ui/frm_about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "base/version.h"
#include "ui/guarded_handler.h"

namespace ventari {

TFrmAbout::TFrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrmAbout"));
  setWindowTitle(QStringLiteral("About Ventari"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* product = new QLabel(QStringLiteral("Ventari v") + QLatin1String(kVersion), this);
  QFont big = product->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  product->setFont(big);
  layout->addWidget(product);
  layout->addWidget(new QLabel(QStringLiteral("Calvarn Zurevuzizud Ltd\n"
                                              "Unit 4, Meridian Court\n"
                                              "Harbour Road, Westport WP4 7QT"),
                               this));
  layout->addWidget(new QLabel(QStringLiteral("Telephone: +44 (0)1632 960 410"), this));
  layout->addWidget(new QLabel(QStringLiteral("Fax: +44 (0)1632 960 411"), this));
  for (const auto& [link, text] : {std::pair{QStringLiteral("mailto:support@calvarn.example"),
                                             QStringLiteral("support@calvarn.example")},
                                   std::pair{QStringLiteral("https://www.calvarn.example"),
                                             QStringLiteral("www.calvarn.example")}}) {
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(link, text), this);
    label->setOpenExternalLinks(true);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    layout->addWidget(label);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  OnSignal(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
  layout->addWidget(buttons);
}

}  // namespace ventari
