#include "support/scripted_line.h"

#include <memory>

#include "link/line_settings.h"

namespace ventari::test {

class ScriptedLine::Backend : public SerialBackend {
 public:
  explicit Backend(ScriptedLine& line) : line_(line) {}
  ~Backend() override { Close(); }

  void Open(const QString& name, const LineSettings& settings, Sink& sink) override {
    if (line_.failOpen_) throw PortError(PortError::Kind::kOpenFailed, "scripted open failure");
    ApplyLine(settings);
    line_.sink_ = &sink;
    line_.openedName_ = name;
    ++line_.opens_;
    open_ = true;
  }
  void Close() override {
    if (!open_) return;
    open_ = false;
    line_.sink_ = nullptr;
  }
  void ApplyLine(const LineSettings& settings) override {
    if (settings.baud == line_.refusedBaud_) {
      throw PortError(PortError::Kind::kLineRefused, "scripted baud refusal");
    }
    line_.line_ = settings;
    ++line_.lineChanges_;
  }
  void SetDtr(bool on) override { line_.dtr_ = on; }
  void SetRts(bool on) override { line_.rts_ = on; }
  void Write(const std::uint8_t* data, std::size_t size) override {
    for (std::size_t i = 0; i < size; ++i) {
      line_.sent_.push_back({line_.runtime_.NowMs(), data[i]});
      if (line_.responder_) line_.responder_(line_, data[i]);
    }
  }
  void FlushOut() override {}
  // Bytes reach the sink the moment they arrive, so the driver holds none to discard.
  void FlushIn() override {}

 private:
  ScriptedLine& line_;
  bool open_ = false;
};

SerialBackendFactory ScriptedLine::Factory() {
  return [this](const QString&) { return std::make_unique<Backend>(*this); };
}

void ScriptedLine::DeliverIn(std::int64_t delayMs, const std::string& bytes) {
  runtime_.Schedule(delayMs, [this, bytes] {
    if (sink_) {
      sink_->BytesReceived(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
  });
}

std::string ScriptedLine::SentText() const {
  std::string text;
  for (const auto& s : sent_) text.push_back(static_cast<char>(s.byte));
  return text;
}

void ScriptedLine::Lose() {
  if (sink_) sink_->DeviceLost(QStringLiteral("scripted loss"));
}

}  // namespace ventari::test
