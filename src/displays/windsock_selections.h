// The windsock window's three choices that are kept between runs (selection indices).
#pragma once

namespace ventari {

struct WindsockSelections {
  int averaging = 0;
  int units = 0;
  int gust = 0;
};

}  // namespace ventari
