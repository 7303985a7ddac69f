#include "sim/faults.h"

#include <charconv>
#include <cmath>
#include <string>

namespace ventari::sim {
namespace {

bool ParseProbability(std::string_view text, double& value) {
  // from_chars for double is not in every standard library this builds with.
  std::string copy(text);
  char* end = nullptr;
  const double parsed = std::strtod(copy.c_str(), &end);
  if (copy.empty() || end != copy.c_str() + copy.size() || !(parsed >= 0 && parsed <= 1)) {
    return false;
  }
  value = parsed;
  return true;
}

bool ParseNumber(std::string_view text, double& value) {
  std::string copy(text);
  char* end = nullptr;
  const double parsed = std::strtod(copy.c_str(), &end);
  if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool ParseMs(std::string_view text, std::int64_t& value) {
  std::int64_t parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size() || parsed < 0) return false;
  value = parsed;
  return true;
}

}  // namespace

bool ApplyFault(std::string_view text, Faults& faults) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string_view key = text.substr(0, equals);
  const std::string_view value = text.substr(equals + 1);
  if (key == "noise") return ParseProbability(value, faults.noise);
  if (key == "drop") return ParseProbability(value, faults.drop);
  if (key == "truncate") return ParseProbability(value, faults.truncate);
  if (key == "blocked") return ParseProbability(value, faults.blocked);
  if (key == "empty-temp") return ParseProbability(value, faults.emptyTemp);
  if (key == "over-temp") return ParseProbability(value, faults.overTemp);
  if (key == "blocked-speed") return ParseProbability(value, faults.blockedSpeed);
  if (key == "silent-checksums") return ParseProbability(value, faults.silentChecksums);
  if (key == "garbled-checksum") return ParseProbability(value, faults.garbledChecksum);
  if (key == "short-debug") return ParseProbability(value, faults.shortDebug);
  if (key == "keep-rate") return ParseProbability(value, faults.keepRate);
  if (key == "status") return ParseProbability(value, faults.status);
  if (key == "malformed") return ParseProbability(value, faults.malformed);
  if (key == "non-numeric") return ParseProbability(value, faults.nonNumeric);
  if (key == "silent") return ParseMs(value, faults.silentAfterMs);
  if (key == "vanish") return ParseMs(value, faults.vanishAfterMs);
  if (key == "return") return ParseMs(value, faults.returnAfterMs);
  if (key == "stall") return ParseMs(value, faults.stallAfterMs);
  if (key == "resume") return ParseMs(value, faults.resumeAfterMs);
  if (key == "bin-temp") return ParseNumber(value, faults.binTemperature);
  if (key == "sos-error") return ParseNumber(value, faults.sosError);
  return false;
}

}  // namespace ventari::sim
