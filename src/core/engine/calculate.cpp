#include "engine/calculate.h"

#include "engine/estimates.h"
#include "engine/fault.h"
#include "engine/thermal.h"
#include "engine/validation.h"
#include "text/number.h"

#include <cmath>
#include <optional>
#include <string_view>

namespace keld {

const char* const kCompletionMessage = "All calculation completed without error.";

std::string stageFaultMessage(const char* what, const char* entries) {
    std::string text = "The ";
    text += what;
    text += " of this case is beyond what the estimate can compute.\nCheck ";
    text += entries;
    text += ".";
    return text;
}

namespace {

// Our own: a price factor too large to compute with would otherwise keep the
// factor of the previous calculation without a word.
constexpr const char* kCostFactorTooLarge =
    "The Price Multiplication Factor (Item 6) is too large to compute with.";
constexpr const char* kCostFactorName = "Price Multiplication Factor (Item 6)";

constexpr const char* kForcedDraftMetric = "Outlet air temperature > 121 Deg. C.\n"
                                           "Therefore, only forced draft can be used.\n"
                                           "This will be reflected in the output";
constexpr const char* kForcedDraftEnglish = "Outlet air temperature > 250 Deg. F.\n"
                                            "Therefore, only  forced draft can be used.\n"
                                            "This will be reflected in the output";

class Driver {
  public:
    Driver(const SheetEntries& e, SizingCase& c, MessageSink& m)
        : m_entries(e), m_case(c), m_messages(m), m_units(unitsOf(c)) {}

    bool run() { return head() && checks(0, entryChecks().size()) && tail(readPriceFactor()); }

    // The steps of a run: the title, service and fluid; the checked entries
    // from one place in their order to another; the price factor, the
    // stages and the closing messages.
    bool head();
    bool checks(std::size_t first, std::size_t last);
    NumberReading readPriceFactor() const { return readEntryNumber(text(Field::PriceFactor)); }
    bool tail(const NumberReading& factor);

  private:
    const std::string& text(Field f) const { return m_entries.text[f]; }

    void show(std::string_view message) { m_messages.showMessage(message, MessageIcon::None); }

    bool check(const EntryCheck& check);

    bool stage(std::optional<std::string> failure, std::string& record) {
        if (!failure) {
            return true;
        }
        record = std::move(*failure);
        show(record);
        return false;
    }

    const SheetEntries& m_entries;
    SizingCase& m_case;
    MessageSink& m_messages;
    const UnitSystem m_units;
};

// Reads a checked entry into the record: converted into English units on a
// Metric sheet, then stored and compared with its range. A value too large
// to hold (or a row count that is no 32-bit whole number) leaves the target
// as it was and fails the range check.
bool Driver::check(const EntryCheck& ck) {
    const std::string& entry = text(ck.field);
    if (entry.empty()) {
        show(ck.missing);
        return false;
    }
    // "1,5" is no duty of 1: a number followed by other characters is
    // refused rather than read in part.
    const NumberReading reading = readEntryNumber(entry);
    if (reading.textAfter) {
        show(notANumberMessage(ck.name, entry));
        return false;
    }
    const std::optional<double> read = reading.value;
    bool ok = false;
    if (const auto* whole = std::get_if<std::int32_t SizingCase::*>(&ck.target)) {
        const std::optional<std::int32_t> rows = read ? roundHalfEvenToInt32(*read) : std::nullopt;
        if (rows) {
            m_case.*(*whole) = *rows;
            ok = withinRange(ck, *rows, m_case);
        }
    } else if (read) {
        // "+ 0" as the conversion has always had it: a Metric "-0" reads as 0.
        const double value = m_units == UnitSystem::English || !ck.quantity
                                 ? *read
                                 : units::toEnglish(*ck.quantity, *read) + 0.0;
        if (std::isfinite(value)) {
            ok = withinRange(ck, value, m_case);
            m_case.*std::get<double SizingCase::*>(ck.target) = ok ? value * ck.scale : value;
        }
    }
    if (!ok) {
        show(rangeMessage(ck, m_units));
    }
    return ok;
}

bool Driver::head() {
    SizingCase& c = m_case;
    if (text(Field::Title).empty()) {
        show("Input Project Title (Item 1)");
        return false;
    }
    c.TITLE = text(Field::Title);
    c.ITEM = text(Field::Item);

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
    return true;
}

bool Driver::checks(std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) {
        if (!check(entryChecks()[i])) {
            return false;
        }
    }
    return true;
}

bool Driver::tail(const NumberReading& factor) {
    SizingCase& c = m_case;
    if (factor.textAfter) {
        show(notANumberMessage(kCostFactorName, text(Field::PriceFactor)));
        return false;
    }
    if (!factor.value) {
        show(kCostFactorTooLarge);
        return false;
    }
    c.COSTFACTOR = *factor.value;

    c.ERRTHERMAL = " ";
    c.ERRPOWER = " ";
    c.ERRPRICE = " ";
    std::string weightFailure; // the weight stage's failure, held for this run only
    if (!stage(SizeBundle(c), c.ERRTHERMAL) || !stage(EstimateHorsepower(c), c.ERRPOWER) ||
        !stage(EstimatePrice(c), c.ERRPRICE) || !stage(EstimateWeight(c), weightFailure)) {
        return false;
    }

    show(kCompletionMessage);
    if (c.TAIROUT > kForcedDraftAbove && !isTrue(c.DRAFT)) {
        c.DRAFT = true;
        show(m_units == UnitSystem::English ? kForcedDraftEnglish : kForcedDraftMetric);
    }
    return true;
}

// The place of the tube length among the checks: the entries before it are
// the ones a sweep keeps.
std::size_t tubeLengthCheck() {
    const auto& all = entryChecks();
    return static_cast<std::size_t>(checkOf(Field::TubeLength) - all.data());
}

class LastMessage : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon) override { last.assign(text); }
    std::string last;
};

} // namespace

bool Calculate_Output(const SheetEntries& entries, SizingCase& c, MessageSink& messages) {
    return Driver(entries, c, messages).run();
}

PreparedEntries prepareEntries(const SheetEntries& entries, const SizingCase& start) {
    PreparedEntries p;
    p.record = start;
    LastMessage sink;
    Driver driver(entries, p.record, sink);
    if (!driver.head() || !driver.checks(0, tubeLengthCheck())) {
        p.failure = sink.last;
    }
    p.priceFactor = driver.readPriceFactor();
    return p;
}

bool Calculate_Output(const PreparedEntries& prepared, const SheetEntries& entries, SizingCase& c,
                      MessageSink& messages) {
    if (prepared.failure) {
        messages.showMessage(*prepared.failure, MessageIcon::None);
        return false;
    }
    const SizingCase& p = prepared.record;
    c.TITLE = p.TITLE;
    c.ITEM = p.ITEM;
    c.SERVICE = p.SERVICE;
    c.HOTSIDEFLUID = p.HOTSIDEFLUID;
    c.UOVERALL = p.UOVERALL;
    c.QTOTAL = p.QTOTAL;
    c.TAIRIN = p.TAIRIN;
    c.THOTIN = p.THOTIN;
    c.THOTOUT = p.THOTOUT;
    Driver driver(entries, c, messages);
    return driver.checks(tubeLengthCheck(), entryChecks().size()) &&
           driver.tail(prepared.priceFactor);
}

} // namespace keld
