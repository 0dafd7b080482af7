#pragma once
// A plant list: every project file sized and summarised in one table.

#include "case_run.h"
#include "planning/figures.h"

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
    std::string usage;   // an option out of range for this file's units
    CaseFigures figures;
};

BatchRow sizeFile(const Sheet& started, const std::string& path, const RunOptions& options);

std::string batchText(const std::vector<BatchRow>& rows, Units units);
std::string batchCsv(const std::vector<BatchRow>& rows, Units units);

} // namespace keld::cli
