// A simulated two-axis anemometer (Kestrix II unheated "E" and heated "F", Larkvane "Y"). In data
// mode it streams STX ... ETX messages at its output rate; "*" brings it into configuration
// mode ("CONFIGURATION MODE" and a line end), where it echoes every character, answers D1, D2
// and D3, takes its letter-and-digit settings and leaves on "Q". New line settings (B, F) take
// effect at once and are kept only when the bare letter confirms them at the new settings. Its
// EEPROM takes the service commands there; the Kestrix II streams diagnostic lines in place of
// data while its debug selection cells ask for them, and, in polar mode, its speed of sound in the
// calibration bin while set to "A3".
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sim/larkvane_monitor.h"
#include "sim/sim_device.h"
#include "sim/two_axis_eeprom.h"
#include "sim/two_axis_settings.h"

namespace ventari::sim {

class TwoAxisDevice : public SimDevice {
 public:
  // `softwareVersion` is "d.dd", `serialNumber` six digits. The line settings follow the B and
  // F digits of `settings`.
  TwoAxisDevice(Runtime& runtime, TwoAxisModel model, std::string serialNumber,
                std::string softwareVersion, const TwoAxisSettings& settings, std::uint32_t seed);
  ~TwoAxisDevice() override;

  bool InConfigMode() const override { return configMode_; }
  const TwoAxisSettings& Settings() const { return settings_; }
  // "E", "F" or "Y": the first character of the D1 reply.
  char TypeCode() const;

  // What D1, D2 and D3 answer (after the echo of the command and its line end).
  std::string D1Reply() const;
  std::string D2Reply() const;
  std::string D3Reply() const;

  TwoAxisEeprom& Eeprom() { return eeprom_; }
  const TwoAxisEeprom& Eeprom() const { return eeprom_; }
  // The Larkvane's final assembly commands; nullptr for the Kestrix II.
  LarkvaneMonitor* Monitor() { return monitor_.get(); }

 protected:
  void OnByte(std::uint8_t byte) override;
  std::string DataMessage(const WindSample& sample, std::size_t& endMarker) override;

 private:
  void EnterConfigMode();
  void Command(const std::string& line);
  // A letter with its digits; false if the model does not take it.
  bool ApplySetting(char letter, const std::string& digits);
  void ProposeLineChange(char letter, int digit);
  void StartStreaming();

  TwoAxisModel model_;
  std::string serialNumber_;
  std::string softwareVersion_;
  TwoAxisSettings settings_;
  bool configMode_ = false;
  // A new rate is on trial that the device will not take (fault keep-rate): deaf until it
  // lapses.
  bool keepingRate_ = false;
  TwoAxisEeprom eeprom_;
  std::unique_ptr<LarkvaneMonitor> monitor_;
};

}  // namespace ventari::sim
