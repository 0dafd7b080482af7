#pragma once
// A window flow for the sheet and report tests: records every hand-over and,
// when asked to, opens a real report window.

#include "app_state.h"
#include "platform/platform.h"
#include "report/frm_calc_output.h"
#include "shell/window_flow.h"

#include <QPointer>
#include <QStringList>

namespace keld::app::test {

class FakeFlow : public WindowFlow {
  public:
    FakeFlow() = default;
    ~FakeFlow() override { delete report; }
    FakeFlow(const FakeFlow&) = delete;
    FakeFlow& operator=(const FakeFlow&) = delete;

    void showCalc() override { calls << "showCalc"; }
    void hideCalc() override { calls << "hideCalc"; }
    void closeCalc() override { calls << "closeCalc"; }
    void openReport(const SizingCase& finished, const planning::Figures& plan) override {
        calls << "openReport";
        if (reportState && reportPlatform) {
            report = new frmCalcOutput(*reportState, *reportPlatform, *this, finished, plan);
        }
    }
    void openAlternatives() override { calls << "openAlternatives"; }
    void openPages() override { calls << "openPages"; }
    void showPages() override { calls << "showPages"; }
    void openZoom() override { calls << "openZoom"; }
    void openCover() override { calls << "openCover"; }
    void openAbout() override { calls << "openAbout"; }
    void exitProgram() override { calls << "exitProgram"; }

    // Set both to let openReport create the report window.
    void createReports(AppState& state, Platform& platform) {
        reportState = &state;
        reportPlatform = &platform;
    }

    QStringList calls;
    QPointer<frmCalcOutput> report;

  private:
    AppState* reportState = nullptr;
    Platform* reportPlatform = nullptr;
};

} // namespace keld::app::test
