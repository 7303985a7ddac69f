#include "triaxis/tri_axis_data_reader.h"

namespace ventari {

TriAxisDataReader::TriAxisDataReader(RecordCollector& ascii, RecordCollector& binary,
                                     const TriAxisConfig& config, TriAxisRecordConsumer& consumer)
    : asciiCollector_(ascii), binaryCollector_(binary), ascii_(config), binary_(config) {
  asciiCollector_.SetRecordHandler([this, &consumer](const QByteArray& text) {
    consumer.Apply(ascii_.Decode(text));
    return true;
  });
  binaryCollector_.SetRecordHandler([this, &consumer](const QByteArray& bytes) {
    const TriAxisBinaryRecord record = binary_.Decode(bytes);
    consumer.Apply(record);
    return record.outcome != TriAxisBinaryRecord::Outcome::kBadCheckByte;
  });
}

TriAxisDataReader::~TriAxisDataReader() {
  asciiCollector_.SetRecordHandler({});
  binaryCollector_.SetRecordHandler({});
}

}  // namespace ventari
