// What a live window says while the anemometer's records have stopped ("No data from T7 for
// 12 s"); empty while they flow. A change is told through the notifier of the window's model.
#pragma once

#include <QString>

#include "base/change_notifier.h"

namespace ventari {

class NoDataNotice {
 public:
  explicit NoDataNotice(ChangeNotifier& changed) : changed_(changed) {}
  NoDataNotice(const NoDataNotice&) = delete;
  NoDataNotice& operator=(const NoDataNotice&) = delete;

  const QString& Text() const { return text_; }
  void Set(const QString& text) {
    if (text_ == text) return;
    text_ = text;
    changed_.Notify();
  }

 private:
  ChangeNotifier& changed_;
  QString text_;
};

}  // namespace ventari
