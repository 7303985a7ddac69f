#include "service/nvm_page_model.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace ventari {

NvmPageModel::NvmPageModel(ProductionTest& test, EepromProgrammer& programmer, Prompts& prompts,
                           const ServiceFolder& folder, const ServiceFileNames& names,
                           std::function<void(TestPage)> movePage)
    : test_(test),
      programmer_(programmer),
      prompts_(prompts),
      folder_(folder),
      names_(names),
      movePage_(std::move(movePage)) {}

void NvmPageModel::SensorTypeSet() {
  const bool larkvane = test_.IsLarkvane();
  Mutable(EepromKind::kUser).enabled = !larkvane;
  Mutable(EepromKind::kEng).enabled = !larkvane;
  Mutable(EepromKind::kCal).enabled = true;
  Mutable(EepromKind::kOpt).enabled = larkvane;
  Changed();
}

void NvmPageModel::Fill(EepromKind kind, const QString& folder, const QString& extension,
                        const QString& remembered) {
  Source& source = Mutable(kind);
  source.items = QDir(folder).entryList({QStringLiteral("*.") + extension}, QDir::Files,
                                        QDir::Name | QDir::IgnoreCase);
  source.selected = -1;
  if (test_.sensor == SensorState::kNone) return;
  const QStringList wanted{remembered + QLatin1Char('.') + extension.toLower(),
                           remembered + QLatin1Char('.') + extension.toUpper()};
  for (int i = 0; i < source.items.size() && source.selected < 0; ++i) {
    if (wanted.contains(source.items[i])) source.selected = i;
  }
  if (source.selected < 0) source.selected = static_cast<int>(source.items.size()) - 1;
}

void NvmPageModel::Enter() {
  if (test_.IsLarkvane()) {
    const QString folder = folder_.LarkvaneEeprom();
    const int option = std::clamp(test_.larkvaneOption, 1, 4) - 1;
    Fill(EepromKind::kCal, folder, QStringLiteral("cal"), names_.Larkvane_Cal);
    Fill(EepromKind::kOpt, folder, QStringLiteral("opt"),
         names_.Larkvane_Opt[static_cast<std::size_t>(option)]);
  } else {
    const QString folder = folder_.KestrixEeprom();
    Fill(EepromKind::kUser, folder, QStringLiteral("usr"), names_.Kestrix2_User);
    Fill(EepromKind::kEng, folder, QStringLiteral("eng"),
         test_.xeq ? names_.XEQ_Eng : names_.Kestrix2_Eng);
    Fill(EepromKind::kCal, folder, QStringLiteral("cal"), names_.Kestrix2_Cal);
  }
  Changed();
}

void NvmPageModel::SetChecked(EepromKind kind, bool checked) {
  Mutable(kind).checked = checked;
  Changed();
}

void NvmPageModel::Select(EepromKind kind, int index) {
  Mutable(kind).selected = index;
  Changed();
}

void NvmPageModel::Browse(EepromKind kind) {
  const QString folder = test_.IsLarkvane() ? folder_.LarkvaneEeprom() : folder_.KestrixEeprom();
  const QString path = prompts_.ChooseOpenFile(
      QStringLiteral("Open"), folder,
      QStringLiteral("S-records (*.s *.cal *.opt *.usr *.eng);;All files (*.*)"));
  if (path.isEmpty()) return;
  Source& source = Mutable(kind);
  source.items << QFileInfo(path).absoluteFilePath();
  source.selected = static_cast<int>(source.items.size()) - 1;
  Changed();
}

QString NvmPageModel::SourcePath(EepromKind kind) const {
  const QString selected = Kind(kind).Selected();
  if (selected.isEmpty() || QFileInfo(selected).isAbsolute()) return selected;
  return (test_.IsLarkvane() ? folder_.LarkvaneEeprom() : folder_.KestrixEeprom()) + selected;
}

void NvmPageModel::Program() {
  programEnabled_ = false;
  busy_ = true;
  label35Visible_ = true;
  Changed();
  busyChanged_.Notify();
  EepromSources sources;
  for (int i = 0; i < kEepromKinds; ++i) {
    const auto kind = static_cast<EepromKind>(i);
    sources.checked[static_cast<std::size_t>(i)] = Kind(kind).checked;
    sources.files[static_cast<std::size_t>(i)] = SourcePath(kind);
  }
  const EepromRun run = programmer_.Program(sources);
  label35Visible_ = false;
  programEnabled_ = true;
  busy_ = false;
  Changed();
  busyChanged_.Notify();
  if (run.end == EepromRunEnd::kWritten || run.end == EepromRunEnd::kNothingChecked) Next();
}

void NvmPageModel::Next() {
  movePage_(test_.IsLarkvane() ? TestPage::kPartBSoftware : TestPage::kHardwareDiagnostics);
}

}  // namespace ventari
