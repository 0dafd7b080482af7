#include "text/lines.h"

#include <algorithm>
#include <fstream>
#include <sys/stat.h>

namespace keld {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

FileContent readFile(const std::string& path, std::size_t maxBytes) {
    FileContent content;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > maxBytes) {
        return content;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return content;
    }
    content.status = FileStatus::Ok;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (content.bytes.size() + got > maxBytes) {
            content.status = FileStatus::ReadError;
            break;
        }
        content.bytes.append(buffer, got);
    }
    if (in.bad()) {
        content.status = FileStatus::ReadError;
    }
    return content;
}

std::optional<std::string> readFileBytes(const std::string& path, std::size_t maxBytes) {
    FileContent content = readFile(path, maxBytes);
    if (content.status != FileStatus::Ok) {
        return std::nullopt;
    }
    return std::move(content.bytes);
}

std::string fileNameOfPath(std::string_view path) {
    const std::size_t pos = path.find_last_of("\\/");
    if (pos == std::string_view::npos || pos == 0) {
        return std::string(path);
    }
    return std::string(path.substr(pos + 1));
}

namespace {

char upper(char ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

} // namespace

std::string upperAscii(std::string_view text) {
    std::string u(text);
    for (char& ch : u) {
        ch = upper(ch);
    }
    return u;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

std::string oneLine(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        if (ch == '\n' || ch == '\r') {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
            }
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace keld
