// The windsock window's three choices that are kept between runs (selection indices, -1 for no
// selection). The defaults are the window's state at creation.
#pragma once

namespace ventari {

struct WindsockSelections {
  int averaging = 2;  // "&2 min", "&10min", "c&ont"
  int units = 0;      // "m/&s", "&kmh", "k&ts", "m&ph", "&fpm"
  int gust = 2;       // "&max", "mi&n", "&cont"
};

}  // namespace ventari
