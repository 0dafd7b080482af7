#pragma once
// The design space of one case: the case sized for every row count 3 to 10
// (the rows kept as given), every tube length and every material asked for,
// each alternative exactly as the sheet calculates it, with its fans, noise
// and cost of ownership, ranked. An alternative whose noise breaks a limit
// given is infeasible, and so, when asked, is one of unusual proportions.

#include "planning/options.h"
#include "sheet/sheet.h"
#include "units/units.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keld::sweep {

inline constexpr int kRowsFirst = 3;
inline constexpr int kRowsLast = 10;
inline constexpr int kRowCounts = kRowsLast - kRowsFirst + 1;
inline constexpr std::size_t kMostLengths = 100000;

// Tube lengths from..to by step (in a case's units), each written as the
// sheet would take it; none, with the reason, for a range that gives none or
// too many.
std::optional<std::vector<double>> lengthRange(double from, double to, double step,
                                               std::string& error);

// The default lengths in a case's units: 8 to 60 ft by 2, or 2.5 to 18 m by 0.5.
std::vector<double> defaultLengths(UnitSystem units);

// What an alternative's figures are ranked by.
enum class Rank { Price, Evaluated, Noise, FanPower, Weight };

// The figures of an alternative that the sweep shows, in English units.
// (No initial values: a million of them are written once, by the sweep.)
struct AlternativeFigures {
    double width;         // ft
    double faceArea;      // sq ft
    double fanPower;      // hp
    double weight;        // lb
    double price;         // US$
    double evaluatedCost; // US$ (not a number without a cost of ownership)
    double soundPressure; // dB(A) at the listener (not a number without fans)
    float nearField;      // dB(A) 1 m below a fan (not a number without fans)
    float motorNeeded;    // hp per fan, before its standard rating (not a number without fans)
    std::uint32_t fans;   // 0 without a fan layout
    std::uint8_t fanDiameterFt;
};

double rankFigure(const AlternativeFigures& f, Rank rank);

// One alternative, in 80 bytes.
struct Alternative {
    static constexpr std::uint16_t kFeasible = 0xFFFF;
    AlternativeFigures figures; // when ok
    std::uint32_t lengthIndex;  // its place in the sweep's lengths
    std::uint16_t message;      // kFeasible, or its message in Result::messages
    std::uint8_t rows;
    std::uint8_t material;
    bool ok() const { return message == kFeasible; }
};

// The alternatives of a sweep, in sweep order: one block, written in place
// by the workers (never cleared first), shared by copies of the result.
class Alternatives {
  public:
    Alternatives() = default;
    explicit Alternatives(std::size_t count)
        : m_data(std::make_shared_for_overwrite<Alternative[]>(count)), m_size(count) {}
    std::size_t size() const { return m_size; }
    Alternative& operator[](std::size_t i) { return m_data[i]; }
    const Alternative& operator[](std::size_t i) const { return m_data[i]; }
    const Alternative* begin() const { return m_data.get(); }
    const Alternative* end() const { return m_data.get() + m_size; }

  private:
    std::shared_ptr<Alternative[]> m_data;
    std::size_t m_size = 0;
};

struct Request {
    std::vector<double> lengths;        // in the case's units, as typed
    std::vector<std::size_t> materials; // empty: the case's own
    planning::Options options;          // for the fans, noise and cost of ownership
    Rank rank = Rank::Price;
    // Leave out the alternatives of unusual proportions (tubes longer than
    // 50 ft, bays wider than the tubes are long) as infeasible.
    bool usualOnly = false;
    unsigned threads = 1;
};

// Lets another thread follow a running sweep and stop it.
struct Control {
    std::atomic<std::size_t> done{0}; // alternatives sized so far
    std::atomic<bool> cancel{false};  // set to stop the sweep soon
};

struct Result {
    Alternatives all;                      // in sweep order: material, rows, length
    std::vector<double> lengths;           // the sweep's, as typed, in the case's units
    std::vector<std::uint32_t> ranked;     // the feasible ones, best first
    std::vector<std::uint32_t> infeasible; // in sweep order
    std::vector<std::string> messages;     // of the infeasible ones, each once
    // Indexes into all.
    std::optional<std::uint32_t> cheapest, lightest, leastPower, leastEvaluated;
    UnitSystem units = UnitSystem::English; // the case's units (lengths are in them)
    int lengthDecimals = 0;                 // the most decimals a length as typed has
    bool cancelled = false;                 // stopped before the end: nothing else holds

    double length(const Alternative& a) const { return lengths[a.lengthIndex]; }
};

// The number of alternatives of a request.
std::size_t alternativeCount(const Request& request);

// The sweep of the case (the sheet after its start-up and File, Open, or as
// the user left it). Its threads share nothing but a counter of the work
// handed out; no alternative allocates memory.
Result run(const Sheet& base, const Request& request, Control* control = nullptr);

// A sweep length as the sweep types it into the sheet's tube-length field.
std::string lengthText(double length);

} // namespace keld::sweep
