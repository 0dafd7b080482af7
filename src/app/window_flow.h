#pragma once
// How the windows hand over to each other. Each window carries out its own
// steps of a hand-over (what it sets, whether it hides or closes itself) and
// asks the flow for the other windows; the flow loads a window that is not
// loaded before it shows it, which runs that window's start-up.

#include <string>

namespace keld {
struct SizingCase;
namespace planning {
struct Plan;
}
} // namespace keld

namespace keld::app {

class WindowFlow {
  public:
    virtual ~WindowFlow() = default;

    // The calculation sheet frmCalc: shown (loaded first, with its start-up,
    // when it is not loaded), hidden (it keeps its values) or closed.
    virtual void showCalc() = 0;
    virtual void hideCalc() = 0;
    virtual void closeCalc() = 0;

    // The report window frmCalcOutput, loaded anew: it builds the report of
    // the finished case and its planning figures.
    virtual void openReport(const SizingCase& finished, const planning::Plan& plan) = 0;

    // The Alternatives window, sweeping the sheet's case.
    virtual void openAlternatives() = 0;

    // The page window frmPages for the state's PageSet.
    virtual void openPages() = 0;
    // The page window shown again after the zoom window, with its page.
    virtual void showPages() = 0;
    // The zoom window frmGraphFile.
    virtual void openZoom() = 0;

    // The cover frmBrochure, loaded anew (its start-up runs).
    virtual void openCover() = 0;
    // The About box, not modal.
    virtual void openAbout() = 0;

    // Ends the program at once.
    virtual void exitProgram() = 0;
};

} // namespace keld::app
