#include "text/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace keld {
namespace {

bool isIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits of base `base` that follow a two-character prefix ("&H", "&O").
std::size_t radixDigits(std::string_view s, int base) {
    std::size_t i = 2;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!(isDigit(c) && c - '0' < base) && !(base == 16 && hex)) {
            break;
        }
    }
    return i - 2;
}

// "&H..." and "&O...": digits of the base after the prefix; four digits or
// fewer are a 16-bit value, more a 32-bit one, both two's complement.
std::optional<double> readRadix(std::string_view s, int base) {
    std::uint64_t value = 0;
    std::size_t digits = 0;
    const std::size_t end = 2 + radixDigits(s, base);
    for (std::size_t i = 2; i < end; ++i) {
        const char c = s[i];
        const int d = isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        if (value != 0) {
            ++digits;
        }
    }
    const bool shortForm = base == 16 ? (value <= 0xFFFF && digits <= 4) : (value <= 0177777);
    if (shortForm) {
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A decimal number of at most 15 significant digits and a power of ten that
// a double holds exactly: one multiplication or division of two exact values,
// which rounds as the full conversion does. None when the text is no such
// number.
std::optional<double> shortDecimal(std::string_view digits, long long exponent) {
    std::uint64_t mantissa = 0;
    int significant = 0;
    long long fraction = 0;
    bool point = false;
    for (const char c : digits) {
        if (c == '.') {
            point = true;
            continue;
        }
        if (mantissa != 0 || c != '0') {
            if (++significant > 15) {
                return std::nullopt;
            }
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        }
        fraction += point ? 1 : 0;
    }
    const long long power = exponent - fraction;
    if (power < -22 || power > 22) {
        return std::nullopt;
    }
    const double m = static_cast<double>(mantissa);
    return power >= 0 ? m * kExactPowersOfTen[power] : m / kExactPowersOfTen[-power];
}

// The text of almost every entry: an optional minus, at most 15 digits and at
// most one point, nothing else. None for any other text.
std::optional<double> plainDecimal(std::string_view t) {
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    i += negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (isDigit(c)) {
            if (++digits > 15) {
                return std::nullopt;
            }
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            fraction += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    const double value = static_cast<double>(mantissa) / kExactPowersOfTen[fraction];
    return negative ? -value : value;
}

// The text without the blanks that the sheet ignores; `storage` holds it
// where there were any (most texts have none).
std::string_view withoutBlanks(std::string_view text, std::string& storage) {
    if (std::none_of(text.begin(), text.end(), isIgnoredBlank)) {
        return text;
    }
    storage.reserve(text.size());
    for (char c : text) {
        if (!isIgnoredBlank(c)) {
            storage.push_back(c);
        }
    }
    return storage;
}

// The number at the start of a text without blanks, and how many of the
// text's characters it takes: 0 for a text without a leading number, which
// reads as 0.
struct Scanned {
    std::optional<double> value;
    std::size_t length = 0;
};

Scanned scanNumber(std::string_view s) {
    if (s.size() >= 2 && s[0] == '&') {
        for (const int base : {16, 8}) {
            if ((s[1] | 0x20) == (base == 16 ? 'h' : 'o')) {
                const std::size_t digits = radixDigits(s, base);
                return {readRadix(s, base), digits > 0 ? 2 + digits : 0};
            }
        }
        return {0.0, 0};
    }

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t mantissaDigits = 0;
    // Decimal order of the first non-zero digit, relative to the point; used
    // only to tell an overflow from an underflow.
    long long order = 0;
    bool seenNonZero = false;
    bool seenPoint = false;
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            ++mantissaDigits;
            if (!seenPoint) {
                if (seenNonZero || c != '0') {
                    ++integerDigits;
                }
            } else if (!seenNonZero && c == '0') {
                ++leadingFractionZeros;
            }
            if (c != '0') {
                seenNonZero = true;
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return {0.0, 0};
    }
    const std::size_t mantissaEnd = i;
    std::size_t end = mantissaEnd;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j) {
                if (exponent < 100000000) {
                    exponent = exponent * 10 + (s[j] - '0');
                }
            }
            if (expNegative) {
                exponent = -exponent;
            }
            end = j;
        }
    }
    if (!seenNonZero) {
        return {negative ? -0.0 : 0.0, end};
    }
    if (const std::optional<double> quick =
            shortDecimal(s.substr(mantissaStart, mantissaEnd - mantissaStart), exponent)) {
        return {negative ? -*quick : *quick, end};
    }
    order = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;

    double value = 0.0;
    const char* first = s.data() + mantissaStart;
    const char* last = s.data() + end;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range || !std::isfinite(value)) {
        if (order > 0) {
            return {std::nullopt, end};
        }
        value = 0.0;
    } else if (ec != std::errc()) {
        return {0.0, end};
    }
    (void)ptr;
    return {negative ? -value : value, end};
}

} // namespace

NumberReading readEntryNumber(std::string_view text) {
    if (const std::optional<double> plain = plainDecimal(text)) {
        return {plain, false};
    }
    std::string storage;
    const std::string_view s = withoutBlanks(text, storage);
    const Scanned scanned = scanNumber(s);
    return {scanned.value, scanned.length > 0 && scanned.length < s.size()};
}

