// Messages for the user that wait until the event in hand has been handled: a record that meets
// a file error still reaches every window before a box waits for the user.
#pragma once

#include <QString>
#include <QStringList>

#include "base/prompts.h"
#include "base/runtime.h"

namespace ventari {

class DeferredReports {
 public:
  DeferredReports(Runtime& runtime, Prompts& prompts, QString caption);
  ~DeferredReports();
  DeferredReports(const DeferredReports&) = delete;
  DeferredReports& operator=(const DeferredReports&) = delete;

  // Shown, in the order added, when the event loop next turns.
  void Add(const QString& message);

 private:
  Runtime& runtime_;
  Prompts& prompts_;
  QString caption_;
  QStringList waiting_;
  Runtime::EventId event_ = 0;
};

}  // namespace ventari
