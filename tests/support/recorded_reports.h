// Report output for tests: the print dialog answered from a script, each report printed kept
// whole.
#pragma once

#include <deque>
#include <vector>

#include "service/report_output.h"

namespace ventari::test {

class RecordedReports : public ReportOutput {
 public:
  bool Confirm() override {
    ++dialogs;
    if (confirmAnswers.empty()) return true;
    const bool confirmed = confirmAnswers.front();
    confirmAnswers.pop_front();
    return confirmed;
  }
  bool Print(const Report& report) override {
    printed.push_back(report);
    return printSucceeds;
  }

  // Answers of the print dialog in order; confirmed once they run out.
  std::deque<bool> confirmAnswers;
  bool printSucceeds = true;
  int dialogs = 0;
  std::vector<Report> printed;
};

}  // namespace ventari::test
