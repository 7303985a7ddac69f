// The Larkvane's "PART &C - Final assembly tests" page: `BtnStartLVFinalAssyTest` resets the
// nominal alignment ("D94") and writes the factory checksum the anemometer then computes ("D6",
// "W 7", "W 6"), shows the "M90" and "M92" debug listings for the technician to judge, and puts
// the anemometer into polar mode ("&Set M2"); `BtnFinish` leads to the report. The test window's
// matchers `LVCsumDataPacket` and `LVDebugDataPacket` frame the replies; every reply is awaited
// within a bound, and a test that stops says why and can be started again.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "base/change_notifier.h"
#include "service/eeprom_writer.h"
#include "service/service_link.h"
#include "service/test_window_model.h"

namespace ventari {

class LarkvaneFinalAssembly {
 public:
  // The longest wait for the D94 and D6 replies (62 characters even at 1200 baud, with room).
  static constexpr int kReplyBoundMs = 5000;
  // The longest wait for a debug listing: six lines at one a second, with room.
  static constexpr int kListingBoundMs = 30000;
  // Lines a listing shows; the next one completes it.
  static constexpr int kListingLines = 5;
  static constexpr int kDebugCheck = 1;  // the item of `FinalAssemblyChecks` the listings judge

  enum class D6Outcome { kWritten, kNoReply, kNotHex };

  // Takes over the handlers of `LVCsumDataPacket` and `LVDebugDataPacket`.
  LarkvaneFinalAssembly(ServiceLink& link, TestWindowModel& window, EepromWriter& writer);
  ~LarkvaneFinalAssembly();
  LarkvaneFinalAssembly(const LarkvaneFinalAssembly&) = delete;
  LarkvaneFinalAssembly& operator=(const LarkvaneFinalAssembly&) = delete;

  ChangeNotifier& Changed() { return changed_; }
  const QStringList& List() const { return list_; }
  const std::array<QString, 2>& Items() const { return items_; }
  int Selected() const { return selected_; }
  const QString& Caption() const { return caption_; }
  bool ButtonEnabled() const { return buttonEnabled_; }
  bool FinishEnabled() const { return finishEnabled_; }
  bool Busy() const { return busy_; }
  // The 30 characters of the new alignment from the last D94 reply.
  const QString& AlignmentText() const { return alignment_; }
  // The technician judged both debug listings good.
  bool DebugDataOk() const;

  void SelectCheck(int index);
  void BtnStartLVFinalAssyTestClick();
  // Asks whether to finish: OK runs the report (the window's "&OK"), Cancel goes back to the
  // test selection.
  void BtnFinishClick();
  void SetFinishEnabled(bool enabled);
  // A new unit: no check confirmed, no alignment read.
  void ForgetUnit();

  // The report's D6: asks for the factory checksum again (the serial number cells have changed)
  // in configuration mode after "VESPRANT"; AwaitReportD6 writes it, saying nothing unless the
  // reply is unusable.
  void RequestReportD6();
  D6Outcome AwaitReportD6();

 private:
  void StartTest();
  // The debug listings (`step` 0: "M90", then 1: "M92") and the polar mode.
  void DebugTest(int step);
  void SetM2();
  // Arms the checksum matcher for the reply after `start`, forgetting an earlier one.
  void ArmCsum(const char* start);
  std::optional<QByteArray> AwaitCsum();
  void DisarmCsum();
  D6Outcome HandleD6(const std::optional<QByteArray>& reply, bool reportMode);
  void OnDebugLine(const QByteArray& line);
  // A test step ended early: the buttons work again.
  void Stopped();
  void Say(const QString& text);
  void Append(const QString& line);
  void SetBusy(bool busy);

  ServiceLink& link_;
  TestWindowModel& window_;
  EepromWriter& writer_;
  TApdDataPacket& csum_;
  TApdDataPacket& debug_;
  std::optional<QByteArray> csumReply_;

  enum class Listing { kIdle, kTaking, kComplete, kBadLine };
  Listing listing_ = Listing::kIdle;
  int lineCount_ = 0;
  int badLineLength_ = 0;
  int debugStep_ = 0;

  QStringList list_;
  std::array<QString, 2> items_;
  int selected_ = 0;
  QString caption_;
  bool buttonEnabled_ = true;
  bool finishEnabled_ = true;
  bool busy_ = false;
  QString alignment_;
  ChangeNotifier changed_;
};

}  // namespace ventari
