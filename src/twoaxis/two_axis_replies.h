// Reads a two-axis anemometer's identification and configuration replies (D1 type and serial
// number, D2 software version, D3 configuration, for the Kestrix II and the Larkvane) into typed
// values. The readers know nothing of the state, the menus or the matchers: whoever receives the
// values decides what they change.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "base/errors.h"

namespace ventari {

// A reply held a character where a number was expected.
class ReplyConversionError : public UserError {
 public:
  using UserError::UserError;
};

// D1: the type code ("E" unheated Kestrix II, "F" heated, "Y" Larkvane) and serial number.
struct TwoAxisIdentification {
  QString typeCode;
  QString serialNumber;
};

// D2: the version as sent; its number, when the text is one.
struct TwoAxisVersion {
  QString text;
  std::optional<double> number;
};

// D3 of either model: each setting the reply holds, as an index into the list of the dialog
// that shows it (or the value the Part of the system that uses it needs). A field is empty when
// its letter is absent, and every field from a malformed one on is empty, with `error` saying
// which characters were not a number.
struct TwoAxisSettingsReply {
  // Kestrix II and Larkvane.
  std::optional<int> dataBits;  // 0 eight, 1 seven
  std::optional<int> parity;    // 0 none, 1 even, 2 odd
  std::optional<int> messageTerm;
  std::optional<int> messageMode;  // the digit: 1 UV, 2 polar, anything else neither
  std::optional<int> fieldFormat;
  std::optional<int> outputRate;  // index into the model's rate list
  std::optional<int> samplesPerSecond;
  std::optional<int> unitsDigit;  // 1 m/s .. 5 fpm
  // Kestrix II.
  std::optional<int> sonicOutputs;
  std::optional<int> baudRate;
  std::optional<int> wrapAround;
  std::optional<int> duplex;
  std::optional<QString> averagingPeriodText;  // four digits
  std::optional<int> averagingPeriod;
  std::optional<bool> heating;  // enabled
  std::optional<int> analogueTests;
  std::optional<int> nmeaStyle;
  std::optional<int> analogueType;
  std::optional<int> verticalPad;
  std::optional<int> alignment;  // 0 .. 3: UV, UV offset, UV inverted, UV inverted offset
  std::optional<int> chan3Config;
  std::optional<int> scaling;
  // Larkvane.
  std::optional<int> lvBaudRate;
  std::optional<int> lvAnalogueRange;
  std::optional<int> lvWrap;
  std::optional<int> lvAnalogueMode;

  std::optional<std::string> error;
};

TwoAxisIdentification ReadD1Reply(const QByteArray& text);
TwoAxisVersion ReadD2Reply(const QByteArray& text);
// The Larkvane sends its version as characters six to eight: "2.05" from "LV1 X205".
QString ReadLarkvaneD2Reply(const QByteArray& text);
TwoAxisSettingsReply ReadD3Reply(const QByteArray& text);
TwoAxisSettingsReply ReadLarkvaneD3Reply(const QByteArray& text);

// The message of the error a D2 reply that is no number raises.
std::string NotAVersionMessage(const QString& text);

}  // namespace ventari
