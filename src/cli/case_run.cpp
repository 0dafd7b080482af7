#include "case_run.h"

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

std::optional<Sheet> applyOptions(Sheet sheet, const RunOptions& options) {
    if (options.autoRows) {
        sheet.setRowsFixed(false);
    }
    if (options.price) {
        sheet.setUserPrice(*options.price);
    }
    return sheet;
}

} // namespace

std::optional<Sheet> loadCaseFromBytes(const Sheet& started, std::string_view bytes,
                                       const std::string& name, const RunOptions& options,
                                       LoadError& error) {
    Sheet sheet = started;
    if (const std::optional<OpenFailure> failure = sheet.openBytes(bytes, name)) {
        error.message = describe(*failure, name);
        return std::nullopt;
    }
    return applyOptions(std::move(sheet), options);
}

std::optional<Sheet> loadCase(const Sheet& started, const std::string& path,
                              const RunOptions& options, LoadError& error) {
    Sheet sheet = started;
    if (const std::optional<OpenFailure> failure = sheet.open(path)) {
        error.message = describe(*failure, path);
        return std::nullopt;
    }
    return applyOptions(std::move(sheet), options);
}

planning::OptionsOrMessage planningOptions(const Sheet& sheet, const RunOptions& options) {
    return planning::optionsFrom(options.planning, isTrue(sheet.record().ENGLISH));
}

RunResult calculate(Sheet& sheet) {
    MessageRecorder recorder;
    RunResult result;
    result.ok = sheet.calculate(recorder);
    result.messages = std::move(recorder.messages);
    return result;
}

} // namespace keld::cli
