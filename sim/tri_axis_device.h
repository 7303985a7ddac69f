// A simulated three-axis anemometer (T7, MZ, T7-50, MZ-50). In data mode it sends records
// continuously or, in polled mode, one per "?"; "IM" brings it into configuration mode with the
// prompt "T7> ", where it answers SN, VER and CONFIG, takes keyword-and-value settings
// (acknowledged "VALID"), and leaves on EXIT. A new baud rate holds at once and is kept only when
// "B" confirms it at that rate.
#pragma once

#include <cstdint>
#include <string>

#include "sim/sim_device.h"
#include "sim/tri_axis_settings.h"

namespace ventari::sim {

class TriAxisDevice : public SimDevice {
 public:
  // Internal measurement rates; a record averages `average` measurements, or carries each one
  // when a 50 Hz model's instantaneous mode is on.
  static constexpr int kSampleHz = 10;
  static constexpr int kSampleHz50 = 50;

  // `softwareVersion` is four characters ("2.13"), `serialNumber` six digits. The device's
  // line runs at `settings.baud`, 8 data bits, no parity.
  TriAxisDevice(Runtime& runtime, TriAxisModel model, std::string serialNumber,
                std::string softwareVersion, const TriAxisSettings& settings, std::uint32_t seed);
  ~TriAxisDevice() override;

  bool InConfigMode() const override { return configMode_; }
  const TriAxisSettings& Settings() const { return settings_; }
  // "O" for the T7 family, "H" for the MZ family.
  char SerialLetter() const;

  // The answers to SN, VER and CONFIG, between the echo and the prompt.
  std::string SnText() const;
  std::string VerText() const;
  std::string ConfigText() const;

  static constexpr std::string_view kPrompt = "T7> ";

  // A new baud rate holds once the whole answer to BAUD has left, not as it starts.
  void SetRateAfterAnswer(bool after) { rateAfterAnswer_ = after; }

 protected:
  void OnByte(std::uint8_t byte) override;
  std::string DataMessage(const WindSample& sample, std::size_t& endMarker) override;

 private:
  std::string LineEnd() const { return settings_.ascTerm == 0 ? "\r" : "\r\n"; }
  void Command(const std::string& line);
  void Answer(const std::string& text) { Reply(text + LineEnd() + std::string(kPrompt)); }
  void StartStreaming();

  TriAxisModel model_;
  std::string serialNumber_;
  std::string softwareVersion_;
  TriAxisSettings settings_;
  bool configMode_ = false;
  std::uint64_t records_ = 0;
  bool rateAfterAnswer_ = false;
};

}  // namespace ventari::sim
