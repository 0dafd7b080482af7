#pragma once
// Reading numbers from the sheet's texts and writing numbers into them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keld {

// The number a field's text holds, read the way the whole sheet reads it:
// blanks, tabs and line feeds are ignored wherever they stand ("1 2" is 12);
// then the longest leading part that forms a number is taken: an optional
// sign, digits, "." as the decimal point and an optional exponent ("E3",
// "e-2"); "&H" and "&O" introduce hexadecimal and octal digits (four digits
// or fewer read as a 16-bit whole number, more as a 32-bit one, so "&HFFFF"
// is -1). A text without such a part reads as 0. A value too small to hold
// reads as 0.
//
// A value too large to hold (more than about 1.8e308, or more than eight
// hexadecimal digits) gives no number at all: the caller treats that like an
// arithmetic fault and keeps its previous value.
std::optional<double> readNumber(std::string_view text);

// Whether other characters follow the leading number of a text, blanks
// apart: "1,5" (a comma for the decimal point), "12.5abc", "2e", "&H1G".
// readNumber takes the number and drops the rest; an entry that is checked
// is refused instead. A text without a leading number has nothing after it.
bool hasTextAfterNumber(std::string_view text);

// Both in one reading, for an entry that is checked.
struct NumberReading {
    std::optional<double> value; // as readNumber reads it
    bool textAfter = false;      // as hasTextAfterNumber says
};
NumberReading readEntryNumber(std::string_view text);

// The whole number nearest to x, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4); no value when the result does not fit a 32-bit integer.
std::optional<std::int32_t> roundHalfEvenToInt32(double x);

// The text shown for a number in an input field: four significant digits,
// "0.000" below 1, then "0.0000", "##.000", "###.00" and "####.0" by the
// number of integer digits. A value that is not finite gives "0".
std::string FormatInputValue(double x);

// x written with exactly `decimals` decimals (at least one integer digit,
// "." as the decimal point, "-" before the digits of a negative value). The
// value is first taken to its decimal form of 15 significant digits, which is
// then rounded half away from zero, so 2.675 with two decimals gives "2.68".
// With `thousands` the integer digits are grouped by commas ("1,230").
std::string formatFixed(double x, int decimals, bool thousands = false);

// Whole-number digits grouped by commas ("1234567" gives "1,234,567").
std::string groupThousands(std::string_view integerDigits);

// x as plain decimal text: up to 15 significant digits, no trailing zeros, no
// exponent (110, 142.5, 809.115, 125000).
std::string formatPlainDecimal(double x);

} // namespace keld
