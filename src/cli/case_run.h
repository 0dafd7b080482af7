#pragma once
// Sizing one saved case as the sheet would: start-up, File, Open, then
// Calculate, all through the sheet's own model.

#include "engine/messages.h"
#include "planning/planning.h"
#include "sheet/sheet.h"

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
    bool autoRows = false;           // leave ROWSFIXED false: the sizing chooses the rows
    std::optional<double> price;     // the user's price (COSTUSER)
    planning::GivenOptions planning; // fans, noise and cost options, in each file's units
};

// The planning options for a loaded case, the given ones read in its units;
// a usage message instead when one is out of its range.
planning::OptionsOrMessage planningOptions(const Sheet& sheet, const RunOptions& options);

// The sheet as the program starts it: its start-up with the installation's
// default case (Files/default.ini of the program folder), whose messages
// (a default case that cannot be read) go to `messages`. Lines that a
// project file lacks keep the default case's values, as they do when the
// file is opened on the freshly started sheet.
Sheet startedSheet(const std::string& programFolder, MessageSink& messages);

// A project file that could not be read or applied: a clear message naming
// the file and the value.
struct LoadError {
    std::string message;
};

// The sheet after File, Open of `path` on a copy of the started sheet.
std::optional<Sheet> loadCase(const Sheet& started, const std::string& path,
                              const RunOptions& options, LoadError& error);
// The same from a file's bytes already read; `name` is the file's path.
std::optional<Sheet> loadCaseFromBytes(const Sheet& started, std::string_view bytes,
                                       const std::string& name, const RunOptions& options,
                                       LoadError& error);

struct RunResult {
    bool ok = false; // the calculation completed and the report would open
    std::vector<RecordedMessage> messages;
};

RunResult calculate(Sheet& sheet);

} // namespace keld::cli
