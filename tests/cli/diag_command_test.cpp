// ventari-cli diag refuses what it cannot run before it opens any port.
#include "cli/diag_command.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace ventari {
namespace {

TEST(DiagCommand, OptionsThatCannotRunEndWithTheUsageStatusBeforeAnyPortIsOpened) {
  const QStringList cases[] = {
      {"diag", "--port", "sim:kestrix2"},
      {"diag", "--port", "sim:kestrix2", "--test", "Status"},
      {"diag", "--port", "sim:kestrix2", "--test", "gain", "--extended"},
      {"diag", "--port", "sim:kestrix2", "--test", "preload", "--out", "x.log"},
      {"diag", "--port", "sim:kestrix2", "--test", "preload", "--seconds", "0"},
      {"diag", "--test", "status"},
      {"diag", "extra", "--port", "sim:kestrix2", "--test", "status"},
  };
  for (const QStringList& arguments : cases) {
    EXPECT_EQ(DiagCommand(QStringList{"ventari-cli"} + arguments), 2)
        << arguments.join(' ').toStdString();
  }
}

}  // namespace
}  // namespace ventari
