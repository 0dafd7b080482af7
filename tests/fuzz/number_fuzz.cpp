// Reading a number from a field's text, and the texts shown for numbers.

#include "fuzz_check.h"

#include "report/report.h"
#include "text/number.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace keld;

void checkFormats(double x) {
    const std::string input = FormatInputValue(x);
    const std::optional<double> back = readNumber(input);
    fuzz::check(back.has_value() && std::isfinite(*back), "a field's number reads back", input);
    fuzz::check(!hasTextAfterNumber(input), "a field's number is all number", input);

    const std::string report = FormatReportValue(x);
    fuzz::check(!fuzz::showsNonFinite(report), "a report value is a number", report);
    fuzz::check(readNumber(report).has_value(), "a report value reads back", report);

    for (int decimals : {0, 1, 2, 3, 4}) {
        const std::string fixed = formatFixed(x, decimals, decimals % 2 == 0);
        fuzz::check(!fuzz::showsNonFinite(fixed), "a fixed value is a number", fixed);
    }
    const std::string plain = formatPlainDecimal(x);
    const std::optional<double> plainBack = readNumber(plain);
    fuzz::check(plainBack.has_value(), "a plain decimal reads back", plain);
    fuzz::check(!hasTextAfterNumber(plain), "a plain decimal is all number", plain);
    if (std::isfinite(x)) {
        const double tolerance = std::fabs(x) * 1e-14;
        fuzz::check(std::fabs(*plainBack - x) <= tolerance, "a plain decimal keeps its value",
                    plain);
    }
    (void)roundHalfEvenToInt32(x);
}

// A text that is nothing but a decimal number ("-12.5", "3e-4"): what the
// C library reads from it, to compare with the sheet's own reading.
std::optional<double> plainNumber(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.' && !point) {
            point = true;
        } else if (text[i] >= '0' && text[i] <= '9') {
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 40 || text.size() > 60) {
        return std::nullopt;
    }
    if (i < text.size()) {
        std::size_t j = i + 1;
        j += j < text.size() && (text[j] == '-' || text[j] == '+') ? 1 : 0;
        if (j == text.size() || text.find_first_not_of("0123456789", j) != std::string_view::npos) {
            return std::nullopt;
        }
    }
    return std::strtod(std::string(text).c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = readNumber(text);
    // Whatever follows a number, another character after it is more of the same.
    if (hasTextAfterNumber(text)) {
        fuzz::check(hasTextAfterNumber(std::string(text) + ","), "text after a number stays", text);
    }
    if (value) {
        fuzz::check(std::isfinite(*value), "a number read is finite", text);
        checkFormats(*value);
        const std::optional<double> library = plainNumber(text);
        fuzz::check(!library || !std::isnormal(*library) || *library == *value,
                    "a decimal number reads as the C library reads it", text);
    }
    // The raw bits as a number too, NaN, infinities and subnormals included.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkFormats(raw);
    }
    return 0;
}
