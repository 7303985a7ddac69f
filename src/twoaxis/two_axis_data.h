// Decodes each two-axis data message the data matcher's collector delivers into a typed record
// and hands it, with the message's text, to one consumer. The message layout (U and V, or direction
// and speed) is the consumer's to say: the decoder reads only bytes.
#pragma once

#include <QByteArray>
#include <functional>

namespace ventari {

class RecordCollector;

// What one message holds.
struct TwoAxisDataRecord {
  bool uv = false;        // read as U and V; otherwise as direction and speed
  bool readable = false;  // both values are numbers
  double first = 0;       // U, or the direction in degrees as sent
  double second = 0;      // V, or the speed in the output unit
  int direction = 0;      // polar: the direction truncated to whole degrees
};

class TwoAxisDataDecoder {
 public:
  using Consumer = std::function<void(const QByteArray& text, const TwoAxisDataRecord& record)>;

  // The longest message from STX to ETX: two values, the vertical pad, the speed of sound and
  // the temperature, the unit and the status (about 50 bytes), with room.
  static constexpr int kLongestMessage = 64;

  // Installs the record handler of `collector`, the data matcher's. `uvLayout` says whether
  // messages now carry U and V.
  TwoAxisDataDecoder(RecordCollector& collector, std::function<bool()> uvLayout, Consumer consumer);
  TwoAxisDataDecoder(const TwoAxisDataDecoder&) = delete;
  TwoAxisDataDecoder& operator=(const TwoAxisDataDecoder&) = delete;

  // The collector's handler: decodes `text` and hands it on.
  void OnDataPacket(const QByteArray& text) { consumer_(text, Decode(text, uvLayout_())); }

  static TwoAxisDataRecord Decode(const QByteArray& text, bool uv);

 private:
  std::function<bool()> uvLayout_;
  Consumer consumer_;
};

}  // namespace ventari
