#pragma once
// keld-size --sweep: its tube lengths from the command line. The sweep and
// its table are the core's.

#include <optional>
#include <string>
#include <vector>

namespace keld::cli {

// Tube lengths from "--lengths": "8:60:2" (from, to, step) or "20,24,30".
// None, with a message, for a text that is neither.
std::optional<std::vector<double>> parseLengths(const std::string& text, std::string& error);

} // namespace keld::cli
