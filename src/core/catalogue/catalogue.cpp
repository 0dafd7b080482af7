#include "catalogue/catalogue.h"

#include "text/number.h"
#include "units/units.h"

#include <algorithm>
#include <vector>

namespace keld {
namespace {

constexpr Fluid kCondensing[] = {
    {"Steam @ 0 to 20 psig", 110, 175},
    {"Amine Reactivator", 100, 120},
    {"Ammonia", 105, 125},
    {"Freon 12", 75, 90},
    {"Freon 22", 80, 90},
    {"Light Hydrocarbons C2, C3, C4", 95, 105},
    {"Light Gasoline C5, C6", 95, 95},
    {"Light Naphtha", 80, 100},
    {"Heavy Naphtha", 70, 90},
    {"Amine Still OH @ 230 to 180 \u00B0F", 85, 100},
    {"Amine Still OH @ 180 to 120 \u00B0F", 65, 80},
    {"Still OH, Light Naphtha + Steam + NC", 70, 90},
    {"Reactor Effluent", 80, 100},
    {"Benzene, Toluene, Xylene", 80, 100},
};

constexpr Fluid kGasCooling[] = {
    {"HC Gas @ 15 to 50 psig and dp = 1 psi", 30, 40},
    {"HC Gas @ 50 to 100 psig and dp = 2 psi", 40, 45},
    {"HC Gas @ 100 to 300 psig and dp = 2 psi", 45, 60},
    {"HC Gas @ 300 to 600 psig and dp = 5 psi", 55, 60},
    {"HC Gas @ 600 to 1000 psig", 60, 75},
    {"HC Gas @ 1000 to 1500 psig", 75, 85},
    {"HC Gas @ 1500 to 2500 psig", 85, 95},
    {"Ammonia & Methanol", 90, 100},
    {"Flue Gas @ 0 to 30 psig", 20, 20},
    {"Flue Gas @ 30 to 100 psig", 30, 30},
    {"Ethylene", 75, 85},
    {"Reformer and Platformer Effluent", 70, 80},
    {"Unifiner, Hydrofiner, etc", 60, 70},
    {"Air or Flue Gas @ 50 psig and dp = 1 psi", 10, 10},
    {"Air or Flue Gas @ 100 psig and dp = 2 psi", 20, 20},
    {"Air or Flue Gas @ 100 psig and dp = 5 psi", 30, 30},
    {"Air or Flue Gas @ 300 to 600 psig", 35, 40},
    {"Air or Flue Gas @ 600 to 1000 psig", 40, 50},
    {"Air or Flue Gas @ 1000 to 3000 psig", 50, 65},
};

constexpr Fluid kLiquidCooling[] = {
    {"Engine Jacket Water 40% EG", 95, 115},
    {"Process Water", 120, 145},
    {"Quench Water", 120, 145},
    {"Amine Solutions, 10% to 20%", 100, 120},
    {"50% Ethylene Glycol and Water", 95, 103},
    {"Propane", 100, 120},
    {"Butane", 90, 100},
    {"Light Gasoline", 90, 100},
    {"Heavy Naphtha", 80, 90},
    {"Gas Oil, viscosity less than 1 cp", 75, 100},
    {"Gas Oil, viscosity = 2 cp", 50, 70},
    {"Gas Oil, viscosity = 5 cp", 40, 50},
    {"Gas Oil, viscosity = 10 cp", 30, 40},
    {"Gas Oil, viscosity = 20 cp", 20, 30},
    {"Gas Oil, viscosity = 30 cp", 15, 20},
    {"Gas Oil, viscosity = 50 cp", 8, 12},
    {"Engine Lube Oils with Turbulators", 30, 50},
    {"Engine Lube Oils without Turbulators", 15, 19},
    {"Heavy Lube, viscosity = 10 to 30 cp", 15, 30},
    {"Resudum, viscosity = 50 to 100 cp", 10, 20},
    {"Tar", 5, 10},
    {"Fuel Oils", 20, 20},
};

const std::array<ServiceInfo, kServiceCount> kServices = {{
    {Service::Condensing, "Condensing", "CONDENSE", kCondensing, "User Defined Condensate",
     "User Defined Condensate: "},
    {Service::GasCooling, "Gas Cooling", "GAS", kGasCooling, "User Defined Gas",
     "User Defined Gas: "},
    {Service::LiquidCooling, "Liquid Cooling", "LIQUID", kLiquidCooling, "User Defined Liquid",
     "User Defined Liquid: "},
}};

constexpr Material kMaterials[] = {
    {"Steel", "1.0"},          {"Stainless Tubes Only", "1.30"},
    {"316 Stainless", "1.55"}, {"304 Stainless", "1.41"},
    {"Monel", "7.25"},         {"Incoloy 825", "4.3"},
    {"Inconel 600", "12.5"},   {"Duplex", "1.89"},
    {"Titanium", "6.75"},      {"Hastelloy", "6.7"},
};

} // namespace

const std::array<ServiceInfo, kServiceCount>& services() {
    return kServices;
}

const ServiceInfo& serviceInfo(Service s) {
    return kServices[static_cast<std::size_t>(s)];
}

std::size_t fluidListSize(Service s) {
    return serviceInfo(s).fluids.size() + 1;
}

std::vector<std::string> fluidList(Service s, std::string_view userEntry) {
    const ServiceInfo& info = serviceInfo(s);
    std::vector<std::string> list;
    list.reserve(info.fluids.size() + 1);
    for (const Fluid& f : info.fluids) {
        list.emplace_back(f.name);
    }
    list.emplace_back(userEntry);
    return list;
}

std::optional<CoefficientTexts> coefficientTexts(Service s, std::size_t position,
                                                 const std::array<double, 3>& userCoefficients,
                                                 UnitSystem units) {
    const ServiceInfo& info = serviceInfo(s);
    double lower = 0;
    double upper = 0;
    if (position < info.fluids.size()) {
        lower = info.fluids[position].lower;
        upper = info.fluids[position].upper;
    } else if (position == info.fluids.size()) {
        lower = upper = userCoefficients[static_cast<std::size_t>(s)];
    } else {
        return std::nullopt;
    }
    if (units == UnitSystem::Metric) {
        lower = readNumber(FormatInputValue(units::toMetric(units::Quantity::Coefficient, lower)))
                    .value_or(0);
        upper = readNumber(FormatInputValue(units::toMetric(units::Quantity::Coefficient, upper)))
                    .value_or(0);
    }
    const double used = (lower + upper) / 2;
    return CoefficientTexts{formatPlainDecimal(lower), formatPlainDecimal(upper),
                            formatPlainDecimal(used)};
}

std::string userEntryText(Service s, std::string_view name) {
    std::string text = serviceInfo(s).userPrefix;
    text += name;
    return text;
}

std::optional<std::string> userNameFromEntry(Service s, std::string_view entry) {
    // Counted in characters, not bytes: the entry is UTF-8.
    const std::size_t prefixLength = std::string_view(serviceInfo(s).userPrefix).size();
    std::size_t characters = 0;
    std::size_t nameStart = entry.size();
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if ((static_cast<unsigned char>(entry[i]) & 0xC0) != 0x80) {
            if (characters == prefixLength) {
                nameStart = i;
            }
            ++characters;
        }
    }
    if (characters < prefixLength) {
        return std::nullopt;
    }
    return std::string(entry.substr(nameStart));
}

std::span<const Material> materials() {
    return kMaterials;
}

std::optional<std::size_t> findMaterial(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kMaterials); ++i) {
        if (name == kMaterials[i].name) {
            return i;
        }
    }
    return std::nullopt;
}

double materialFactor(std::size_t position) {
    if (position >= std::size(kMaterials)) {
        return 0.0;
    }
    return readNumber(kMaterials[position].factor).value_or(0.0);
}

} // namespace keld
