// The Kestrix II in the calibration bin: the speed of sound it reports where the SOS page reads it,
// the data decoder still reading direction and speed around it, and the bin's settings as the
// simulator takes them.
#include "sim/sos_bin.h"

#include <gtest/gtest.h>

#include "service/sos_reading.h"
#include "sim/faults.h"
#include "twoaxis/two_axis_data.h"

namespace ventari::sim {
namespace {

TEST(SosBin, TheSpeedOfSoundFillsCharacters17To23AndTheWindStaysReadable) {
  WindSample sample;
  sample.direction = 123;
  sample.speed = 4.56;
  for (const double sos : {343.72, 1343.72, 5.0}) {
    std::size_t etx = 0;
    const std::string message = SosBinMessage(TwoAxisSettings{}, sample, sos, 20.0, etx);
    EXPECT_NE(message.find(",+20.00,M,00,\x03"), std::string::npos) << message;
    const QByteArray framed = QByteArray::fromStdString(message.substr(0, etx + 1));
    EXPECT_NEAR(*SosField(framed), sos, 0.005) << message;
    const TwoAxisDataRecord record = TwoAxisDataDecoder::Decode(framed, false);
    EXPECT_TRUE(record.readable) << message;
    EXPECT_EQ(record.direction, 123);
    EXPECT_NEAR(record.second, 4.56, 1e-9);
  }
}

TEST(SosBin, TheReportedSpeedCarriesTheErrorAndTheStoredOffset) {
  EXPECT_NEAR(BinSpeedOfSound(20.0, 0, 0), 343.72006, 1e-5);
  EXPECT_NEAR(BinSpeedOfSound(20.0, 0.5, StoredSosOffset(207, 255)), 343.72006 + 0.5 - 0.49, 1e-5);
  EXPECT_EQ(StoredSosOffset(0xFF, 0x7F), 32767);
  EXPECT_EQ(StoredSosOffset(0x00, 0x80), -32768);
}

TEST(SosBin, TheBinIsSetLikeAFault) {
  Faults faults;
  EXPECT_DOUBLE_EQ(faults.binTemperature, 20.0);
  EXPECT_TRUE(ApplyFault("bin-temp=-5.5", faults));
  EXPECT_TRUE(ApplyFault("sos-error=1.25", faults));
  EXPECT_DOUBLE_EQ(faults.binTemperature, -5.5);
  EXPECT_DOUBLE_EQ(faults.sosError, 1.25);
  EXPECT_FALSE(ApplyFault("bin-temp=warm", faults));
  EXPECT_FALSE(ApplyFault("sos-error=", faults));
  EXPECT_DOUBLE_EQ(faults.binTemperature, -5.5);
}

}  // namespace
}  // namespace ventari::sim
