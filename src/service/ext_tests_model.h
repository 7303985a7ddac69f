// The state of the "Extended downcounts tests" window (`TFrmExtTests`): while a Downcounts
// diagnostic collects, each downcount line goes into the rings and the twelve labels show
// minimum, maximum, average and standard deviation per axis of this test's samples; the test
// report reads the rings, the label texts, the sample count and the log flag.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

#include "base/change_notifier.h"
#include "base/prompts.h"
#include "service/downcount_ring.h"

namespace ventari {

// The window's rows, top to bottom.
enum class ExtTestsRow { kStdDev, kMax, kMin, kAverage };
inline constexpr int kExtTestsRows = 4;

// The range of a clear path's downcounts, "1C-24".
inline constexpr int kDowncountLow = 0x1C;
inline constexpr int kDowncountHigh = 0x24;

class ExtTestsModel {
 public:
  explicit ExtTestsModel(Prompts& prompts);
  ExtTestsModel(const ExtTestsModel&) = delete;
  ExtTestsModel& operator=(const ExtTestsModel&) = delete;

  // What `BtnOKExtDwncnts` does after its question: stop the diagnostic as "Sto&p test" would.
  void SetStopTest(std::function<void()> stopTest) { stopTest_ = std::move(stopTest); }

  // A Downcounts diagnostic with extended testing starts: no sample and no bad line yet, the
  // labels at their first texts, red, and the window shown.
  void StartCollection();
  // One line `DownCountsPacket` delivered. While collecting, a good line is stored and the
  // labels follow; a bad one is counted and left out.
  void AddLine(const QByteArray& line);
  // `BtnOKExtDwncnts`: collecting ends, the log question, the window hides, the test stops.
  void BtnOKExtDwncntsClick();
  // The diagnostic ended without OK (the page or the test window was left): collecting ends and
  // the window hides; the log flag stays as it was.
  void EndCollection();
  // The window's close box hides it; collecting goes on.
  void Hide();
  // A new unit: no sample in the rings, the labels at their first texts, nothing to log.
  void ForgetUnit();

  bool Visible() const { return visible_; }
  bool Collecting() const { return collecting_; }
  bool LogFlag() const { return logFlag_; }
  // Green once 120 samples of this test are in; red before.
  bool Green() const { return green_; }
  const QString& Label(ExtTestsRow row, int axis) const;
  int SampleCount() const { return ring_.Count(); }
  // Lines of this test whose fields were not two hexadecimal digits.
  int BadLines() const { return badLines_; }
  const DowncountRing& Ring() const { return ring_; }
  // Whether this test has 120 samples, all within 1C-24 on every axis: then the downcounts
  // pass without asking.
  bool Passed() const;

  ChangeNotifier& Changed() { return changed_; }

 private:
  void ShowStatistics();

  Prompts& prompts_;
  std::function<void()> stopTest_;
  DowncountRing ring_;
  std::array<std::array<QString, kDowncountAxes>, kExtTestsRows> labels_;
  int badLines_ = 0;
  bool visible_ = false;
  bool collecting_ = false;
  bool logFlag_ = false;
  bool green_ = false;
  ChangeNotifier changed_;
};

}  // namespace ventari
