#pragma once
// keld-size with several files (or --summary, --csv, --units): a plant list,
// every project file sized and summarised in one table, or one JSON array.

#include "case_run.h"
#include "tables/summary.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace keld::cli {

// One file of a plant list.
struct BatchRow {
    std::string file;
    std::string item;
    std::string title;
    std::string service;
    std::string fluid;
    bool loaded = false; // the file could be read and applied
    bool ok = false;     // the calculation completed
    std::string message; // why not, when it did not
    CaseSummary summary;
};

std::string batchText(const std::vector<BatchRow>& rows, UnitSystem units);
std::string batchCsv(const std::vector<BatchRow>& rows, UnitSystem units);

enum class BatchFormat { Text, Csv, Json };

// Sizes every file and prints the table (or JSON array) to `out`; the first
// planning option out of its range for a file ends the run with its message
// on `err`. The exit status: 2 when a file could not be read or an option
// was refused, else 1 when a calculation stopped, else 0.
int runBatch(const Sheet& started, const std::vector<std::string>& files, const RunOptions& options,
             BatchFormat format, UnitSystem units, std::ostream& out, std::ostream& err);

} // namespace keld::cli
