// A simulated Larkvane on virtual time with the whole service part over it, its test window
// set to a Larkvane with its serial number, the report captured and the end of the run counted.
#pragma once

#include <QDir>
#include <QFile>
#include <QSettings>
#include <string>

#include "sim/faults.h"
#include "sim/two_axis_device.h"
#include "support/recorded_reports.h"
#include "support/sim_session.h"
#include "support/srecord_text.h"

namespace ventari::test {

inline const QString kLarkvane = QStringLiteral("sim:larkvane");
inline constexpr int kLarkvaneOption2 = 5;  // the AnemometerType item

// The values the parameter files hold.
inline int Pattern(int a) { return (a * 7 + 3) % 251; }

struct LarkvaneRig {
  LarkvaneRig() {
    s.StoreSettings(kLarkvane, 9600);
    {
      QSettings store(s.dir.filePath("settings.ini"), QSettings::IniFormat);
      store.setValue("Larkvane_ROM_CS", "7A3F");
      store.setValue("Larkvane_Cal", "LV");
      store.setValue("Larkvane_Opt2", "LV2");
    }
    s.StartAndSearch(kLarkvane);
    service.folder.SetRoot(s.dir.path());
    service.reports = &reports;
    s.session.window().Changed().Subscribe([this] {
      if (s.session.window().CloseRequested() && ended == 0) ++ended;
    });
    s.session.SetOperator(QStringLiteral("Pat Quill"));
  }

  sim::TwoAxisDevice& Device() { return *s.InstrumentOn(kLarkvane).TwoAxis(); }
  sim::TwoAxisEeprom& Cells() { return Device().Eeprom(); }
  sim::LarkvaneMonitor& Monitor() { return *Device().Monitor(); }
  // One fault as ventari-sim's --fault takes it, in place of any before.
  void Inject(const char* fault) {
    sim::Faults faults;
    if (sim::ApplyFault(fault, faults)) Device().SetFaults(faults);
  }

  void ChooseLarkvane() {
    service.testWindow.FormShow();
    service.testWindow.AnemometerTypeClick(kLarkvaneOption2);
    s.prompts.inputs.push_back(QStringLiteral("012345"));
    service.testWindow.BtnSetSensorTypeClick();
  }

  void PutParameterFiles() {
    const QString dir = service.folder.LarkvaneEeprom();
    QDir().mkpath(dir);
    const std::pair<const char*, QByteArray> files[] = {{"LV.cal", SRecords(0, 945, Pattern)},
                                                        {"LV2.opt", SRecords(0, 120, Pattern)}};
    for (const auto& [name, text] : files) {
      QFile file(dir + QLatin1String(name));
      if (!file.open(QIODevice::WriteOnly)) return;
      file.write(text);
    }
  }

  // Part C as far as the debug listings: the checksum, then both listings judged good.
  void FinalAssembly() {
    LarkvaneFinalAssembly& part = service.larkvaneFinalAssembly;
    part.BtnStartLVFinalAssyTestClick();
    part.BtnStartLVFinalAssyTestClick();
    s.prompts.answers.push_back(PromptButton::kYes);
    part.BtnStartLVFinalAssyTestClick();
  }

  std::string Sent() const { return s.tap.SentSince(0); }
  int Messages(const QString& text) const { return s.prompts.Count(text); }

  SimSession s;
  Service& service = s.session.service();
  RecordedReports reports;
  int ended = 0;
};

}  // namespace ventari::test
