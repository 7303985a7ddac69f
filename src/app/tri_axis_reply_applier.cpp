#include "app/tri_axis_reply_applier.h"

#include "triaxis/tri_axis_record_rate.h"

namespace ventari {

void TriAxisReplyApplier::Apply(const TriAxisSnReply& reply) {
  identity_.identityText = reply.text;
  identity_.serialLetter = reply.serialLetter;
  // An empty answer leaves the serial number shown so far.
  if (reply.serialNumber) state_.SerialNumber = *reply.serialNumber;
}

void TriAxisReplyApplier::Apply(const TriAxisVerReply& reply) {
  identity_.identityText.append(reply.text);
  // The search that found this anemometer set the windows to one record a second; its listing
  // tells them its own rate.
  toldRecordsPerSecond_.reset();
  const bool fiftyHz = reply.fiftyHz;
  if (identity_.serialLetter == 'O') {
    state_.PictureFile = QStringLiteral("T7.jpg");
    state_.Model = fiftyHz ? AnemModel::kT7_50 : AnemModel::kT7;
    state_.ModelCaption = fiftyHz ? QStringLiteral("T7(50Hz)") : QStringLiteral("T7");
    if (fiftyHz) config_.InstantaneousAvailable = true;
  } else if (identity_.serialLetter == 'H') {
    state_.PictureFile = QStringLiteral("MZ.jpg");
    state_.Model = fiftyHz ? AnemModel::kMz_50 : AnemModel::kMz;
    state_.ModelCaption = fiftyHz ? QStringLiteral("MZ(50Hz)") : QStringLiteral("MZ");
    if (fiftyHz) config_.InstantaneousAvailable = true;
  }
  if (reply.softwareVersion) state_.SoftwareVersion = *reply.softwareVersion;
}

void TriAxisReplyApplier::Apply(const TriAxisConfigReply& reply) {
  identity_.configurationText = reply.text;
  for (std::size_t i = 0; i < kTriAxisChoices.size(); ++i) {
    if (!reply.choices[i]) continue;
    const TriAxisChoice& choice = kTriAxisChoices[i];
    config_.*choice.field = *reply.choices[i];
    if (choice.field != &TriAxisConfig::StrFormat) continue;
    // Binary records carry nothing the graph, windsock or alarm could show; an ASCII format
    // gives the graph back.
    if (*reply.choices[i] == 0) {
      menu_.Hide(MenuId::kGraph1);
      menu_.Hide(MenuId::kWindsock1);
      menu_.Hide(MenuId::kAlarm);
    } else {
      menu_.Show(MenuId::kGraph1);
    }
  }
  if (reply.averaging) config_.Averaging = *reply.averaging;
  for (std::size_t n = 0; n < reply.aip.size(); ++n) {
    if (reply.aip[n]) config_.Aip[n] = *reply.aip[n];
  }
  const double recordsPerSecond = TriAxisRecordsPerSecond(config_, state_.Model);
  if (toldRecordsPerSecond_ != recordsPerSecond) {
    toldRecordsPerSecond_ = recordsPerSecond;
    windows_.SamplesPerSecondChanged(recordsPerSecond);
  }
}

}  // namespace ventari
