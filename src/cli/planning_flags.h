#pragma once
// keld-size's flags of the planning options, one per row of the option
// table, with their help from the table.

#include "planning/options.h"

#include <CLI/CLI.hpp>

#include <array>

namespace keld::cli {

class PlanningFlags {
  public:
    // Declares the flags on the command line; their values are read in the
    // units of each file.
    void declare(CLI::App& app);
    // After parsing: the values of the flags given.
    planning::GivenOptions given(const CLI::App& app) const;

  private:
    std::array<double, planning::kOptionCount> m_values{};
};

} // namespace keld::cli
