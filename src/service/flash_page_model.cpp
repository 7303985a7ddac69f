#include "service/flash_page_model.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace ventari {

const QStringList& FlashPageModel::TargetProcessors() {
  static const QStringList kItems{QStringLiteral("Hitachi H8/3334"),
                                  QStringLiteral("Hitachi H8/3337")};
  return kItems;
}

QString FlashPageModel::FileFilter() {
  return QStringLiteral("S-records (*.s *.cal *.opt *.usr *.eng);;All files (*.*)");
}

FlashPageModel::FlashPageModel(Parts parts) : parts_(std::move(parts)) {}

void FlashPageModel::Show() {
  view_.files = QDir(SRecordPath())
                    .entryList({QStringLiteral("*.s")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  view_.file = -1;
  view_.target = -1;
  if (parts_.test.IsKestrix()) {
    const QString& remembered = parts_.fileNames.Kestrix2_Srec;
    const auto match = std::find_if(view_.files.begin(), view_.files.end(), [&](const QString& f) {
      return f == remembered + QStringLiteral(".s") || f == remembered + QStringLiteral(".S");
    });
    // No match leaves the last entry selected, as the list was filled.
    view_.file = match != view_.files.end() ? static_cast<int>(match - view_.files.begin())
                                            : static_cast<int>(view_.files.size()) - 1;
    view_.target = kH8_3337;
  }
  ++view_.focusRequest;
  changed_.Notify();
}

void FlashPageModel::SelectFile(int index) {
  view_.file = index >= 0 && index < view_.files.size() ? index : -1;
  changed_.Notify();
}

void FlashPageModel::SelectTarget(int index) {
  view_.target = index >= 0 && index < TargetProcessors().size() ? index : -1;
  changed_.Notify();
}

void FlashPageModel::BrowseClick() {
  const QString chosen =
      parts_.prompts.ChooseOpenFile(QStringLiteral("Open"), SRecordPath(), FileFilter());
  if (chosen.isEmpty()) return;
  view_.files << QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
  view_.file = static_cast<int>(view_.files.size()) - 1;
  changed_.Notify();
}

QString FlashPageModel::SelectedText() const {
  return view_.file >= 0 && view_.file < view_.files.size() ? view_.files[view_.file] : QString();
}

QString FlashPageModel::ApplicationPath() const {
  const QString text = SelectedText();
  return QFileInfo(text).isAbsolute() ? QDir::fromNativeSeparators(text) : SRecordPath() + text;
}

QString FlashPageModel::KernelPath() const {
  return parts_.folder.SRecords() +
         (view_.target == kH8_3337 ? QStringLiteral("fp3337.s") : QStringLiteral("fp3334.s"));
}

void FlashPageModel::BtnProgram1Click() {
  FlashProgrammer& programmer = parts_.programmer;
  // The window stays responsive during a run; a second click must not start a run inside it.
  if (programmer.Running()) return;
  const PromptButton answer =
      parts_.prompts.Ask(QStringLiteral("Program using ...") + SelectedText(),
                         QStringLiteral("Confirm"), {PromptButton::kYes, PromptButton::kNo});
  if (answer != PromptButton::kYes) return;
  programmer.ShowWindow();
  const FlashOutcome outcome =
      programmer.Run(KernelPath(), ApplicationPath(),
                     view_.target == kH8_3337 ? KernelChip::kH8_3337 : KernelChip::kH8_3334);
  parts_.test.flashResult = FlashResultOf(outcome);
  parts_.test.flashFile = ApplicationPath();
  if (outcome != FlashOutcome::kProgrammed) return;  // the window stays with its log
  programmer.CloseWindow();
  const QString tip = QStringLiteral("Pobbin's tip");
  parts_.prompts.ShowMessage(
      QStringLiteral("Switch the power to the flash programmer OFF and fit the UUT base & cable "
                     "assembly."),
      tip);
  parts_.prompts.ShowMessage(QStringLiteral("Connect the anemometer to the PC via a breakout box "
                                            "and PCI and switch the PCI ON"),
                             tip);
  if (parts_.goTo) parts_.goTo(TestPage::kNonVolatileMemory);
}

void FlashPageModel::BtnSkip2Click() {
  if (parts_.goTo) parts_.goTo(TestPage::kNonVolatileMemory);
}

}  // namespace ventari
