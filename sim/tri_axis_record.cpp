#include "sim/tri_axis_record.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace ventari::sim {
namespace {

constexpr double kLargestValue = 99.98;  // 99.99 marks blocked paths
constexpr double kCalmMs = 0.05;         // below this the direction is left empty
constexpr double kUncalibratedGain = 1.02;
constexpr double kVoltsPerCount = 6.1 * 0.0001;
constexpr double kKelvinOffset = 273.15;
// Clinometer reading in hundredths of a degree.
constexpr int kClinometerX = 12;
constexpr int kClinometerY = -35;

struct Values {
  double first;
  double second;
  double third;
};

Values WindValues(const TriAxisSettings& settings, const WindSample& sample) {
  const double gain = settings.windRep == 1 || settings.windRep == 3 ? kUncalibratedGain : 1.0;
  if (settings.Polar()) return {sample.direction, sample.speed * gain, sample.vertical * gain};
  if (settings.Axis()) {
    // The velocity along each of three paths inclined 45 degrees, 120 degrees apart.
    Values axes{};
    double* out[] = {&axes.first, &axes.second, &axes.third};
    for (int k = 0; k < 3; ++k) {
      const double azimuth = k * 2 * std::numbers::pi / 3;
      *out[k] =
          (sample.U() * std::sin(azimuth) + sample.V() * std::cos(azimuth) + sample.vertical) *
          std::numbers::sqrt2 / 2;
    }
    return axes;
  }
  return {sample.U() * gain, sample.V() * gain, sample.vertical * gain};
}

double Clamp(double value) { return std::clamp(value, -kLargestValue, kLargestValue); }

std::string Format(const char* padded, const char* unpadded, bool pad, double value) {
  return QString::asprintf(pad ? padded : unpadded, value).toStdString();
}

void AppendWord(std::string& record, int value) {
  const auto word = static_cast<std::uint16_t>(value);
  record.push_back(static_cast<char>(word >> 8));
  record.push_back(static_cast<char>(word & 0xFF));
}

int Hundredths(double value) { return static_cast<int>(std::lround(value * 100)); }

double SonicValue(int sosRep, const WindSample& sample) {
  if (sosRep == 1) return sample.SpeedOfSound();
  return sosRep == 2 ? sample.temperature + kKelvinOffset : sample.temperature;
}

double AbsoluteTemperature(int absTemp, const WindSample& sample) {
  return absTemp == 1 ? sample.temperature + kKelvinOffset : sample.temperature;
}

std::string AsciiRecord(const TriAxisSettings& settings, const WindSample& sample,
                        TriAxisStatus status, std::uint64_t count, std::size_t& end,
                        const RecordFaults& faults) {
  const bool pad = settings.strFmt == 1;
  std::string text = QString::asprintf("%02d,%02X,", status.address, status.value).toStdString();
  const Values values = WindValues(settings, sample);
  if (settings.Polar()) {
    if (sample.blocked) {
      text += "999,99.99,+99.99,";
    } else {
      if (values.second >= kCalmMs) {
        const int direction = static_cast<int>(std::lround(values.first)) % 360;
        text += QString::asprintf(pad ? "%03d" : "%d", direction).toStdString();
      }
      text += "," + Format("%05.2f", "%.2f", pad, std::min(values.second, kLargestValue)) + ",";
      text += Format("%+06.2f", "%+.2f", pad, Clamp(values.third)) + ",";
    }
  } else if (sample.blocked) {
    text += "+99.99,+99.99,+99.99,";
  } else {
    for (const double value : {values.first, values.second, values.third}) {
      text += Format("%+06.2f", "%+.2f", pad, Clamp(value)) + ",";
    }
  }
  if (settings.sosRep != 0) {
    const char* format = settings.sosRep == 3 ? "%+06.2f" : "%06.2f";
    text += Format(format, settings.sosRep == 3 ? "%+.2f" : "%.2f", pad,
                   SonicValue(settings.sosRep, sample)) +
            ",";
  }
  if (settings.absTemp != 0) {
    const char* format = settings.absTemp == 2 ? "%+06.2f" : "%06.2f";
    if (faults.overTemp) {
      text += "+99.99";
    } else if (!faults.emptyTemp) {
      text += Format(format, settings.absTemp == 2 ? "%+.2f" : "%.2f", pad,
                     AbsoluteTemperature(settings.absTemp, sample));
    }
    text += ",";
  }
  for (int channel = 1; channel <= 6; ++channel) {
    if (!settings.aip[channel - 1]) continue;
    text += Format("%+07.4f", "%+.4f", pad, AnalogueInput(channel, count)) + ",";
  }
  // Positions count from 1: the first value begins at 7.
  if (faults.nonNumeric && text.size() > 8) text[7] = 'A';
  if (faults.malformed) {
    const auto comma = text.find(',', 7);
    if (comma != std::string::npos) text[comma] = ';';
  }
  std::string record = "\x02" + text;
  end = record.size();
  record += '\x03';
  record += settings.ascTerm == 1 ? "\r\n" : "\r";
  return record;
}

std::string BinaryRecord(const TriAxisSettings& settings, const WindSample& sample,
                         TriAxisStatus status, std::uint64_t count, std::size_t& end,
                         const RecordFaults& faults) {
  std::string fields;
  fields.push_back(static_cast<char>(status.address));
  fields.push_back(static_cast<char>(status.value));
  const Values values = WindValues(settings, sample);
  if (sample.blocked) {
    AppendWord(fields, kBlockedValue);
    AppendWord(fields, kBlockedValue);
    AppendWord(fields, settings.Polar() ? Hundredths(Clamp(values.third)) : kBlockedValue);
  } else if (settings.Polar()) {
    AppendWord(fields, static_cast<int>(std::lround(values.first)) % 360);
    AppendWord(fields, faults.blockedSpeed ? kBlockedValue
                                           : Hundredths(std::min(values.second, kLargestValue)));
    AppendWord(fields, Hundredths(Clamp(values.third)));
  } else {
    for (const double value : {values.first, values.second, values.third}) {
      AppendWord(fields, Hundredths(Clamp(value)));
    }
  }
  if (settings.sosRep != 0) AppendWord(fields, Hundredths(SonicValue(settings.sosRep, sample)));
  if (settings.absTemp != 0) {
    AppendWord(fields, faults.emptyTemp || faults.overTemp
                           ? kBlockedValue
                           : Hundredths(AbsoluteTemperature(settings.absTemp, sample)));
  }
  for (int channel = 1; channel <= 6; ++channel) {
    if (!settings.aip[channel - 1]) continue;
    AppendWord(fields,
               static_cast<int>(std::lround(AnalogueInput(channel, count) / kVoltsPerCount)));
  }
  char check = faults.malformed ? '\x5A' : '\0';
  for (const char byte : fields) check ^= byte;
  std::string record = "\xBA\xBA" + fields;
  end = record.size();
  record.push_back(check);
  return record;
}

}  // namespace

