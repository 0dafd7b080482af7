#include "plant.h"

#include "catalogue/catalogue.h"
#include "report/report.h"
#include "text/lines.h"
#include "text/number.h"
#include "units/units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <thread>

namespace keld::cli {
namespace {

// A message on one line, for a table cell.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\n' || ch == '\r') {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
            }
        } else {
            out += ch;
        }
    }
    return out;
}

using units::Quantity;
double dutyMetric(double btu) {
    return units::toMetric(Quantity::Duty, btu) / units::kBtuPerHourPerMillion;
}
double feetToMetres(double ft) {
    return units::toMetric(Quantity::Length, ft);
}
double sqFtToSqM(double a) {
    return units::toMetric(Quantity::Area, a);
}
double toCelsius(double f) {
    return units::toMetric(Quantity::Temperature, f);
}
double hpToKw(double hp) {
    return units::toMetric(Quantity::Power, hp);
}
double lbToKg(double lb) {
    return units::toMetric(Quantity::Mass, lb);
}
double perSqFtToPerSqM(double p) {
    return units::toMetric(Quantity::PricePerArea, p);
}

double shown(double english, double (*toMetric)(double), Units units) {
    return units == Units::English ? english : toMetric(english);
}

std::string display(double english, double (*toMetric)(double), Units units) {
    return FormatReportValue(shown(english, toMetric, units));
}

std::string full(double english, double (*toMetric)(double), Units units) {
    return fullPrecision(shown(english, toMetric, units));
}

double dutyEnglish(double btu) {
    return btu / units::kBtuPerHourPerMillion;
}

} // namespace

CaseFigures figuresOf(const SizingCase& c) {
    CaseFigures f;
    f.duty = c.QTOTAL;
    f.rows = c.NROWS;
    f.length = c.LENGTH;
    f.width = c.XWIDTH;
    f.tubes = c.TUBESTOTAL;
    f.bareArea = c.ATUBEBARETOTAL;
    f.faceArea = c.AFACE;
    f.airOut = c.TAIROUT;
    f.fanPower = c.HORSEPOWER;
    f.weight = c.WEIGHTTOTAL;
    f.price = c.COSTTOTAL;
    f.pricePerArea = c.COSTTOTALPERAREA;
    return f;
}

BatchRow sizeFile(const std::string& path, const RunOptions& options) {
    BatchRow row;
    row.file = path;
    LoadError error;
    std::optional<LoadedCase> loaded = loadCase(path, options, error);
    if (!loaded) {
        row.message = error.message;
        return row;
    }
    row.loaded = true;
    const RunResult run = calculate(*loaded);
    const SizingCase& c = loaded->record;
    row.item = loaded->sheet.text[Field::Item];
    row.title = loaded->sheet.text[Field::Title];
    const auto s = loaded->sheet.selectedService();
    row.service = s ? services()[*s].caption : "";
    row.fluid = loaded->sheet.fluidText();
    row.ok = run.ok;
    if (run.ok) {
        row.figures = figuresOf(c);
    } else if (!run.messages.empty()) {
        row.message = oneLine(run.messages.back().text);
    }
    return row;
}

