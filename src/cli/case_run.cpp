#include "case_run.h"

#include "catalogue/catalogue.h"
#include "text/lines.h"

namespace keld::cli {

std::optional<LoadedCase> loadCaseFromBytes(std::string_view bytes, const std::string& name,
                                            const RunOptions& options, LoadError& error) {
    LoadedCase loaded;
    SizingCase& c = loaded.record;
    // The sheet's start-up state.
    c.ENGLISH = true;
    c.ROWSFIXED = false;
    c.DRAFT = true;
    c.COSTUSER = 0;
    prepareOpen(loaded.sheet, c);

    const std::vector<ProjectEntry> entries = parseProjectFile(bytes);
    if (const auto failure = applyProject(entries, LoadKind::Open, loaded.sheet, c)) {
        if (failure->tag == kTagCombo2) {
            error.message = name + ": the material \"" + failure->value +
                            "\" is not in the list of tube and header materials";
        } else {
            const auto s = loaded.sheet.selectedService();
            const std::string service = s ? services()[*s].caption : "no service";
            error.message = name + ": the fluid \"" + failure->value +
                            "\" is not in the fluid list of " +
                            (s ? "the service \"" + service + "\"" : service + " selected");
        }
        return std::nullopt;
    }
    c.FILENM = fileNameOfPath(name);
    if (options.autoRows) {
        c.ROWSFIXED = false;
    }
    if (options.price) {
        c.COSTUSER = *options.price;
    }
    return loaded;
}

std::optional<LoadedCase> loadCase(const std::string& path, const RunOptions& options,
                                   LoadError& error) {
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        error.message = path + ": cannot read the file";
        return std::nullopt;
    }
    return loadCaseFromBytes(*bytes, path, options, error);
}

RunResult calculate(LoadedCase& loaded) {
    MessageRecorder recorder;
    RunResult result;
    result.ok = Calculate_Output(sheetEntries(loaded.sheet), loaded.record, recorder);
    result.messages = std::move(recorder.messages);
    return result;
}

} // namespace keld::cli
