#include "case_run.h"

#include "text/lines.h"

namespace keld::cli {

Sheet startedSheet(const std::string& programFolder, MessageSink& messages) {
    Sheet sheet;
    sheet.startUp(programFolder, messages);
    return sheet;
}

namespace {

std::string describe(const OpenFailure& failure, const std::string& name) {
    if (failure.reason == OpenFailure::Reason::CannotRead) {
        return name + ": cannot read the file";
    }
    return name + ": " + keld::describe(failure);
}

// The rest of a run once File, Open has taken the file (or refused it).
CaseRun finish(Sheet sheet, std::optional<OpenFailure> failure, const std::string& name,
               const RunOptions& options, Step upTo) {
    CaseRun out;
    if (failure) {
        out.error = describe(*failure, name);
        return out;
    }
    if (options.autoRows) {
        sheet.setRowsFixed(false);
    }
    if (options.price) {
        // Refused texts were turned away before any file was opened.
        (void)sheet.enterPrice(*options.price);
    }
    const planning::OptionsOrMessage chosen =
        planning::optionsFrom(options.planning, unitsOf(sheet.record()));
    out.usage = chosen.message;
    out.options = chosen.options;
    if (upTo == Step::Calculate && !out.usage) {
        MessageRecorder recorder;
        out.run.ok = sheet.calculate(recorder);
        out.run.messages = std::move(recorder.messages);
        if (out.run.ok) {
            out.plan = planning::planCase(sheet.record(), out.options);
        }
    }
    out.sheet = std::move(sheet);
    return out;
}

} // namespace

CaseRun runCase(const Sheet& started, const std::string& path, const RunOptions& options,
                Step upTo) {
    Sheet sheet = started;
    std::optional<OpenFailure> failure = sheet.open(path);
    return finish(std::move(sheet), std::move(failure), path, options, upTo);
}

CaseRun runCaseFromBytes(const Sheet& started, std::string_view bytes, const std::string& name,
                         const RunOptions& options, Step upTo) {
    Sheet sheet = started;
    std::optional<OpenFailure> failure = sheet.openBytes(bytes, name);
    return finish(std::move(sheet), std::move(failure), name, options, upTo);
}

} // namespace keld::cli