namespace {

std::vector<Column> batchColumns(Units u) {
    const bool e = u == Units::English;
    return {{"File", Align::Left},
            {"Item", Align::Left},
            {"Title", Align::Left},
            {"Service", Align::Left},
            {"Fluid", Align::Left},
            {e ? "Duty MMBtu/hr" : "Duty MW"},
            {"Rows"},
            {e ? "Length ft" : "Length m"},
            {e ? "Width ft" : "Width m"},
            {"Tubes"},
            {e ? "Bare sq ft" : "Bare sq m"},
            {e ? "Air out \u00B0F" : "Air out \u00B0C"},
            {e ? "Fan hp" : "Fan kW"},
            {e ? "Weight lb" : "Weight kg"},
            {"Price US$"},
            {e ? "US$/sq ft" : "US$/sq m"}};
}

std::vector<std::string> batchCsvHeader(Units u) {
    const bool e = u == Units::English;
    return {"file",
            "item",
            "title",
            "service",
            "fluid",
            e ? "duty_mmbtu_hr" : "duty_mw",
            "rows",
            e ? "length_ft" : "length_m",
            e ? "width_ft" : "width_m",
            "tubes",
            e ? "bare_area_sq_ft" : "bare_area_sq_m",
            e ? "air_out_f" : "air_out_c",
            e ? "fan_power_hp" : "fan_power_kw",
            e ? "weight_lb" : "weight_kg",
            "price_usd",
            e ? "price_per_sq_ft" : "price_per_sq_m",
            "message"};
}

double dutyShown(double btu, Units u) {
    return u == Units::English ? dutyEnglish(btu) : dutyMetric(btu);
}

} // namespace

std::string batchText(const std::vector<BatchRow>& rows, Units units) {
    std::vector<Row> table;
    for (const BatchRow& r : rows) {
        Row row = {fileNameOfPath(r.file), r.item, r.title, r.service, r.fluid};
        if (!r.ok) {
            row.push_back(r.message);
        } else {
            const CaseFigures& f = r.figures;
            row.push_back(FormatReportValue(dutyShown(f.duty, units)));
            row.push_back(std::to_string(f.rows));
            row.push_back(display(f.length, feetToMetres, units));
            row.push_back(display(f.width, feetToMetres, units));
            row.push_back(formatFixed(f.tubes, 0, true));
            row.push_back(display(f.bareArea, sqFtToSqM, units));
            row.push_back(display(f.airOut, toCelsius, units));
            row.push_back(display(f.fanPower, hpToKw, units));
            row.push_back(display(f.weight, lbToKg, units));
            row.push_back(FormatReportValue(f.price));
            row.push_back(display(f.pricePerArea, perSqFtToPerSqM, units));
        }
        table.push_back(std::move(row));
    }
    return textTable(batchColumns(units), table);
}

std::string batchCsv(const std::vector<BatchRow>& rows, Units units) {
    std::vector<Row> table;
    for (const BatchRow& r : rows) {
        Row row = {r.file, r.item, r.title, r.service, r.fluid};
        if (r.ok) {
            const CaseFigures& f = r.figures;
            row.push_back(fullPrecision(dutyShown(f.duty, units)));
            row.push_back(std::to_string(f.rows));
            row.push_back(full(f.length, feetToMetres, units));
            row.push_back(full(f.width, feetToMetres, units));
            row.push_back(std::to_string(f.tubes));
            row.push_back(full(f.bareArea, sqFtToSqM, units));
            row.push_back(full(f.airOut, toCelsius, units));
            row.push_back(full(f.fanPower, hpToKw, units));
            row.push_back(full(f.weight, lbToKg, units));
            row.push_back(fullPrecision(f.price));
            row.push_back(full(f.pricePerArea, perSqFtToPerSqM, units));
            row.push_back("");
        } else {
            row.resize(16);
            row.push_back(r.message);
        }
        table.push_back(std::move(row));
    }
    return csvTable(batchCsvHeader(units), table);
}

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

void sizeRange(const LoadedCase& base, const SweepTexts& texts,
               const std::vector<SweepCase>::iterator first,
               const std::vector<SweepCase>::iterator last) {
    SheetEntries entries = sheetEntries(base.sheet);
    SizingCase record = base.record;
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
            it->figures = figuresOf(record);
        } else {
            it->message = oneLine(sink.last);
        }
    }
}

} // namespace

