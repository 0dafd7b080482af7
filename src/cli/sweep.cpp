#include "sweep.h"

#include "catalogue/catalogue.h"
#include "engine/calculate.h"
#include "report/report.h"
#include "text/number.h"
#include "units/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <thread>

namespace keld::cli {

namespace {

// A number of --lengths: plain decimal notation, nothing else.
std::optional<double> strictNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

constexpr std::size_t kMostLengths = 100000;

} // namespace

std::optional<std::vector<double>> parseLengths(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    const char separator = text.find(':') != std::string::npos ? ':' : ',';
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    std::vector<double> numbers;
    for (const std::string& p : parts) {
        const std::optional<double> v = strictNumber(p);
        if (!v) {
            error = "--lengths: \"" + p +
                    "\" is not a number (give FROM:TO:STEP or a list such as 20,24,30)";
            return std::nullopt;
        }
        numbers.push_back(*v);
    }
    if (separator == ',') {
        return numbers;
    }
    if (numbers.size() != 3) {
        error = "--lengths: a range is FROM:TO:STEP, such as 8:60:2";
        return std::nullopt;
    }
    const double from = numbers[0];
    const double to = numbers[1];
    const double step = numbers[2];
    if (!(step > 0) || from > to) {
        error = "--lengths: a range needs FROM not above TO and a STEP above 0";
        return std::nullopt;
    }
    const double count = std::floor((to - from) / step + 1e-9) + 1;
    if (!(count <= static_cast<double>(kMostLengths))) {
        error = "--lengths: the range gives more than " + std::to_string(kMostLengths) + " lengths";
        return std::nullopt;
    }
    std::vector<double> lengths;
    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
        // Each value from its own index, so the steps do not add up errors;
        // written as the sheet would take it, up to 15 significant digits.
        lengths.push_back(
            readNumber(formatPlainDecimal(from + static_cast<double>(k) * step)).value_or(0));
    }
    return lengths;
}

std::vector<double> defaultLengths(bool english) {
    std::string unused;
    return *parseLengths(english ? "8:60:2" : "2.5:18:0.5", unused);
}

namespace {

// A sink that keeps only the last message: a sweep case needs nothing else.
// The figure an alternative is ranked by.
double rankOf(const CaseFigures& f, Rank rank) {
    switch (rank) {
    case Rank::Evaluated:
        return f.evaluatedCost;
    case Rank::Noise:
        return f.soundPressure;
    case Rank::Price:
        break;
    }
    return f.price;
}

class LastMessage : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon) override { last.assign(text); }
    std::string last;
};

// The entries that differ between alternatives are written once each.
struct SweepTexts {
    std::vector<std::string> rows;    // "3" .. "10"
    std::vector<std::string> lengths; // as typed into the sheet
};

void sizeRange(const Sheet& base, const SweepTexts& texts, const planning::Options& options,
               const std::vector<SweepCase>::iterator first,
               const std::vector<SweepCase>::iterator last) {
    SheetEntries entries = base.entries();
    SizingCase record = base.record();
    LastMessage sink;
    std::optional<std::size_t> material;
    for (auto it = first; it != last; ++it) {
        entries.text[Field::Rows] = texts.rows[static_cast<std::size_t>(it->rows - 3)];
        entries.text[Field::TubeLength] = texts.lengths[it->lengthIndex];
        record.ROWSFIXED = true;
        if (material != it->material) {
            material = it->material;
            record.MATERIAL = materials()[it->material].name;
            record.MATERIALFACTOR = materialFactor(it->material);
        }
        it->ok = Calculate_Output(entries, record, sink);
        if (it->ok) {
            it->figures = figuresOf(record, planning::figuresOf(record, options));
        } else {
            it->message = oneLine(sink.last);
        }
    }
}

} // namespace

SweepResult sweep(const Sheet& base, const std::vector<double>& lengths,
                  const std::vector<std::size_t>& materialList, unsigned threads,
                  const planning::Options& options, Rank rank) {
    std::vector<std::size_t> mats = materialList;
    if (mats.empty()) {
        mats.push_back(base.material().value_or(0));
    }
    SweepTexts texts;
    for (int rows = 3; rows <= 10; ++rows) {
        texts.rows.push_back(std::to_string(rows));
    }
    for (const double length : lengths) {
        texts.lengths.push_back(formatPlainDecimal(length));
    }
    std::vector<SweepCase> cases;
    cases.reserve(8 * lengths.size() * mats.size());
    for (const std::size_t m : mats) {
        for (int rows = 3; rows <= 10; ++rows) {
            for (std::size_t l = 0; l < lengths.size(); ++l) {
                SweepCase c;
                c.rows = rows;
                c.length = lengths[l];
                c.lengthIndex = l;
                c.material = m;
                cases.push_back(c);
            }
        }
    }
    threads =
        std::max(1U, std::min<unsigned>(threads, static_cast<unsigned>(cases.size() / 64 + 1)));
    std::vector<std::thread> workers;
    const std::size_t per = (cases.size() + threads - 1) / threads;
    for (unsigned t = 0; t < threads; ++t) {
        const std::size_t from = std::min(cases.size(), t * per);
        const std::size_t to = std::min(cases.size(), from + per);
        workers.emplace_back(sizeRange, std::cref(base), std::cref(texts), std::cref(options),
                             cases.begin() + static_cast<std::ptrdiff_t>(from),
                             cases.begin() + static_cast<std::ptrdiff_t>(to));
    }
    for (std::thread& w : workers) {
        w.join();
    }

    // Sorted through their indexes: moving the alternatives themselves
    // would cost more than sizing them.
    std::vector<std::uint32_t> order;
    order.reserve(cases.size());
    SweepResult result;
    result.english = isTrue(base.record().ENGLISH);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].ok) {
            order.push_back(static_cast<std::uint32_t>(i));
        } else {
            result.infeasible.push_back(std::move(cases[i]));
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return rankOf(cases[a].figures, rank) < rankOf(cases[b].figures, rank);
    });
    result.feasible.reserve(order.size());
    for (const std::uint32_t i : order) {
        result.feasible.push_back(std::move(cases[i]));
    }
    const auto best = [&](auto key) -> std::optional<std::size_t> {
        std::optional<std::size_t> at;
        for (std::size_t i = 0; i < result.feasible.size(); ++i) {
            if (!at || key(result.feasible[i]) < key(result.feasible[*at])) {
                at = i;
            }
        }
        return at;
    };
    result.cheapest = best([](const SweepCase& c) { return c.figures.price; });
    result.lightest = best([](const SweepCase& c) { return c.figures.weight; });
    result.leastPower = best([](const SweepCase& c) { return c.figures.fanPower; });
    result.leastEvaluated = best([](const SweepCase& c) { return c.figures.evaluatedCost; });
    return result;
}

