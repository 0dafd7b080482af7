#include "batch.h"

#include "catalogue/catalogue.h"
#include "text/lines.h"

namespace keld::cli {
namespace {

// The figures of the summary, after the file's own texts.
const std::vector<const FigureColumn*>& summaryColumns() {
    static const std::vector<const FigureColumn*> list = {
        &columns::duty,        &columns::rows,          &columns::length,       &columns::width,
        &columns::tubes,       &columns::bareArea,      &columns::airOut,       &columns::fanPower,
        &columns::weight,      &columns::price,         &columns::pricePerArea, &columns::fans,
        &columns::fanDiameter, &columns::soundPressure, &columns::evaluatedCost};
    return list;
}

} // namespace

BatchRow sizeFile(const Sheet& started, const std::string& path, const RunOptions& options) {
    BatchRow row;
    row.file = path;
    LoadError error;
    std::optional<Sheet> sheet = loadCase(started, path, options, error);
    if (!sheet) {
        row.message = error.message;
        return row;
    }
    row.loaded = true;
    const planning::OptionsOrMessage plan = planningOptions(*sheet, options);
    if (plan.message) {
        row.usage = *plan.message;
        return row;
    }
    const RunResult run = calculate(*sheet);
    row.item = sheet->text(Field::Item);
    row.title = sheet->text(Field::Title);
    row.service = sheet->service() ? services()[*sheet->service()].caption : "";
    row.fluid = sheet->fluidText();
    row.ok = run.ok;
    if (run.ok) {
        row.figures =
            figuresOf(sheet->record(), planning::figuresOf(sheet->record(), plan.options));
    } else if (!run.messages.empty()) {
        row.message = oneLine(run.messages.back().text);
    }
    return row;
}

std::string batchText(const std::vector<BatchRow>& rows, Units units) {
    std::vector<Column> heads = {{"File", Align::Left},
                                 {"Item", Align::Left},
                                 {"Title", Align::Left},
                                 {"Service", Align::Left},
                                 {"Fluid", Align::Left}};
    for (const FigureColumn* c : summaryColumns()) {
        heads.push_back(headingOf(*c, units));
    }
    std::vector<Row> table;
    for (const BatchRow& r : rows) {
        Row row = {fileNameOfPath(r.file), r.item, r.title, r.service, r.fluid};
        if (!r.ok) {
            row.push_back(r.message); // runs on in place of the figures
        } else {
            for (const FigureColumn* c : summaryColumns()) {
                row.push_back(cellText(*c, r.figures, units));
            }
        }
        table.push_back(std::move(row));
    }
    return textTable(heads, table);
}

std::string batchCsv(const std::vector<BatchRow>& rows, Units units) {
    std::vector<std::string> header = {"file", "item", "title", "service", "fluid"};
    for (const FigureColumn* c : summaryColumns()) {
        header.push_back(csvNameOf(*c, units));
    }
    header.push_back("message");
    std::vector<Row> table;
    for (const BatchRow& r : rows) {
        Row row = {r.file, r.item, r.title, r.service, r.fluid};
        for (const FigureColumn* c : summaryColumns()) {
            row.push_back(r.ok ? cellCsv(*c, r.figures, units) : std::string());
        }
        row.push_back(r.ok ? std::string() : r.message);
        table.push_back(std::move(row));
    }
    return csvTable(header, table);
}

} // namespace keld::cli