SweepResult sweep(const LoadedCase& base, const std::vector<double>& lengths,
                  const std::vector<std::size_t>& materialList, unsigned threads) {
    std::vector<std::size_t> mats = materialList;
    if (mats.empty()) {
        mats.push_back(base.sheet.materialIndex.value_or(0));
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
        workers.emplace_back(sizeRange, std::cref(base), std::cref(texts),
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
    result.english = isTrue(base.record.ENGLISH);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].ok) {
            order.push_back(static_cast<std::uint32_t>(i));
        } else {
            result.infeasible.push_back(std::move(cases[i]));
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return cases[a].figures.price < cases[b].figures.price;
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
    return m;
}

// The length as the sweep typed it into the sheet, in the table's units.
double lengthShown(const SweepResult& r, double typed, Units units) {
    if (r.english == (units == Units::English)) {
        return typed;
    }
    return r.english ? units::toMetric(Quantity::Length, typed)
                     : units::toEnglish(Quantity::Length, typed);
}

} // namespace

std::string sweepText(const SweepResult& r, Units units) {
    const bool e = units == Units::English;
    std::vector<Column> columns = {{"Rank"},
                                   {"Rows"},
                                   {e ? "Length ft" : "Length m"},
                                   {"Material", Align::Left},
                                   {e ? "Width ft" : "Width m"},
                                   {e ? "Face sq ft" : "Face sq m"},
                                   {e ? "Fan hp" : "Fan kW"},
                                   {e ? "Weight lb" : "Weight kg"},
                                   {"Price US$"},
                                   {"Note", Align::Left}};
    std::vector<Row> rows;
    for (std::size_t i = 0; i < r.feasible.size(); ++i) {
        const SweepCase& c = r.feasible[i];
        rows.push_back({std::to_string(i + 1), std::to_string(c.rows),
                        FormatReportValue(lengthShown(r, c.length, units)),
                        materials()[c.material].name, display(c.figures.width, feetToMetres, units),
                        display(c.figures.faceArea, sqFtToSqM, units),
                        display(c.figures.fanPower, hpToKw, units),
                        display(c.figures.weight, lbToKg, units),
                        FormatReportValue(c.figures.price), marks(r, i)});
    }
    std::string out = textTable(columns, rows);
    if (!r.infeasible.empty()) {
        out += "\nInfeasible:\n";
        std::vector<Row> bad;
        for (const SweepCase& c : r.infeasible) {
            bad.push_back({std::to_string(c.rows),
                           FormatReportValue(lengthShown(r, c.length, units)),
                           materials()[c.material].name, c.message});
        }
        out += textTable({{"Rows"},
                          {e ? "Length ft" : "Length m"},
                          {"Material", Align::Left},
                          {"Message", Align::Left}},
                         bad);
    }
    return out;
}

std::string sweepCsv(const SweepResult& r, Units units) {
    const bool e = units == Units::English;
    const std::vector<std::string> header = {"rank",
                                             "rows",
                                             e ? "length_ft" : "length_m",
                                             "material",
                                             e ? "width_ft" : "width_m",
                                             e ? "face_area_sq_ft" : "face_area_sq_m",
                                             e ? "fan_power_hp" : "fan_power_kw",
                                             e ? "weight_lb" : "weight_kg",
                                             "price_usd",
                                             "marks",
                                             "message"};
    std::vector<Row> rows;
    for (std::size_t i = 0; i < r.feasible.size(); ++i) {
        const SweepCase& c = r.feasible[i];
        rows.push_back(
            {std::to_string(i + 1), std::to_string(c.rows),
             fullPrecision(lengthShown(r, c.length, units)), materials()[c.material].name,
             full(c.figures.width, feetToMetres, units), full(c.figures.faceArea, sqFtToSqM, units),
             full(c.figures.fanPower, hpToKw, units), full(c.figures.weight, lbToKg, units),
             fullPrecision(c.figures.price), marks(r, i), ""});
    }
    for (const SweepCase& c : r.infeasible) {
        rows.push_back({"", std::to_string(c.rows), fullPrecision(lengthShown(r, c.length, units)),
                        materials()[c.material].name, "", "", "", "", "", "", c.message});
    }
    return csvTable(header, rows);
}

} // namespace keld::cli
