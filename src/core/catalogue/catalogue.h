#pragma once
// The fluid and material catalogue: the three services with their hot-fluid
// lists and typical coefficients, the user-defined entry of each list, and the
// tube and header materials with their price factors. List positions count
// from 0; a fluid's or material's number is its position + 1, so the lists
// keep their fixed order and are never sorted.

#include "units/units.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

enum class Service { Condensing = 0, GasCooling = 1, LiquidCooling = 2 };

inline constexpr std::size_t kServiceCount = 3;

struct Fluid {
    const char* name; // UTF-8
    double lower;     // typical overall coefficient, Btu/(hr sq ft °F)
    double upper;
};

struct ServiceInfo {
    Service service;
    const char* caption;           // the option's caption, recorded as SERVICE
    const char* fileCode;          // the project file's "<OPTION1>" value
    std::span<const Fluid> fluids; // the named fluids, without the user-defined entry
    const char* userInitial;       // the user-defined entry before a fluid is defined
    const char* userPrefix;        // the entry's prefix once defined, ending in one blank
};

// The services in option order (Condensing, Gas Cooling, Liquid Cooling).
const std::array<ServiceInfo, kServiceCount>& services();
const ServiceInfo& serviceInfo(Service s);

// Number of entries of a service's fluid list, the user-defined entry included
// (15, 20, 23).
std::size_t fluidListSize(Service s);

// A service's fluid list as the sheet shows it: the named fluids in order,
// then the given user-defined entry text.
std::vector<std::string> fluidList(Service s, std::string_view userEntry);

// The typical range and the proposed coefficient of a fluid, as the sheet
// shows them: plain decimal texts (110, 142.5, 809.115).
struct CoefficientTexts {
    std::string lower;
    std::string upper;
    std::string used;
};

// For the fluid at a list position of a service: its bounds (the user-defined
// entry takes the service's stored coefficient as both), on a Metric sheet each
// times 5.678 as the sheet would show it, and their mean. None for a position
// beyond the list.
std::optional<CoefficientTexts> coefficientTexts(Service s, std::size_t position,
                                                 const std::array<double, 3>& userCoefficients,
                                                 UnitSystem units);

// The user-defined entry's text once the user named the fluid: the service's
// prefix and the name.
std::string userEntryText(Service s, std::string_view name);

// The name in a user-defined entry's text: what follows the prefix when the
// text is at least as long as the prefix; none otherwise.
std::optional<std::string> userNameFromEntry(Service s, std::string_view entry);

struct Material {
    const char* name;
    const char* factor; // held as decimal text, read when selected
};

std::span<const Material> materials();

// The material's list position, or none when the text is not in the list.
std::optional<std::size_t> findMaterial(std::string_view name);

// The price factor of the material at a list position, read from its text.
double materialFactor(std::size_t position);

} // namespace keld
