#include "project/project_file.h"

#include "text/cp1252.h"
#include "text/lines.h"

#include <gtest/gtest.h>

namespace keld {
namespace {

const char* const kExample = "100<TEXT1>\r\n150<TEXT2>\r\n125<TEXT3>\r\n"
                             "Cooling Water Return<TEXT4>\r\n95<TEXT5>\r\n180<TEXT6>\r\n"
                             "120<TEXT7>\r\n5<TEXT8>\r\nE-101<TEXT9>\r\n1.1<TEXT10>\r\n"
                             "30<TEXT11>\r\n12.5<TEXT12>\r\nLIQUID<OPTION1>\r\n"
                             "ENGLISH<OPTION2>\r\nFORCED<OPTION3>\r\nProcess Water<COMBO1>\r\n"
                             "Steel<COMBO2>\r\n";

struct Loaded {
    SheetState sheet;
    SizingCase record;
    std::optional<LoadFailure> failure;
};

Loaded load(std::string_view bytes, LoadKind kind = LoadKind::Open) {
    Loaded l;
    l.record.ENGLISH = true;
    l.record.ROWSFIXED = false;
    prepareOpen(l.sheet, l.record);
    l.failure = applyProject(parseProjectFile(bytes), kind, l.sheet, l.record);
    return l;
}

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

TEST(ProjectFile, TheExampleOpens) {
    const Loaded l = load(kExample);
    ASSERT_FALSE(l.failure);
    EXPECT_EQ(l.sheet.text[Field::Title], "Cooling Water Return");
    EXPECT_EQ(l.sheet.text[Field::PriceFactor], "1.1");
    EXPECT_EQ(l.sheet.selectedService(), 2u);
    EXPECT_EQ(l.sheet.fluidText(), "Process Water");
    EXPECT_EQ(l.record.MATERIAL, "Steel");
    EXPECT_EQ(l.record.MATERIALFACTOR, 1.0);
    EXPECT_TRUE(isTrue(l.record.ROWSFIXED));
    EXPECT_TRUE(isTrue(l.record.DRAFT));
    EXPECT_TRUE(isTrue(l.record.ENGLISH));
}

TEST(ProjectFile, TagAnywhereValueBeforeItLaterLinesOverride) {
    const auto entries = parseProjectFile("abc<TEXT4>xyz\r\nno tag here\r\nfirst<TEXT9>\r\n"
                                          "second<TEXT9>\r\n<text4>lower case is no tag\r\n");
    SheetState sheet;
    SizingCase c;
    ASSERT_FALSE(applyProject(entries, LoadKind::Open, sheet, c));
    EXPECT_EQ(sheet.text[Field::Title], "abc");
    EXPECT_EQ(sheet.text[Field::Item], "second");
}

TEST(ProjectFile, TheDefaultCaseDoesNotFixTheRows) {
    const Loaded l = load(kExample, LoadKind::DefaultCase);
    EXPECT_FALSE(isTrue(l.record.ROWSFIXED));
}

TEST(ProjectFile, MetricFileAndInducedDraft) {
    std::string text = kExample;
    text.replace(text.find("ENGLISH<"), 7, "METRIC");
    text.replace(text.find("FORCED<"), 6, "INDUCED");
    const Loaded l = load(text);
    ASSERT_FALSE(l.failure);
    EXPECT_FALSE(isTrue(l.record.ENGLISH));
    EXPECT_FALSE(isTrue(l.record.DRAFT));
    EXPECT_EQ(l.sheet.text[Field::Coefficient], "125"); // values are not converted
}

TEST(ProjectFile, AFluidOfAnotherServiceIsRefused) {
    std::string text = kExample;
    text.replace(text.find("Process Water<"), 13, "Ammonia");
    const Loaded l = load(text);
    ASSERT_TRUE(l.failure);
    EXPECT_EQ(l.failure->tag, kTagCombo1);
    EXPECT_EQ(l.failure->value, "Ammonia");
    // the default case skips such a line instead
    EXPECT_FALSE(load(text, LoadKind::DefaultCase).failure);
}

TEST(ProjectFile, AnUnknownMaterialIsRefused) {
    std::string text = kExample;
    text.replace(text.find("Steel<"), 5, "Gold");
    const Loaded l = load(text);
    ASSERT_TRUE(l.failure);
    EXPECT_EQ(l.failure->tag, kTagCombo2);
}

TEST(ProjectFile, UserDefinedLiquidIsRestoredInMetric) {
    std::string text = kExample;
    text.replace(text.find("125<TEXT3>"), 3, "567.8");
    text.replace(text.find("ENGLISH<"), 7, "METRIC");
    text.replace(text.find("Process Water<"), 13, "User Defined Liquid: Brine");
    const Loaded l = load(text);
    ASSERT_FALSE(l.failure);
    EXPECT_EQ(l.sheet.fluidText(), "User Defined Liquid: Brine");
    EXPECT_EQ(l.sheet.fluidIndex, 22u);
    EXPECT_EQ(l.sheet.userEntry[2], "User Defined Liquid: Brine");
    EXPECT_NEAR(l.sheet.userCoefficient[2], 100.0, 0.01);
    // a user-defined line of another service is not restored
    std::string gas = text;
    gas.replace(gas.find("LIQUID<"), 6, "GAS");
    EXPECT_TRUE(load(gas).failure);
}

TEST(ProjectFile, WrittenAndReadBackIsTheSameDegreeSignIncluded) {
    std::string text = kExample;
    text.replace(text.find("LIQUID<"), 6, "CONDENSE");
    text.replace(text.find("Process Water<"), 13, "Amine Still OH @ 230 to 180 \xB0" "F");
    const Loaded l = load(text);
    ASSERT_FALSE(l.failure);
    EXPECT_EQ(l.sheet.fluidText(), "Amine Still OH @ 230 to 180 \xC2\xB0" "F");
    EXPECT_EQ(projectFileBytes(l.sheet), text);
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
