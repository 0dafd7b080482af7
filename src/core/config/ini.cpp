#include "config/ini.h"

#include "text/cp1252.h"
#include "text/lines.h"

#include <filesystem>
#include <system_error>

namespace keld {
namespace {

std::string_view trim(std::string_view s) {
    const auto isBlank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f';
    };
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// At most `limit` characters of a UTF-8 text.
std::string firstCharacters(std::string_view s, std::size_t limit) {
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < s.size() && chars < limit) {
        const auto b = static_cast<unsigned char>(s[i]);
        i += b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
        ++chars;
    }
    return std::string(s.substr(0, std::min(i, s.size())));
}

} // namespace

std::string textAsUtf8(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    return isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
}

std::string readIniText(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view fallback) {
    const std::string utf8 = textAsUtf8(text);
    bool inSection = false;
    bool sectionSeen = false;
    // Lines end at LF as well as CR: the file is a plain text file, not a
    // project file.
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = utf8.size();
        }
        const std::string_view line = trim(std::string_view(utf8).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name = trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            if (inSection) {
                // The first section of that name has been read to its end.
                break;
            }
            inSection = !sectionSeen && equalsNoCase(name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !equalsNoCase(trim(line.substr(0, eq)), key)) {
            continue;
        }
        std::string_view value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        return firstCharacters(value, kIniValueLimit);
    }
    return firstCharacters(fallback, kIniValueLimit);
}

std::string ReadIni(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view fallback) {
    // A configuration beyond a few megabytes is no configuration.
    const std::optional<std::string> bytes = readFileBytes(path, std::size_t{64} << 20);
    if (!bytes) {
        return firstCharacters(fallback, kIniValueLimit);
    }
    return readIniText(*bytes, section, key, fallback);
}

std::string titleBar(const std::string& configPath) {
    return ReadIni(configPath, "Brochure", "TitleBar", "0");
}

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    return exe.parent_path().string();
}

std::string configPathIn(const std::string& programFolder) {
    return programFolder + "/KELD4WIN.INI";
}

std::string dataPath(const std::string& programFolder, std::string_view configuredName) {
    std::string name(configuredName);
    for (char& ch : name) {
        if (ch == '\\') {
            ch = '/';
        }
    }
    namespace fs = std::filesystem;
    fs::path path(programFolder);
    std::error_code ec;
    // Walk the name folder by folder, matching each part without regard to
    // case where the exact part does not exist.
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) {
            end = name.size();
        }
        const std::string part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            if (end == name.size()) {
                break;
            }
            continue;
        }
        fs::path next = path / part;
        if (!fs::exists(next, ec) && fs::is_directory(path, ec)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(path, ec)) {
                if (equalsNoCase(entry.path().filename().string(), part)) {
                    next = entry.path();
                    break;
                }
            }
        }
        path = next;
        if (end == name.size()) {
            break;
        }
    }
    // An empty name leaves the program folder itself, which opens as no file.
    return path.string();
}

} // namespace keld