namespace {

std::string marks(const SweepResult& r, std::size_t i) {
    std::string m;
    const auto add = [&](const std::optional<std::size_t>& at, const char* word) {
        if (at && *at == i) {
            m += m.empty() ? "" : ", ";
            m += word;
        }
    };
    add(r.cheapest, "cheapest");
    add(r.lightest, "lightest");
    add(r.leastPower, "lowest fan power");
    add(r.leastEvaluated, "lowest evaluated cost");
    return m;
}

// The length as the sweep typed it into the sheet, in the table's units.
double lengthShown(const SweepResult& r, double typed, Units units) {
    if (r.english == (units == Units::English)) {
        return typed;
    }
    return r.english ? units::toMetric(units::Quantity::Length, typed)
                     : units::toEnglish(units::Quantity::Length, typed);
}

// The figures of an alternative, after its rows, length and material.
const std::vector<const FigureColumn*>& sweepColumns() {
    static const std::vector<const FigureColumn*> list = {
        &columns::width, &columns::faceArea,      &columns::fanPower,     &columns::weight,
        &columns::price, &columns::evaluatedCost, &columns::soundPressure};
    return list;
}

Column lengthHeading(Units units) {
    return {units == Units::English ? "Length ft" : "Length m", Align::Right};
}

} // namespace

std::string sweepText(const SweepResult& r, Units units) {
    std::vector<Column> heads = {
        {"Rank"}, {"Rows"}, lengthHeading(units), {"Material", Align::Left}};
    for (const FigureColumn* c : sweepColumns()) {
        heads.push_back(headingOf(*c, units));
    }
    heads.push_back({"Note", Align::Left});
    std::vector<Row> rows;
    for (std::size_t i = 0; i < r.feasible.size(); ++i) {
        const SweepCase& c = r.feasible[i];
        Row row = {std::to_string(i + 1), std::to_string(c.rows),
                   FormatReportValue(lengthShown(r, c.length, units)),
                   materials()[c.material].name};
        for (const FigureColumn* column : sweepColumns()) {
            row.push_back(cellText(*column, c.figures, units));
        }
        row.push_back(marks(r, i));
        rows.push_back(std::move(row));
    }
    std::string out = textTable(heads, rows);
    if (!r.infeasible.empty()) {
        out += "\nInfeasible:\n";
        std::vector<Row> bad;
        for (const SweepCase& c : r.infeasible) {
            bad.push_back({std::to_string(c.rows),
                           FormatReportValue(lengthShown(r, c.length, units)),
                           materials()[c.material].name, c.message});
        }
        out += textTable(
            {{"Rows"}, lengthHeading(units), {"Material", Align::Left}, {"Message", Align::Left}},
            bad);
    }
    return out;
}

std::string sweepCsv(const SweepResult& r, Units units) {
    std::vector<std::string> header = {
        "rank", "rows", units == Units::English ? "length_ft" : "length_m", "material"};
    for (const FigureColumn* c : sweepColumns()) {
        header.push_back(csvNameOf(*c, units));
    }
    header.push_back("marks");
    header.push_back("message");
    std::vector<Row> rows;
    for (std::size_t i = 0; i < r.feasible.size(); ++i) {
        const SweepCase& c = r.feasible[i];
        Row row = {std::to_string(i + 1), std::to_string(c.rows),
                   fullPrecision(lengthShown(r, c.length, units)), materials()[c.material].name};
        for (const FigureColumn* column : sweepColumns()) {
            row.push_back(cellCsv(*column, c.figures, units));
        }
        row.push_back(marks(r, i));
        row.push_back("");
        rows.push_back(std::move(row));
    }
    for (const SweepCase& c : r.infeasible) {
        Row row = {"", std::to_string(c.rows), fullPrecision(lengthShown(r, c.length, units)),
                   materials()[c.material].name};
        row.resize(header.size() - 1);
        row.push_back(c.message);
        rows.push_back(std::move(row));
    }
    return csvTable(header, rows);
}

} // namespace keld::cli
