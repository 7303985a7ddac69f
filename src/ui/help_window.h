// The help: how to connect an anemometer, find it, and what each menu does.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace ventari {

class HelpWindow : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);

  // Shows the help at a topic ("Contents").
  void ShowTopic(const QString& topic);
  QString Html() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace ventari