TriAxisStatus StatusFor(const TriAxisSettings& settings, TriAxisModel model, int address) {
  int value = 0;
  switch (address) {
    case 1:
      value = 0x08 | (settings.align == 1 ? 0x10 : 0);  // clinometer fitted; spar alignment
      break;
    case 2:
      value = settings.Polar() ? (settings.polarWrap == 1 ? 3 : 2) : (settings.Axis() ? 1 : 0);
      value += 4 * settings.fsd + 0x10 * settings.sosRep + 0x40 * settings.absTemp;
      break;
    case 3:
      value = settings.AnalogueInputs();
      break;
    case 6:
      value = model == TriAxisModel::kMz || model == TriAxisModel::kMz_50 ? 2 : 1;
      break;
    case 7:
      value = (kClinometerX >> 8) & 0xFF;
      break;
    case 8:
      value = kClinometerX & 0xFF;
      break;
    case 9:
      value = (kClinometerY >> 8) & 0xFF;
      break;
    case 10:
      value = kClinometerY & 0xFF;
      break;
    default:
      break;
  }
  return {address, value};
}

double AnalogueInput(int channel, std::uint64_t count) {
  return 0.4 * channel + 0.05 * std::sin(static_cast<double>(count) / 10.0 + channel);
}

TriAxisStatus FaultyStatus(TriAxisStatus status, unsigned pick) {
  constexpr int kFailures[] = {0x01, 0x05, 0x07, 0x10, 0x80};  // pairs, memory, clinometer
  constexpr int kGains[] = {0x01, 0x1B, 0x2A, 0x3F};           // two bits a pair
  switch (status.address) {
    case 0:
      status.value = kFailures[pick % std::size(kFailures)];
      break;
    case 2:
    case 3:
      status.value ^= 0x01;  // not what the configuration gives
      break;
    case 4:
      status.value = pick % 2 == 0 ? 0x10 : 0x80;
      break;
    case 5:
      status.value = kGains[pick % std::size(kGains)];
      break;
    case 6:
      status.value = status.value == 1 ? 2 : 1;  // the other family's letter
      break;
    default:
      break;
  }
  return status;
}

std::string TriAxisRecord(const TriAxisSettings& settings, const WindSample& sample,
                          TriAxisStatus status, std::uint64_t count, std::size_t& end,
                          const RecordFaults& faults) {
  return settings.strFmt == 0 ? BinaryRecord(settings, sample, status, count, end, faults)
                              : AsciiRecord(settings, sample, status, count, end, faults);
}

}  // namespace ventari::sim
