// The application's runtime fires its events on Qt's event loop in the order they fall due, and
// never one that was cancelled, also from inside another event.
#include "base/qt_runtime.h"

#include <QtCore/qtestsupport_core.h>
#include <gtest/gtest.h>

#include <string>

namespace ventari {
namespace {

TEST(QtRuntimeTest, EventsFireInTheirOrderAndCancelledOnesNever) {
  QtRuntime rt;
  std::string fired;
  Runtime::EventId cancelledInside = 0;
  rt.Schedule(30, [&] { fired += "d"; });
  rt.Schedule(0, [&] {
    fired += "a";
    rt.Cancel(cancelledInside);
  });
  rt.Schedule(0, [&] { fired += "b"; });
  cancelledInside = rt.Schedule(0, [&] { fired += "x"; });
  rt.Cancel(rt.Schedule(10, [&] { fired += "y"; }));
  rt.Schedule(10, [&] { fired += "c"; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return fired.size() >= 4; }));
  QTest::qWait(50);
  EXPECT_EQ(fired, "abcd");
}

}  // namespace
}  // namespace ventari
