#include "service/path_lengths_model.h"

#include "base/while_busy.h"
#include "service/sos_reading.h"

namespace ventari {
namespace {

constexpr int kReadWaitMs = 500;
constexpr int kWriteWaitMs = 100;
constexpr std::size_t kChecksum = 3;

QString ReadFailure() { return QStringLiteral("Path length or checksum read failure."); }

}  // namespace

PathLengthsModel::PathLengthsModel(ServiceLink& link, ProductionTest& test, ReadoutReads& reads,
                                   EepromWriter& writer, std::function<void(TestPage)> goTo)
    : link_(link), test_(test), reads_(reads), writer_(writer), goTo_(std::move(goTo)) {}

void PathLengthsModel::SetEntry(int axis, const QString& text) {
  if (axis < 0 || axis >= kPathAxes) return;
  entries_[static_cast<std::size_t>(axis)] = text;
  changed_.Notify();
}

void PathLengthsModel::ReadCells() {
  for (const int cell : PathStore::kCells) {
    reads_.Read(cell, kReadWaitMs);
    changed_.Notify();
  }
  reads_.Restore();
}

void PathLengthsModel::Enter() {
  WhileBusy(busy_, changed_, [this] {
    for (const int cell : PathStore::kCells) reads_.Readout(cell).clear();
    changed_.Notify();
    link_.channel.EnterConfigMode();
    if (!link_.channel.InConfigMode()) return;
    link_.port.PutString("\r\nMAVROTIK\r\n");
    link_.port.FlushInBuffer();
    ReadCells();
  });
}

void PathLengthsModel::Leave() { link_.channel.LeaveConfigMode(); }

void PathLengthsModel::Fail(const QString& text, const QString& caption) {
  link_.prompts.ShowMessage(text, caption);
}

PathStore PathLengthsModel::BtnStorePathsClick() {
  if (busy_) return {};
  return WhileBusy(busy_, changed_, [this] { return Store(); });
}

PathStore PathLengthsModel::Store() {
  PathStore store;
  for (std::size_t i = 0; i < PathStore::kCells.size(); ++i) {
    store.before[i] = reads_.Value(PathStore::kCells[i]);
    if (!store.before[i]) {
      Fail(ReadFailure(), QStringLiteral("Error"));
      return store;
    }
  }
  const int axes = test_.axis3Enabled ? kPathAxes : kPathAxes - 1;
  std::array<int, kPathAxes> entries{};
  for (int axis = 0; axis < axes; ++axis) {
    bool ok = false;
    entries[static_cast<std::size_t>(axis)] =
        entries_[static_cast<std::size_t>(axis)].trimmed().toInt(&ok, 10);
    if (!ok) {
      Fail(QStringLiteral("Path length entry empty or non-numeric."),
           QStringLiteral("Pobbin's tip"));
      return store;
    }
  }
  for (int axis = 0; axis < axes; ++axis) {
    const int entry = entries[static_cast<std::size_t>(axis)];
    if (entry < kLowestEntry || entry > kHighestEntry) {
      Fail(QStringLiteral("Path length entries out of range."), QStringLiteral("D'Oh"));
      return store;
    }
  }

  int sum = *store.before[kChecksum];
  for (int axis = 0; axis < axes; ++axis) {
    const auto a = static_cast<std::size_t>(axis);
    store.written[a] = entries[a] - kPathLengthBase;
    sum += *store.written[a] - *store.before[a];
  }
  store.written[kChecksum] = ChecksumCell(sum);
  for (std::size_t i = 0; i < PathStore::kCells.size(); ++i) {
    if (!store.written[i]) continue;
    writer_.KestrixWriteNow(PathStore::kCells[i], static_cast<std::uint8_t>(*store.written[i]));
    link_.channel.Delay(kWriteWaitMs);
  }

  for (const int cell : PathStore::kCells) reads_.Readout(cell).clear();
  changed_.Notify();
  ReadCells();
  for (std::size_t i = 0; i < PathStore::kCells.size(); ++i) {
    store.readBack[i] = reads_.Value(PathStore::kCells[i]);
    if (!store.readBack[i]) {
      store.end = PathStoreEnd::kNoAnswer;
      Fail(ReadFailure(), QStringLiteral("Bugger!"));
      return store;
    }
  }
  // The checksum is compared too: a lost write there leaves the engineering checksum wrong.
  for (std::size_t i = 0; i < PathStore::kCells.size(); ++i) {
    if (store.written[i] && store.written[i] != store.readBack[i]) {
      store.end = PathStoreEnd::kNotVerified;
      Fail(QStringLiteral("Path length or checksum verification failure."),
           QStringLiteral("Our survey said  - Uhhh Ohhh"));
      return store;
    }
  }
  for (int axis = 0; axis < axes; ++axis) {
    const auto a = static_cast<std::size_t>(axis);
    test_.pathOffsets[a] = *store.written[a];
    test_.pathStored[a] = true;
  }
  store.end = PathStoreEnd::kVerified;
  goTo_(TestPage::kCalibrateSos);
  return store;
}

}  // namespace ventari
