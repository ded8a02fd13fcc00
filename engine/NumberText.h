#pragma once

#include <string>
#include <string_view>

namespace zorbic {

// The standard conversion of a value to text: rounded to 15 significant digits, shortest form,
// "." as the decimal point in every locale, a leading blank for values of 0 and above and "-"
// for negatives, no digit before the point below 1 (" .25"), exponent form from 1E+15 up and
// below 1E-04 (" 1E-05"). Non-finite values (never produced by the evaluator) give "inf",
// "-inf" or "nan".
std::string NumberText(double x);

// NumberText without the leading blank: the result text of Normal mode (".25", "-2", "1E+15").
std::string NormalText(double x);

// The same 15 digits with a digit before the point and no leading blank ("0.25", "-0.25",
// "1E+15"): field 4 of every result row.
std::string RawValueText(double x);

// Fixed mode: whole values give their Normal text; otherwise all integer digits (none when the
// integer part is 0), the point and exactly `decimals` decimals, rounding the 15-digit decimal
// form half away from zero (2.675 with 2 decimals is "2.68"). A negative count counts as 0.
std::string FixedText(double x, int decimals);

// The number reader: the leading number of a text. Blanks, tabs and line feeds are skipped,
// then an optional sign, digits with at most one ".", and an optional exponent letter E or D
// with an optional sign and at least one digit. A text without a leading number reads as 0.
// A number too large for a double reads as +/-infinity (the evaluator reports it as an
// overflow); one too small reads as 0.
double ReadNumber(std::string_view text);

} // namespace zorbic
