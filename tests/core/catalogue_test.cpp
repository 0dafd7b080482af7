// The fluid lists' coefficients as the sheet shows them; user-defined names.

#include "catalogue/catalogue.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <array>

namespace keld {
namespace {

// data/coefficients.tsv: the range and the coefficient used for a fluid;
// none beyond the user-defined entry.
TEST(Catalogue, CoefficientsAsTheSheetShowsThem) {
    const std::array<double, 3> user = {0, 50, 75};
    for (const auto& row : test::readTable(KELD_TEST_TABLES "/coefficients.tsv")) {
        const Service service = row.at(0) == "Condensing" ? Service::Condensing
                                : row[0] == "GasCooling"  ? Service::GasCooling
                                                          : Service::LiquidCooling;
        const auto texts =
            coefficientTexts(service, std::stoul(row.at(1)), user,
                             row.at(2) == "E" ? UnitSystem::English : UnitSystem::Metric);
        ASSERT_TRUE(texts) << row[0] << " " << row[1];
        EXPECT_EQ(texts->lower + " " + texts->upper + " " + texts->used,
                  row.at(3) + " " + row.at(4) + " " + row.at(5))
            << row[0] << " " << row[1] << " " << row[2];
    }
    EXPECT_FALSE(coefficientTexts(Service::Condensing, 15, user, UnitSystem::English));
}

// The name in a user-defined entry's text, after the entry's own words
// counted in characters, not bytes. (The entries' texts: sheet_rules.tsv.)
TEST(Catalogue, UserDefinedName) {
    EXPECT_EQ(userNameFromEntry(Service::LiquidCooling, "User Defined Liquid: Brine"), "Brine");
    EXPECT_EQ(userNameFromEntry(Service::GasCooling, "User Defined Gas: "), "");
    EXPECT_FALSE(userNameFromEntry(Service::GasCooling, "User Defined Gas"));
    EXPECT_EQ(userNameFromEntry(Service::GasCooling, "\xC3\xA9ser Defined Gas: Caf\xC3\xA9"),
              "Caf\xC3\xA9");
    EXPECT_FALSE(userNameFromEntry(Service::GasCooling,
                                   "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                                   "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"));
}

} // namespace
} // namespace keld
