#include "triaxisconfig/reply_lines.h"

namespace ventari {
namespace {

const QByteArray kPrompt = QByteArrayLiteral("T7>");

}  // namespace

ReplyLines::ReplyLines(Runtime& runtime, SerialPort& port) : runtime_(runtime), port_(port) {
  consumer_ = port_.AddReceiveConsumer(
      [this](std::span<const std::uint8_t> bytes) { Receive(bytes.data(), bytes.size()); });
}

ReplyLines::~ReplyLines() { port_.RemoveReceiveConsumer(consumer_); }

void ReplyLines::Begin(const QByteArray& start) {
  start_ = start.toUpper();
  line_.clear();
  acknowledged_ = false;
  prompted_ = false;
}

void ReplyLines::Receive(const std::uint8_t* data, std::size_t size) {
  if (size > 0) lastByteMs_ = runtime_.NowMs();
  for (std::size_t i = 0; i < size; ++i) {
    const char byte = static_cast<char>(data[i]);
    if (byte == '\r' || byte == '\n') {
      line_.clear();
      continue;
    }
    line_.append(byte);
    if (line_.endsWith(kPrompt)) {
      prompted_ = true;
      line_.clear();
      continue;
    }
    // The blank after the prompt starts no line.
    if (line_ == " ") line_.clear();
    if (!start_.isEmpty() && line_.size() == start_.size() && line_.toUpper() == start_) {
      acknowledged_ = true;
    }
  }
}

}  // namespace ventari
