// What the stop requests that reach ventari-cli ask for: every request during a stop is the same
// request, and only the user's interrupt some seconds after the first cuts the stop short.
#include "cli/interruption.h"

#include <gtest/gtest.h>

#include <csignal>
#include <utility>
#include <vector>

namespace ventari {
namespace {

TEST(StopRequests, OnlyAnInterruptSomeSecondsAfterTheFirstRequestCutsTheStopShort) {
  const struct {
    const char* name;
    std::vector<std::pair<int, std::int64_t>> requests;  // signal, when
    bool stop;
    bool cutShort;
  } cases[] = {
      {"none", {}, false, false},
      {"timeout: the command and its group at once", {{SIGTERM, 500}, {SIGTERM, 500}}, true, false},
      {"a service manager asking again", {{SIGTERM, 0}, {SIGTERM, 60'000}}, true, false},
      {"Ctrl+C twice quickly", {{SIGINT, 0}, {SIGINT, 2'999}}, true, false},
      {"Ctrl+C again after 3 s", {{SIGINT, 0}, {SIGINT, 3'000}}, true, true},
      {"Ctrl+C after SIGTERM", {{SIGTERM, 0}, {SIGINT, 4'000}}, true, true},
      {"Ctrl+C quickly, then once more", {{SIGINT, 0}, {SIGINT, 100}, {SIGINT, 3'100}}, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StopRequests requests;
    for (const auto& [signal, atMs] : c.requests) requests.Note(signal, atMs);
    EXPECT_EQ(requests.Stop(), c.stop);
    EXPECT_EQ(requests.CutShort(), c.cutShort);
    requests.Clear();
    EXPECT_FALSE(requests.Stop() || requests.CutShort());
  }
}

}  // namespace
}  // namespace ventari
