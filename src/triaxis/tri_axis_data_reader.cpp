#include "triaxis/tri_axis_data_reader.h"

#include "link/packet_matcher.h"

namespace ventari {

TriAxisDataReader::TriAxisDataReader(TApdDataPacket& asciiPacket, TApdDataPacket& binaryPacket,
                                     const TriAxisConfig& config, TriAxisRecordConsumer& consumer)
    : asciiPacket_(asciiPacket), binaryPacket_(binaryPacket), ascii_(config), binary_(config) {
  asciiPacket_.SetStringHandler([this, &consumer](TApdDataPacket&, const QByteArray& text) {
    consumer.Apply(ascii_.Decode(text));
  });
  binaryPacket_.SetStringHandler([this, &consumer](TApdDataPacket&, const QByteArray& bytes) {
    consumer.Apply(binary_.Decode(bytes));
  });
}

TriAxisDataReader::~TriAxisDataReader() {
  asciiPacket_.SetStringHandler(nullptr);
  binaryPacket_.SetStringHandler(nullptr);
}

}  // namespace ventari
