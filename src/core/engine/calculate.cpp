#include "engine/calculate.h"

#include "engine/estimates.h"
#include "engine/fault.h"
#include "engine/thermal.h"
#include "text/number.h"

#include <optional>
#include <string_view>

namespace keld {

const char* const kCompletionMessage = "All calculation completed without error.";

std::string stageFaultMessage(const char* what) {
    std::string text = "The ";
    text += what;
    text += " of this case is beyond what the estimate can compute.\n"
            "Check the heat duty and the temperatures (Item 5).";
    return text;
}

namespace {

struct RangeMessages {
    const char* metric;
    const char* english;
};

// The range messages: first line, a line feed, the second line of the unit system.
constexpr RangeMessages kCoefficientRange = {
    "The Overall Heat Transfer Coefficient (Item 3) is out of range.\n"
    "Values between 34.1 and 1136 W/(SqM-C) are valid.",
    "The Overall Heat Transfer Coefficient (Item 3) is out of range.\n"
    "Values between 6 and 200 Btu/(Hr-SqFt-F) are valid."};
constexpr RangeMessages kDutyRange = {
    "The Hot Side Heat Duty (Item 5) is out of range.\nValues between 0.3 and 2920 MW are valid.",
    "The Hot Side Heat Duty (Item 5) is out of range.\n"
    "Values between 0.1 and 9990 MMBtu/Hr are valid."};
constexpr RangeMessages kAirInletRange = {
    "The Air Inlet Temperature (Item 5) is out of range.\n"
    "Values between -40 and 94 Deg. C are valid.",
    "The Air Inlet Temperature (Item 5) is out of range.\n"
    "Values between -40 and 200 Deg. F are valid."};
constexpr RangeMessages kHotInletRange = {
    "The Hot Fluid Inlet Temperature (Item 5) is out of range.\n"
    "Values between Tair-in and 398 Deg. C are valid.",
    "The Hot Fluid Inlet Temperature (Item 5) is out of range.\n"
    "Values between Tair-in and 750 Deg. F are valid."};
constexpr RangeMessages kHotOutletRange = {
    "The Hot Fluid Outlet Temperature (Item 5) is out of range.\n"
    "Values between Tair-in and Thot-in are valid.",
    "The Hot Fluid Outlet Temperature (Item 5) is out of range.\n"
    "Values between Tair-in and Thot-in are valid."};
constexpr RangeMessages kLengthRange = {
    "The Tube Length (Item 6) is out of range.\nValues between 2.44 and 18.28 meter are valid.",
    "The Tube Length (Item 6) is out of range.\nValues between 8 and 60 feet are valid."};
constexpr RangeMessages kRowsRange = {
    "The Number of Tube Rows (Item 6) is out of range.\nValues between 3 and 10 are valid.",
    "The Number of Tube Rows (Item 6) is out of range.\nValues between 3 and 10 are valid."};

// Our own: a price factor too large to compute with would otherwise keep the
// factor of the previous calculation without a word.
constexpr const char* kCostFactorTooLarge =
    "The Price Multiplication Factor (Item 6) is too large to compute with.";

constexpr const char* kForcedDraftMetric = "Outlet air temperature > 121 Deg. C.\n"
                                           "Therefore, only forced draft can be used.\n"
                                           "This will be reflected in the output";
constexpr const char* kForcedDraftEnglish = "Outlet air temperature > 250 Deg. F.\n"
                                            "Therefore, only  forced draft can be used.\n"
                                            "This will be reflected in the output";

class Driver {
public:
    Driver(const SheetEntries& e, SizingCase& c, MessageSink& m)
        : m_entries(e), m_case(c), m_messages(m), m_english(isTrue(c.ENGLISH)) {}

    bool run();

private:
    const std::string& text(int n) const { return m_entries.text[static_cast<std::size_t>(n)]; }

    void show(std::string_view message) { m_messages.showMessage(message, MessageIcon::None); }
    void showRange(const RangeMessages& r) { show(m_english ? r.english : r.metric); }

    // Reads field n into target, converted into English units by
    // value * factor + offset on a Metric sheet. A value too large to hold
    // leaves the target as it was and fails the check (false).
    bool read(int n, double& target, double factor, double offset) {
        const std::optional<double> v = readNumber(text(n));
        if (!v) {
            return false;
        }
        const double converted = m_english ? *v : *v * factor + offset;
        return store(target, converted);
    }

