#include "text/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace keld {

std::size_t displayWidth(std::string_view s) {
    std::size_t n = 0;
    for (char ch : s) {
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

std::string textTable(const std::vector<Column>& columns, const std::vector<Row>& rows) {
    std::vector<std::size_t> widths(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        widths[i] = displayWidth(columns[i].heading);
    }
    for (const Row& row : rows) {
        // A short row (a message in place of figures) does not widen the
        // columns its last cell runs across.
        const std::size_t counted = row.size() < columns.size() ? row.size() - 1 : row.size();
        for (std::size_t i = 0; i < counted && i < columns.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    const auto cell = [&](std::string& line, std::size_t i, const std::string& text, bool last) {
        const std::size_t pad = widths[i] > displayWidth(text) ? widths[i] - displayWidth(text) : 0;
        if (columns[i].align == Align::Right) {
            line.append(pad, ' ');
            line += text;
        } else {
            line += text;
            if (!last) {
                line.append(pad, ' ');
            }
        }
    };
    std::string out;
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) {
            line += "  ";
        }
        cell(line, i, columns[i].heading, i + 1 == columns.size());
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    out += line + "\n";
    for (const Row& row : rows) {
        line.clear();
        for (std::size_t i = 0; i < row.size() && i < columns.size(); ++i) {
            if (i > 0) {
                line += "  ";
            }
            const bool runsOn = row.size() < columns.size() && i + 1 == row.size();
            if (runsOn) {
                line += row[i];
            } else {
                cell(line, i, row[i], i + 1 == columns.size());
            }
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out += line + "\n";
    }
    return out;
}

std::string csvField(const std::string& value) {
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string out = "\"";
    for (char ch : value) {
        if (ch == '"') {
            out += '"';
        }
        out += ch;
    }
    out += '"';
    return out;
}

std::string csvTable(const std::vector<std::string>& header, const std::vector<Row>& rows) {
    std::string out;
    const auto record = [&](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            out += csvField(fields[i]);
        }
        out += "\r\n";
    };
    record(header);
    for (const Row& row : rows) {
        Row full = row;
        full.resize(header.size());
        record(full);
    }
    return out;
}

std::string fullPrecision(double x) {
    if (!std::isfinite(x)) {
        return {};
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

} // namespace keld
