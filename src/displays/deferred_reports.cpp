#include "displays/deferred_reports.h"

#include <utility>

namespace ventari {

DeferredReports::DeferredReports(Runtime& runtime, Prompts& prompts, QString caption)
    : runtime_(runtime), prompts_(prompts), caption_(std::move(caption)) {}

DeferredReports::~DeferredReports() { runtime_.Cancel(event_); }

void DeferredReports::Add(const QString& message) {
  waiting_.push_back(message);
  if (event_ != 0) return;
  event_ = runtime_.Schedule(0, [this] {
    event_ = 0;
    const QStringList reports = std::exchange(waiting_, {});
    for (const QString& report : reports) prompts_.ShowMessage(report, caption_);
  });
}

}  // namespace ventari
