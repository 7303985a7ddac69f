// The windsock window: the rose with its needle on the left; rose type, averaging, gust, units
// and the read-outs in a column on the right. A view over the windsock's model.
#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;

namespace ventari {

class LiveWindow;
class WindsockWindowModel;

class TFrmWindsock : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmWindsock(WindsockWindowModel& model, QWidget* parent = nullptr);
  ~TFrmWindsock() override;

  // Mirrors the model (also done when the model announces a change, and when shown).
  void Sync();
  QWidget* Rose() const { return rose_; }
  LiveWindow& Live() const { return *live_; }

 private:
  QWidget* BuildControls();
  QGroupBox* RadioGroup(const char* name, const QString& title, const QStringList& items,
                        QButtonGroup*& buttons, std::function<void(int)> choose);

  WindsockWindowModel& model_;
  QWidget* rose_;
  LiveWindow* live_ = nullptr;
  QButtonGroup* roseType_ = nullptr;
  QButtonGroup* averaging_ = nullptr;
  QButtonGroup* gust_ = nullptr;
  QButtonGroup* units_ = nullptr;
  QGroupBox* gustGroup_ = nullptr;
  QLabel* lblGust_ = nullptr;
  QGroupBox* wAxis_ = nullptr;
  QLabel* wc3Label_ = nullptr;
  QLabel* label3_ = nullptr;
};

}  // namespace ventari
