// The number texts of the live read-outs: a fixed notation limited to a number of significant
// digits, and a general notation of up to 15 significant digits.
#pragma once

#include <QString>

namespace ventari {

// `value` rounded to `precision` significant digits and written with exactly `digits` decimals
// ("5.23" for 5.2349 with 4 and 2). A value with more than `precision` digits before the point
// comes out in scientific notation ("1.235E5").
QString FixedText(double value, int precision, int digits);

// `value` in the shortest of plain and scientific notation with up to 15 significant digits
// ("0.12", "-1.5", "1E20", "1.5E-7").
QString GeneralText(double value);

}  // namespace ventari
