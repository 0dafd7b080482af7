#pragma once
// Tables of results: aligned text for a terminal, RFC 4180 CSV for a
// spreadsheet.

#include <string>
#include <string_view>
#include <vector>

namespace keld {

enum class Align { Left, Right };

struct Column {
    std::string heading;
    Align align = Align::Right;
};

using Row = std::vector<std::string>;

// Display width of a UTF-8 text: one column per character.
std::size_t displayWidth(std::string_view s);

// Columns padded to their widest cell, two blanks between; a row with fewer
// cells than columns leaves the rest empty, and a row with exactly one cell
// after the first `spanFrom` cells lets that cell run on (a message in place
// of figures).
std::string textTable(const std::vector<Column>& columns, const std::vector<Row>& rows);

// One CSV field: quoted when it holds a comma, a quote, CR or LF; quotes doubled.
std::string csvField(const std::string& value);

// Header and rows, fields joined by commas, records ended by CR LF.
std::string csvTable(const std::vector<std::string>& header, const std::vector<Row>& rows);

// A double in full precision: the shortest text that reads back to the same
// double ("0.1", "1e+20"); empty for a value that is not finite.
std::string fullPrecision(double x);

} // namespace keld
