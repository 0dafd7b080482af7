#include "project/project_file.h"

#include "text/cp1252.h"
#include "text/lines.h"

namespace keld {

const std::array<const char*, kProjectTagCount> kProjectTags = {
    "<TEXT1>",   "<TEXT2>",   "<TEXT3>",   "<TEXT4>",  "<TEXT5>",  "<TEXT6>",
    "<TEXT7>",   "<TEXT8>",   "<TEXT9>",   "<TEXT10>", "<TEXT11>", "<TEXT12>",
    "<OPTION1>", "<OPTION2>", "<OPTION3>", "<COMBO1>", "<COMBO2>"};

std::vector<ProjectEntry> parseProjectFile(std::string_view bytes) {
    std::vector<ProjectEntry> entries;
    std::size_t number = 0;
    for (std::string_view line : splitLines(bytes)) {
        ++number;
        if (line.find('<') == std::string_view::npos) {
            continue;
        }
        for (std::size_t t = 0; t < kProjectTagCount; ++t) {
            const std::size_t pos = line.find(kProjectTags[t]);
            if (pos != std::string_view::npos) {
                entries.push_back({static_cast<int>(t), cp1252ToUtf8(line.substr(0, pos)), number});
            }
        }
    }
    return entries;
}

} // namespace keld
