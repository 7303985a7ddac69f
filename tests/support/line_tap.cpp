#include "support/line_tap.h"

namespace ventari::test {

class LineTap::Backend : public SerialBackend {
 public:
  Backend(LineTap& tap, std::unique_ptr<SerialBackend> inner)
      : tap_(tap), inner_(std::move(inner)) {}

  void Open(const QString& name, const LineSettings& line, Sink& sink) override {
    inner_->Open(name, line, sink);
    baud_ = line.baud;
  }
  void Close() override { inner_->Close(); }
  void ApplyLine(const LineSettings& line) override {
    if (tap_.refused_ && tap_.refused_(line)) {
      throw PortError(PortError::Kind::kLineRefused, "Line settings refused");
    }
    inner_->ApplyLine(line);
    baud_ = line.baud;
  }
  void SetDtr(bool on) override { inner_->SetDtr(on); }
  void SetRts(bool on) override { inner_->SetRts(on); }
  void Write(const std::uint8_t* data, std::size_t size) override {
    tap_.writes_.push_back(
        {tap_.runtime_.NowMs(), baud_, std::string(reinterpret_cast<const char*>(data), size)});
    inner_->Write(data, size);
  }
  void FlushOut() override { inner_->FlushOut(); }
  void FlushIn() override { inner_->FlushIn(); }
  void Poll() override { inner_->Poll(); }
  bool Sending() const override { return inner_->Sending(); }

 private:
  LineTap& tap_;
  std::unique_ptr<SerialBackend> inner_;
  std::int32_t baud_ = 0;
};

SerialBackendFactory LineTap::Wrap(SerialBackendFactory inner) {
  return [this, inner = std::move(inner)](const QString& name) -> std::unique_ptr<SerialBackend> {
    auto backend = inner(name);
    if (!backend) return nullptr;
    return std::make_unique<Backend>(*this, std::move(backend));
  };
}

std::string LineTap::SentSince(std::int64_t fromMs) const {
  std::string text;
  for (const auto& w : writes_) {
    if (w.atMs >= fromMs) text += w.bytes;
  }
  return text;
}

std::vector<std::int32_t> LineTap::RatesUsed() const {
  std::vector<std::int32_t> rates;
  for (const auto& w : writes_) {
    if (rates.empty() || rates.back() != w.baud) rates.push_back(w.baud);
  }
  return rates;
}

}  // namespace ventari::test
