#pragma once
// Tables of literal cases kept as text files beside the tests.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace keld::test {

// The rows of a table in a text file: cells separated by tabs, in which \n,
// \t, \r, \\ and \xNN stand for their bytes; blank lines and lines that
// start with '#' left out.
inline std::vector<std::vector<std::string>> readTable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> cells(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char ch = line[i];
            if (ch == '\t') {
                cells.emplace_back();
            } else if (ch != '\\' || i + 1 == line.size()) {
                cells.back() += ch;
            } else if (const char e = line[++i]; e == 'x') {
                cells.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                cells.back() += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
            }
        }
        rows.push_back(std::move(cells));
    }
    EXPECT_FALSE(rows.empty()) << "no rows in " << path;
    return rows;
}

} // namespace keld::test
