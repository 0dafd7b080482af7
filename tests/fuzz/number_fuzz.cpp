// Reading a number from a field's text, and the texts shown for numbers.

#include "fuzz_check.h"

#include "report/report.h"
#include "text/number.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace keld;

void checkFormats(double x) {
    const std::string input = FormatInputValue(x);
    const std::optional<double> back = readNumber(input);
    fuzz::check(back.has_value() && std::isfinite(*back), "a field's number reads back", input);

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
    if (std::isfinite(x)) {
        const double tolerance = std::fabs(x) * 1e-14;
        fuzz::check(std::fabs(*plainBack - x) <= tolerance, "a plain decimal keeps its value",
                    plain);
    }
    (void)roundHalfEvenToInt32(x);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = readNumber(text);
    if (value) {
        fuzz::check(std::isfinite(*value), "a number read is finite", text);
        checkFormats(*value);
    }
    // The raw bits as a number too, NaN, infinities and subnormals included.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkFormats(raw);
    }
    return 0;
}
