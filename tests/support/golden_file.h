// Golden files: what a flow writes for others to read (a log, a --json output), compared byte for
// byte with the expected file kept in a golden/ folder beside its test. With
// VENTARI_UPDATE_GOLDEN=1 in the environment the expected file is rewritten from what was
// written instead, to be reviewed with git diff. Nothing is masked: a test fixes what changes
// from run to run (dates and times by virtual time from a fixed start, paths by leaving them
// out) before it compares.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

namespace ventari::test {

// `golden` is relative to the tests folder ("cli/golden/identify_t7.json"). On a mismatch the
// message shows both sides from the first line that differs, binary contents as hex lines.
::testing::AssertionResult MatchesGolden(const QByteArray& actual, const QString& golden);
// The expected file's contents, for a test that reads what another flow wrote.
QByteArray GoldenContents(const QString& golden);

}  // namespace ventari::test
