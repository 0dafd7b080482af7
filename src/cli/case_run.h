#pragma once
// Sizing one saved case as the sheet would: start-up, File, Open, the price
// dialog, then Calculate, all through the sheet's own model, and the planning
// layer on top. Single runs, plant lists and sweeps all go through runCase.

#include "engine/messages.h"
#include "planning/plan.h"
#include "sheet/sheet.h"

#include <optional>
#include <string>
#include <string_view>
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
    bool autoRows = false;             // leave ROWSFIXED false: the sizing chooses the rows
    std::optional<std::string> price;  // the user's price, as typed into the price dialog
    planning::GivenOptions planning{}; // fans, noise and cost options, in each file's units
};

// The sheet as the program starts it: its start-up with the installation's
// default case (Files/default.ini of the program folder), whose messages
// (a default case that cannot be read) go to `messages`. Lines that a
// project file lacks keep the default case's values, as they do when the
// file is opened on the freshly started sheet.
Sheet startedSheet(const std::string& programFolder, MessageSink& messages);

struct RunResult {
    bool ok = false; // the calculation completed and the report would open
    std::vector<RecordedMessage> messages;
};

// How far runCase goes: a sweep opens the case and takes its options, and
// sizes the alternatives itself.
enum class Step { Open, Calculate };

// One case through the sheet: File, Open on a copy of the started sheet, the
// rows left to the sizing or a price of the user's as asked, the planning
// options read in the case's units, then Calculate and the plan.
struct CaseRun {
    std::optional<Sheet> sheet;       // none when the file could not be read or applied
    std::string error;                // why not: the file's name and the reason
    std::optional<std::string> usage; // a planning option out of its range in the case's units
    planning::Options options;        // the planning options, when none is out of range
    RunResult run;                    // the calculation, when it ran
    planning::Plan plan;              // the plan of a completed calculation
};

CaseRun runCase(const Sheet& started, const std::string& path, const RunOptions& options,
                Step upTo = Step::Calculate);
// The same from a file's bytes already read; `name` is the file's path.
CaseRun runCaseFromBytes(const Sheet& started, std::string_view bytes, const std::string& name,
                         const RunOptions& options, Step upTo = Step::Calculate);

} // namespace keld::cli
