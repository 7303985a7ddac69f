// ventari-cli eeprom refuses what it cannot run before it opens a port.
#include <gtest/gtest.h>

#include <QStringList>

#include "cli/cli_session.h"
#include "cli/command_line.h"

namespace ventari {
namespace {

TEST(EepromCommand, UsageErrorsEndBeforeAnythingIsOpened) {
  const QStringList cases[] = {
      {"--port", "sim:kestrix2", "--cal", "k.cal"},                 // no type
      {"--port", "sim:kestrix2", "--type", "Q", "--cal", "k.cal"},  // unknown type
      {"--port", "sim:kestrix2", "--type", "E"},                    // no file
      {"--port", "sim:larkvane", "--type", "LV2", "--user", "u"},   // not the Larkvane's
      {"--port", "sim:kestrix2", "--type", "E", "--opt", "o.opt"},  // not the Kestrix II's
      {"--type", "E", "--cal", "k.cal", "--bogus"},                 // unknown option
  };
  for (const QStringList& args : cases) {
    EXPECT_EQ(RunCommandLine(QStringList{"ventari-cli", "eeprom"} + args), kExitUsage)
        << args.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace ventari
