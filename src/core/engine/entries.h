#pragma once
// The entries of the calculation sheet: its twelve text fields by name, and
// what a calculation reads of the sheet.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace keld {

// The sheet's text fields; the value is the field's number (Text1 .. Text12),
// which is also its line in a project file.
enum class Field : std::uint8_t {
    CoefficientLow = 1,  // Text1: lower bound of the fluid's typical coefficient
    CoefficientHigh = 2, // Text2: upper bound
    Coefficient = 3,     // Text3: the coefficient used
    Title = 4,           // Text4
    AirInlet = 5,        // Text5: inlet air temperature
    HotInlet = 6,        // Text6: hot fluid inlet temperature
    HotOutlet = 7,       // Text7: hot fluid outlet temperature
    Rows = 8,            // Text8: number of tube rows
    Item = 9,            // Text9: item number
    PriceFactor = 10,    // Text10: price multiplication factor
    TubeLength = 11,     // Text11
    Duty = 12,           // Text12: heat duty
};

inline constexpr std::size_t kFieldCount = 12;

// Every field in the order of its number.
inline constexpr std::array<Field, kFieldCount> kFields = {
    Field::CoefficientLow, Field::CoefficientHigh, Field::Coefficient, Field::Title,
    Field::AirInlet,       Field::HotInlet,        Field::HotOutlet,   Field::Rows,
    Field::Item,           Field::PriceFactor,     Field::TubeLength,  Field::Duty};

constexpr int fieldNumber(Field f) {
    return static_cast<int>(f);
}

// One value per field.
template <class T> class ByField {
  public:
    T& operator[](Field f) { return m_values[index(f)]; }
    const T& operator[](Field f) const { return m_values[index(f)]; }
    bool operator==(const ByField&) const = default;

  private:
    static constexpr std::size_t index(Field f) { return static_cast<std::size_t>(f) - 1; }
    std::array<T, kFieldCount> m_values{};
};

// What a calculation reads of the sheet: the texts of the fields, the
// selection states of the three service options (Condensing, Gas Cooling,
// Liquid Cooling) and the text of the fluid list. The unit system is the
// record's ENGLISH flag.
struct SheetEntries {
    ByField<std::string> text;
    std::array<bool, 3> service{};
    std::string fluid;
};

} // namespace keld
