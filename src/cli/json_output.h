#pragma once
// The JSON form of one run: {"ok", "messages", "case", "fans", "ownership"}.

#include "case_run.h"

#include <nlohmann/json.hpp>

namespace keld::cli {

// Every field of the record by its name: doubles so that they read back to the
// same double, 32-bit integers as integers, flags as true, false or null when
// unset, texts as UTF-8 strings.
nlohmann::ordered_json caseToJson(const SizingCase& c);

// {"ok", "messages", "case"} of a run of an opened case, and for a completed
// run the planning figures "fans", "air" and "ownership" (null where there
// are none).
nlohmann::ordered_json runToJson(const CaseRun& run);

// keld-size --describe: what a script needs to write project files and to
// give the planning options, from the program's own tables: the tags of a
// project file's lines in their order, and every planning option with its
// flag, label, units, defaults and accepted range in both unit systems.
nlohmann::ordered_json describeJson();

} // namespace keld::cli
