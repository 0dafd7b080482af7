#pragma once
// Arithmetic faults.
//
// The estimate's rule is "continue on error": a statement that faults is
// abandoned and the next one runs. C++ does not trap, so the engine tests
// before it stores: a result that is not finite (a division by zero, an
// overflow, an invalid operation) or a whole number that does not fit 32 bits
// is not stored, and the target keeps its previous value. No NaN or infinity
// is ever stored in the record.
//
// A stage statement that is abandoned would leave a stale figure behind while
// the run reported success, so the stages remember the first such statement
// and report it through their failure text (see stageFaultMessage).

#include <cmath>
#include <cstdint>
#include <string>

namespace keld {

class FaultLog {
  public:
    // What the first abandoned statement would have computed, e.g. "tube count".
    const char* first() const { return m_first; }
    bool any() const { return m_first != nullptr; }
    void note(const char* what) {
        if (!m_first) {
            m_first = what;
        }
    }

  private:
    const char* m_first = nullptr;
};

// target := value unless value is not finite; returns whether it was stored.
inline bool store(double& target, double value, FaultLog* log = nullptr, const char* what = "") {
    if (!std::isfinite(value)) {
        if (log) {
            log->note(what);
        }
        return false;
    }
    target = value;
    return true;
}

// target := value for a whole-number value, unless it does not fit 32 bits.
inline bool storeInt32(std::int32_t& target, double value, FaultLog* log = nullptr,
                       const char* what = "") {
    if (!std::isfinite(value) || value < -2147483648.0 || value > 2147483647.0) {
        if (log) {
            log->note(what);
        }
        return false;
    }
    target = static_cast<std::int32_t>(value);
    return true;
}

// The failure text a stage reports for an abandoned statement, sending the
// user to the entries that can cause it.
inline constexpr const char* kDutyAndTemperatures = "the heat duty and the temperatures (Item 5)";
std::string stageFaultMessage(const char* what, const char* entries = kDutyAndTemperatures);

} // namespace keld
