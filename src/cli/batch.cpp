#include "batch.h"

#include "catalogue/catalogue.h"
#include "json_output.h"
#include "text/lines.h"

#include <ostream>

namespace keld::cli {
namespace {

// The figures of the summary, after the file's own texts.
const std::vector<const SummaryColumn*>& summaryColumns() {
    static const std::vector<const SummaryColumn*> list = {
        &columns::duty,        &columns::rows,          &columns::length,       &columns::width,
        &columns::tubes,       &columns::bareArea,      &columns::airOut,       &columns::fanPower,
        &columns::weight,      &columns::price,         &columns::pricePerArea, &columns::fans,
        &columns::fanDiameter, &columns::soundPressure, &columns::evaluatedCost};
    return list;
}

BatchRow rowOf(const std::string& file, const CaseRun& run) {
    BatchRow row;
    row.file = file;
    if (!run.sheet) {
        row.message = run.error;
        return row;
    }
    const Sheet& sheet = *run.sheet;
    row.loaded = true;
    row.item = sheet.text(Field::Item);
    row.title = sheet.text(Field::Title);
    row.service = sheet.service() ? services()[*sheet.service()].caption : "";
    row.fluid = sheet.fluidText();
    row.ok = run.run.ok;
    if (row.ok) {
        row.summary = summarize(sheet.record(), run.plan);
    } else if (!run.run.messages.empty()) {
        row.message = oneLine(run.run.messages.back().text);
    }
    return row;
}

constexpr auto kJsonErrors = nlohmann::json::error_handler_t::replace;

} // namespace

std::string batchText(const std::vector<BatchRow>& rows, UnitSystem units) {
    std::vector<Column> heads = {{"File", Align::Left},
                                 {"Item", Align::Left},
                                 {"Title", Align::Left},
                                 {"Service", Align::Left},
                                 {"Fluid", Align::Left}};
    for (const SummaryColumn* c : summaryColumns()) {
        heads.push_back(headingOf(*c, units));
    }
    std::vector<Row> table;
    for (const BatchRow& r : rows) {
        Row row = {fileNameOfPath(r.file), r.item, r.title, r.service, r.fluid};
        if (!r.ok) {
            row.push_back(r.message); // runs on in place of the figures
        } else {
            for (const SummaryColumn* c : summaryColumns()) {
                row.push_back(cellText(*c, r.summary, units));
            }
        }
        table.push_back(std::move(row));
    }
    return textTable(heads, table);
}

std::string batchCsv(const std::vector<BatchRow>& rows, UnitSystem units) {
    std::vector<std::string> header = {"file", "item", "title", "service", "fluid"};
    for (const SummaryColumn* c : summaryColumns()) {
        header.push_back(csvNameOf(*c, units));
    }
    header.push_back("message");
    std::vector<Row> table;
    for (const BatchRow& r : rows) {
        Row row = {r.file, r.item, r.title, r.service, r.fluid};
        for (const SummaryColumn* c : summaryColumns()) {
            row.push_back(r.ok ? cellCsv(*c, r.summary, units) : std::string());
        }
        row.push_back(r.ok ? std::string() : r.message);
        table.push_back(std::move(row));
    }
    return csvTable(header, table);
}

int runBatch(const Sheet& started, const std::vector<std::string>& files, const RunOptions& options,
             BatchFormat format, UnitSystem units, std::ostream& out, std::ostream& err) {
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    std::vector<BatchRow> rows;
    int status = 0;
    for (const std::string& file : files) {
        const CaseRun run = runCase(started, file, options);
        if (run.usage) {
            err << "keld-size: " << file << ": " << *run.usage << "\n";
            return 2;
        }
        if (!run.sheet) {
            status = 2;
        } else if (!run.run.ok && status == 0) {
            status = 1;
        }
        if (format != BatchFormat::Json) {
            rows.push_back(rowOf(file, run));
        } else if (!run.sheet) {
            all.push_back({{"file", file}, {"ok", false}, {"messages", {run.error}}});
        } else {
            nlohmann::ordered_json one = {{"file", file}};
            one.update(runToJson(run));
            all.push_back(std::move(one));
        }
    }
    switch (format) {
    case BatchFormat::Json:
        out << all.dump(2, ' ', false, kJsonErrors) << "\n";
        break;
    case BatchFormat::Csv:
        out << batchCsv(rows, units);
        break;
    case BatchFormat::Text:
        out << batchText(rows, units);
        break;
    }
    return status;
}

} // namespace keld::cli
