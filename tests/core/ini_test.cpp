// The configuration reader, the program folder's paths and the Windows-1252 text
// of project files.

#include "config/ini.h"
#include "table_file.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace keld {
namespace {

// data/ini_keys.tsv: the value read for a key, or the default; a
// configuration that cannot be read gives the caption's title bar "0".
TEST(ReadIni, ReadsLikeAProfile) {
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/ini_keys.tsv")) {
        EXPECT_EQ(readIniText(row.at(0), row.at(1), row.at(2), row.at(3)),
                  row.size() > 4 ? row[4] : "")
            << row[0];
    }
    EXPECT_EQ(titleBar("/no/such/KELD4WIN.INI"), "0");
}

// At most 254 characters, not bytes (in bytes: the 16 MB line of the hostile
// configuration, expected.txt).
TEST(ReadIni, LongValuesAreCutTo254Characters) {
    std::string accented;
    for (int i = 0; i < 300; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_EQ(readIniText("[B]\nk=" + accented, "B", "k", ""), accented.substr(0, 254 * 2));
}

// A configured name with backslashes and another case is the file on disk.
TEST(DataPath, BackslashesAndCaseResolveOnThisSystem) {
    const std::string data = KELD_DATA_DIR;
    EXPECT_EQ(dataPath(data, "PAGES\\INS01.TXT"), data + "/Pages/ins01.txt");
    EXPECT_EQ(dataPath(data, "Pages/missing.txt"), data + "/Pages/missing.txt");
    EXPECT_EQ(dataPath(data, ""), data);
}

// Project files are Windows-1252 text. (A character it lacks: sheet_rules.tsv.)
TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    bool lossy = true;
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all), &lossy), all);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // the euro sign
}

} // namespace
} // namespace keld
