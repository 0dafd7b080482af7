// The configuration reader, the program folder's paths and the Windows-1252 text
// of project files.

#include "config/ini.h"
#include "table_file.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST(DataPath, BackslashesAndCaseResolveOnThisSystem) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "keld_datapath_test";
    fs::remove_all(root);
    fs::create_directories(root / "Pages");
    std::ofstream(root / "Pages" / "p1.txt") << "x";
    EXPECT_EQ(dataPath(root.string(), "PAGES\\P1.TXT"), (root / "Pages" / "p1.txt").string());
    EXPECT_EQ(dataPath(root.string(), "Pages/missing.txt"),
              (root / "Pages" / "missing.txt").string());
    EXPECT_EQ(dataPath(root.string(), ""), root.string());
    fs::remove_all(root);
}

// Project files are Windows-1252 text.
TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    bool lossy = true;
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all), &lossy), all);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // the euro sign
    EXPECT_EQ(utf8ToCp1252("\xE2\x82\xAC \xE4\xB8\xAD", &lossy), "\x80 ?");
    EXPECT_TRUE(lossy);
}

} // namespace
} // namespace keld
