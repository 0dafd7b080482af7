#include "config/ini.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <fstream>

namespace keld {
namespace {

const char* const kConfig = "; comment line\r\n"
                            "# another comment\r\n"
                            "orphan=before any section\r\n"
                            "[brochure]\r\n"
                            "  TitleBar  =   KELD Estimator   \r\n"
                            "title=\r\n"
                            "Quoted=\"  padded  \"\r\n"
                            "Dup=first\r\n"
                            "Dup=second\r\n"
                            "no equals sign here\r\n"
                            "[Calculations]\r\n"
                            "Output=report.txt\r\n"
                            "[BROCHURE]\r\n"
                            "Later=from the repeated section\r\n";

struct IniCase {
    const char* section;
    const char* key;
    const char* fallback;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const IniCase& c) {
        return os << c.section << "/" << c.key;
    }
};

class ReadIniTest : public ::testing::TestWithParam<IniCase> {};

TEST_P(ReadIniTest, ReadsLikeAProfile) {
    const IniCase& c = GetParam();
    EXPECT_EQ(readIniText(kConfig, c.section, c.key, c.fallback), c.expected)
        << c.section << "/" << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReadIniTest,
    ::testing::Values(
        IniCase{"Brochure", "TitleBar", "0", "KELD Estimator"},
        IniCase{"BROCHURE", "titlebar", "0", "KELD Estimator"},
        IniCase{"brochure", "title", "default", ""}, // present but empty
        IniCase{"Brochure", "missing", "0", "0"}, IniCase{"Nowhere", "TitleBar", "x", "x"},
        IniCase{"Brochure", "Quoted", "", "  padded  "}, IniCase{"Brochure", "Dup", "", "first"},
        IniCase{"Brochure", "Later", "none", "none"}, // first section wins
        IniCase{"Calculations", "Output", "", "report.txt"},
        IniCase{"Brochure", "orphan", "-", "-"}, IniCase{"Brochure", "; comment line", "-", "-"}));

TEST(ReadIni, LongValuesAreCutTo254Characters) {
    const std::string text = "[Brochure]\nTitleBar=" + std::string(300, 'x') + "\n";
    EXPECT_EQ(readIniText(text, "Brochure", "TitleBar", "0"), std::string(254, 'x'));
    // characters, not bytes: a UTF-8 text is not cut inside a character
    std::string accented = "[B]\nk=";
    for (int i = 0; i < 300; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_EQ(readIniText(accented, "B", "k", "").size(), 254u * 2);
}

TEST(ReadIni, Windows1252FileIsReadAsSuch) {
    EXPECT_EQ(readIniText("[B]\r\nt=Caf\xE9\r\n", "B", "t", ""), "Caf\xC3\xA9");
    EXPECT_EQ(readIniText("\xEF\xBB\xBF[B]\nt=ok\n", "B", "t", ""), "ok");
}

TEST(ReadIni, MissingFileGivesTheDefault) {
    EXPECT_EQ(ReadIni("/no/such/KELD4WIN.INI", "Brochure", "TitleBar", "0"), "0");
    EXPECT_EQ(ReadIni("/", "Brochure", "PageCount", "0"), "0"); // a folder
}

TEST(DataPath, BackslashesAndCaseResolveOnThisSystem) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "keld_datapath_test";
    fs::remove_all(root);
    fs::create_directories(root / "Pages");
    std::ofstream(root / "Pages" / "p1.txt") << "x";
    EXPECT_EQ(dataPath(root.string(), "Pages\\p1.txt"), (root / "Pages" / "p1.txt").string());
    EXPECT_EQ(dataPath(root.string(), "PAGES\\P1.TXT"), (root / "Pages" / "p1.txt").string());
    EXPECT_EQ(dataPath(root.string(), "Pages/missing.txt"),
              (root / "Pages" / "missing.txt").string());
    EXPECT_EQ(dataPath(root.string(), ""), root.string());
    fs::remove_all(root);
}

} // namespace
} // namespace keld