    bool stage(void (*estimate)(SizingCase&, std::string&), std::string& failure) {
        estimate(m_case, failure);
        if (failure != " ") {
            show(failure);
            return false;
        }
        return true;
    }

    const SheetEntries& m_entries;
    SizingCase& m_case;
    MessageSink& m_messages;
    const bool m_english;
};

bool Driver::run() {
    SizingCase& c = m_case;
    if (text(4).empty()) {
        show("Input Project Title (Item 1)");
        return false;
    }
    c.TITLE = text(4);
    c.ITEM = text(9);

    for (std::size_t i = 0; i < kServiceCaptions.size(); ++i) {
        if (m_entries.service[i]) {
            c.SERVICE = kServiceCaptions[i];
            break;
        }
    }

    if (m_entries.fluid.empty()) {
        show("Select Hot Side Fluid (Item 3)");
        return false;
    }
    c.HOTSIDEFLUID = m_entries.fluid;

    if (text(3).empty()) {
        show("Input Overall Heat Transfer Coefficient (Item 3)");
        return false;
    }
    if (!read(3, c.UOVERALL, 0.17612, 0) || !(c.UOVERALL >= 6 && c.UOVERALL <= 200)) {
        showRange(kCoefficientRange);
        return false;
    }

    if (text(12).empty()) {
        show("Input Hot Side Heat Duty (Item 5)");
        return false;
    }
    if (!read(12, c.QTOTAL, 3.4123, 0) || !(c.QTOTAL >= 0.1 && c.QTOTAL <= 9990)) {
        showRange(kDutyRange);
        return false;
    }
    c.QTOTAL = c.QTOTAL * 1000000;

    if (text(5).empty()) {
        show("Input Air Inlet Temperature (Item 5)");
        return false;
    }
    if (!read(5, c.TAIRIN, 1.8, 32) || !(c.TAIRIN >= -40 && c.TAIRIN <= 200)) {
        showRange(kAirInletRange);
        return false;
    }

    if (text(6).empty()) {
        show("Input Hot Fluid Inlet Temperature (Item 5)");
        return false;
    }
    if (!read(6, c.THOTIN, 1.8, 32) || !(c.TAIRIN < c.THOTIN && c.THOTIN <= 750)) {
        showRange(kHotInletRange);
        return false;
    }

    if (text(7).empty()) {
        show("Input Hot Fluid Outlet Temperature (Item 5)");
        return false;
    }
    if (!read(7, c.THOTOUT, 1.8, 32) || !(c.TAIRIN < c.THOTOUT && c.THOTOUT < c.THOTIN)) {
        showRange(kHotOutletRange);
        return false;
    }

    if (text(11).empty()) {
        show("Input Tube Length (Item 6)");
        return false;
    }
    if (!read(11, c.LENGTH, 3.2808, 0) || !(c.LENGTH >= 8 && c.LENGTH <= 60)) {
        showRange(kLengthRange);
        return false;
    }

    if (text(8).empty()) {
        show("Input Number of Tube Rows (Item 6)");
        return false;
    }
    {
        // A row count that is no 32-bit whole number fails the range check
        // rather than keeping the previous count.
        const std::optional<double> v = readNumber(text(8));
        const std::optional<std::int32_t> rows = v ? roundHalfEvenToInt32(*v) : std::nullopt;
        if (rows) {
            c.NROWS = *rows;
        }
        if (!rows || c.NROWS < 3 || c.NROWS > 10) {
            showRange(kRowsRange);
            return false;
        }
    }

    {
        const std::optional<double> factor = readNumber(text(10));
        if (!factor) {
            show(kCostFactorTooLarge);
            return false;
        }
        c.COSTFACTOR = *factor;
    }

    c.ERRTHERMAL = " ";
    c.ERRPOWER = " ";
    c.ERRPRICE = " ";
    std::string weightFailure = " ";
    if (!stage(SizeBundle, c.ERRTHERMAL) || !stage(EstimateHorsepower, c.ERRPOWER) ||
        !stage(EstimatePrice, c.ERRPRICE) || !stage(EstimateWeight, weightFailure)) {
        return false;
    }

    show(kCompletionMessage);
    if (c.TAIROUT > 250 && !isTrue(c.DRAFT)) {
        c.DRAFT = true;
        show(m_english ? kForcedDraftEnglish : kForcedDraftMetric);
    }
    return true;
}

} // namespace

bool Calculate_Output(const SheetEntries& entries, SizingCase& c, MessageSink& messages) {
    return Driver(entries, c, messages).run();
}

} // namespace keld
