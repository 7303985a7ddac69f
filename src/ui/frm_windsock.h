// The windsock window: the rose with its needle on the left; rose type, averaging, gust, units
// and the read-outs in a column on the right. A view over the windsock's model.
#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QTimer;

namespace ventari {

class WindsockWindowModel;

class TFrmWindsock : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmWindsock(WindsockWindowModel& model, QWidget* parent = nullptr);
  ~TFrmWindsock() override;

  // Mirrors the model (also done on a short timer while the window is shown).
  void Sync();
  QWidget* Rose() const { return rose_; }

 signals:
  // The window closed.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildControls();
  QGroupBox* RadioGroup(const char* name, const QString& title, const QStringList& items,
                        QButtonGroup*& buttons, std::function<void(int)> choose);

  WindsockWindowModel& model_;
  QWidget* rose_;
  QTimer* sync_;
  QButtonGroup* roseType_ = nullptr;
  QButtonGroup* averaging_ = nullptr;
  QButtonGroup* gust_ = nullptr;
  QButtonGroup* units_ = nullptr;
  QGroupBox* gustGroup_ = nullptr;
  QLabel* lblGust_ = nullptr;
  QGroupBox* wAxis_ = nullptr;
  QLabel* wc3Label_ = nullptr;
  QLabel* label3_ = nullptr;
  bool placed_ = false;
};

}  // namespace ventari
