#include "text/cp1252.h"
#include "text/lines.h"

#include <gtest/gtest.h>

namespace keld {
namespace {

TEST(SplitLines, CrLfAndLoneCrEndLinesLoneLfDoesNot) {
    const auto lines = splitLines("a\r\nb\rc\nd\r\n\r\ne");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c\nd");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "e");
    EXPECT_TRUE(splitLines("").empty());
}

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

TEST(FileNameOfPath, AfterTheLastSeparator) {
    EXPECT_EQ(fileNameOfPath("C:\\Work\\Case 12.ini"), "Case 12.ini");
    EXPECT_EQ(fileNameOfPath("/home/a/case.ini"), "case.ini");
    EXPECT_EQ(fileNameOfPath("case.ini"), "case.ini");
    EXPECT_EQ(fileNameOfPath("\\case.ini"), "\\case.ini");
}

} // namespace
} // namespace keld
