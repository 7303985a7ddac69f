// The dark look asked for with --dark or the stored setting: the Fusion style with a dark palette.
// Without it the application keeps the platform's palette, dark or light, as it is.
#pragma once

#include <QPalette>

namespace ventari {

// Fusion's colours turned dark: light text on dark grey, links and selections in a clear blue,
// disabled text dimmed.
QPalette DarkPalette();

// Sets the Fusion style and DarkPalette() on the application; call before the windows are made.
void UseDarkPalette();

}  // namespace ventari
