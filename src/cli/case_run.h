#pragma once
// Sizing one saved case as the sheet would: File, Open, then Calculate.

#include "engine/calculate.h"
#include "engine/messages.h"
#include "engine/sizing_case.h"
#include "project/project_file.h"

#include <optional>
#include <string>
#include <vector>

namespace keld::cli {

struct RecordedMessage {
    std::string text;
    MessageIcon icon;
};

// Keeps every message a run shows, in order.
class MessageRecorder : public MessageSink {
public:
    void showMessage(std::string_view text, MessageIcon icon) override {
        messages.push_back({std::string(text), icon});
    }
    std::vector<RecordedMessage> messages;
};

struct RunOptions {
    bool autoRows = false;            // leave ROWSFIXED false: the sizing chooses the rows
    std::optional<double> price;      // the user's price (COSTUSER)
};

struct LoadedCase {
    SheetState sheet;
    SizingCase record;
};

// A project file that could not be read or applied: a clear message naming
// the file and the value.
struct LoadError {
    std::string message;
};

// The record and sheet as the sheet holds them after File, Open of `path`,
// starting from a sheet as it stands after its start-up (empty fields,
// English units, forced draft, no service selected).
std::optional<LoadedCase> loadCase(const std::string& path, const RunOptions& options,
                                   LoadError& error);
// The same from a file's bytes already read; `name` is used for FILENM.
std::optional<LoadedCase> loadCaseFromBytes(std::string_view bytes, const std::string& name,
                                            const RunOptions& options, LoadError& error);

struct RunResult {
    bool ok = false; // the calculation completed and the report would open
    std::vector<RecordedMessage> messages;
};

RunResult calculate(LoadedCase& loaded);

} // namespace keld::cli