std::optional<double> readNumber(std::string_view text) {
    if (const std::optional<double> plain = plainDecimal(text)) {
        return plain;
    }
    std::string storage;
    return scanNumber(withoutBlanks(text, storage)).value;
}

bool hasTextAfterNumber(std::string_view text) {
    return readEntryNumber(text).textAfter;
}

std::optional<std::int32_t> roundHalfEvenToInt32(double x) {
    if (!std::isfinite(x)) {
        return std::nullopt;
    }
    const double r = std::nearbyint(x); // the default rounding mode: halves to even
    if (r < -2147483648.0 || r > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(r);
}

namespace {

// Decimal digits of |x| to 15 significant digits and the decimal exponent of
// the first digit: x = 0.d1d2...d15 * 10^(exp10).
struct DecimalForm {
    char digits[16];
    int exp10;
    bool negative;
};

DecimalForm decimalForm(double x) {
    DecimalForm f{};
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    const char* p = buf;
    if (*p == '-') {
        f.negative = true;
        ++p;
    }
    int n = 0;
    for (; *p && *p != 'e'; ++p) {
        if (isDigit(*p)) {
            f.digits[n++] = *p;
        }
    }
    f.digits[n] = '\0';
    const int e = std::atoi(p + 1);
    f.exp10 = e + 1;
    // Near the largest double, 15 digits round up past it (1.79769313486232e308):
    // keep the 15-digit value below, so that the text reads back as a number.
    double back = 0;
    const char* end = buf + std::strlen(buf);
    if (std::from_chars(buf, end, back).ec == std::errc::result_out_of_range && n == 15) {
        --f.digits[14];
    }
    return f;
}

} // namespace

std::string groupThousands(std::string_view integerDigits) {
    std::string out;
    const std::size_t n = integerDigits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(integerDigits[i]);
        const std::size_t rest = n - i - 1;
        if (rest > 0 && rest % 3 == 0) {
            out.push_back(',');
        }
    }
    return out;
}

std::string formatFixed(double x, int decimals, bool thousands) {
    if (!std::isfinite(x)) {
        x = 0.0;
    }
    if (x == 0.0) {
        std::string out = "0";
        if (decimals > 0) {
            out += '.';
            out.append(static_cast<std::size_t>(decimals), '0');
        }
        return out;
    }
    const DecimalForm f = decimalForm(x);
    // Digits of |x| as an integer count of units of 10^-decimals, rounded
    // half away from zero: position p of digit i (0-based) is exp10-1-i.
    std::string units;                   // most significant first
    const int keep = f.exp10 + decimals; // number of digits kept from the 15
    bool roundUp = false;
    if (keep <= 0) {
        roundUp = keep == 0 && f.digits[0] >= '5';
        units = "0";
    } else {
        for (int i = 0; i < keep; ++i) {
            units.push_back(i < 15 ? f.digits[i] : '0');
        }
        roundUp = keep < 15 && f.digits[keep] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(units.size()) - 1;
        for (; i >= 0; --i) {
            if (units[static_cast<std::size_t>(i)] == '9') {
                units[static_cast<std::size_t>(i)] = '0';
            } else {
                ++units[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            units.insert(units.begin(), '1');
        }
    }
    if (static_cast<int>(units.size()) < decimals + 1) {
        units.insert(0, static_cast<std::size_t>(decimals + 1) - units.size(), '0');
    }
    std::string integerPart = units.substr(0, units.size() - static_cast<std::size_t>(decimals));
    std::size_t firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? "0" : integerPart.substr(firstNonZero);
    std::string out;
    if (f.negative) {
        out += '-';
    }
    out += thousands ? groupThousands(integerPart) : integerPart;
    if (decimals > 0) {
        out += '.';
        out += units.substr(units.size() - static_cast<std::size_t>(decimals));
    }
    return out;
}

std::string FormatInputValue(double x) {
    if (!std::isfinite(x) || x == 0.0) {
        return "0";
    }
    const bool negative = x < 0;
    double a = std::fabs(x);
    int k = 0;
    if (a < 1) {
        while (a < 1) {
            ++k;
            a = a * 10;
        }
        a = std::floor(a * 1000 + 0.5) / std::pow(10.0, k + 3);
        // The sign goes on the text, so a value that rounds to zero keeps it.
        return (negative ? "-" : "") + formatFixed(a, 3);
    }
    while (a >= 1) {
        ++k;
        a = a / 10;
    }
    a = a * 10000 * std::pow(10.0, k - 4);
    if (negative) {
        a = -a;
    }
    const int decimals = k == 1 ? 4 : k == 2 ? 3 : k == 3 ? 2 : 1;
    return formatFixed(a, decimals);
}

std::string formatPlainDecimal(double x) {
    if (!std::isfinite(x) || x == 0.0) {
        return "0";
    }
    const DecimalForm f = decimalForm(x);
    std::string digits(f.digits);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int n = static_cast<int>(digits.size());
    std::string out;
    if (f.negative) {
        out += '-';
    }
    if (f.exp10 <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-f.exp10), '0');
        out += digits;
    } else if (f.exp10 >= n) {
        out += digits;
        out.append(static_cast<std::size_t>(f.exp10 - n), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(f.exp10));
        out += '.';
        out += digits.substr(static_cast<std::size_t>(f.exp10));
    }
    return out;
}

} // namespace keld
