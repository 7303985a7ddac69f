// The status decoder of a three-axis anemometer: every data record carries one status address
// and value; the decoder keeps the conditions they report between records and ranks them into
// the one message the tabular display shows, and assembles the clinometer reading.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "base/anem_state.h"
#include "triaxis/tri_axis_config.h"
#include "triaxis/tri_axis_identity.h"

namespace ventari {

class TriAxisStatus {
 public:
  enum class Gain { kNone, k50, k90, k100 };

  TriAxisStatus(const TriAxisConfig& config, const TriAxisIdentity& identity,
                const AnemState& state);

  // What the anemometer should report at addresses 2 and 3, from the configuration as it is
  // now; run when continuous output starts, which also starts the count of dropped records.
  void PrepareStatusCheck();

  // One record's status: `address` 0 to 10 (others change no condition), `value` one byte.
  // Returns the clinometer reading ("Clinometer at: -1, 1") when address 10 completes it and a
  // clinometer is fitted.
  std::optional<QString> ShowStatus(int address, int value);

  // A record was dropped because its check failed.
  void RecordDropped();

  // The highest-ranking condition, "Status OK" when there is none, empty before any status;
  // then how many records were dropped, when any were: "Status OK - 2 bad records dropped".
  const QString& Message() const { return message_; }
  int ExpectedConfigByte() const { return expectedConfigByte_; }
  int ExpectedAnalogueInputs() const { return expectedAnalogueInputs_; }
  bool ClinometerFitted() const { return clinometerFitted_; }

 private:
  QString Rank() const;
  void Compose();
  QString ClinometerText() const;

  const TriAxisConfig& config_;
  const TriAxisIdentity& identity_;
  const AnemState& state_;

  std::array<bool, 3> failed_{};
  std::array<Gain, 3> gain_{};
  bool memoryError_ = false;
  bool clinometerFailed_ = false;
  bool configMismatch_ = false;
  bool typeMismatch_ = false;
  bool clinometerFitted_ = false;
  // X high, X low, Y high, Y low.
  std::array<unsigned char, 4> clinometer_{};
  int expectedConfigByte_ = 0;
  int expectedAnalogueInputs_ = 0;
  QString ranked_;
  int dropped_ = 0;
  QString message_;
};

}  // namespace ventari
